#pragma once

#include <QString>

// The traditional DES-based password hash of Unix, crypt(3): the password (at most 8 characters, 7 bits
// each) is the key with which a zero block is encrypted 25 times by DES whose expansion is perturbed by a
// 12-bit salt; the hash is the salt and the result in 11 characters of the crypt alphabet, 13 in all.
// Stateless, so calls may run at the same time.
class TDESCrypt
{
public:
    // Keeps at most the first 8 characters.
    void SetInput(const QString& AInput);
    // Keeps at most the first 2 characters.
    void SetSalt(const QString& ASalt);

    // Computes Output from Input and Salt; false, with an empty Output, for an empty Input or Salt.
    bool Execute();

    const QString& Output() const { return FOutput; }

private:
    QString FInput;
    QString FSalt;
    QString FOutput;
};

// The salt with which the program stores every password.
inline constexpr char FixedPasswordSalt[] = "ZQ";

// The hash of APassword under the program's fixed salt; empty for an empty password.
QString HashPassword(const QString& APassword);
