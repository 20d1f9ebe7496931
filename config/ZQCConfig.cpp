#include "config/ZQCConfig.h"

#include "config/CryptTools.h"
#include "config/SettingsFile.h"
#include "platform/json/JsonRecord.h"
#include "util/ZQError.h"

#include <QDir>

QString TZQCConfigFile::ToJsonText() const
{
    TJsonRecordWriter writer;
    writer.add(u"FUsername", FUsername);
    writer.add(u"FPassword", FPassword);
    writer.add(u"FPathDownloadversions", FPathDownloadversions);
    writer.add(u"FSaveLoginData", FSaveLoginData);
    writer.add(u"FLastTabIndex", FLastTabIndex);
    return writer.text();
}

std::optional<TZQCConfigFile> TZQCConfigFile::FromJsonText(const QString& AText)
{
    const std::optional<TJsonRecordReader> reader = TJsonRecordReader::parse(AText, Qt::CaseSensitive);
    TZQCConfigFile record;
    if (!reader || !reader->read(u"FUsername", record.FUsername) ||
        !reader->read(u"FPassword", record.FPassword) ||
        !reader->read(u"FSaveLoginData", record.FSaveLoginData) ||
        !reader->read(u"FLastTabIndex", record.FLastTabIndex))
        return std::nullopt;
    return record;
}

TZQCConfig::TZQCConfig() : TZQCConfig(QDir::currentPath() + QLatin1Char('/') + QLatin1String(FileName)) {}

TZQCConfig::TZQCConfig(const QString& APathConfigFile)
    : FConfigFile(std::make_unique<TZQCConfigFile>()), FPathConfigFile(APathConfigFile)
{
    LoadConfigfile();
}

void TZQCConfig::LoadConfigfile()
{
    if (!SettingsFile::exists(FPathConfigFile))
        return;
    std::optional<TZQCConfigFile> record;
    try {
        record =
            TZQCConfigFile::FromJsonText(CryptTools::ZQEntschluesseln(SettingsFile::read(FPathConfigFile)));
    } catch (const EZQError&) {
        // An unreadable file is treated like a damaged one.
    }
    *FConfigFile = record.value_or(TZQCConfigFile());
}

void TZQCConfig::SaveConfigfile() const
{
    SettingsFile::write(FPathConfigFile, CryptTools::ZQVerschluesseln(FConfigFile->ToJsonText()),
                        QStringLiteral("Die Konfigurationsdatei"));
}
