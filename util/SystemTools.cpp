#include "util/SystemTools.h"

#include "util/MyToolsPlatform.h"
#include "util/ZQError.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>

QString SystemTools::GetExePath()
{
    return MyToolsPlatform::runningExecutablePath();
}

QString SystemTools::GetExeName()
{
    return QFileInfo(GetExePath()).fileName();
}

QString SystemTools::GetExeNameWithoutExtension()
{
    return NameWithoutExtension(GetExeName());
}

QString SystemTools::GetExeDirectory()
{
    return QFileInfo(GetExePath()).absolutePath() + QLatin1Char('/');
}

bool SystemTools::ProcessStart(const QString& AProgrammname, const QString& AParam)
{
    MyToolsPlatform::shellOpen(AProgrammname, AParam);
    return true;
}

QString SystemTools::NameWithoutExtension(const QString& AFileName)
{
    const qsizetype dot = AFileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return AFileName;
    QString name = AFileName;
    return name.remove(AFileName.mid(dot), Qt::CaseInsensitive);
}

QString GetNewGUID()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

qint64 GetFileByteSize(const QString& APath)
{
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly))
        throw EZQError(
            QStringLiteral("Datei \"%1\" kann nicht geöffnet werden. %2").arg(APath, file.errorString()));
    return file.size();
}

QString GetLocalComputerName()
{
    return MyToolsPlatform::computerName();
}
