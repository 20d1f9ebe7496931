#include "pages/ZQParams.h"
#include "server/ServerConnection.h"
#include "tests/testsupport/ServerFixture.h"
#include "update/MyProxyConf.h"
#include "util/ZQError.h"

#include <QTcpServer>
#include <QTest>

using namespace ZQParams;

namespace {

QString errorOf(const std::function<void()>& AAction)
{
    try {
        AAction();
    } catch (const EZQError& error) {
        return error.Message();
    }
    return QStringLiteral("<no error>");
}

QStringList column(TDataTable& ATable, const QString& AField)
{
    QStringList values;
    for (int row = 0; row < ATable.RecordCount(); ++row)
        values << ATable.ValueAt(row, ATable.FieldIndex(AField)).toString();
    return values;
}

} // namespace

// The data module against a real stand-in server: login, session, loading and posting tables.
class TestServCon : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TServerFixture> FServer;
    std::unique_ptr<TFServCon> FServCon;

    void logIn(const QString& AEmail)
    {
        FServCon->SetLoginUsername(AEmail);
        FServCon->SetLoginPassword(QLatin1String(TServerFixture::DemoPassword));
        QVERIFY(FServCon->isConnected());
        FServCon->SetSessionVariable();
    }

    TDataTable& loadCustomers(const QString& AOrder = {})
    {
        FServCon->getOneTable(TableCustomer, QStringLiteral("SELECT * FROM Customer WHERE orga_id=2"),
                              AOrder);
        return FServCon->Table(TableCustomer);
    }

private slots:
    void initTestCase()
    {
        FServer = std::make_unique<TServerFixture>();
        QVERIFY2(FServer->Error().isEmpty(), qPrintable(FServer->Error()));
    }

    void init()
    {
        FServCon = std::make_unique<TFServCon>(TMyProxyConf());
        FServer->Aim(FServCon->RestCon());
    }

    void cleanup() { FServCon.reset(); }

    void loginFillsTheSessionVariables()
    {
        logIn(QStringLiteral("admin@ps-nord.de"));
        QVERIFY(!FServCon->RestCon().SessionId().isEmpty());
        QCOMPARE(FServCon->ServerLoginUserID(), QStringLiteral("5"));
        QCOMPARE(FServCon->ServerLoginName(), QStringLiteral("Nora Nord"));
        QCOMPARE(FServCon->ServerLoginRights(), QStringLiteral("ADMIN"));
        QCOMPARE(FServCon->OrgaID(), QStringLiteral("2"));
        QCOMPARE(column(FServCon->Table(TableOrga), "name"), QStringList{"Praxis-Service Nord"});
        // Users of the organisation only, and no password hash but the user's own.
        TDataTable& users = FServCon->Table(TableOrgauser);
        QCOMPARE(users.RecordCount(), 3);
        for (int row = 0; row < users.RecordCount(); ++row) {
            const bool own = users.ValueAt(row, users.FieldIndex("id")).toInt() == 5;
            QCOMPARE(users.ValueAt(row, users.FieldIndex("password")).toString().size(), own ? 13 : 0);
        }
    }

    void staffSeeEveryOrganisation()
    {
        logIn(QStringLiteral("installer@zq-software.de"));
        QCOMPARE(FServCon->ServerLoginRights(), QStringLiteral("ZQXTINSTALLER"));
        QCOMPARE(FServCon->Table(TableOrga).RecordCount(), 3);
        QCOMPARE(FServCon->OrgaID(), QStringLiteral("1"));
    }

    void wrongPasswordIsALoginFailure()
    {
        FServCon->SetLoginUsername(QStringLiteral("admin@ps-nord.de"));
        FServCon->SetLoginPassword(QStringLiteral("falsch"));
        QCOMPARE(errorOf([&] { FServCon->isConnected(); }),
                 QStringLiteral(
                     "Anmeldung fehlgeschlagen!\n\r\u00DCberpr\u00FCfen Sie Benutzername und Passwort"));
        QVERIFY(FServCon->RestCon().SessionId().isEmpty());
    }

    void unreachableServer()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const int port = closed.serverPort();
        closed.close();
        FServCon->RestCon().Port = port;
        FServCon->SetLoginUsername(QStringLiteral("admin@ps-nord.de"));
        QCOMPARE(
            errorOf([&] { FServCon->isConnected(); }),
            QStringLiteral(
                "Der Server ist momentan nicht erreichbar!\n\rBitte versuchen Sie es sp\u00E4ter nochmals"));
    }

    void expiredSessionIsRenewedOnce()
    {
        TServerFixture shortLived(1);
        QVERIFY2(shortLived.Error().isEmpty(), qPrintable(shortLived.Error()));
        TFServCon servCon{TMyProxyConf()};
        shortLived.Aim(servCon.RestCon());
        servCon.SetLoginUsername(QStringLiteral("standard@ps-nord.de"));
        servCon.SetLoginPassword(QLatin1String(TServerFixture::DemoPassword));
        QVERIFY(servCon.isConnected());
        const QString first = servCon.RestCon().SessionId();
        QTest::qWait(1600);
        QVERIFY(!servCon.isConnected()); // renewed: this call does nothing more
        QVERIFY(!servCon.RestCon().SessionId().isEmpty());
        QVERIFY(servCon.RestCon().SessionId() != first);
        QVERIFY(servCon.isConnected());
    }

    void loadingWithSortOrderAndColumns()
    {
        logIn(QStringLiteral("admin@ps-nord.de"));
        TDataTable& customers = loadCustomers(QStringLiteral("city;customername:D"));
        QCOMPARE(column(customers, "customername"),
                 (QStringList{"Zahnarztpraxis Möller", "Hausarztpraxis Zander", "Praxis Dr. Berger",
                              "MVZ Ostufer", "Praxis Dr. Adler"}));
        QCOMPARE(customers.RecNo(), 0);
        QCOMPARE(FServCon->MemTableList()[2].FSQL, QStringLiteral("SELECT * FROM Customer WHERE orga_id=2"));

        // The answer decides the columns: a joined column comes, columns the answer lacks go.
        FServCon->getOneTable(
            TableConcustomeruser,
            QStringLiteral("SELECT cu.*, c.customername, c.city FROM Concustomeruser cu, Customer c "
                           "WHERE c.id=cu.customer_id"),
            QString());
        TDataTable& links = FServCon->Table(TableConcustomeruser);
        QVERIFY(links.HasField("city"));
        QVERIFY(links.Fields()[links.FieldIndex("city")].joined);
        FServCon->getOneTable(TableConcustomeruser,
                              QStringLiteral("SELECT id, customer_id FROM Concustomeruser"), QString());
        QCOMPARE(links.Fields().size(), 2);
        QVERIFY(!links.HasField("customername"));
    }

    void textsArriveUnchanged()
    {
        logIn(QStringLiteral("admin@ps-nord.de"));
        const QString probe = QStringLiteral("a/b?c%d.e f#g\\h:i^j{k|l}m`n\u00FC");
        FServCon->getOneTable(TableCustomer,
                              QStringLiteral("SELECT '%1' AS probe, id FROM Customer WHERE id=1").arg(probe),
                              QString());
        QCOMPARE(FServCon->Table(TableCustomer).Value("probe").toString(), probe);
    }

    void postedInsertGetsItsIdAndStaysCurrent()
    {
        logIn(QStringLiteral("admin@ps-nord.de"));
        QStringList refreshed;
        FServCon->OnRefreshControlActivate = true;
        FServCon->OnRefreshControls = [&](const QString& ATable, bool AFlag) {
            QVERIFY(AFlag);
            refreshed << ATable;
        };
        TDataTable& customers = loadCustomers(QStringLiteral("customername"));
        customers.Append();
        customers.SetValue("customername", "Praxis Neu");
        customers.SetValue("street", "Neuer Weg 1");
        customers.SetValue("postcode", "24103");
        customers.SetValue("city", "Kiel");
        customers.Post();

        QVERIFY(customers.Value("id").toInt() > 7);
        QCOMPARE(customers.Value("customername").toString(), QStringLiteral("Praxis Neu"));
        QCOMPARE(customers.Value("orga_id").toInt(), 2);
        QVERIFY(customers.Value("chachedupdateid").toString().startsWith(QLatin1Char('{')));
        QVERIFY(customers.ChangeLog().isEmpty());
        QVERIFY(FServCon->ChachedUpdateID.isEmpty());
        QCOMPARE(customers.RecordCount(), 6);
        QCOMPARE(refreshed, QStringList{"Customer"});

        // A change of one column reaches the server; so does a deletion.
        customers.SetValue("phone", "0431 777");
        customers.Post();
        QCOMPARE(customers.Value("phone").toString(), QStringLiteral("0431 777"));
        customers.Delete();
        QCOMPARE(customers.RecordCount(), 5);
        QVERIFY(!column(customers, "customername").contains("Praxis Neu"));
    }

    void postedRowOutsideTheQueryLeavesQuietly()
    {
        logIn(QStringLiteral("admin@ps-nord.de"));
        int refreshes = 0;
        FServCon->OnRefreshControls = [&](const QString&, bool) {
            ++refreshes;
        };
        FServCon->getOneTable(TableCustomer, QStringLiteral("SELECT * FROM Customer WHERE city='Heide'"),
                              QString());
        TDataTable& customers = FServCon->Table(TableCustomer);
        QCOMPARE(customers.RecordCount(), 1);
        customers.SetValue("city", "Husum"); // the query selects the row no more
        customers.Post();
        QCOMPARE(customers.RecordCount(), 0);
        QVERIFY(customers.ChangeLog().isEmpty());
        QCOMPARE(refreshes, 0); // callbacks are off until the main window switches them on
        FServCon->getOneTable(TableCustomer, QStringLiteral("SELECT * FROM Customer WHERE city='Husum'"),
                              QString());
        QCOMPARE(customers.RecordCount(), 1);
    }

    void refusedPostKeepsTheChangeLog()
    {
        logIn(QStringLiteral("praxis@ps-nord.de"));
        FServCon->getOneTable(
            TableCustomer,
            QStringLiteral("SELECT c.* FROM Customer c, Concustomeruser cu  WHERE cu.customer_id=c.id "
                           "and cu.orgauser_id=7 and c.orga_id=2"),
            QString());
        TDataTable& customers = FServCon->Table(TableCustomer);
        QCOMPARE(customers.RecordCount(), 2);
        customers.Append();
        customers.SetValue("customername", "Nicht erlaubt");
        customers.SetValue("street", "x");
        customers.SetValue("postcode", "1");
        customers.SetValue("city", "y");
        const QString error = errorOf([&] { customers.Post(); });
        QVERIFY2(error.startsWith(QStringLiteral("Keine Berechtigung")), qPrintable(error));
        QCOMPARE(customers.ChangeLog().size(), 1);
        QCOMPARE(customers.RecordCount(), 3);
        QVERIFY(!FServCon->ChachedUpdateID.isEmpty());

        customers.First();
        QVERIFY(errorOf([&] { customers.Delete(); }).startsWith(QStringLiteral("Keine Berechtigung")));
        QCOMPARE(customers.ChangeLog().size(), 2);
    }

    void filtersAndReset()
    {
        logIn(QStringLiteral("admin@ps-nord.de"));
        TDataTable& customers = loadCustomers();
        QStringList refreshed;
        FServCon->OnRefreshControls = [&](const QString& ATable, bool) {
            refreshed << ATable;
        };
        FServCon->SetFilter(TableCustomer, QStringLiteral("city=kiel"));
        QCOMPARE(customers.RecordCount(), 2); // the customer table ignores case
        QVERIFY(refreshed.isEmpty());         // callbacks are off
        customers.AfterScroll = [](TDataTable&) {
        };
        FServCon->ResetFunctions();
        QCOMPARE(customers.RecordCount(), 5);
        QVERIFY(!customers.AfterScroll);
        QVERIFY(customers.Filter().isEmpty());
    }

    void unknownTablesAreErrors()
    {
        logIn(QStringLiteral("admin@ps-nord.de"));
        QCOMPARE(errorOf([&] { FServCon->getOneTable("Nosuch", "SELECT 1", QString()); }),
                 QStringLiteral("Die Tabelle \"Nosuch\" gibt es nicht."));
        QVERIFY(FServCon->FindComponent(QStringLiteral("MTCUSTOMER")));
        QVERIFY(!FServCon->FindComponent(QStringLiteral("Customer")));
    }
};

QTEST_GUILESS_MAIN(TestServCon)
#include "tst_servcon.moc"
