#include "config/CryptTools.h"
#include "config/ZQCConfig.h"
#include "util/ZQError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contentOf(const QString& APath)
{
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& APath, const QByteArray& AContent)
{
    QFile file(APath);
    if (!file.open(QIODevice::WriteOnly) || file.write(AContent) != AContent.size())
        qFatal("cannot write a fixture");
}

QByteArray encrypted(const QString& AText)
{
    return CryptTools::ZQVerschluesseln(AText).toLatin1();
}

TZQCConfigFile sampleRecord()
{
    TZQCConfigFile record;
    record.SetUsername(QStringLiteral("m\u00FCller \"Q\" \\ \t@zq.de \U0001F600"));
    record.SetPassword(QStringLiteral("p\u00E4ss\nw\u00F6rd"));
    record.SetSaveLoginData(true);
    record.SetLastTabIndex(4);
    return record;
}

} // namespace

// The configuration file "PLXConfig.conf": its exact text, round trips and damaged files.
class TestConfigFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;
    QString FPath;

private slots:
    void init()
    {
        QVERIFY(QDir().mkpath(FDir.filePath(QStringLiteral("case"))));
        FPath = FDir.filePath(QStringLiteral("case/PLXConfig.conf"));
    }

    void cleanup() { QDir(FDir.filePath(QStringLiteral("case"))).removeRecursively(); }

    void freshRecordText()
    {
        QCOMPARE(
            TZQCConfigFile().ToJsonText(),
            QStringLiteral(
                "{\"username\":\"\",\"password\":\"\",\"pathDownloadversions\":\"\",\"saveLoginData\":false,"
                "\"lastTabIndex\":0}"));
    }

    void recordTextEscapesEverythingOutsideAscii()
    {
        QCOMPARE(sampleRecord().ToJsonText(),
                 QStringLiteral("{\"username\":\"m\\u00FCller \\\"Q\\\" \\\\ \\u0009@zq.de \\uD83D\\uDE00\","
                                "\"password\":\"p\\u00E4ss\\u000Aw\\u00F6rd\",\"pathDownloadversions\":\"\","
                                "\"saveLoginData\":true,\"lastTabIndex\":4}"));
    }

    void saveAndLoadKeepTheRecord()
    {
        TZQCConfig config(FPath);
        config.ConfigFile() = sampleRecord();
        config.SaveConfigfile();

        const QByteArray content = contentOf(FPath);
        QVERIFY(!content.isEmpty());
        QVERIFY(std::all_of(content.begin(), content.end(), [](char ch) { return ch >= 32 && ch <= 122; }));
        QCOMPARE(CryptTools::ZQEntschluesseln(QString::fromLatin1(content)), sampleRecord().ToJsonText());
        QCOMPARE(QDir(FDir.filePath("case")).entryList(QDir::Files), QStringList{"PLXConfig.conf"});

        QVERIFY(TZQCConfig(FPath).ConfigFile() == sampleRecord());
    }

    void missingFileGivesFreshRecordAndWritesNothing()
    {
        const TZQCConfig config(FPath);
        QVERIFY(config.ConfigFile() == TZQCConfigFile());
        QVERIFY(!QFile::exists(FPath));
    }

    void missingKeysKeepFreshValues()
    {
        writeFile(FPath, encrypted(QStringLiteral("{\"username\":\"anna\",\"saveLoginData\":true}")));
        const TZQCConfig config(FPath);
        QCOMPARE(config.ConfigFile().Username(), QStringLiteral("anna"));
        QCOMPARE(config.ConfigFile().SaveLoginData(), true);
        QCOMPARE(config.ConfigFile().LastTabIndex(), 0);
    }

    void byteOrderMarkSelectsTheEncoding_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QString text = CryptTools::ZQVerschluesseln(QStringLiteral("{\"username\":\"anna\"}"));
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QByteArray utf16("\xFF\xFE", 2);
        for (const QChar ch : text)
            utf16 += char(ch.unicode()), utf16 += '\0';
        QTest::newRow("UTF-16") << utf16;
    }

    void byteOrderMarkSelectsTheEncoding()
    {
        QFETCH(QByteArray, content);
        writeFile(FPath, content);
        QCOMPARE(TZQCConfig(FPath).ConfigFile().Username(), QStringLiteral("anna"));
    }

    // Whatever lies in the file, the program starts with a record, and a fresh one unless the file holds one.
    void damagedFilesGiveFreshRecord_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x00\xFF\x13 not encrypted at all \x80\x81", 28);
        QTest::newRow("one character cut out")
            << encrypted(QStringLiteral("{\"username\":\"anna\"}")).remove(9, 1);
        QTest::newRow("empty text") << encrypted(QString());
        QTest::newRow("not JSON") << encrypted(QStringLiteral("username=anna"));
        QTest::newRow("JSON array") << encrypted(QStringLiteral("[\"anna\"]"));
        QTest::newRow("truncated JSON") << encrypted(QStringLiteral("{\"username\":\"anna\""));
        QTest::newRow("number as text")
            << encrypted(QStringLiteral("{\"username\":\"anna\",\"lastTabIndex\":\"2\"}"));
        QTest::newRow("number with fraction") << encrypted(QStringLiteral("{\"lastTabIndex\":1.5}"));
        QTest::newRow("number beyond 32 bits") << encrypted(QStringLiteral("{\"lastTabIndex\":4294967296}"));
        QTest::newRow("flag as number") << encrypted(QStringLiteral("{\"saveLoginData\":1}"));
        QTest::newRow("name as null") << encrypted(QStringLiteral("{\"username\":null}"));
    }

    void damagedFilesGiveFreshRecord()
    {
        QFETCH(QByteArray, content);
        writeFile(FPath, content);
        const TZQCConfig config(FPath);
        QVERIFY(config.ConfigFile() == TZQCConfigFile());
        QCOMPARE(contentOf(FPath), content);
    }

    void unreadableFileGivesFreshRecord()
    {
        QVERIFY(QDir().mkpath(FPath)); // a folder where the file should be
        const TZQCConfig config(FPath);
        QVERIFY(config.ConfigFile() == TZQCConfigFile());
    }

    void failedSaveRaisesAClearError()
    {
        const QString path = FDir.filePath(QStringLiteral("case/missing-folder/PLXConfig.conf"));
        const TZQCConfig config(path);
        try {
            config.SaveConfigfile();
            QFAIL("saving into a missing folder must fail");
        } catch (const EZQError& error) {
            QVERIFY2(error.Message().startsWith(
                         QStringLiteral("Die Konfigurationsdatei \"%1\" kann nicht gespeichert werden: ")
                             .arg(path)),
                     qPrintable(error.Message()));
        }
        QVERIFY(!QFile::exists(path));
    }

    void pathIsFixedInTheCurrentDirectoryAtCreation()
    {
        const QString previous = QDir::currentPath();
        const QString first = FDir.filePath(QStringLiteral("case/first"));
        const QString second = FDir.filePath(QStringLiteral("case/second"));
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));

        QVERIFY(QDir::setCurrent(first));
        TZQCConfig firstConfig;
        QVERIFY(QDir::setCurrent(second));
        TZQCConfig secondConfig;
        firstConfig.ConfigFile().SetUsername(QStringLiteral("first"));
        secondConfig.ConfigFile().SetUsername(QStringLiteral("second"));
        firstConfig.SaveConfigfile();
        secondConfig.SaveConfigfile();
        QDir::setCurrent(previous);

        QCOMPARE(firstConfig.PathConfigFile(), first + QStringLiteral("/PLXConfig.conf"));
        QCOMPARE(TZQCConfig(first + QStringLiteral("/PLXConfig.conf")).ConfigFile().Username(),
                 QStringLiteral("first"));
        QCOMPARE(TZQCConfig(second + QStringLiteral("/PLXConfig.conf")).ConfigFile().Username(),
                 QStringLiteral("second"));
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
