#include "util/MyTools.h"
#include "util/SystemTools.h"
#include "util/ZQError.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Paths and names of the running executable, GUIDs, file sizes and the start of programs.
class TestSystemTools : public QObject
{
    Q_OBJECT

private slots:
    void nameWithoutExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("upper-case extension") << "Setup.EXE"
                                              << "Setup";
        QTest::newRow("extension twice") << "a.exe.exe"
                                         << "a";
        QTest::newRow("extension twice in other cases") << "Tool.Exe.EXE"
                                                        << "Tool";
        QTest::newRow("only the last extension counts") << "backup.tar.gz"
                                                        << "backup.tar";
        QTest::newRow("no extension") << "ZQConnect"
                                      << "ZQConnect";
        QTest::newRow("extension text inside the name") << "my.exefile.exe"
                                                        << "myfile";
    }

    void nameWithoutExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(SystemTools::NameWithoutExtension(name), expected);
    }

    void runningExecutable()
    {
        const QString path = SystemTools::GetExePath();
        QCOMPARE(path, QCoreApplication::applicationFilePath());
        QCOMPARE(SystemTools::GetExeName(), QStringLiteral("tst_systemtools"));
        QCOMPARE(TMyToolsEXE::getNameWithEx(), QStringLiteral("tst_systemtools"));
        QCOMPARE(SystemTools::GetExeNameWithoutExtension(), QStringLiteral("tst_systemtools"));
        QCOMPARE(TMyToolsDirectory::GetExePath(), path);
        QCOMPARE(SystemTools::GetExeDirectory(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
        QCOMPARE(TMyToolsDirectory::GetExeFolder(), SystemTools::GetExeDirectory());
    }

    void guidsAreBracedUpperCaseAndNew()
    {
        static const QRegularExpression form(
            QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
        const QString first = GetNewGUID();
        const QString second = GetNewGUID();
        QVERIFY2(form.match(first).hasMatch(), qPrintable(first));
        QVERIFY2(form.match(second).hasMatch(), qPrintable(second));
        QCOMPARE(first.size(), 38);
        QVERIFY(first != second);
    }

    void fileByteSize()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("data.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(12345, 'x'));
        file.close();
        QCOMPARE(GetFileByteSize(file.fileName()), qint64(12345));

        const QString missing = dir.filePath(QStringLiteral("missing.bin"));
        try {
            GetFileByteSize(missing);
            QFAIL("a missing file has no size");
        } catch (const EZQError& error) {
            QVERIFY2(error.Message().contains(missing), qPrintable(error.Message()));
        }
    }

    void freeClearsTheVariableBeforeReleasing()
    {
        struct Watched
        {
            Watched** variable;
            bool* clearedFirst;
            ~Watched() { *clearedFirst = *variable == nullptr; }
        };
        bool clearedFirst = false;
        Watched* object = nullptr;
        object = new Watched{&object, &clearedFirst};
        TMyToolsObjects::free(object);
        QVERIFY(object == nullptr);
        QVERIFY(clearedFirst);
        TMyToolsObjects::free(object); // an empty variable is left alone
    }

    void processStartRunsAProgramWithItsParameters()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath(QStringLiteral("record.sh"));
        const QString marker = dir.filePath(QStringLiteral("marker.txt"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s|' \"$@\" > \"$1.tmp\" && mv \"$1.tmp\" \"$1\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QVERIFY(
            SystemTools::ProcessStart(script, QStringLiteral("\"%1\" second \"third word\"").arg(marker)));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
        QFile result(marker);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(result.readAll()), marker + QStringLiteral("|second|third word|"));
    }
};

QTEST_GUILESS_MAIN(TestSystemTools)
#include "tst_systemtools.moc"
