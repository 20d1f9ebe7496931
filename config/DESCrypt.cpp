#include "config/DESCrypt.h"

#include <array>
#include <cstdint>

namespace {

// Tables of the Data Encryption Standard (FIPS 46-3). Bit positions count from 1 at the most significant
// bit of the input, as the standard writes them.
constexpr std::uint8_t InitialPermutation[64] = {
    58, 50, 42, 34, 26, 18, 10, 2,  60, 52, 44, 36, 28, 20, 12, 4,  62, 54, 46, 38, 30, 22,
    14, 6,  64, 56, 48, 40, 32, 24, 16, 8,  57, 49, 41, 33, 25, 17, 9,  1,  59, 51, 43, 35,
    27, 19, 11, 3,  61, 53, 45, 37, 29, 21, 13, 5,  63, 55, 47, 39, 31, 23, 15, 7};

constexpr std::uint8_t FinalPermutation[64] = {40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,
                                               38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,
                                               36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,
                                               34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9,  49, 17, 57, 25};

constexpr std::uint8_t Expansion[48] = {32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
                                        12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
                                        22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};

constexpr std::uint8_t RoundPermutation[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                               2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr std::uint8_t KeyPermutation1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                                              10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                                              63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                                              14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr std::uint8_t KeyPermutation2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
                                              26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
                                              51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr std::uint8_t KeyShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr std::uint8_t SBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4, 9,  7,  2, 13, 12, 0,  5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6,  9, 11, 5,  0, 14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7, 5,  10, 6,  1,  13, 0,  11, 7,  4, 9,
     1, 10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4, 11, 13, 12, 3,  7,  14, 10, 15, 6, 8,
     0, 5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7, 9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2, 8,  4, 6, 15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8, 10, 3,
     7,  4, 12, 5, 6, 11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6, 10, 13,
     15, 3, 5,  8, 2, 1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11}};

constexpr char CryptAlphabet[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

constexpr int Iterations = 25;
constexpr int MaxPasswordLength = 8;

std::uint64_t permute(std::uint64_t AInput, int AInputWidth, const std::uint8_t* ATable, int AOutputWidth)
{
    std::uint64_t output = 0;
    for (int i = 0; i < AOutputWidth; ++i)
        output = (output << 1) | ((AInput >> (AInputWidth - ATable[i])) & 1);
    return output;
}

std::uint32_t rotateLeft28(std::uint32_t AHalf, int ABits)
{
    return ((AHalf << ABits) | (AHalf >> (28 - ABits))) & 0x0FFFFFFF;
}

std::array<std::uint64_t, 16> keySchedule(std::uint64_t AKey)
{
    const std::uint64_t permuted = permute(AKey, 64, KeyPermutation1, 56);
    std::uint32_t c = std::uint32_t(permuted >> 28);
    std::uint32_t d = std::uint32_t(permuted & 0x0FFFFFFF);
    std::array<std::uint64_t, 16> subkeys{};
    for (int round = 0; round < 16; ++round) {
        c = rotateLeft28(c, KeyShifts[round]);
        d = rotateLeft28(d, KeyShifts[round]);
        subkeys[round] = permute((std::uint64_t(c) << 28) | d, 56, KeyPermutation2, 48);
    }
    return subkeys;
}

std::uint32_t feistel(std::uint32_t ARight, std::uint64_t ASubkey, const std::uint8_t* AExpansion)
{
    const std::uint64_t mixed = permute(ARight, 32, AExpansion, 48) ^ ASubkey;
    std::uint32_t substituted = 0;
    for (int box = 0; box < 8; ++box) {
        const unsigned six = unsigned(mixed >> (42 - 6 * box)) & 0x3F;
        const unsigned row = ((six & 0x20) >> 4) | (six & 1);
        const unsigned column = (six >> 1) & 0xF;
        substituted = (substituted << 4) | SBoxes[box][row * 16 + column];
    }
    return std::uint32_t(permute(substituted, 32, RoundPermutation, 32));
}

std::uint64_t encryptBlock(std::uint64_t ABlock, const std::array<std::uint64_t, 16>& ASubkeys,
                           const std::uint8_t* AExpansion)
{
    const std::uint64_t permuted = permute(ABlock, 64, InitialPermutation, 64);
    std::uint32_t left = std::uint32_t(permuted >> 32);
    std::uint32_t right = std::uint32_t(permuted);
    for (const std::uint64_t subkey : ASubkeys) {
        const std::uint32_t next = left ^ feistel(right, subkey, AExpansion);
        left = right;
        right = next;
    }
    return permute((std::uint64_t(right) << 32) | left, 64, FinalPermutation, 64);
}

// The 6-bit number of a salt character: the crypt alphabet read backwards; anything outside it counts 0.
int saltNumber(char16_t ACode)
{
    const int number = ACode <= 64 ? ACode - 46 : ACode <= 96 ? ACode - 53 : ACode - 59;
    return number >= 0 && number <= 63 ? number : 0;
}

QString crypt(const QString& APassword, const QString& ASalt)
{
    std::uint64_t key = 0;
    for (int i = 0; i < MaxPasswordLength; ++i) {
        const unsigned value = i < APassword.size() ? APassword[i].unicode() & 0x7F : 0;
        key = (key << 8) | (value << 1);
    }

    std::uint8_t expansion[48];
    std::copy(std::begin(Expansion), std::end(Expansion), expansion);
    const int saltBits =
        saltNumber(ASalt[0].unicode()) | saltNumber(ASalt.size() > 1 ? ASalt[1].unicode() : 0) << 6;
    for (int bit = 0; bit < 12; ++bit) {
        if (saltBits & (1 << bit))
            std::swap(expansion[bit], expansion[bit + 24]);
    }

    const std::array<std::uint64_t, 16> subkeys = keySchedule(key);
    std::uint64_t block = 0;
    for (int i = 0; i < Iterations; ++i)
        block = encryptBlock(block, subkeys, expansion);

    QString hash;
    hash += ASalt[0];
    hash += ASalt.size() > 1 ? ASalt[1] : ASalt[0];
    for (int group = 0; group < 11; ++group) {
        const unsigned six =
            group < 10 ? unsigned(block >> (58 - 6 * group)) & 0x3F : unsigned(block << 2) & 0x3F;
        hash += QLatin1Char(CryptAlphabet[six]);
    }
    return hash;
}

} // namespace

void TDESCrypt::SetInput(const QString& AInput)
{
    FInput = AInput.left(MaxPasswordLength);
}

void TDESCrypt::SetSalt(const QString& ASalt)
{
    FSalt = ASalt.left(2);
}

bool TDESCrypt::Execute()
{
    FOutput = FInput.isEmpty() || FSalt.isEmpty() ? QString() : crypt(FInput, FSalt);
    return !FOutput.isEmpty();
}

QString HashPassword(const QString& APassword)
{
    TDESCrypt hasher;
    hasher.SetInput(APassword);
    hasher.SetSalt(QLatin1String(FixedPasswordSalt));
    return hasher.Execute() ? hasher.Output() : QString();
}
