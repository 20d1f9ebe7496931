#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringView>
#include <optional>

// The key of a record field in the program's JSON files: the field name without its leading "F",
// first letter in lower case ("FLastTabIndex" gives "lastTabIndex").
QString JsonKeyOf(QStringView AFieldName);

// Writes one JSON object with its members in the order they are added: no white space, and every
// character below 32 or above 127 as a \u escape, so that the whole text is ASCII.
class TJsonRecordWriter
{
public:
    void add(QStringView AFieldName, const QString& AValue);
    void add(QStringView AFieldName, bool AValue);
    void add(QStringView AFieldName, qint32 AValue);

    QString text() const;

private:
    void addKey(QStringView AFieldName);

    QString FMembers;
};

// Reads the members of one JSON object by field name. A member that is missing leaves the target as it
// is; a member of the wrong type makes the read fail.
class TJsonRecordReader
{
public:
    // None when the text is not one JSON object.
    static std::optional<TJsonRecordReader> parse(const QString& AText, Qt::CaseSensitivity AKeyMatching);

    bool read(QStringView AFieldName, QString& ATarget) const;
    bool read(QStringView AFieldName, bool& ATarget) const;
    bool read(QStringView AFieldName, qint32& ATarget) const;

private:
    TJsonRecordReader(const QJsonObject& AObject, Qt::CaseSensitivity AKeyMatching);
    QJsonValue member(QStringView AFieldName) const;

    // Sets ATarget from the member when it is present and converts; false when it does not convert.
    template <class T>
    bool assign(QStringView AFieldName, T& ATarget, std::optional<T> (*AConvert)(const QJsonValue&)) const
    {
        const QJsonValue value = member(AFieldName);
        if (value.isUndefined())
            return true;
        const std::optional<T> converted = AConvert(value);
        if (converted)
            ATarget = *converted;
        return converted.has_value();
    }

    QJsonObject FObject;
    Qt::CaseSensitivity FKeyMatching;
};
