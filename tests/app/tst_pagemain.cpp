#include "app/PageMain.h"
#include "config/CryptTools.h"
#include "config/ZQCConfig.h"
#include "platform/widgets/MultiView.h"
#include "tests/testsupport/GuiTestMain.h"
#include "tests/testsupport/MessageBoxCatcher.h"
#include "update/ZQConnector.h"
#include "util/MyTools.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

} // namespace

// The main window: its first showing, the main menu and page switching, the panes and the saves at the end.
class TestPageMain : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;
    std::unique_ptr<TZQCConfig> FConfig;
    TZQConnector FConnector;
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
        FWindow = std::make_unique<TFPageMain>(*FConfig, FConnector);
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }

    // The page area as after a login, so that the menu can be used.
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

    QString currentPage() { return child<QStackedWidget>("Pager")->currentWidget()->objectName(); }
    QString header() { return child<QLabel>("L_Header")->text(); }

private slots:
    void init()
    {
        FConfig = std::make_unique<TZQCConfig>(FDir.filePath(QStringLiteral("PLXConfig.conf")));
        FConfig->ConfigFile().SetUsername(QStringLiteral("anna@zq.de"));
        FConfig->ConfigFile().SetPassword(QStringLiteral("geheim"));
        FConfig->ConfigFile().SetSaveLoginData(true);
    }

    void cleanup()
    {
        FWindow.reset();
        QFile::remove(FConfig->PathConfigFile());
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
        showPageArea();
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
