#include "tools/zqtool/ToolArgs.h"

#include "util/ZQError.h"

TToolArgs::TToolArgs(const QStringList& AWords, const QStringList& AOptionNames, int AMaxPositionals)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < AWords.size(); ++i) {
        const QString& word = AWords[i];
        if (!optionsEnded && word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !word.startsWith(QLatin1String("--"))) {
            if (FPositionals.size() >= AMaxPositionals)
                throw EZQError(QStringLiteral("unexpected argument \"%1\"").arg(word));
            FPositionals << word;
            continue;
        }
        const QString name = word.mid(2);
        if (!AOptionNames.contains(name))
            throw EZQError(QStringLiteral("unknown option %1").arg(word));
        if (i + 1 >= AWords.size())
            throw EZQError(QStringLiteral("option %1 needs a value").arg(word));
        if (FOptions.contains(name))
            throw EZQError(QStringLiteral("option %1 given twice").arg(word));
        FOptions.insert(name, AWords[++i]);
    }
}

QString TToolArgs::positional(int AIndex, const QString& ADefault) const
{
    return AIndex < FPositionals.size() ? FPositionals[AIndex] : ADefault;
}

QString TToolArgs::requiredPositional(int AIndex, const QString& AWhat) const
{
    if (AIndex >= FPositionals.size())
        throw EZQError(QStringLiteral("%1 missing").arg(AWhat));
    return FPositionals[AIndex];
}

QString TToolArgs::requiredOption(const QString& AName) const
{
    if (!has(AName))
        throw EZQError(QStringLiteral("option --%1 missing").arg(AName));
    return option(AName);
}

bool TToolArgs::boolOption(const QString& AName) const
{
    const QString value = requiredOption(AName);
    if (value != QLatin1String("true") && value != QLatin1String("false"))
        throw EZQError(QStringLiteral("--%1 takes true or false, not \"%2\"").arg(AName, value));
    return value == QLatin1String("true");
}

qint32 TToolArgs::intOption(const QString& AName) const
{
    const QString value = requiredOption(AName);
    bool ok = false;
    const qint32 number = value.toInt(&ok);
    if (!ok)
        throw EZQError(QStringLiteral("--%1 takes a whole number, not \"%2\"").arg(AName, value));
    return number;
}
