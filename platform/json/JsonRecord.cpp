#include "platform/json/JsonRecord.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <cmath>
#include <limits>

namespace {

QString quoted(const QString& AText)
{
    QString result;
    result.reserve(AText.size() + 2);
    result += QLatin1Char('"');
    for (const QChar ch : AText) {
        const char16_t code = ch.unicode();
        if (code == u'"' || code == u'\\') {
            result += QLatin1Char('\\');
            result += ch;
        } else if (code < 32 || code > 127) {
            static constexpr char hexDigits[] = "0123456789ABCDEF";
            result += QLatin1String("\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                result += QLatin1Char(hexDigits[(code >> shift) & 0xF]);
        } else {
            result += ch;
        }
    }
    result += QLatin1Char('"');
    return result;
}

} // namespace

QString JsonKeyOf(QStringView AFieldName)
{
    QString key = AFieldName.startsWith(u'F') ? AFieldName.mid(1).toString() : AFieldName.toString();
    if (!key.isEmpty())
        key[0] = key[0].toLower();
    return key;
}

void TJsonRecordWriter::addKey(QStringView AFieldName)
{
    if (!FMembers.isEmpty())
        FMembers += QLatin1Char(',');
    FMembers += quoted(JsonKeyOf(AFieldName));
    FMembers += QLatin1Char(':');
}

void TJsonRecordWriter::add(QStringView AFieldName, const QString& AValue)
{
    addKey(AFieldName);
    FMembers += quoted(AValue);
}

void TJsonRecordWriter::add(QStringView AFieldName, bool AValue)
{
    addKey(AFieldName);
    FMembers += AValue ? QLatin1String("true") : QLatin1String("false");
}

void TJsonRecordWriter::add(QStringView AFieldName, qint32 AValue)
{
    addKey(AFieldName);
    FMembers += QString::number(AValue);
}

QString TJsonRecordWriter::text() const
{
    return QLatin1Char('{') + FMembers + QLatin1Char('}');
}

std::optional<TJsonRecordReader> TJsonRecordReader::parse(const QString& AText,
                                                          Qt::CaseSensitivity AKeyMatching)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(AText.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return TJsonRecordReader(document.object(), AKeyMatching);
}

TJsonRecordReader::TJsonRecordReader(const QJsonObject& AObject, Qt::CaseSensitivity AKeyMatching)
    : FObject(AObject), FKeyMatching(AKeyMatching)
{
}

QJsonValue TJsonRecordReader::member(QStringView AFieldName) const
{
    const QString key = JsonKeyOf(AFieldName);
    if (FKeyMatching == Qt::CaseSensitive)
        return FObject.value(key);
    for (auto it = FObject.constBegin(); it != FObject.constEnd(); ++it) {
        if (it.key().compare(key, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return QJsonValue(QJsonValue::Undefined);
}

bool TJsonRecordReader::read(QStringView AFieldName, QString& ATarget) const
{
    return assign<QString>(AFieldName, ATarget, [](const QJsonValue& AValue) -> std::optional<QString> {
        return AValue.isString() ? std::optional(AValue.toString()) : std::nullopt;
    });
}

bool TJsonRecordReader::read(QStringView AFieldName, bool& ATarget) const
{
    return assign<bool>(AFieldName, ATarget, [](const QJsonValue& AValue) -> std::optional<bool> {
        return AValue.isBool() ? std::optional(AValue.toBool()) : std::nullopt;
    });
}

bool TJsonRecordReader::read(QStringView AFieldName, qint32& ATarget) const
{
    return assign<qint32>(AFieldName, ATarget, [](const QJsonValue& AValue) -> std::optional<qint32> {
        const double number = AValue.toDouble();
        if (!AValue.isDouble() || number != std::trunc(number) ||
            number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
            return std::nullopt;
        return static_cast<qint32>(number);
    });
}
