#include "util/ElfVersionNote.h"
#include "util/FileVersion.h"
#include "util/MyTools.h"
#include "util/MyToolsPlatform.h"
#include "util/SystemTools.h"
#include "util/ZQError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// An ELF file with one note section holding version 7.8.9.10, laid out by hand.
struct ElfFixture
{
    bool is64 = true;
    bool bigEndian = false;
    quint64 sectionTable = 0; // 0: right after the note
    quint16 sectionCount = 1;
    quint64 noteSize = 32;
    quint32 ownerSize = 10;
    quint32 descSize = 8;
    const char* owner = "ZQConnect";

    QByteArray image() const
    {
        const int headerSize = is64 ? 64 : 52;
        const int sectionEntrySize = is64 ? 64 : 40;
        const quint64 table = sectionTable ? sectionTable : quint64(headerSize + 32);
        QByteArray data(headerSize + 32 + sectionEntrySize, '\0');
        const auto put = [&](int AOffset, quint64 AValue, int ABytes) {
            for (int i = 0; i < ABytes; ++i)
                data[AOffset + (bigEndian ? ABytes - 1 - i : i)] = char((AValue >> (8 * i)) & 0xFF);
        };
        data.replace(0, 4,
                     "\x7F"
                     "ELF");
        data[4] = is64 ? 2 : 1;
        data[5] = bigEndian ? 2 : 1;
        put(is64 ? 0x28 : 0x20, table, is64 ? 8 : 4);
        put(is64 ? 0x3A : 0x2E, sectionEntrySize, 2);
        put(is64 ? 0x3C : 0x30, sectionCount, 2);
        const int note = headerSize;
        put(note, ownerSize, 4);
        put(note + 4, descSize, 4);
        put(note + 8, 1, 4);
        data.replace(note + 12, 10, QByteArray(owner, 10));
        for (int i = 0; i < 4; ++i)
            put(note + 24 + 2 * i, 7 + i, 2);
        const int section = headerSize + 32;
        put(section + 4, 7, 4);
        put(section + (is64 ? 0x18 : 0x10), note, is64 ? 8 : 4);
        put(section + (is64 ? 0x20 : 0x14), noteSize, is64 ? 8 : 4);
        return data;
    }
};
Q_DECLARE_METATYPE(ElfFixture)

// Version keys, and reading and writing the version note of real executables.
class TestVersionKey : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;

    QString copyOfSelf(const QString& AName)
    {
        const QString path = FDir.filePath(AName);
        QFile::remove(path);
        if (!QFile::copy(SystemTools::GetExePath(), path))
            qFatal("cannot copy the test executable");
        return path;
    }

    QString fileWith(const QString& AName, const QByteArray& AContent)
    {
        QFile file(FDir.filePath(AName));
        if (!file.open(QIODevice::WriteOnly) || file.write(AContent) != AContent.size())
            qFatal("cannot write a fixture");
        return file.fileName();
    }

private slots:
    void keyOfVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("key");
        QTest::newRow("two-digit release and build") << "1.20.10.27"
                                                     << "1_201027";
        QTest::newRow("single digits get a zero") << "2.3.4.5"
                                                  << "2_30405";
        QTest::newRow("mixed") << "1.19.1.30"
                               << "1_190130";
        QTest::newRow("release above 99 keeps its last two digits") << "1.0.123.0"
                                                                    << "1_02300";
        QTest::newRow("all zero but major") << "3.0.0.0"
                                            << "3_00000";
        QTest::newRow("build above 99") << "10.5.7.100"
                                        << "10_50700";
        QTest::newRow("largest numbers") << "65535.65535.65535.65535"
                                         << "65535_655353535";
    }

    void keyOfVersion()
    {
        QFETCH(QString, version);
        QFETCH(QString, key);
        TFileVersion parsed;
        QVERIFY(ParseDottedVersion(version, parsed));
        QCOMPARE(FormatVersionKey(parsed), key);
        QCOMPARE(FormatDottedVersion(parsed), version);
    }

    void parseRejectsMalformedVersions_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text :
             {"", "1.2.3", "1.2.3.4.5", "1.2.3.65536", "1.-2.3.4", "a.b.c.d", "1..3.4", "+1.2.3.4"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }

    void parseRejectsMalformedVersions()
    {
        QFETCH(QString, text);
        TFileVersion version;
        QVERIFY(!ParseDottedVersion(text, version));
    }

    void runningExecutableCarriesTheProjectVersion()
    {
        const QString expected = QStringLiteral("%1_%2%3%4")
                                     .arg(PROJECT_VERSION_MAJOR)
                                     .arg(PROJECT_VERSION_MINOR)
                                     .arg(PROJECT_VERSION_PATCH, 2, 10, QLatin1Char('0'))
                                     .arg(PROJECT_VERSION_TWEAK, 2, 10, QLatin1Char('0'));
        QCOMPARE(TMyToolsEXE::getVersionNR(QString(), false), expected);
        QCOMPARE(TMyToolsEXE::getVersionNR(SystemTools::GetExePath(), false), expected);
    }

    void writtenVersionIsReadBack()
    {
        const QString path = copyOfSelf(QStringLiteral("stamped"));
        ElfVersionNote::write(path, {1, 20, 10, 27});
        QCOMPARE(TMyToolsEXE::getVersionNR(path, false), QStringLiteral("1_201027"));
        QCOMPARE(TMyToolsEXE::getVersionNR(path, true), QStringLiteral("1201027"));
        quint16 major, minor, release, build;
        QCOMPARE(MyToolsPlatform::getVersionNR(path, major, minor, release, build),
                 QStringLiteral("1.20.10.27"));
        QCOMPARE((QList<int>{major, minor, release, build}), (QList<int>{1, 20, 10, 27}));
        QVERIFY(QFileInfo(path).isExecutable());
    }

    void filesWithoutVersionGiveZeroKey_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing file") << FDir.filePath("missing") << "Datei existiert nicht";
        QTest::newRow("text file") << fileWith("text.txt", "just some text\n")
                                   << "Keine Versions-Information.";
        QTest::newRow("empty file") << fileWith("empty", "") << "Keine Versions-Information.";
        QTest::newRow("a folder") << FDir.path() << "Datei existiert nicht";
        QTest::newRow("ELF without the note") << QStringLiteral("/bin/sh") << "Keine Versions-Information.";
        QTest::newRow("empty path") << QString() << "";
    }

    void filesWithoutVersionGiveZeroKey()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        quint16 major = 9, minor = 9, release = 9, build = 9;
        QCOMPARE(MyToolsPlatform::getVersionNR(path, major, minor, release, build), text);
        QCOMPARE(major + minor + release + build, 0);
        if (!path.isEmpty())
            QCOMPARE(TMyToolsEXE::getVersionNR(path, false), QStringLiteral("0_00000"));
    }

    // Every cut of a real executable is read without harm.
    void truncatedExecutablesGiveZeroKey()
    {
        QFile self(SystemTools::GetExePath());
        QVERIFY(self.open(QIODevice::ReadOnly));
        const QByteArray image = self.readAll();
        for (qsizetype cut = 0; cut < image.size(); cut += image.size() / 97 + 1) {
            const QString path = fileWith(QStringLiteral("cut"), image.left(cut));
            QCOMPARE(TMyToolsEXE::getVersionNR(path, false), QStringLiteral("0_00000"));
        }
    }

    // A minimal ELF file with one note section, and the same with sizes and offsets that lie.
    void craftedElfFiles_data()
    {
        QTest::addColumn<ElfFixture>("fixture");
        QTest::addColumn<QString>("key");
        QTest::newRow("little endian") << ElfFixture{} << "7_80910";
        QTest::newRow("big endian") << ElfFixture{.bigEndian = true} << "7_80910";
        QTest::newRow("32-bit") << ElfFixture{.is64 = false} << "7_80910";
        QTest::newRow("section table past the end") << ElfFixture{.sectionTable = 1u << 30} << "0_00000";
        QTest::newRow("section table at the top") << ElfFixture{.sectionTable = ~0ull - 8} << "0_00000";
        QTest::newRow("note longer than the file") << ElfFixture{.noteSize = 4096} << "0_00000";
        QTest::newRow("huge owner size") << ElfFixture{.ownerSize = 0xFFFFFFF0u} << "0_00000";
        QTest::newRow("huge descriptor size") << ElfFixture{.descSize = 0xFFFFFFFFu} << "0_00000";
        QTest::newRow("many sections") << ElfFixture{.sectionCount = 0xFFFF} << "7_80910";
        QTest::newRow("no sections") << ElfFixture{.sectionCount = 0} << "0_00000";
        QTest::newRow("other owner") << ElfFixture{.owner = "ZQConnecx"} << "0_00000";
    }

    void craftedElfFiles()
    {
        QFETCH(ElfFixture, fixture);
        QFETCH(QString, key);
        QCOMPARE(TMyToolsEXE::getVersionNR(fileWith(QStringLiteral("crafted"), fixture.image()), false), key);
    }

    void writingRefusesFilesWithoutNote()
    {
        const QString path = fileWith(QStringLiteral("plain.txt"), "not an executable");
        QVERIFY_THROWS_EXCEPTION(EZQError, ElfVersionNote::write(path, {1, 2, 3, 4}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("not an executable"));
    }
};

QTEST_GUILESS_MAIN(TestVersionKey)
#include "tst_versionkey.moc"
