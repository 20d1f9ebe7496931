#pragma once

#include <QAbstractHttpServer>
#include <QDir>

// The download area over plain HTTP with basic authentication: the files below one folder, found without
// regard to case, for GET and HEAD.
class TDownloadService : public QAbstractHttpServer
{
public:
    TDownloadService(const QString& AFolder, const QString& AUser, const QString& APassword);

    // The file that APath names below the folder, matching each segment without regard to case; empty when
    // there is none or the path tries to leave the folder.
    static QString Resolve(const QDir& ARoot, const QString& APath);

protected:
    bool handleRequest(const QHttpServerRequest& ARequest, QTcpSocket* ASocket) override;
    void missingHandler(const QHttpServerRequest& ARequest, QTcpSocket* ASocket) override;

private:
    QDir FRoot;
    QByteArray FCredentials; // "Basic " + base64 of user:password
};
