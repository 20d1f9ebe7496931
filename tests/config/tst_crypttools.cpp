#include "config/CryptTools.h"

#include <QTest>

namespace {

// A key of the program's form for the stage tests; the program's own key stays inside CryptTools.
const QString TestKey = QStringLiteral("0123456789abcdef");

QString allCodes()
{
    QString text;
    for (int code = 0; code < 256; ++code)
        text += QChar(char16_t(code));
    return text;
}

bool onlyShiftRange(const QString& AText)
{
    return std::all_of(AText.begin(), AText.end(),
                       [](QChar ch) { return ch.unicode() >= 32 && ch.unicode() <= 122; });
}

} // namespace

// The string encryption of the settings files: both stages, their inverses and damaged texts.
class TestCryptTools : public QObject
{
    Q_OBJECT

private slots:
    void everyCodeSurvivesARoundTrip()
    {
        const QString text = allCodes();
        QCOMPARE(CryptTools::ZQEntschluesseln(CryptTools::ZQVerschluesseln(text)), text);
        for (const QChar ch : text)
            QCOMPARE(CryptTools::ZQEntschluesseln(CryptTools::ZQVerschluesseln(QString(ch))), QString(ch));
    }

    void encryptedTextIsPrintableAndWithinItsLengthBounds()
    {
        const QString text = allCodes();
        for (int round = 0; round < 20; ++round) {
            const QString encrypted = CryptTools::ZQVerschluesseln(text);
            QVERIFY(onlyShiftRange(encrypted));
            QVERIFY(encrypted.size() >= 2 * text.size() + 1);
            QVERIFY(encrypted.size() <= 10 * text.size() + 5);
        }
    }

    void emptyTexts()
    {
        for (int round = 0; round < 20; ++round) {
            const QString encrypted = CryptTools::ZQVerschluesseln(QString());
            QVERIFY(encrypted.size() >= 1 && encrypted.size() <= 5);
            QCOMPARE(CryptTools::ZQEntschluesseln(encrypted), QString());
        }
        QCOMPARE(CryptTools::ZQEntschluesseln(QString()), QString());
    }

    void sameTextEncryptsDifferently()
    {
        const QString text = QStringLiteral("{\"username\":\"anna@example.org\"}");
        const QString first = CryptTools::ZQVerschluesseln(text);
        const QString second = CryptTools::ZQVerschluesseln(text);
        QVERIFY(first != second);
        QCOMPARE(CryptTools::ZQEntschluesseln(first), text);
        QCOMPARE(CryptTools::ZQEntschluesseln(second), text);
    }

    // Files written by earlier versions of the program must stay readable: key, shift generator and seed
    // never change.
    void textEncryptedByEarlierVersionsStaysReadable()
    {
        const QString encrypted =
            QStringLiteral("KD3GrTfg!-1e!l101J$`VI@:l$3X)WE/U#T3r/R/DKbY).WP8b!O.f2Z/"
                           "9Z_1B_-\?_*$,5._:U)9(XytNU5UBDy2K>da13Emo.mJ3+YKt9T`_hf_S;)x;Br])&"
                           "U7xZY7\?\?UcYG0/$U2ACxCJs`V6BsXp5dP/puAe; "
                           ":0r$bG@YyD0&+9f$PF#t#Xydrt4,ZLlJ\"(D>uPe:'_FtFJLprI88_50@OFwU>\"ffxAmGp sn "
                           "qm7fI\"2kL0%Ww$<[\\;/v;Qm'8\\\\i<tK]0]bn:Dxv*CT-<#0lO1D7nuk_v^!e1 nV.X");
        QCOMPARE(CryptTools::ZQEntschluesseln(encrypted),
                 QStringLiteral("{\"username\":\"m\\u00FCller@zq.de\",\"lastTabIndex\":2}"));
    }

    void keyRingDecodeOfDamagedDigits()
    {
        const QString text = QStringLiteral("Hallo, Welt!");
        const QString encoded = CryptTools::KeyRingEncode(text, TestKey, 0, 5);
        QCOMPARE(CryptTools::KeyRingDecode(encoded, TestKey), text);

        const qsizetype firstDigit =
            std::find_if(encoded.begin(), encoded.end(), [](QChar ch) { return TestKey.contains(ch); }) -
            encoded.begin();
        QCOMPARE(CryptTools::KeyRingDecode(QString(encoded).remove(firstDigit, 1), TestKey),
                 QString(CryptTools::DamagedMarker));
        // The text always starts with at least one filler, which carries no information.
        QVERIFY(!TestKey.contains(encoded[0]));
        QCOMPARE(CryptTools::KeyRingDecode(encoded.mid(1), TestKey), text);
    }

    void removedCharacterPutsTheRestOutOfStep()
    {
        const QString text = QStringLiteral("{\"username\":\"anna@example.org\",\"password\":\"geheim\"}");
        const QString encrypted = CryptTools::ZQVerschluesseln(text);
        const QString decrypted = CryptTools::ZQEntschluesseln(encrypted.mid(0, 3) + encrypted.mid(4));
        QVERIFY(decrypted != text);
    }

    void keysThatFailTheCheck_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("too short") << "0123456789abcde";
        QTest::newRow("repeated character") << "0123456789abcdea";
        QTest::newRow("character outside the alphabet") << "0123456789abcde-";
        QTest::newRow("empty") << "";
    }

    void keysThatFailTheCheck()
    {
        QFETCH(QString, key);
        QCOMPARE(CryptTools::KeyRingEncode(QStringLiteral("abc"), key, 0, 5), QString());
        QCOMPARE(CryptTools::KeyRingDecode(QStringLiteral("abc"), key), QString(CryptTools::DamagedMarker));
    }

    void longerKeysAndSwappedBoundsWork()
    {
        const QString key = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const QString text = allCodes();
        const QString encoded = CryptTools::KeyRingEncode(text, key, 7, 2);
        QCOMPARE(CryptTools::KeyRingDecode(encoded, key), text);
        // With bounds 2 and 7 every group holds 2 to 6 fillers, 3 to 7 in front.
        QVERIFY(encoded.size() >= 2 * text.size() * 3 + 3);
    }

    void shiftScrambleLeavesOtherCodesAndIsInvertible()
    {
        const QString text = allCodes();
        const QString shifted = CryptTools::ShiftScramble(text, CryptTools::TShiftDirection::Encrypt);
        for (int code = 0; code < 256; ++code) {
            if (code < 32 || code > 122)
                QCOMPARE(shifted[code].unicode(), char16_t(code));
            else
                QVERIFY(shifted[code].unicode() >= 32 && shifted[code].unicode() <= 122);
        }
        QVERIFY(shifted != text);
        QCOMPARE(CryptTools::ShiftScramble(shifted, CryptTools::TShiftDirection::Decrypt), text);
    }

    void fillersAreDistinct()
    {
        const QString alphabet = QStringLiteral("abcdefgh");
        for (int count = 0; count <= alphabet.size(); ++count) {
            const QString picked = CryptTools::PickFillers(alphabet, count);
            QCOMPARE(picked.size(), count);
            for (const QChar ch : picked) {
                QVERIFY(alphabet.contains(ch));
                QCOMPARE(picked.count(ch), 1);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCryptTools)
#include "tst_crypttools.moc"
