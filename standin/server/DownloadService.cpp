#include "standin/server/DownloadService.h"

#include <QFile>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMimeDatabase>

using TStatus = QHttpServerResponder::StatusCode;

TDownloadService::TDownloadService(const QString& AFolder, const QString& AUser, const QString& APassword)
    : FRoot(AFolder), FCredentials("Basic " + (AUser + QLatin1Char(':') + APassword).toUtf8().toBase64())
{
}

QString TDownloadService::Resolve(const QDir& ARoot, const QString& APath)
{
    QDir folder = ARoot;
    const QStringList segments = APath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString& segment = segments[i];
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return {};
        const bool last = i == segments.size() - 1;
        const QStringList entries = folder.entryList(last ? QDir::Files : QDir::Dirs | QDir::NoDotAndDotDot);
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& AEntry) {
            return AEntry.compare(segment, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            return {};
        if (last)
            return folder.filePath(*match);
        folder.cd(*match);
    }
    return {};
}

bool TDownloadService::handleRequest(const QHttpServerRequest& ARequest, QTcpSocket* ASocket)
{
    QHttpServerResponder responder = makeResponder(ARequest, ASocket);
    if (ARequest.value("Authorization") != FCredentials) {
        responder.write(QByteArray("Anmeldung erforderlich"),
                        {{"Content-Type", "text/plain; charset=utf-8"},
                         {"WWW-Authenticate", "Basic realm=\"ZQ Downloads\""}},
                        TStatus::Unauthorized);
        return true;
    }
    const bool head = ARequest.method() == QHttpServerRequest::Method::Head;
    if (!head && ARequest.method() != QHttpServerRequest::Method::Get) {
        responder.write(TStatus::MethodNotAllowed);
        return true;
    }
    const QString path = Resolve(FRoot, ARequest.url().path());
    auto* file = new QFile(path);
    if (path.isEmpty() || !file->open(QIODevice::ReadOnly)) {
        delete file;
        responder.write(QByteArray("Nicht gefunden"), {{"Content-Type", "text/plain; charset=utf-8"}},
                        TStatus::NotFound);
        return true;
    }
    const QByteArray mime = QMimeDatabase().mimeTypeForFile(path).name().toLatin1();
    if (head) {
        // HEAD: the headers of the GET, with the file's size, and no body.
        responder.writeStatusLine(TStatus::Ok);
        responder.writeHeader("Content-Type", mime);
        responder.writeHeader("Content-Length", QByteArray::number(file->size()));
        responder.writeBody(QByteArray());
        delete file;
        return true;
    }
    responder.write(file, mime); // streams the file and takes it over
    return true;
}

void TDownloadService::missingHandler(const QHttpServerRequest& ARequest, QTcpSocket* ASocket)
{
    makeResponder(ARequest, ASocket).write(TStatus::NotFound);
}
