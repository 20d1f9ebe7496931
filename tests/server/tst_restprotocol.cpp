#include "platform/rest/RestConnection.h"
#include "platform/rest/RestError.h"
#include "server/ZQServerFunctions.h"
#include "tests/testsupport/ServerFixture.h"
#include "util/ZQError.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// A loopback HTTP endpoint that keeps the raw requests it gets and answers each with a fixed answer.
class TRequestRecorder : public QObject
{
public:
    QByteArray answer =
        Answer("200 OK", "Pragma: dssession=REC-1,dssessionexpires=1\r\n", "{\"result\":[\"\"]}");
    QList<QByteArray> requests;

    TRequestRecorder()
    {
        FServer.listen(QHostAddress::LocalHost);
        connect(&FServer, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = FServer.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        });
    }

    int Port() const { return FServer.serverPort(); }

    static QByteArray Answer(const QByteArray& AStatus, const QByteArray& AHeaders, const QByteArray& ABody)
    {
        return "HTTP/1.1 " + AStatus + "\r\n" + AHeaders +
               "Content-Length: " + QByteArray::number(ABody.size()) + "\r\n\r\n" + ABody;
    }

private:
    void Read(QTcpSocket* ASocket)
    {
        FBuffer += ASocket->readAll();
        const qsizetype headerEnd = FBuffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray& line : FBuffer.left(headerEnd).split('\n')) {
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        }
        if (FBuffer.size() < headerEnd + 4 + length)
            return;
        requests << FBuffer.left(headerEnd + 4 + length);
        FBuffer.remove(0, headerEnd + 4 + length);
        ASocket->write(answer);
    }

    QTcpServer FServer;
    QByteArray FBuffer;
};

QByteArray headerOf(const QByteArray& ARequest, const QByteArray& AName)
{
    for (const QByteArray& line : ARequest.split('\n')) {
        if (line.toLower().startsWith(AName.toLower() + ':'))
            return line.mid(AName.size() + 1).trimmed();
    }
    return {};
}

} // namespace

// The REST protocol on the wire, and the rules the stand-in server enforces.
class TestRestProtocol : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TServerFixture> FServer;

    // A connection logged in as AEmail.
    std::unique_ptr<TRestConnection> connectionFor(const QString& AEmail)
    {
        auto connection = std::make_unique<TRestConnection>();
        FServer->Aim(*connection);
        connection->SetUserName(AEmail);
        connection->SetPassword(QLatin1String(TServerFixture::DemoPassword));
        return connection;
    }

    TDataSetRows read(TRestConnection& AConnection, const QString& ATable, const QString& ASql)
    {
        TFFunctionsDatabaseClient functions(AConnection);
        const TDataSetList sets = functions.getOneTable(ATable, ASql);
        return sets.isEmpty() ? TDataSetRows() : sets.first().second;
    }

    QString post(TRestConnection& AConnection, const QString& ATable, const TChangeLog& ALog)
    {
        return TFFunctionsDatabaseClient(AConnection).postSelecedTable(ATable, {{ATable, ALog}});
    }

    QVariant valueOf(const QString& ASql)
    {
        auto staff = connectionFor(QStringLiteral("zqxtadmin@zq-software.de"));
        const TDataSetRows rows = read(*staff, QStringLiteral("Customer"), ASql);
        return rows.rows.isEmpty() ? QVariant() : rows.rows.first().first();
    }

private slots:
    void initTestCase()
    {
        FServer = std::make_unique<TServerFixture>();
        QVERIFY2(FServer->Error().isEmpty(), qPrintable(FServer->Error()));
    }

    void requestsOnTheWire()
    {
        TRequestRecorder recorder;
        TRestConnection connection;
        connection.Protocol = QStringLiteral("http");
        connection.Host = QStringLiteral("127.0.0.1");
        connection.Port = recorder.Port();
        connection.SetUserName(QStringLiteral("anna@zq.de"));
        connection.SetPassword(QStringLiteral("g:heim"));
        TFFunctionsDatabaseClient functions(connection);

        QCOMPARE(functions.postSelecedTable(QStringLiteral("Customer"), {{"Customer", {}}}), QString());
        QCOMPARE(connection.SessionId(), QStringLiteral("REC-1"));
        recorder.answer = TRequestRecorder::Answer("200 OK", {}, "{\"result\":[\"\"]}");
        functions.postError(QStringLiteral("a b/c?d%e.f"), QStringLiteral("x"));
        QCOMPARE(connection.SessionId(), QStringLiteral("REC-1")); // no Pragma: the id stays
        QCOMPARE(functions.PreparedCommands(), 2);
        functions.postError(QStringLiteral("again"), QStringLiteral("x"));
        QCOMPARE(functions.PreparedCommands(), 2);

        QCOMPARE(recorder.requests.size(), 3);
        const QByteArray post = recorder.requests[0];
        QVERIFY2(post.startsWith(
                     "POST /datasnap/rest/TFFunctionsDatabase/%22postSelecedTable%22/Customer/ HTTP/1.1\r\n"),
                 post.constData());
        QCOMPARE(headerOf(post, "Authorization"), "Basic " + QByteArray("anna@zq.de:g:heim").toBase64());
        QCOMPARE(headerOf(post, "Accept"), QByteArray("application/JSON"));
        QCOMPARE(headerOf(post, "Content-Type"), QByteArray("text/plain;charset=UTF-8"));
        QCOMPARE(headerOf(post, "If-Modified-Since"), QByteArray("Mon, 1 Oct 1990 05:00:00 GMT"));
        QCOMPARE(headerOf(post, "Pragma"), QByteArray());
        QVERIFY(post.endsWith("}") && post.contains("\r\n\r\n{\"Customer\":\""));

        const QByteArray get = recorder.requests[1];
        // "." is unreserved: Qt's URLs send it as it is, which every server reads like "%2E".
        QVERIFY2(get.startsWith(
                     "GET /datasnap/rest/TFFunctionsDatabase/postError/a%20b%2Fc%3Fd%25e.f/x/ HTTP/1.1\r\n"),
                 get.constData());
        QCOMPARE(headerOf(get, "Pragma"), QByteArray("dssession=REC-1"));

        // A failure status drops the session id and carries the status line and the server's text.
        recorder.answer = TRequestRecorder::Answer("403 Forbidden", {}, "{\"error\":\"Nicht hier.\"}");
        try {
            functions.postError(QStringLiteral("x"), QStringLiteral("y"));
            QFAIL("a 403 answer is an error");
        } catch (const ERestError& error) {
            QCOMPARE(error.Message(), QStringLiteral("HTTP/1.1 403 Forbidden:\r\nNicht hier."));
            QCOMPARE(error.Status(), 403);
        }
        QVERIFY(connection.SessionId().isEmpty());
    }

    void refusedLoginsAndExpiredSessions()
    {
        auto connection = connectionFor(QStringLiteral("admin@ps-nord.de"));
        connection->SetPassword(QStringLiteral("falsch"));
        try {
            TFFunctionsMainClient(*connection).Connected();
            QFAIL("a wrong password is refused");
        } catch (const ERestError& error) {
            QCOMPARE(error.Message(),
                     QStringLiteral("HTTP/1.1 403 Forbidden:\r\nBenutzername oder Passwort ist falsch."));
        }

        connection->SetPassword(QLatin1String(TServerFixture::DemoPassword));
        QVERIFY(TFFunctionsMainClient(*connection).Connected());
        QVERIFY(!connection->SessionId().isEmpty());
        TFFunctionsMainClient(*connection).Disconnect();
        // An ended session is reported as expired, which clients answer with a new one.
        try {
            TFFunctionsMainClient(*connection).Connected();
            QFAIL("an ended session is refused");
        } catch (const ERestError& error) {
            QCOMPARE(error.Status(), 403);
            QVERIFY2(error.Message().contains(QStringLiteral("Session")) &&
                         error.Message().contains(QStringLiteral("expired")),
                     qPrintable(error.Message()));
        }
        QVERIFY(connection->SessionId().isEmpty());
        QVERIFY(TFFunctionsMainClient(*connection).Connected());
    }

    void onlySingleReadOnlySelectsRun_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("second statement") << "SELECT * FROM Customer; DELETE FROM Customer";
        QTest::newRow("second select") << "SELECT 1; SELECT 2";
        QTest::newRow("delete") << "DELETE FROM Customer";
        QTest::newRow("update") << "UPDATE Customer SET city='x'";
        QTest::newRow("insert") << "INSERT INTO Customer (customername) VALUES ('x')";
        QTest::newRow("pragma") << "PRAGMA table_info(Customer)";
        QTest::newRow("attach") << "ATTACH DATABASE '/tmp/x.db' AS x";
        QTest::newRow("the table behind the view") << "SELECT * FROM main.Customer";
        QTest::newRow("schema") << "SELECT sql FROM sqlite_master";
        QTest::newRow("error log") << "SELECT * FROM ErrorLog";
        QTest::newRow("empty") << "";
        QTest::newRow("not SQL") << "hello";
    }

    void onlySingleReadOnlySelectsRun()
    {
        QFETCH(QString, sql);
        auto connection = connectionFor(QStringLiteral("zqxtadmin@zq-software.de"));
        const qint64 customers = valueOf(QStringLiteral("SELECT count(*) FROM Customer")).toLongLong();
        try {
            read(*connection, QStringLiteral("Customer"), sql);
            QFAIL("the statement must be refused");
        } catch (const ERestError& error) {
            QCOMPARE(error.Status(), 500);
        }
        QCOMPARE(valueOf(QStringLiteral("SELECT count(*) FROM Customer")).toLongLong(), customers);
        QVERIFY(!valueOf(QStringLiteral("SELECT city FROM Customer WHERE id=1")).toString().isEmpty());
    }

    void usersReadOnlyWhatTheirRightAllows_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("rows");
        QTest::newRow("partner admin: own customers") << "admin@ps-nord.de"
                                                      << "SELECT * FROM Customer" << 5;
        QTest::newRow("partner: no other organisation's customer")
            << "standard@ps-nord.de"
            << "SELECT * FROM Customer WHERE orga_id=3" << 0;
        QTest::newRow("practice user: assigned customers") << "praxis@ps-nord.de"
                                                           << "SELECT * FROM Customer" << 2;
        QTest::newRow("practice user: own assignments") << "praxis@ps-nord.de"
                                                        << "SELECT * FROM Concustomeruser" << 2;
        QTest::newRow("partner: own organisation") << "admin@medipartner.de"
                                                   << "SELECT * FROM Orga" << 1;
        QTest::newRow("partner: own releases") << "admin@medipartner.de"
                                               << "SELECT * FROM Conupversionpraxis" << 0;
        QTest::newRow("partner: subquery cannot escape")
            << "admin@medipartner.de"
            << "SELECT * FROM Orga WHERE id IN (SELECT orga_id FROM Customer)" << 1;
        QTest::newRow("staff: everything") << "abrechnung@zq-software.de"
                                           << "SELECT * FROM Customer" << 7;
        QTest::newRow("catalogues for all") << "praxis@ps-nord.de"
                                            << "SELECT * FROM Software" << 3;
    }

    void usersReadOnlyWhatTheirRightAllows()
    {
        QFETCH(QString, email);
        QFETCH(QString, sql);
        QFETCH(int, rows);
        auto connection = connectionFor(email);
        QCOMPARE(read(*connection, QStringLiteral("Customer"), sql).rows.size(), rows);
    }

    void passwordHashesStayOnTheServer()
    {
        auto connection = connectionFor(QStringLiteral("zqxtadmin@zq-software.de"));
        const TDataSetRows users = read(*connection, QStringLiteral("Orgauser"),
                                        QStringLiteral("SELECT id, password FROM Orgauser"));
        QCOMPARE(users.rows.size(), 8);
        for (const TRowValues& row : users.rows)
            QCOMPARE(row[1].toString().size(), row[0].toInt() == 1 ? 13 : 0);
    }

    void writesFollowTheRights()
    {
        auto partner = connectionFor(QStringLiteral("admin@ps-nord.de"));
        const QString before = valueOf(QStringLiteral("SELECT city FROM Customer WHERE id=6")).toString();
        // Another organisation's customer, a table clients only read, a column that does not exist.
        QVERIFY(post(*partner, "Customer", {{TDelta::TKind::Modify, 6, {{"city", "Kiel"}}, {}}})
                    .startsWith("Keine Berechtigung"));
        QVERIFY(post(*partner, "Customer", {{TDelta::TKind::Delete, 6, {}, {}}})
                    .startsWith("Keine Berechtigung"));
        QVERIFY(
            post(*partner, "Orga", {{TDelta::TKind::Modify, 2, {{"name", "x"}}, {}}}).contains("kann nicht"));
        QVERIFY(post(*partner, "Customer", {{TDelta::TKind::Modify, 1, {{"nosuch", "x"}}, {}}})
                    .contains("nosuch"));
        QCOMPARE(valueOf(QStringLiteral("SELECT city FROM Customer WHERE id=6")).toString(), before);

        // Moving a customer out of the organisation, and granting a staff right, are refused.
        QVERIFY(!post(*partner, "Customer", {{TDelta::TKind::Modify, 2, {{"orga_id", 3}}, {}}}).isEmpty());
        QVERIFY(!post(*partner, "Orgauser", {{TDelta::TKind::Modify, 6, {{"rights", "ZQXTADMIN"}}, {}}})
                     .isEmpty());
        auto standard = connectionFor(QStringLiteral("standard@ps-nord.de"));
        QVERIFY(
            !post(*standard, "Orgauser", {{TDelta::TKind::Modify, 6, {{"rights", "ADMIN"}}, {}}}).isEmpty());
        QCOMPARE(post(*standard, "Orgauser", {{TDelta::TKind::Modify, 6, {{"name", "Stefan S."}}, {}}}),
                 QString());
        QCOMPARE(valueOf(QStringLiteral("SELECT rights FROM Orgauser WHERE id=6")).toString(),
                 QStringLiteral("STANDARD"));
    }

    void aChangeLogTakesEffectWholeOrNotAtAll()
    {
        auto partner = connectionFor(QStringLiteral("admin@ps-nord.de"));
        const qint64 customers = valueOf(QStringLiteral("SELECT count(*) FROM Customer")).toLongLong();
        const TDelta insert{
            TDelta::TKind::Insert,
            {},
            {{"customername", "Neu"}, {"street", "s"}, {"postcode", "1"}, {"city", "c"}, {"orga_id", 2}},
            {}};
        QVERIFY(
            !post(*partner, "Customer", {insert, {TDelta::TKind::Modify, 7, {{"city", "x"}}, {}}}).isEmpty());
        QCOMPARE(valueOf(QStringLiteral("SELECT count(*) FROM Customer")).toLongLong(), customers);
        QCOMPARE(post(*partner, "Customer", {insert}), QString());
        QCOMPARE(valueOf(QStringLiteral("SELECT count(*) FROM Customer")).toLongLong(), customers + 1);
    }

    // A change writes only the columns it names, so what another user changed meanwhile stays.
    void changesWriteOnlyTheirColumns()
    {
        auto first = connectionFor(QStringLiteral("admin@ps-nord.de"));
        auto second = connectionFor(QStringLiteral("standard@ps-nord.de"));
        QCOMPARE(post(*first, "Customer",
                      {{TDelta::TKind::Modify, 4, {{"phone", "111"}}, {{"phone", "0451 3030"}}}}),
                 QString());
        QCOMPARE(post(*second, "Customer", {{TDelta::TKind::Modify, 4, {{"email", "neu@adler.de"}}, {}}}),
                 QString());
        QCOMPARE(valueOf(QStringLiteral("SELECT phone || ' ' || email FROM Customer WHERE id=4")).toString(),
                 QStringLiteral("111 neu@adler.de"));
    }
};

QTEST_GUILESS_MAIN(TestRestProtocol)
#include "tst_restprotocol.moc"
