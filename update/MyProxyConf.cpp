#include "update/MyProxyConf.h"

#include "config/CryptTools.h"
#include "config/SettingsFile.h"
#include "platform/json/JsonRecord.h"

QString TMyProxyConf::ToJsonText() const
{
    TJsonRecordWriter writer;
    writer.add(u"FHost", FHost);
    writer.add(u"FPort", FPort);
    writer.add(u"FUsername", FUsername);
    writer.add(u"FPassword", FPassword);
    return writer.text();
}

std::optional<TMyProxyConf> TMyProxyConf::FromJsonText(const QString& AText)
{
    const std::optional<TJsonRecordReader> reader = TJsonRecordReader::parse(AText, Qt::CaseInsensitive);
    TMyProxyConf record;
    if (!reader || !reader->read(u"FHost", record.FHost) || !reader->read(u"FPort", record.FPort) ||
        !reader->read(u"FUsername", record.FUsername) || !reader->read(u"FPassword", record.FPassword))
        return std::nullopt;
    return record;
}

std::optional<TMyProxyConf> TMyProxyConf::ReadFile(const QString& APath)
{
    return FromJsonText(CryptTools::ZQEntschluesseln(SettingsFile::read(APath)));
}

void TMyProxyConf::WriteFile(const QString& APath) const
{
    SettingsFile::write(APath, CryptTools::ZQVerschluesseln(ToJsonText()),
                        QStringLiteral("Die Proxy-Einstellungen"));
}
