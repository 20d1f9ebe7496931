#include "config/DESCrypt.h"

#include <QRandomGenerator>
#include <QTest>
#include <crypt.h>

namespace {

const QString CryptAlphabet =
    QStringLiteral("./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

QString hashOf(const QString& APassword, const QString& ASalt)
{
    TDESCrypt hasher;
    hasher.SetInput(APassword);
    hasher.SetSalt(ASalt);
    return hasher.Execute() ? hasher.Output() : QStringLiteral("<no hash>");
}

QString systemCrypt(const QByteArray& APassword, const QByteArray& ASalt)
{
    crypt_data data{};
    const char* hash = crypt_r(APassword.constData(), ASalt.constData(), &data);
    return hash ? QString::fromLatin1(hash) : QString();
}

} // namespace

// The password hash against the system's crypt(3), and its documented edge cases.
class TestDESCrypt : public QObject
{
    Q_OBJECT

private slots:
    void equalsTheSystemCryptForRandomPasswordsAndSalts()
    {
        QRandomGenerator random(20261211);
        for (int round = 0; round < 1500; ++round) {
            QByteArray password;
            const int length = 1 + int(random.bounded(12));
            for (int i = 0; i < length; ++i)
                password += char(1 + random.bounded(127)); // every 7-bit code but the terminating zero
            const QByteArray salt = QByteArray() + CryptAlphabet[random.bounded(64)].toLatin1() +
                                    CryptAlphabet[random.bounded(64)].toLatin1();
            const QString expected = systemCrypt(password, salt);
            QVERIFY2(expected.size() == 13, "the system's crypt(3) must offer the traditional DES hash");
            QCOMPARE(hashOf(QString::fromLatin1(password), QString::fromLatin1(salt)), expected);
        }
    }

    void knownHashes_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("salt");
        QTest::addColumn<QString>("hash");
        // Published examples of the traditional crypt(3).
        QTest::newRow("test/aa") << "test"
                                 << "aa"
                                 << "aaqPiZY5xR5l.";
        QTest::newRow("foob/ar") << "foob"
                                 << "ar"
                                 << "arlEKn0OzVJn.";
        QTest::newRow("seven set bits, salt zero") << QString(8, QChar(0x7F)) << ".."
                                                   << "..meejHSflqus";
        QTest::newRow("the program's salt") << "Geheim123"
                                            << "ZQ"
                                            << "ZQfUoK.DknjEQ";
    }

    void knownHashes()
    {
        QFETCH(QString, password);
        QFETCH(QString, salt);
        QFETCH(QString, hash);
        QCOMPARE(hashOf(password, salt), hash);
    }

    void onlyTheFirstEightCharactersCount()
    {
        QCOMPARE(hashOf(QStringLiteral("password1"), QStringLiteral("ab")),
                 hashOf(QStringLiteral("password"), QStringLiteral("ab")));
        QCOMPARE(hashOf(QStringLiteral("abcdefghXYZ"), QStringLiteral("ab")),
                 hashOf(QStringLiteral("abcdefghIJK"), QStringLiteral("ab")));
        QVERIFY(hashOf(QStringLiteral("passwor"), QStringLiteral("ab")) !=
                hashOf(QStringLiteral("password"), QStringLiteral("ab")));
    }

    void onlyTheLowSevenBitsCount()
    {
        // "é" (233) and "i" (105) differ only in bit 7; "ŉ" (329) and "I" (73) only above it.
        QCOMPARE(hashOf(QStringLiteral("caf\u00E9"), QStringLiteral("xy")),
                 hashOf(QStringLiteral("cafi"), QStringLiteral("xy")));
        QCOMPARE(hashOf(QStringLiteral("\u0149ch"), QStringLiteral("xy")),
                 hashOf(QStringLiteral("Ich"), QStringLiteral("xy")));
    }

    void saltLengths()
    {
        const QString oneCharacter = hashOf(QStringLiteral("secret"), QStringLiteral("k"));
        QVERIFY(oneCharacter.startsWith(QStringLiteral("kk")));
        // A missing second salt character counts as the number 0, which is ".".
        QCOMPARE(oneCharacter.mid(2), hashOf(QStringLiteral("secret"), QStringLiteral("k.")).mid(2));
        QCOMPARE(hashOf(QStringLiteral("secret"), QStringLiteral("kQrest")),
                 hashOf(QStringLiteral("secret"), QStringLiteral("kQ")));
    }

    void hashPasswordUsesTheFixedSalt()
    {
        const QString hash = HashPassword(QStringLiteral("Geheim123"));
        QCOMPARE(hash.size(), 13);
        QVERIFY(hash.startsWith(QLatin1String(FixedPasswordSalt)));
        for (const QChar ch : hash)
            QVERIFY(CryptAlphabet.contains(ch));
        // Stored hashes depend on the salt: it never changes.
        QCOMPARE(hash, QStringLiteral("ZQfUoK.DknjEQ"));
    }

    void emptyPasswordGivesNoHash()
    {
        TDESCrypt hasher;
        hasher.SetInput(QString());
        hasher.SetSalt(QStringLiteral("ab"));
        QVERIFY(!hasher.Execute());
        QCOMPARE(hasher.Output(), QString());
        QCOMPARE(HashPassword(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TestDESCrypt)
#include "tst_descrypt.moc"
