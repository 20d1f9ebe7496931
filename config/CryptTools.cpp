#include "config/CryptTools.h"

#include <QRandomGenerator>

namespace {

const QString Alphabet = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz+/");

// Fixed forever: every settings file in the field was written with this key and this shift sequence.
const QString ProgramKey = QStringLiteral("Qm7Zr2Kx9PaT4wHd");
constexpr quint64 ShiftSeed = 0x5A51436F6E6E6563ULL;

constexpr int KeyLength = 16;
constexpr int FirstShifted = 32;
constexpr int LastShifted = 122;
constexpr int ShiftRange = LastShifted - FirstShifted + 1; // 91 codes
constexpr int ShiftAmounts = 90;                           // amounts 0 to 89

// SplitMix64: small, fully specified here, so the shift sequence can never change under the program.
class ShiftSequence
{
public:
    int next()
    {
        FState += 0x9E3779B97F4A7C15ULL;
        quint64 z = FState;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return int((z >> 32) % ShiftAmounts);
    }

private:
    quint64 FState = ShiftSeed;
};

int randomBelow(int ALimit)
{
    return ALimit <= 0 ? 0 : int(QRandomGenerator::global()->bounded(ALimit));
}

void rotate(QString& ARing)
{
    ARing.prepend(ARing.back());
    ARing.chop(1);
}

} // namespace

QString CryptTools::ZQVerschluesseln(const QString& AValue)
{
    return ShiftScramble(KeyRingEncode(AValue, ProgramKey, 0, 5), TShiftDirection::Encrypt);
}

QString CryptTools::ZQEntschluesseln(const QString& AValue)
{
    return KeyRingDecode(ShiftScramble(AValue, TShiftDirection::Decrypt), ProgramKey);
}

bool CryptTools::KeyPasses(const QString& AKey)
{
    if (AKey.size() < KeyLength)
        return false;
    for (qsizetype i = 0; i < AKey.size(); ++i) {
        if (!Alphabet.contains(AKey[i]) || AKey.indexOf(AKey[i], i + 1) >= 0)
            return false;
    }
    return true;
}

QString CryptTools::KeyRingEncode(const QString& AText, const QString& AKey, int ALower, int AUpper)
{
    if (ALower > AUpper)
        std::swap(ALower, AUpper);
    ALower = std::max(ALower, 0);
    AUpper = std::min(AUpper, 100);
    if (!KeyPasses(AKey))
        return {};

    QString fillers;
    for (const QChar ch : Alphabet) {
        if (!AKey.contains(ch))
            fillers += ch;
    }

    QString ring = AKey;
    QString digits;
    digits.reserve(2 * AText.size());
    for (const QChar ch : AText) {
        const int code = ch.unicode() > 255 ? '?' : ch.unicode();
        digits += ring[code % 16];
        rotate(ring);
        digits += ring[code / 16];
        rotate(ring);
    }

    QString result = PickFillers(fillers, ALower + 1 + randomBelow(AUpper - ALower));
    for (const QChar digit : digits) {
        result += digit;
        result += PickFillers(fillers, ALower + randomBelow(AUpper - ALower));
    }
    return result;
}

QString CryptTools::KeyRingDecode(const QString& AText, const QString& AKey)
{
    if (!KeyPasses(AKey))
        return QString(DamagedMarker);

    QString digits;
    for (const QChar ch : AText) {
        if (AKey.contains(ch))
            digits += ch;
    }
    if (digits.size() % 2 != 0)
        return QString(DamagedMarker);

    QString ring = AKey;
    QString result;
    result.reserve(digits.size() / 2);
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const qsizetype low = ring.indexOf(digits[i]);
        rotate(ring);
        const qsizetype high = ring.indexOf(digits[i + 1]);
        rotate(ring);
        result += QChar(char16_t(low + 16 * high));
    }
    return result;
}

QString CryptTools::ShiftScramble(const QString& AText, TShiftDirection ADirection)
{
    ShiftSequence sequence;
    QString result = AText;
    for (QChar& ch : result) {
        const int code = ch.unicode();
        if (code < FirstShifted || code > LastShifted)
            continue;
        const int amount = sequence.next();
        const int offset = ADirection == TShiftDirection::Encrypt ? code - FirstShifted + amount
                                                                  : code - FirstShifted - amount + ShiftRange;
        ch = QChar(char16_t(FirstShifted + offset % ShiftRange));
    }
    return result;
}

QString CryptTools::PickFillers(QString AFillers, int ACount)
{
    QString result;
    for (int i = 0; i < ACount && !AFillers.isEmpty(); ++i) {
        const int at = randomBelow(int(AFillers.size()));
        result += AFillers[at];
        AFillers.remove(at, 1);
    }
    return result;
}
