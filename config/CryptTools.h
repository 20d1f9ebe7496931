#pragma once

#include <QString>

// The program's own string encryption for its local settings files. A plain text of characters with codes
// 0 to 255 becomes a printable text of codes 32 to 122 without line breaks, in two stages: the key-ring
// encoding (every character as two digits from a rotating key, hidden among random fillers) and the shift
// scrambler (every printable character shifted by an amount from a fixed pseudo-random sequence).
// It never raises an error and has no integrity check: damage shows as text that is not what the caller
// expects, or as the marker U+0001.
class CryptTools
{
public:
    enum class TShiftDirection
    {
        Encrypt,
        Decrypt
    };

    static QString ZQVerschluesseln(const QString& AValue);
    static QString ZQEntschluesseln(const QString& AValue);

    // Each character as its low and its high 4 bits, written with the key ring, with 1 + random fillers
    // in front and random fillers after each digit. Empty for a key that fails the key check. A character
    // above 255 cannot be represented and is encoded as "?".
    static QString KeyRingEncode(const QString& AText, const QString& AKey, int ALower, int AUpper);

    // The text that KeyRingEncode encoded; U+0001 for a key that fails the key check or an odd number of
    // digits.
    static QString KeyRingDecode(const QString& AText, const QString& AKey);

    static QString ShiftScramble(const QString& AText, TShiftDirection ADirection);

    // ACount distinct characters of AFillers, chosen at random.
    static QString PickFillers(QString AFillers, int ACount);

    // The marker for a text that cannot be decoded.
    static constexpr QChar DamagedMarker = QChar(0x0001);

private:
    static bool KeyPasses(const QString& AKey);
};
