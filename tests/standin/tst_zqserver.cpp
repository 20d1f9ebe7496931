#include <QDeadlineTimer>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TRun
{
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};

TRun runServer(const QStringList& AArguments)
{
    QProcess server;
    server.start(QStringLiteral(ZQSERVER_PATH), AArguments);
    if (!server.waitForFinished(60000))
        qFatal("zqserver did not end");
    return {server.exitStatus() == QProcess::NormalExit ? server.exitCode() : -1,
            server.readAllStandardOutput(), server.readAllStandardError()};
}

} // namespace

// The command line of the stand-in server.
class TestZQServer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;

    // Starts the server on the demo folder and gives what it printed until it was ready.
    QByteArray startDemoServer(QProcess& AServer)
    {
        AServer.start(QStringLiteral(ZQSERVER_PATH),
                      {"--data", FDir.filePath("demo"), "--rest-port", "0", "--download-port", "0"});
        QByteArray output;
        const QDeadlineTimer deadline(60000);
        while (!output.contains("zqserver ready\n") && !deadline.hasExpired() &&
               AServer.waitForReadyRead(1000))
            output += AServer.readAllStandardOutput();
        return output;
    }

private slots:
    void initTestCase() { QCOMPARE(runServer({"--demo", FDir.filePath("demo")}).exitCode, 0); }

    void badCommandLinesEndAtOnce_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown option") << QStringList{"--data", FDir.filePath("demo"), "--colour", "red"};
        QTest::newRow("port out of range")
            << QStringList{"--data", FDir.filePath("demo"), "--rest-port", "70000"};
        QTest::newRow("port not a number")
            << QStringList{"--data", FDir.filePath("demo"), "--rest-port", "x"};
        QTest::newRow("demo and data")
            << QStringList{"--demo", FDir.filePath("a"), "--data", FDir.filePath("demo")};
        QTest::newRow("no data folder") << QStringList{"--data", FDir.filePath("nothing-here")};
        QTest::newRow("demo over a database") << QStringList{"--demo", FDir.filePath("demo")};
        QTest::newRow("demo below a file") << QStringList{"--demo", FDir.filePath("demo/zq.sqlite3/below")};
    }

    void badCommandLinesEndAtOnce()
    {
        QFETCH(QStringList, arguments);
        const TRun run = runServer(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.error.startsWith("zqserver: ") && run.error.count('\n') == 1, run.error.constData());
        QVERIFY(run.output.isEmpty());
    }

    void servesNewsPages()
    {
        QProcess server;
        const QByteArray output = startDemoServer(server);
        int port = 0;
        for (const QByteArray& line : output.split('\n')) {
            if (line.startsWith("download-port "))
                port = line.mid(14).toInt();
        }
        QVERIFY(port > 0);
        QNetworkAccessManager network;
        const auto get = [&](const QByteArray& AVerb, const QString& APath, bool ACredentials) {
            QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(APath)));
            if (ACredentials)
                request.setRawHeader("Authorization",
                                     "Basic " + QByteArray(ZQ_DOWNLOAD_CREDENTIALS).toBase64());
            QNetworkReply* reply = AVerb == "HEAD" ? network.head(request) : network.get(request);
            QSignalSpy finished(reply, &QNetworkReply::finished);
            finished.wait(10000);
            reply->deleteLater();
            return std::make_pair(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                                  reply->readAll());
        };
        QCOMPARE(get("GET", "/News/ZQP/HTML/ZQP.html", false).first, 401);
        const auto page = get("GET", "/news/zqp/html/ZQP.HTML", true);
        QCOMPARE(page.first, 200);
        QVERIFY(page.second.contains("Neuigkeiten zu ZQ Praxis"));
        const auto head = get("HEAD", "/News/ZQL/HTML/ZQL.html", true);
        QCOMPARE(head.first, 200);
        QVERIFY(head.second.isEmpty());
        QCOMPARE(get("GET", "/News/ZQX/HTML/ZQX.html", true).first, 404);
        QCOMPARE(get("GET", "/News/%2E%2E/%2E%2E/zq.sqlite3", true).first, 404);
        server.terminate();
        QVERIFY(server.waitForFinished(10000));
    }

    void servesUntilTerminated()
    {
        QProcess server;
        const QByteArray output = startDemoServer(server);
        QVERIFY2(output.contains("zqserver ready\n"), output.constData());
        QVERIFY(QDir(FDir.filePath("demo")).exists("ca.pem"));
        server.terminate();
        QVERIFY(server.waitForFinished(10000));
        QCOMPARE(server.exitStatus(), QProcess::NormalExit);
        QCOMPARE(server.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestZQServer)
#include "tst_zqserver.moc"
