#include "app/HomePage.h"
#include "app/PageMain.h"
#include "config/CryptTools.h"
#include "config/ZQCConfig.h"
#include "pages/Frame.h"
#include "platform/bind/BindSource.h"
#include "platform/bind/LinkListControlToField.h"
#include "platform/widgets/ListView.h"
#include "platform/widgets/MultiView.h"
#include "platform/widgets/MyComboBox.h"
#include "server/ServerConnection.h"
#include "tests/testsupport/GuiTestMain.h"
#include "tests/testsupport/MessageBoxCatcher.h"
#include "tests/testsupport/ServerFixture.h"
#include "update/MyProxyConf.h"
#include "update/ZQConnector.h"
#include "util/MyTools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

QString decryptedFile(const QString& APath)
{
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? CryptTools::ZQEntschluesseln(QString::fromLatin1(file.readAll()))
                                          : QString();
}

QByteArray contentOf(const QString& APath)
{
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// The main window: its first showing, the login, the main menu and page switching, the organisation drawer,
// the home page and the saves at the end; against a real stand-in server.
class TestPageMain : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TServerFixture> FServer;
    QTemporaryDir FDir;
    std::unique_ptr<TZQCConfig> FConfig;
    TZQConnector FConnector;
    std::unique_ptr<TFServCon> FServCon;
    std::unique_ptr<TFPageMain> FWindow;

    template <class T>
    T* child(const char* AName)
    {
        T* found = FWindow->findChild<T*>(QLatin1String(AName));
        if (!found)
            qFatal("no control %s", AName);
        return found;
    }

    void showWindow()
    {
        FWindow = std::make_unique<TFPageMain>(*FConfig, FConnector, *FServCon);
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }

    void logIn(const QString& AEmail, const QString& APassword = QLatin1String(TServerFixture::DemoPassword))
    {
        child<QLineEdit>("E_EMail")->setText(AEmail);
        child<QLineEdit>("E_Pass")->setText(APassword);
        QTest::mouseClick(child<QPushButton>("BT_Login"), Qt::LeftButton);
    }

    // The page area as after a login, so that the menu can be used without one.
    void showPageArea()
    {
        child<QWidget>("L_Main")->show();
        QTest::qWait(0);
    }

    void clickMenuEntry(int AIndex)
    {
        QTest::mouseClick(child<QToolButton>("MasterButton"), Qt::LeftButton);
        QVERIFY(child<TMultiView>("MenueMain")->IsShowed());
        auto* list = child<QListWidget>("ListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(AIndex)).center());
    }

    // Opens the drawer, picks the organisation of that name and confirms it.
    void chooseOrganisation(const QString& AName)
    {
        QTest::mouseClick(child<QToolButton>("BT_OrgaChange"), Qt::LeftButton);
        auto* list = child<TListView>("ListView1");
        const QModelIndexList found =
            list->View()->model()->match(list->View()->model()->index(0, 0), Qt::DisplayRole, AName);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(list->View()->viewport(), Qt::LeftButton, {},
                          list->View()->visualRect(found[0]).center());
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    }

    QStringList softwareShown()
    {
        auto* combo = child<QComboBox>("MyComboBox1");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }

    QString currentPage() { return child<QStackedWidget>("Pager")->currentWidget()->objectName(); }
    QString header() { return child<QLabel>("L_Header")->text(); }
    bool updatesOffered()
    {
        return !child<QListWidget>("ListBox1")->item(TFPageMain::P4_Updates)->isHidden();
    }

private slots:
    void initTestCase()
    {
        FServer = std::make_unique<TServerFixture>();
        QVERIFY2(FServer->Error().isEmpty(), qPrintable(FServer->Error()));
    }

    void init()
    {
        QFile::remove(FDir.filePath(QStringLiteral("PLXConfig.conf")));
        FConfig = std::make_unique<TZQCConfig>(FDir.filePath(QStringLiteral("PLXConfig.conf")));
        FConfig->ConfigFile().SetUsername(QStringLiteral("anna@zq.de"));
        FConfig->ConfigFile().SetPassword(QStringLiteral("geheim"));
        FConfig->ConfigFile().SetSaveLoginData(true);
        FServCon = std::make_unique<TFServCon>(TMyProxyConf());
        FServer->Aim(FServCon->RestCon());
    }

    void cleanup()
    {
        FWindow.reset();
        FServCon.reset();
    }

    void firstShowingSetsTitleAndLoginBar()
    {
        showWindow();
        QCOMPARE(FWindow->windowTitle(),
                 QStringLiteral("ZQ-Connect (%1)").arg(TMyToolsEXE::getVersionNR(QString(), false)));
        QVERIFY(child<QWidget>("P_Login")->isVisible());
        QVERIFY(!child<QWidget>("L_Main")->isVisible());
        QCOMPARE(child<QLineEdit>("E_EMail")->text(), QStringLiteral("anna@zq.de"));
        QCOMPARE(child<QLineEdit>("E_Pass")->text(), QStringLiteral("geheim"));
        QCOMPARE(child<QLineEdit>("E_Pass")->echoMode(), QLineEdit::Password);
        QVERIFY(child<QCheckBox>("CB_SaveLoginData")->isChecked());
        QCOMPARE(header(), QStringLiteral("Artikelsuche"));
        QCOMPARE(currentPage(), QStringLiteral("P1_Home"));
        QCOMPARE(child<QComboBox>("CB_Userrecht")->count(), 3);
        QCOMPARE(child<QComboBox>("CB_Userrecht")->itemText(1), QStringLiteral("ADMIN"));
        // The frames' data sources wait unbound until their page is shown.
        for (TBindSource* source : FWindow->findChildren<TBindSource*>()) {
            if (source->objectName() != QLatin1String("Orga"))
                QVERIFY2(!source->DataSet(), qPrintable(source->objectName()));
        }
    }

    void secondShowingChangesNothing()
    {
        showWindow();
        FConfig->ConfigFile().SetUsername(QStringLiteral("other@zq.de"));
        child<QLineEdit>("E_Pass")->setText(QStringLiteral("typed"));
        FWindow->hide();
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
        QCOMPARE(child<QLineEdit>("E_EMail")->text(), QStringLiteral("anna@zq.de"));
        QCOMPARE(child<QLineEdit>("E_Pass")->text(), QStringLiteral("typed"));
    }

    void menuOffersFiveEntries()
    {
        showWindow();
        auto* list = child<QListWidget>("ListBox1");
        QCOMPARE(list->count(), 6);
        const QStringList texts = {"Home",    "Downloads",     "Kunden",
                                   "Updates", "Einstellungen", "M6_CustomerOverview"};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(list->item(i)->text(), texts[i]);
            QCOMPARE(list->item(i)->isHidden(), i == 5);
            QCOMPARE(list->item(i)->icon().isNull(), i == 5);
        }
    }

    void rightsDecideMenuAndDrawer_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<bool>("updates");
        QTest::addColumn<bool>("drawer");
        QTest::addColumn<int>("organisations");
        QTest::newRow("ADMIN") << "admin@ps-nord.de" << true << false << 1;
        QTest::newRow("ZQXTINSTALLER") << "installer@zq-software.de" << true << true << 3;
        QTest::newRow("STANDARD") << "standard@ps-nord.de" << false << false << 1;
        QTest::newRow("PRAXISUSER") << "praxis@ps-nord.de" << false << false << 1;
        QTest::newRow("ZQXTABRECHNUNG") << "abrechnung@zq-software.de" << false << false << 3;
    }

    void rightsDecideMenuAndDrawer()
    {
        QFETCH(QString, email);
        QFETCH(bool, updates);
        QFETCH(bool, drawer);
        QFETCH(int, organisations);
        showWindow();
        logIn(email);
        QVERIFY(FWindow->Connected());
        QVERIFY(child<QWidget>("L_Main")->isVisible());
        QVERIFY(!child<QWidget>("P_Login")->isVisible());
        QCOMPARE(updatesOffered(), updates);
        QCOMPARE(child<QToolButton>("BT_OrgaChange")->isVisible(), drawer);
        QCOMPARE(child<TListView>("ListView1")->View()->model()->rowCount(), organisations);
        if (!drawer) {
            QTest::mouseClick(child<QToolButton>("BT_OrgaChange"), Qt::LeftButton);
            QVERIFY(!child<TMultiView>("MenueOrga")->IsShowed());
        }
    }

    void failedLoginChangesNothing()
    {
        FConfig->SaveConfigfile();
        const QByteArray before = contentOf(FConfig->PathConfigFile());
        showWindow();
        TMessageBoxCatcher catcher;
        logIn(QStringLiteral("admin@ps-nord.de"), QStringLiteral("falsch"));
        QTRY_VERIFY(catcher.Caught());
        QCOMPARE(catcher.Text(),
                 QStringLiteral(
                     "Anmeldung fehlgeschlagen!\n\r\u00DCberpr\u00FCfen Sie Benutzername und Passwort"));
        QVERIFY(!FWindow->Connected());
        QVERIFY(child<QWidget>("P_Login")->isVisible());
        QCOMPARE(contentOf(FConfig->PathConfigFile()), before);
    }

    void savedLoginData_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("saved") << true;
        QTest::newRow("not saved") << false;
    }

    void savedLoginData()
    {
        QFETCH(bool, save);
        showWindow();
        child<QCheckBox>("CB_SaveLoginData")->setChecked(save);
        logIn(QStringLiteral("standard@ps-nord.de"));
        QVERIFY(FWindow->Connected());
        const TZQCConfigFile saved = TZQCConfig(FConfig->PathConfigFile()).ConfigFile();
        QCOMPARE(saved.SaveLoginData(), save);
        QCOMPARE(saved.Username(), save ? QStringLiteral("standard@ps-nord.de") : QString());
        QCOMPARE(saved.Password(), save ? QLatin1String(TServerFixture::DemoPassword) : QString());
    }

    void lastPageIsReopened_data()
    {
        QTest::addColumn<int>("lastTab");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("header");
        QTest::newRow("none") << -1 << "P1_Home"
                              << "News";
        QTest::newRow("home") << 0 << "P1_Home"
                              << "News";
        QTest::newRow("customers") << 2 << "P3_Costumers"
                                   << "Kundenverwaltung";
        QTest::newRow("updates, hidden for the user") << 3 << "P4_Updates"
                                                      << "Updateverwaltung";
        QTest::newRow("beyond the menu") << 9 << "P1_Home"
                                         << "News";
    }

    void lastPageIsReopened()
    {
        QFETCH(int, lastTab);
        QFETCH(QString, page);
        QFETCH(QString, header);
        FConfig->ConfigFile().SetLastTabIndex(lastTab);
        showWindow();
        logIn(QStringLiteral("standard@ps-nord.de"));
        QCOMPARE(currentPage(), page);
        QCOMPARE(this->header(), header);
        QCOMPARE(FConfig->ConfigFile().LastTabIndex(), lastTab >= 0 && lastTab < 6 ? -1 : lastTab);
        QVERIFY(!updatesOffered());
        // The home page is loaded exactly when it is shown.
        QCOMPARE(softwareShown().isEmpty(), page != QLatin1String("P1_Home"));
    }

    void homePageShowsTheOrganisationsSoftwareAndNews()
    {
        showWindow();
        logIn(QStringLiteral("admin@ps-nord.de"));
        QCOMPARE(softwareShown(), (QStringList{"ZQ Praxis", "ZQ Labor"}));
        auto* home = FWindow->findChild<THomePage*>();
        QVERIFY(FWindow->findChild<QWidget*>(QStringLiteral("WebBrowser1")));
        QCOMPARE(home->NewsShown().path(), QStringLiteral("/News/ZQP/HTML/ZQP.html"));
        auto* combo = child<TMyComboBox>("MyComboBox1");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_L); // begins no item: left to the combo box, which finds none either
        QCOMPARE(combo->currentText(), QStringLiteral("ZQ Praxis"));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("ZQ Labor"));
        QCOMPARE(FServCon->Table("Software").Value("name").toString(), QStringLiteral("ZQ Labor"));
        QCOMPARE(home->NewsShown().path(), QStringLiteral("/News/ZQL/HTML/ZQL.html"));
    }

    void newsAddress()
    {
        const QUrl address = NewsAddress(QStringLiteral("abc"), QStringLiteral("start"));
        QCOMPARE(address.scheme(), QStringLiteral("http"));
        QCOMPARE(address.path(), QStringLiteral("/News/abc/HTML/start.html"));
        QVERIFY(!address.userName().isEmpty() && !address.password().isEmpty());
    }

    void choosingAnOrganisation()
    {
        showWindow();
        logIn(QStringLiteral("installer@zq-software.de"));
        QCOMPARE(FServCon->OrgaID(), QStringLiteral("1"));
        QCOMPARE(softwareShown().size(), 3);
        // On the home page the choice takes effect with the next page change.
        chooseOrganisation(QStringLiteral("MediPartner Süd"));
        QCOMPARE(FServCon->OrgaID(), QStringLiteral("3"));
        QCOMPARE(softwareShown().size(), 3);
        QVERIFY(!child<TMultiView>("MenueOrga")->IsShowed());
        QVERIFY(child<QWidget>("Pager")->isVisible());
        // On a work page it opens the home page for the new organisation.
        clickMenuEntry(TFPageMain::P2_Downloads);
        QCOMPARE(currentPage(), QStringLiteral("P2_Downloads"));
        chooseOrganisation(QStringLiteral("Praxis-Service Nord"));
        QCOMPARE(FServCon->OrgaID(), QStringLiteral("2"));
        QCOMPARE(currentPage(), QStringLiteral("P1_Home"));
        QCOMPARE(softwareShown(), (QStringList{"ZQ Praxis", "ZQ Labor"}));
    }

    void organisationSearchNarrowsTheList()
    {
        showWindow();
        logIn(QStringLiteral("zqxtadmin@zq-software.de"));
        auto* list = child<TListView>("ListView1");
        list->SearchBox()->setText(QStringLiteral("  NORD "));
        QCOMPARE(list->ShownItems(), QList<int>{1});
        QCOMPARE(list->View()->model()->index(0, 0).data().toString(), QStringLiteral("Praxis-Service Nord"));
    }

    void refreshListLinksIgnoresCase()
    {
        showWindow();
        logIn(QStringLiteral("admin@ps-nord.de"));
        clickMenuEntry(TFPageMain::P3_Costumers);
        auto* frame = FWindow->findChild<TFCustomer*>();
        TBindSource* customers = frame->findChild<TBindSource*>(QStringLiteral("Customer"));
        QVERIFY(customers->DataSet());
        TListView list;
        new TLinkListControlToField(customers, QStringLiteral("customername"), QString(), &list, frame);
        FServCon->getOneTable("Customer", "SELECT * FROM Customer WHERE orga_id=2", QString());
        QCOMPARE(list.ShownItems().size(), 5);
        customers->DataSet()->SetFilter(QStringLiteral("city=Kiel"));
        customers->DataSet()->SetFiltered(true);
        list.SetListItems({}); // as a list that has not heard of the change
        FWindow->RefreshListLinks(QStringLiteral("customer"));
        QCOMPARE(list.ShownItems().size(), 2);
        // Leaving the page unbinds and closes its tables.
        clickMenuEntry(TFPageMain::P1_Home);
        QVERIFY(!customers->DataSet());
        QVERIFY(!FServCon->Table("Customer").Active());
    }

    void clickingAnEntryOpensItsPage_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("header");
        QTest::newRow("Downloads") << 1 << "P2_Downloads"
                                   << "Downloadcenter";
        QTest::newRow("Kunden") << 2 << "P3_Costumers"
                                << "Kundenverwaltung";
        QTest::newRow("Updates") << 3 << "P4_Updates"
                                 << "Updateverwaltung";
        QTest::newRow("Einstellungen") << 4 << "P5_Config"
                                       << "Einstellungen";
    }

    void clickingAnEntryOpensItsPage()
    {
        QFETCH(int, index);
        QFETCH(QString, page);
        QFETCH(QString, header);
        showWindow();
        logIn(QStringLiteral("admin@ps-nord.de"));
        clickMenuEntry(index);
        QCOMPARE(currentPage(), page);
        QCOMPARE(this->header(), header);
        QCOMPARE(FConfig->ConfigFile().LastTabIndex(), index);
        QVERIFY(!child<TMultiView>("MenueMain")->IsShowed());
        QVERIFY(child<QWidget>("Pager")->isVisible());

        clickMenuEntry(0);
        QCOMPARE(currentPage(), QStringLiteral("P1_Home"));
        QCOMPARE(this->header(), QStringLiteral("News"));
        QCOMPARE(FConfig->ConfigFile().LastTabIndex(), 0);
    }

    void entryOfThePageShownStoresItsIndexButChangesNoPage()
    {
        showWindow();
        showPageArea();
        FConfig->ConfigFile().SetLastTabIndex(3);
        clickMenuEntry(0);
        QCOMPARE(currentPage(), QStringLiteral("P1_Home"));
        QCOMPARE(header(), QStringLiteral("Artikelsuche")); // no page change ran
        QCOMPARE(FConfig->ConfigFile().LastTabIndex(), 0);
        QVERIFY(!child<TMultiView>("MenueMain")->IsShowed());
    }

    void sixthPageKeepsTheHeader()
    {
        showWindow();
        showPageArea();
        clickMenuEntry(2);
        FWindow->MenuEntryClick(TFPageMain::P6_CustomerOverview);
        QCOMPARE(currentPage(), QStringLiteral("P6_CustomerOverview"));
        QCOMPARE(header(), QStringLiteral("Kundenverwaltung"));
        QCOMPARE(FConfig->ConfigFile().LastTabIndex(), 2); // the selected entry is still "Kunden"
        clickMenuEntry(4);
        QCOMPARE(header(), QStringLiteral("Einstellungen"));
    }

    void handlerWithoutSelectedEntryStoresMinusOne()
    {
        showWindow();
        FWindow->MenuEntryClick(TFPageMain::P4_Updates);
        QCOMPARE(currentPage(), QStringLiteral("P4_Updates"));
        QCOMPARE(header(), QStringLiteral("Updateverwaltung"));
        QCOMPARE(FConfig->ConfigFile().LastTabIndex(), -1);
    }

    void openMenusHideThePages()
    {
        showWindow();
        showPageArea();
        auto* menu = child<TMultiView>("MenueMain");
        auto* drawer = child<TMultiView>("MenueOrga");
        auto* pager = child<QWidget>("Pager");
        QCOMPARE(menu->width(), 48);
        QVERIFY(menu->isVisible());
        QVERIFY(!drawer->isVisible());

        QTest::mouseClick(child<QToolButton>("MasterButton"), Qt::LeftButton);
        QCOMPARE(menu->width(), 250);
        QVERIFY(!pager->isVisible());
        // A click beside the open menu folds it.
        const QList<QWidget*> scrims = FWindow->findChildren<QWidget*>(QStringLiteral("Scrim"));
        const auto shown =
            std::find_if(scrims.begin(), scrims.end(), [](QWidget* AScrim) { return AScrim->isVisible(); });
        QVERIFY(shown != scrims.end());
        QTest::mouseClick(*shown, Qt::LeftButton, {}, QPoint(400, 100));
        QCOMPARE(menu->width(), 48);
        QVERIFY(pager->isVisible());

        QTest::mouseClick(child<QToolButton>("BT_OrgaChange"), Qt::LeftButton);
        QVERIFY(drawer->isVisible());
        QCOMPARE(drawer->width(), 489);
        QCOMPARE(drawer->geometry().right(), drawer->parentWidget()->rect().right());
        QVERIFY(!pager->isVisible());
        QTest::mouseClick(child<QToolButton>("BT_OrgaChange"), Qt::LeftButton);
        QVERIFY(!drawer->isVisible());
        QVERIFY(pager->isVisible());
    }

    void closingWritesTheConfigurationTwice()
    {
        showWindow();
        showPageArea();
        clickMenuEntry(2);
        const QString path = FConfig->PathConfigFile();
        FWindow->close();
        QCOMPARE(decryptedFile(path), FConfig->ConfigFile().ToJsonText());
        QVERIFY(decryptedFile(path).contains(QStringLiteral("\"lastTabIndex\":2")));
        QVERIFY(QFile::remove(path));
        FWindow.reset();
        QCOMPARE(decryptedFile(path), FConfig->ConfigFile().ToJsonText());
    }

    void failedSaveOnCloseIsShown()
    {
        FConfig = std::make_unique<TZQCConfig>(FDir.filePath(QStringLiteral("gone/PLXConfig.conf")));
        showWindow();
        TMessageBoxCatcher catcher;
        FWindow->close();
        QTRY_VERIFY(catcher.Caught());
        QVERIFY2(catcher.Text().startsWith(QStringLiteral("Die Konfigurationsdatei")),
                 qPrintable(catcher.Text()));
        QVERIFY(!FWindow->isVisible());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Die Konfigurationsdatei")));
        FWindow.reset();
    }
};

ZQ_GUI_TEST_MAIN(TestPageMain)
#include "tst_pagemain.moc"
