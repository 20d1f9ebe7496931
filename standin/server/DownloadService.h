#pragma once

#include <QAbstractHttpServer>

// The download area over plain HTTP: files below one folder. Nothing is published there yet, so every
// request is answered "404 Not Found".
class TDownloadService : public QAbstractHttpServer
{
public:
    explicit TDownloadService(const QString& AFolder) : FFolder(AFolder) {}

protected:
    bool handleRequest(const QHttpServerRequest& ARequest, QTcpSocket* ASocket) override;
    void missingHandler(const QHttpServerRequest& ARequest, QTcpSocket* ASocket) override;

private:
    QString FFolder;
};
