#include "platform/rest/RestConnection.h"

#include "platform/rest/RestError.h"
#include "platform/rest/SessionPragma.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QUrl>

namespace {

QString failureText(QNetworkReply& AReply, int AStatus, const QByteArray& ABody)
{
    const bool http2 = AReply.attribute(QNetworkRequest::Http2WasUsedAttribute).toBool();
    QString text = QStringLiteral("%1 %2 %3")
                       .arg(http2 ? QStringLiteral("HTTP/2.0") : QStringLiteral("HTTP/1.1"))
                       .arg(AStatus)
                       .arg(AReply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    const QJsonObject answer = QJsonDocument::fromJson(ABody).object();
    QString detail = answer.value(QLatin1String("error")).toString();
    if (detail.isEmpty())
        detail = answer.value(QLatin1String("SessionExpired")).toString();
    if (!detail.isEmpty())
        text += QStringLiteral(":\r\n") + detail;
    return text;
}

} // namespace

TRestConnection::TRestConnection(QObject* AParent) : QObject(AParent)
{
    FManager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

void TRestConnection::SetUserName(const QString& AUserName)
{
    if (AUserName != FUserName)
        FSessionId.clear();
    FUserName = AUserName;
}

void TRestConnection::SetProxy(const QString& AHost, int APort, const QString& AUserName,
                               const QString& APassword)
{
    if (AHost.isEmpty()) {
        FManager.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        return;
    }
    FManager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, AHost, quint16(APort), AUserName, APassword));
}

void TRestConnection::AddCaCertificates(const QList<QSslCertificate>& ACertificates)
{
    FCaCertificates += ACertificates;
}

QByteArray TRestConnection::Execute(const QByteArray& AVerb, const QByteArray& APath, const QByteArray& ABody,
                                    const QByteArray& AAccept)
{
    const QByteArray address =
        QStringLiteral("%1://%2:%3/%4%5").arg(Protocol, Host).arg(Port).arg(Context, RestContext).toUtf8() +
        APath;
    QNetworkRequest request(QUrl::fromEncoded(address));
    request.setRawHeader("Accept", AAccept);
    request.setRawHeader("Content-Type", "text/plain;charset=UTF-8");
    request.setRawHeader("If-Modified-Since", "Mon, 1 Oct 1990 05:00:00 GMT");
    request.setRawHeader("Connection", ConnectionHeader.toLatin1());
    if (!FSessionId.isEmpty())
        request.setRawHeader("Pragma", "dssession=" + FSessionId.toLatin1());
    if (!FUserName.isEmpty())
        request.setRawHeader("Authorization",
                             "Basic " + (FUserName + QLatin1Char(':') + FPassword).toUtf8().toBase64());
    request.setTransferTimeout(TimeoutMilliseconds);
    for (const QString& file : std::exchange(FCaFiles, {}))
        FCaCertificates += QSslCertificate::fromPath(file);
    if (!FCaCertificates.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(FCaCertificates);
        request.setSslConfiguration(tls);
    }

    QNetworkReply* reply = FManager.sendCustomRequest(request, AVerb, ABody);
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    reply->deleteLater();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        throw EZQError(QStringLiteral("Error in request execution: ") + reply->errorString());
    const QByteArray body = reply->readAll();
    const int code = status.toInt();
    if (code < 200 || code > 202) {
        FSessionId.clear();
        throw ERestError(failureText(*reply, code, body), code, body);
    }
    const QString session = SessionIdOfPragma(reply->rawHeader("Pragma"));
    if (!session.isEmpty())
        FSessionId = session;
    return body;
}
