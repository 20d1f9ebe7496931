#include "config/CryptTools.h"
#include "update/MyProxyConf.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The proxy settings record and its encrypted file "proxy.config".
class TestProxyConf : public QObject
{
    Q_OBJECT

private slots:
    void recordTextHasTheKeysInFieldOrder()
    {
        TMyProxyConf record;
        record.SetHost(QStringLiteral("proxy.local"));
        record.SetPort(3128);
        record.SetUsername(QStringLiteral("j\u00F6rg"));
        QCOMPARE(
            record.ToJsonText(),
            QStringLiteral(
                "{\"host\":\"proxy.local\",\"port\":3128,\"username\":\"j\\u00F6rg\",\"password\":\"\"}"));
        QCOMPARE(TMyProxyConf().ToJsonText(),
                 QStringLiteral("{\"host\":\"\",\"port\":0,\"username\":\"\",\"password\":\"\"}"));
    }

    void keysAreMatchedWithoutRegardToCase()
    {
        const std::optional<TMyProxyConf> record =
            TMyProxyConf::FromJsonText(QStringLiteral("{\"Host\":\"p\",\"PORT\":8080}"));
        QVERIFY(record);
        QCOMPARE(record->Host(), QStringLiteral("p"));
        QCOMPARE(record->Port(), 8080);
        QCOMPARE(record->Username(), QString());
        QCOMPARE(record->Password(), QString());
    }

    void wrongTextsGiveNoRecord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("damage marker") << QString(CryptTools::DamagedMarker);
        QTest::newRow("not an object") << "[]";
        QTest::newRow("port as text") << "{\"host\":\"p\",\"port\":\"80\"}";
    }

    void wrongTextsGiveNoRecord()
    {
        QFETCH(QString, text);
        QVERIFY(!TMyProxyConf::FromJsonText(text));
    }

    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(TMyProxyConf::FileName));
        TMyProxyConf record;
        record.SetHost(QStringLiteral("10.0.0.1"));
        record.SetPort(8080);
        record.SetUsername(QStringLiteral("user"));
        record.SetPassword(QStringLiteral("pa\"ss"));
        record.WriteFile(path);
        QVERIFY(TMyProxyConf::ReadFile(path) == record);
    }
};

QTEST_GUILESS_MAIN(TestProxyConf)
#include "tst_proxyconf.moc"
