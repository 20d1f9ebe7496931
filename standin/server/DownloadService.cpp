#include "standin/server/DownloadService.h"

#include <QHttpServerResponder>

bool TDownloadService::handleRequest(const QHttpServerRequest&, QTcpSocket*)
{
    return false;
}

void TDownloadService::missingHandler(const QHttpServerRequest& ARequest, QTcpSocket* ASocket)
{
    makeResponder(ARequest, ASocket).write(QHttpServerResponder::StatusCode::NotFound);
}
