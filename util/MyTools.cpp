#include "util/MyTools.h"

#include "util/FileVersion.h"
#include "util/MyToolsPlatform.h"
#include "util/SystemTools.h"
#include "util/ZQError.h"

QString TMyToolsDirectory::GetExePath()
{
    return SystemTools::GetExePath();
}

QString TMyToolsDirectory::GetExeFolder()
{
    const QString path = GetExePath();
    if (path.size() >= MyToolsPlatform::maxPathLength())
        throw EZQError(QStringLiteral("Der angegebene Pfad ist zu lang"));
    return SystemTools::GetExeDirectory();
}

QString TMyToolsEXE::getNameWithEx()
{
    return SystemTools::GetExeName();
}

QString TMyToolsEXE::getVersionNR(const QString& AFilePath, bool AAsInteger)
{
    TFileVersion version;
    MyToolsPlatform::getVersionNR(AFilePath.isEmpty() ? SystemTools::GetExePath() : AFilePath, version.major,
                                  version.minor, version.release, version.build);
    QString key = FormatVersionKey(version);
    if (AAsInteger)
        key.remove(QLatin1Char('_'));
    return key;
}
