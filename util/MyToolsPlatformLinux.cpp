#include "util/ElfVersionNote.h"
#include "util/MyToolsPlatform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <climits>

QString MyToolsPlatform::getVersionNR(const QString& AFilePath, quint16& wMaj, quint16& WMin,
                                      quint16& wRelease, quint16& wBuild)
{
    wMaj = WMin = wRelease = wBuild = 0;
    if (AFilePath.isEmpty())
        return {};
    if (!QFileInfo(AFilePath).isFile())
        return QStringLiteral("Datei existiert nicht");
    const std::optional<TFileVersion> version = ElfVersionNote::read(AFilePath);
    if (!version)
        return QStringLiteral("Keine Versions-Information.");
    wMaj = version->major;
    WMin = version->minor;
    wRelease = version->release;
    wBuild = version->build;
    return FormatDottedVersion(*version);
}

QString MyToolsPlatform::runningExecutablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

int MyToolsPlatform::maxPathLength()
{
    return PATH_MAX;
}

void MyToolsPlatform::shellOpen(const QString& AProgrammname, const QString& AParam)
{
    const QFileInfo target(AProgrammname);
    if (target.isFile() && target.isExecutable())
        QProcess::startDetached(AProgrammname, QProcess::splitCommand(AParam));
    else
        QProcess::startDetached(QStringLiteral("xdg-open"), {AProgrammname});
}

QString MyToolsPlatform::computerName()
{
    return QSysInfo::machineHostName();
}
