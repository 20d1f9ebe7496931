#include "pages/ZQParams.h"

#include <QTest>

using namespace ZQParams;

// The rights hierarchy and the organisation file query.
class TestZQParams : public QObject
{
    Q_OBJECT

private slots:
    // The whole table: for every required right, exactly the listed user rights pass.
    void rightsTable()
    {
        const QStringList rights = {RightZQXTAdmin,      RightZQXTEntwickler, RightZQXTInstaller,
                                    RightZQXTAbrechnung, RightAdmin,          RightStandard,
                                    RightPraxisuser};
        const QMap<QString, QStringList> passing = {
            {RightZQXTAdmin, {RightZQXTAdmin}},
            {RightZQXTEntwickler, {RightZQXTAdmin, RightZQXTEntwickler}},
            {RightZQXTInstaller, {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller}},
            {RightZQXTAbrechnung, {RightZQXTAdmin, RightZQXTAbrechnung}},
            {RightAdmin, {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller, RightAdmin}},
            {RightStandard,
             {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller, RightAdmin, RightStandard}},
            {RightPraxisuser,
             {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller, RightAdmin, RightStandard,
              RightPraxisuser}},
        };
        for (const QString& required : rights) {
            for (const QString& user : rights)
                QVERIFY2(HasRight(user, required) == passing[required].contains(user),
                         qPrintable(user + QStringLiteral(" against ") + required));
        }
    }

    void caseAndUnknownRights_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("required");
        QTest::addColumn<bool>("passes");
        QTest::newRow("lower-case user right") << "admin"
                                               << "ADMIN" << true;
        QTest::newRow("lower-case required right") << "ADMIN"
                                                   << "admin" << true;
        QTest::newRow("mixed case") << "ZqXtInStAlLeR"
                                    << "standard" << true;
        QTest::newRow("empty user right") << ""
                                          << "PRAXISUSER" << false;
        QTest::newRow("unknown user right") << "SUPERUSER"
                                            << "PRAXISUSER" << false;
        QTest::newRow("unknown required right") << "ZQXTADMIN"
                                                << "SUPERUSER" << false;
        QTest::newRow("empty required right") << "ZQXTADMIN"
                                              << "" << false;
        QTest::newRow("right with blanks") << " ADMIN"
                                           << "ADMIN" << false;
    }

    void caseAndUnknownRights()
    {
        QFETCH(QString, user);
        QFETCH(QString, required);
        QFETCH(bool, passes);
        QCOMPARE(HasRight(user, required), passes);
    }

    void orgaFileQuery()
    {
        QCOMPARE(
            GetOrgaFileIDsSQL(QStringLiteral("17")),
            QStringLiteral("SELECT f.id FROM Filename f, Consoftwarefilename sf, Conorgasoftware os WHERE "
                           "(f.id=sf.filename_id AND sf.software_id=os.software_id AND os.orga_id = 17 )"));
    }
};

QTEST_GUILESS_MAIN(TestZQParams)
#include "tst_zqparams.moc"
