#include "config/CryptTools.h"
#include "config/DESCrypt.h"
#include "tools/zqtool/Commands.h"
#include "tools/zqtool/ToolArgs.h"
#include "util/ZQError.h"

#include <QFile>

namespace ZQToolCommands {

QString readStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw EZQError(QStringLiteral("cannot read standard input"));
    return QString::fromLatin1(input.readAll());
}

void writeStandardOutput(const QString& AText)
{
    QFile output;
    if (!output.open(stdout, QIODevice::WriteOnly) || output.write(AText.toLatin1()) < 0)
        throw EZQError(QStringLiteral("cannot write standard output"));
}

void encrypt(const QStringList& AWords)
{
    TToolArgs(AWords, {}, 0);
    writeStandardOutput(CryptTools::ZQVerschluesseln(readStandardInput()));
}

void decrypt(const QStringList& AWords)
{
    TToolArgs(AWords, {}, 0);
    writeStandardOutput(CryptTools::ZQEntschluesseln(readStandardInput()));
}

void hashPassword(const QStringList& AWords)
{
    const TToolArgs args(AWords, {QStringLiteral("salt")}, 1);
    const QString password = args.requiredPositional(0, QStringLiteral("password"));
    if (password.isEmpty())
        throw EZQError(QStringLiteral("the password must not be empty"));
    const QString salt = args.has(QStringLiteral("salt")) ? args.option(QStringLiteral("salt"))
                                                          : QLatin1String(FixedPasswordSalt);
    static const QString saltAlphabet =
        QStringLiteral("./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    if (salt.size() != 2 || !saltAlphabet.contains(salt[0]) || !saltAlphabet.contains(salt[1]))
        throw EZQError(QStringLiteral("the salt must be two characters of [./0-9A-Za-z]"));

    TDESCrypt hasher;
    hasher.SetInput(password);
    hasher.SetSalt(salt);
    hasher.Execute();
    writeStandardOutput(hasher.Output() + QLatin1Char('\n'));
}

} // namespace ZQToolCommands
