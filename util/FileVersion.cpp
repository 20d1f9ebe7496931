#include "util/FileVersion.h"

#include <QStringList>

namespace {
QString lastTwoDigits(quint16 ANumber)
{
    return (QStringLiteral("0") + QString::number(ANumber)).right(2);
}
} // namespace

QString FormatVersionKey(const TFileVersion& AVersion)
{
    return QString::number(AVersion.major) + QLatin1Char('_') + QString::number(AVersion.minor) +
           lastTwoDigits(AVersion.release) + lastTwoDigits(AVersion.build);
}

QString FormatDottedVersion(const TFileVersion& AVersion)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(AVersion.major)
        .arg(AVersion.minor)
        .arg(AVersion.release)
        .arg(AVersion.build);
}

bool ParseDottedVersion(const QString& AText, TFileVersion& AVersion)
{
    const QStringList parts = AText.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint16 numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const uint value = parts[i].toUInt(&ok);
        if (!ok || value > 0xFFFF || parts[i].startsWith(QLatin1Char('+')))
            return false;
        numbers[i] = static_cast<quint16>(value);
    }
    AVersion = {numbers[0], numbers[1], numbers[2], numbers[3]};
    return true;
}
