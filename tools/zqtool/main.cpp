#include "tools/zqtool/Commands.h"
#include "util/ZQError.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <map>

namespace {

constexpr char Usage[] =
    "usage: zqtool COMMAND [ARGS]\n"
    "  encrypt | decrypt                      standard input to standard output\n"
    "  hash-password [--salt XY] PASSWORD     the crypt(3) hash, with the program's salt by default\n"
    "  config show [FILE]                     the JSON of a configuration file (./PLXConfig.conf)\n"
    "  config write [FILE] [--username U] [--password P] [--save-login true|false] [--last-tab N]\n"
    "                                         changes the given values, keeping the others\n"
    "  proxy show [FILE]                      the JSON of a proxy file (ZQVersions/proxy.config here)\n"
    "  proxy write [FILE] --host H --port N [--username U --password P]\n"
    "  version-key FILE                       the version key of an executable\n"
    "  set-version FILE A.B.C.D               writes the file version into an executable\n"
    "  call --host H --port P [--ca FILE] --user EMAIL --password PW METHOD [ARGS]\n"
    "                                         calls one server method and prints its answer\n"
    "                                         (getOneTable TABLE SQL prints the rows as JSON lines)\n";

using TCommand = std::function<void(const QStringList&)>;

const std::map<QString, TCommand> Commands = {
    {QStringLiteral("encrypt"), ZQToolCommands::encrypt},
    {QStringLiteral("decrypt"), ZQToolCommands::decrypt},
    {QStringLiteral("hash-password"), ZQToolCommands::hashPassword},
    {QStringLiteral("config"), ZQToolCommands::config},
    {QStringLiteral("proxy"), ZQToolCommands::proxy},
    {QStringLiteral("version-key"), ZQToolCommands::versionKey},
    {QStringLiteral("set-version"), ZQToolCommands::setVersion},
    {QStringLiteral("call"), ZQToolCommands::call},
};

constexpr int ExitFailure = 2;

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList words = application.arguments().mid(1);
    if (!words.isEmpty() && words.first() == QLatin1String("--help")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const auto command = words.isEmpty() ? Commands.end() : Commands.find(words.takeFirst());
    if (command == Commands.end()) {
        std::fputs("zqtool: no such command; zqtool --help lists them\n", stderr);
        return ExitFailure;
    }
    try {
        command->second(words);
    } catch (const EZQError& error) {
        std::fprintf(stderr, "zqtool: %s\n", qUtf8Printable(error.Message().simplified()));
        return ExitFailure;
    }
    return 0;
}
