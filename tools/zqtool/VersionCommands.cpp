#include "tools/zqtool/Commands.h"
#include "tools/zqtool/ToolArgs.h"
#include "util/ElfVersionNote.h"
#include "util/MyTools.h"
#include "util/ZQError.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString readableFile(const QString& APath)
{
    QFile file(APath);
    if (!QFileInfo(APath).isFile() || !file.open(QIODevice::ReadOnly))
        throw EZQError(QStringLiteral("cannot read \"%1\"").arg(APath));
    return APath;
}

} // namespace

namespace ZQToolCommands {

void versionKey(const QStringList& AWords)
{
    const TToolArgs args(AWords, {}, 1);
    const QString path = readableFile(args.requiredPositional(0, QStringLiteral("file")));
    writeStandardOutput(TMyToolsEXE::getVersionNR(path, false) + QLatin1Char('\n'));
}

void setVersion(const QStringList& AWords)
{
    const TToolArgs args(AWords, {}, 2);
    const QString path = readableFile(args.requiredPositional(0, QStringLiteral("file")));
    TFileVersion version;
    if (!ParseDottedVersion(args.requiredPositional(1, QStringLiteral("version A.B.C.D")), version))
        throw EZQError(QStringLiteral("the version must be four numbers from 0 to 65535, as in 1.20.10.27"));
    ElfVersionNote::write(path, version);
}

} // namespace ZQToolCommands
