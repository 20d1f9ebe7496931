#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The words of one zqtool command: positional arguments and "--name value" options; after "--" every word
// is positional. Anything the command does not accept throws EZQError with a one-line message.
class TToolArgs
{
public:
    TToolArgs(const QStringList& AWords, const QStringList& AOptionNames, int AMaxPositionals);

    // The positional argument at AIndex, or ADefault when there is none.
    QString positional(int AIndex, const QString& ADefault = {}) const;
    QString requiredPositional(int AIndex, const QString& AWhat) const;

    bool has(const QString& AName) const { return FOptions.contains(AName); }
    bool hasOptions() const { return !FOptions.isEmpty(); }
    QString option(const QString& AName) const { return FOptions.value(AName); }
    QString requiredOption(const QString& AName) const;
    bool boolOption(const QString& AName) const;
    qint32 intOption(const QString& AName) const;

private:
    QStringList FPositionals;
    QMap<QString, QString> FOptions;
};
