#pragma once

#include <QString>
#include <memory>
#include <optional>

// The record kept between runs: the saved login data and the last page.
class TZQCConfigFile
{
public:
    const QString& Username() const { return FUsername; }
    void SetUsername(const QString& AValue) { FUsername = AValue; }
    const QString& Password() const { return FPassword; }
    void SetPassword(const QString& AValue) { FPassword = AValue; }
    bool SaveLoginData() const { return FSaveLoginData; }
    void SetSaveLoginData(bool AValue) { FSaveLoginData = AValue; }
    qint32 LastTabIndex() const { return FLastTabIndex; }
    void SetLastTabIndex(qint32 AValue) { FLastTabIndex = AValue; }

    // Compact ASCII JSON with the keys in field order.
    QString ToJsonText() const;
    // None when the text is not a JSON object or a value has the wrong type; missing keys keep fresh values.
    static std::optional<TZQCConfigFile> FromJsonText(const QString& AText);

    bool operator==(const TZQCConfigFile&) const = default;

private:
    QString FUsername;
    QString FPassword;
    QString FPathDownloadversions; // always written empty, never read
    bool FSaveLoginData = false;
    qint32 FLastTabIndex = 0;
};

// Holds the record and its encrypted file "PLXConfig.conf", whose path is fixed when the holder is created.
class TZQCConfig
{
public:
    // The file in the current directory.
    TZQCConfig();
    explicit TZQCConfig(const QString& APathConfigFile);

    // Fills ConfigFile from the file. A missing file, and one that yields no record (empty, damaged, not
    // a JSON object, wrong types, unreadable), leave a fresh record: the program always starts.
    void LoadConfigfile();

    // Replaces the file through a temporary file in the same folder, so a failed save never leaves a
    // half-written file; throws EZQError with the reason when it cannot be written.
    void SaveConfigfile() const;

    TZQCConfigFile& ConfigFile() { return *FConfigFile; }
    const TZQCConfigFile& ConfigFile() const { return *FConfigFile; }
    const QString& PathConfigFile() const { return FPathConfigFile; }

    static constexpr char FileName[] = "PLXConfig.conf";

private:
    std::unique_ptr<TZQCConfigFile> FConfigFile;
    QString FPathConfigFile;
};
