#pragma once

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSslCertificate>
#include <QString>

// The connection to the server's REST methods: host, port, credentials sent with every request, the
// server's session id kept between calls, proxy and trusted certificates. Calls are synchronous: a local
// event loop that takes no user input runs until the answer arrives, so a click cannot re-enter.
class TRestConnection : public QObject
{
    Q_OBJECT

public:
    explicit TRestConnection(QObject* AParent = nullptr);

    QString Host;
    int Port = 443;
    QString Protocol = QStringLiteral("https");
    QString Context = QStringLiteral("datasnap/");
    QString RestContext = QStringLiteral("rest/");
    QString ConnectionHeader = QStringLiteral("Keep-Alive");
    int TimeoutMilliseconds = 60000;

    // A user name other than the current one drops the session id.
    void SetUserName(const QString& AUserName);
    void SetPassword(const QString& APassword) { FPassword = APassword; }

    const QString& SessionId() const { return FSessionId; }
    void DropSession() { FSessionId.clear(); }

    void SetProxy(const QString& AHost, int APort, const QString& AUserName, const QString& APassword);
    // Certificates trusted besides the system's, for a server with its own authority.
    void AddCaCertificates(const QList<QSslCertificate>& ACertificates);
    // The same from a PEM file, read at the first request, so that TLS costs the program's start nothing.
    void AddCaFile(const QString& APath) { FCaFiles << APath; }

    // Sends one request to APath below the REST context (already percent-encoded) and gives the body of a
    // successful answer. A failure status raises ERestError and drops the session id; a request without any
    // answer raises EZQError "Error in request execution: " and the network layer's text.
    QByteArray Execute(const QByteArray& AVerb, const QByteArray& APath, const QByteArray& ABody,
                       const QByteArray& AAccept);

private:
    QNetworkAccessManager FManager;
    QString FUserName;
    QString FPassword;
    QString FSessionId;
    QList<QSslCertificate> FCaCertificates;
    QStringList FCaFiles;
};
