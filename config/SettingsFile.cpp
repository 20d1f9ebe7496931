#include "config/SettingsFile.h"

#include "util/ZQError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

struct ByteOrderMark
{
    QByteArrayView bytes;
    QStringConverter::Encoding encoding;
};

const ByteOrderMark ByteOrderMarks[] = {{"\xEF\xBB\xBF", QStringConverter::Utf8},
                                        {"\xFF\xFE", QStringConverter::Utf16LE},
                                        {"\xFE\xFF", QStringConverter::Utf16BE}};

QString decode(const QByteArray& AContent)
{
    for (const ByteOrderMark& mark : ByteOrderMarks) {
        if (AContent.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding);
            return decoder.decode(QByteArrayView(AContent).sliced(mark.bytes.size()));
        }
    }
    return QString::fromLatin1(AContent);
}

} // namespace

namespace SettingsFile {

bool exists(const QString& APath)
{
    return QFileInfo(APath).isFile();
}

QString read(const QString& APath)
{
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly))
        throw EZQError(
            QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2").arg(APath, file.errorString()));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EZQError(
            QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2").arg(APath, file.errorString()));
    return decode(content);
}

void write(const QString& APath, const QString& AText, const QString& AWhat)
{
    const QByteArray content = AText.toUtf8();
    QSaveFile file(APath);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw EZQError(QStringLiteral("%1 \"%2\" kann nicht gespeichert werden: %3")
                           .arg(AWhat, APath, file.errorString()));
}

} // namespace SettingsFile
