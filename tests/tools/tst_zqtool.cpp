#include "config/CryptTools.h"
#include "config/DESCrypt.h"
#include "config/ZQCConfig.h"
#include "tests/testsupport/ServerFixture.h"
#include "update/MyProxyConf.h"
#include "util/MyTools.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TToolRun
{
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};

TToolRun runTool(const QStringList& AArguments, const QByteArray& AInput = {})
{
    QProcess process;
    process.start(QStringLiteral(ZQTOOL_PATH), AArguments);
    process.write(AInput);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        qFatal("zqtool did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray contentOf(const QString& APath)
{
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// The administrator's command line, run as a real process.
class TestZQTool : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;

private slots:
    void encryptAndDecryptPassEveryByte()
    {
        QByteArray bytes;
        for (int code = 0; code < 256; ++code)
            bytes += char(code);
        const TToolRun encrypted = runTool({"encrypt"}, bytes);
        QCOMPARE(encrypted.exitCode, 0);
        QVERIFY(std::all_of(encrypted.output.begin(), encrypted.output.end(),
                            [](char ch) { return ch >= 32 && ch <= 122; }));
        QCOMPARE(CryptTools::ZQEntschluesseln(QString::fromLatin1(encrypted.output)),
                 QString::fromLatin1(bytes));
        const TToolRun decrypted = runTool({"decrypt"}, encrypted.output);
        QCOMPARE(decrypted.exitCode, 0);
        QCOMPARE(decrypted.output, bytes);
    }

    void hashPassword()
    {
        QCOMPARE(runTool({"hash-password", "Geheim123"}).output,
                 (HashPassword("Geheim123") + "\n").toLatin1());
        QCOMPARE(runTool({"hash-password", "--salt", "aa", "test"}).output, QByteArray("aaqPiZY5xR5l.\n"));
        QCOMPARE(runTool({"hash-password", "--", "--odd"}).output, (HashPassword("--odd") + "\n").toLatin1());
    }

    void configWriteAndShow()
    {
        const QString path = FDir.filePath(QStringLiteral("PLXConfig.conf"));
        QCOMPARE(runTool({"config", "write", path, "--username", "m\u00FCller@zq.de", "--password", "pw",
                          "--save-login", "true", "--last-tab", "3"})
                     .exitCode,
                 0);
        TZQCConfig config(path);
        QCOMPARE(config.ConfigFile().Username(), QStringLiteral("m\u00FCller@zq.de"));
        QCOMPARE(config.ConfigFile().LastTabIndex(), 3);

        // A write changes only what it names.
        QCOMPARE(runTool({"config", "write", path, "--last-tab", "-1"}).exitCode, 0);
        const TToolRun shown = runTool({"config", "show", path});
        QCOMPARE(shown.exitCode, 0);
        QCOMPARE(shown.output,
                 QByteArray(
                     "{\"username\":\"m\\u00FCller@zq.de\",\"password\":\"pw\",\"pathDownloadversions\":\"\","
                     "\"saveLoginData\":true,\"lastTabIndex\":-1}"
                     "\n"));
    }

    void proxyWriteAndShow()
    {
        const QString path = FDir.filePath(QStringLiteral("proxy.config"));
        QCOMPARE(runTool({"proxy", "write", path, "--host", "proxy.local", "--port", "3128", "--username",
                          "u", "--password", "p"})
                     .exitCode,
                 0);
        const std::optional<TMyProxyConf> record = TMyProxyConf::ReadFile(path);
        QVERIFY(record);
        QCOMPARE(record->Host(), QStringLiteral("proxy.local"));
        QCOMPARE(record->Port(), 3128);
        QCOMPARE(runTool({"proxy", "show", path}).output,
                 QByteArray("{\"host\":\"proxy.local\",\"port\":3128,\"username\":\"u\",\"password\":\"p\"}"
                            "\n"));
    }

    void versionKeyAndSetVersion()
    {
        const QString copy = FDir.filePath(QStringLiteral("ZQConnect"));
        QVERIFY(QFile::copy(QStringLiteral(ZQTOOL_PATH), copy));
        QCOMPARE(runTool({"version-key", copy}).output,
                 (TMyToolsEXE::getVersionNR(QString(), false) + "\n").toLatin1());
        QCOMPARE(runTool({"set-version", copy, "2.3.4.5"}).exitCode, 0);
        QCOMPARE(runTool({"version-key", copy}).output, QByteArray("2_30405\n"));
        QVERIFY(QFileInfo(copy).isExecutable());
        QCOMPARE(QProcess::execute(copy, {"version-key", copy}), 0); // still a working program
    }

    void callAsksTheServer()
    {
        TServerFixture server;
        QVERIFY2(server.Error().isEmpty(), qPrintable(server.Error()));
        const QStringList login = {"call",
                                   "--host",
                                   "127.0.0.1",
                                   "--port",
                                   QString::number(server.RestPort()),
                                   "--ca",
                                   server.CaFile(),
                                   "--user",
                                   "praxis@ps-nord.de",
                                   "--password"};
        const TToolRun rows =
            runTool(login + QStringList{TServerFixture::DemoPassword, "getOneTable", "Customer",
                                        "SELECT id, customername FROM Customer ORDER BY id"});
        QCOMPARE(rows.exitCode, 0);
        QCOMPARE(rows.output, QByteArray("{\"customername\":\"Praxis Dr. Berger\",\"id\":1}\n"
                                         "{\"customername\":\"MVZ Ostufer\",\"id\":3}\n"));
        QCOMPARE(runTool(login + QStringList{TServerFixture::DemoPassword, "getUserID"}).output,
                 QByteArray("7\n"));
        const TToolRun refused = runTool(login + QStringList{"falsch", "Connected"});
        QCOMPARE(refused.exitCode, 2);
        QCOMPARE(refused.error,
                 QByteArray("zqtool: HTTP/1.1 403 Forbidden: Benutzername oder Passwort ist falsch.\n"));
    }

    // Every refusal is one line on standard error, exit status 2, and leaves the files as they were.
    void badArgumentsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        const QString config = FDir.filePath(QStringLiteral("kept.conf"));
        const QString text = FDir.filePath(QStringLiteral("plain.txt"));
        QTest::newRow("no command") << QStringList();
        QTest::newRow("unknown command") << QStringList{"frobnicate"};
        QTest::newRow("bad flag") << QStringList{"config", "write", config, "--save-login", "yes"};
        QTest::newRow("bad number") << QStringList{"config", "write",      config, "--username",
                                                   "x",      "--last-tab", "two"};
        QTest::newRow("unknown option") << QStringList{"config", "write", config, "--colour", "red"};
        QTest::newRow("option without value") << QStringList{"config", "write", config, "--username"};
        QTest::newRow("show with options") << QStringList{"config", "show", config, "--username", "x"};
        QTest::newRow("show of a missing file") << QStringList{"config", "show", FDir.filePath("none.conf")};
        QTest::newRow("show of a damaged file") << QStringList{"config", "show", text};
        QTest::newRow("proxy without host") << QStringList{"proxy", "write", config, "--port", "80"};
        QTest::newRow("proxy port too large")
            << QStringList{"proxy", "write", config, "--host", "h", "--port", "70000"};
        QTest::newRow("hash without password") << QStringList{"hash-password"};
        QTest::newRow("hash with bad salt") << QStringList{"hash-password", "--salt", "a!", "pw"};
        QTest::newRow("version of a missing file") << QStringList{"version-key", FDir.filePath("none")};
        QTest::newRow("set-version of a text file") << QStringList{"set-version", text, "1.2.3.4"};
        QTest::newRow("set-version with three numbers") << QStringList{"set-version", text, "1.2.3"};
        QTest::newRow("set-version beyond 16 bits") << QStringList{"set-version", text, "1.2.3.65536"};
    }

    void badArgumentsChangeNothing()
    {
        QFETCH(QStringList, arguments);
        const QString config = FDir.filePath(QStringLiteral("kept.conf"));
        const QString text = FDir.filePath(QStringLiteral("plain.txt"));
        QCOMPARE(runTool({"config", "write", config, "--username", "kept"}).exitCode, 0);
        QFile plain(text);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("plain text\n");
        plain.close();
        const QByteArray configBefore = contentOf(config);

        const TToolRun run = runTool(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.output.isEmpty());
        QVERIFY2(run.error.startsWith("zqtool: ") && run.error.count('\n') == 1 && run.error.endsWith('\n'),
                 run.error.constData());
        QCOMPARE(contentOf(config), configBefore);
        QCOMPARE(contentOf(text), QByteArray("plain text\n"));
    }
};

QTEST_GUILESS_MAIN(TestZQTool)
#include "tst_zqtool.moc"
