#pragma once

#include <QString>
#include <optional>

// The proxy settings record of "proxy.config": an empty host means that no proxy is set.
class TMyProxyConf
{
public:
    const QString& Host() const { return FHost; }
    void SetHost(const QString& AValue) { FHost = AValue; }
    qint32 Port() const { return FPort; }
    void SetPort(qint32 AValue) { FPort = AValue; }
    const QString& Username() const { return FUsername; }
    void SetUsername(const QString& AValue) { FUsername = AValue; }
    const QString& Password() const { return FPassword; }
    void SetPassword(const QString& AValue) { FPassword = AValue; }

    // Compact ASCII JSON with the keys in field order.
    QString ToJsonText() const;
    // Keys are matched without regard to case; none when the text is not a JSON object or a value has
    // the wrong type.
    static std::optional<TMyProxyConf> FromJsonText(const QString& AText);

    // The record of an encrypted proxy file; none when the file does not yield one. Throws EZQError when
    // the file cannot be read.
    static std::optional<TMyProxyConf> ReadFile(const QString& APath);
    // Writes the record encrypted; throws EZQError when the file cannot be written.
    void WriteFile(const QString& APath) const;

    bool operator==(const TMyProxyConf&) const = default;

    static constexpr char FileName[] = "proxy.config";

private:
    QString FHost;
    qint32 FPort = 0;
    QString FUsername;
    QString FPassword;
};
