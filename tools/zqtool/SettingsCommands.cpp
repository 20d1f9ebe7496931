#include "config/CryptTools.h"
#include "config/SettingsFile.h"
#include "config/ZQCConfig.h"
#include "tools/zqtool/Commands.h"
#include "tools/zqtool/ToolArgs.h"
#include "update/MyProxyConf.h"
#include "update/ZQConnector.h"
#include "util/SystemTools.h"
#include "util/ZQError.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString existingFile(const QString& APath)
{
    if (!SettingsFile::exists(APath))
        throw EZQError(QStringLiteral("no file \"%1\"").arg(APath));
    return APath;
}

// The record held by the file, or an error naming what the file should have held.
template <class TRecord>
TRecord recordOf(const QString& APath, const QString& AWhat)
{
    const std::optional<TRecord> record =
        TRecord::FromJsonText(CryptTools::ZQEntschluesseln(SettingsFile::read(existingFile(APath))));
    if (!record)
        throw EZQError(
            QStringLiteral("\"%1\" holds no %2 (damaged or not written by this program)").arg(APath, AWhat));
    return *record;
}

void showConfig(const TToolArgs& AArgs)
{
    const QString path = AArgs.positional(1, QLatin1String(TZQCConfig::FileName));
    ZQToolCommands::writeStandardOutput(
        recordOf<TZQCConfigFile>(path, QStringLiteral("configuration record")).ToJsonText() +
        QLatin1Char('\n'));
}

void writeConfig(const TToolArgs& AArgs)
{
    // Starts from the record already in the file, so that a write changes only the given values.
    TZQCConfig config(AArgs.positional(1, QLatin1String(TZQCConfig::FileName)));
    TZQCConfigFile& record = config.ConfigFile();
    if (AArgs.has(QStringLiteral("username")))
        record.SetUsername(AArgs.option(QStringLiteral("username")));
    if (AArgs.has(QStringLiteral("password")))
        record.SetPassword(AArgs.option(QStringLiteral("password")));
    if (AArgs.has(QStringLiteral("save-login")))
        record.SetSaveLoginData(AArgs.boolOption(QStringLiteral("save-login")));
    if (AArgs.has(QStringLiteral("last-tab")))
        record.SetLastTabIndex(AArgs.intOption(QStringLiteral("last-tab")));
    config.SaveConfigfile();
}

// "proxy.config" in the version-information folder next to the program.
QString defaultProxyPath()
{
    return SystemTools::GetExeDirectory() + QLatin1String(VersionFolderName) + QLatin1Char('/') +
           QLatin1String(TMyProxyConf::FileName);
}

void writeProxy(const TToolArgs& AArgs)
{
    const QString path = AArgs.positional(1, defaultProxyPath());
    TMyProxyConf record;
    record.SetHost(AArgs.requiredOption(QStringLiteral("host")));
    const qint32 port = AArgs.intOption(QStringLiteral("port"));
    if (port < 0 || port > 65535)
        throw EZQError(QStringLiteral("--port takes a number from 0 to 65535"));
    record.SetPort(port);
    record.SetUsername(AArgs.option(QStringLiteral("username")));
    record.SetPassword(AArgs.option(QStringLiteral("password")));
    if (AArgs.positional(1).isEmpty() && !QDir().mkpath(QFileInfo(path).absolutePath()))
        throw EZQError(QStringLiteral("cannot create the folder of \"%1\"").arg(path));
    record.WriteFile(path);
}

// "show" or "write"; show takes no options.
QString subcommand(const TToolArgs& AArgs, const char* AUsage)
{
    const QString action = AArgs.positional(0);
    if (action != QLatin1String("show") && action != QLatin1String("write"))
        throw EZQError(QStringLiteral("usage: %1").arg(QLatin1String(AUsage)));
    if (action == QLatin1String("show") && AArgs.hasOptions())
        throw EZQError(QStringLiteral("show takes no options"));
    return action;
}

} // namespace

namespace ZQToolCommands {

void config(const QStringList& AWords)
{
    const TToolArgs args(AWords, {"username", "password", "save-login", "last-tab"}, 2);
    if (subcommand(args, "zqtool config show|write [FILE] [options]") == QLatin1String("show"))
        showConfig(args);
    else
        writeConfig(args);
}

void proxy(const QStringList& AWords)
{
    const TToolArgs args(AWords, {"host", "port", "username", "password"}, 2);
    if (subcommand(args, "zqtool proxy show|write [FILE] [options]") == QLatin1String("show")) {
        const QString path = args.positional(1, defaultProxyPath());
        writeStandardOutput(recordOf<TMyProxyConf>(path, QStringLiteral("proxy settings")).ToJsonText() +
                            QLatin1Char('\n'));
    } else {
        writeProxy(args);
    }
}

} // namespace ZQToolCommands
