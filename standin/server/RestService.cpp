#include "standin/server/RestService.h"

#include "config/DESCrypt.h"
#include "platform/data/PacketCodec.h"
#include "platform/rest/SessionPragma.h"
#include "standin/server/ChangeApplier.h"
#include "standin/server/Sqlite.h"
#include "util/ZQError.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

using TStatus = QHttpServerResponder::StatusCode;

struct TRestService::TAnswer
{
    TStatus status = TStatus::Ok;
    QJsonObject body;
    QString session;
};

namespace {

QJsonObject result(const QJsonArray& AValues)
{
    return {{QStringLiteral("result"), AValues}};
}

QJsonObject failure(const QString& AText)
{
    return {{QStringLiteral("error"), AText}};
}

// The e-mail and password of the basic authentication; empty when there is none.
QPair<QString, QString> credentialsOf(const QHttpServerRequest& ARequest)
{
    const QByteArray header = ARequest.value("Authorization");
    if (!header.startsWith("Basic "))
        return {};
    const QString decoded = QString::fromUtf8(QByteArray::fromBase64(header.mid(6)));
    const qsizetype colon = decoded.indexOf(QLatin1Char(':'));
    return colon < 0 ? QPair<QString, QString>()
                     : QPair<QString, QString>(decoded.left(colon), decoded.mid(colon + 1));
}

} // namespace

TRestService::TRestService(TSqliteDb& ADb, int ASessionIdleSeconds)
    : FDb(ADb), FSessions(ASessionIdleSeconds), FReadQuery(ADb)
{
}

bool TRestService::handleRequest(const QHttpServerRequest& ARequest, QTcpSocket* ASocket)
{
    TAnswer answer;
    try {
        answer = Dispatch(ARequest);
    } catch (const EZQError& error) {
        answer = {TStatus::InternalServerError, failure(error.Message()), {}};
    }
    const QByteArray body = QJsonDocument(answer.body).toJson(QJsonDocument::Compact);
    QHttpServerResponder responder = makeResponder(ARequest, ASocket);
    const QByteArray pragma = answer.session.isEmpty()
                                  ? QByteArray()
                                  : "dssession=" + answer.session.toLatin1() + ",dssessionexpires=" +
                                        QByteArray::number(FSessions.IdleMilliseconds());
    if (pragma.isEmpty())
        responder.write(body, {{"Content-Type", "application/json"}}, answer.status);
    else
        responder.write(body, {{"Content-Type", "application/json"}, {"Pragma", pragma}}, answer.status);
    return true;
}

void TRestService::missingHandler(const QHttpServerRequest& ARequest, QTcpSocket* ASocket)
{
    makeResponder(ARequest, ASocket).write(TStatus::NotFound);
}

std::optional<TServerUser> TRestService::Authenticate(const QHttpServerRequest& ARequest)
{
    const auto [email, password] = credentialsOf(ARequest);
    TSqliteStatement lookup(FDb,
                            QStringLiteral("SELECT id, orga_id, rights, password, active FROM main.Orgauser "
                                           "WHERE email=? COLLATE NOCASE"));
    lookup.Bind(1, email);
    if (email.isEmpty() || !lookup.Step() || !lookup.Value(4).toBool())
        return std::nullopt;
    const QString stored = lookup.Text(3);
    TDESCrypt hasher;
    hasher.SetInput(password);
    hasher.SetSalt(stored.left(2));
    if (stored.size() != 13 || !hasher.Execute() || hasher.Output() != stored)
        return std::nullopt;
    return TServerUser{lookup.Integer(0), lookup.Integer(1), email, lookup.Text(2).toUpper()};
}

TRestService::TAnswer TRestService::Dispatch(const QHttpServerRequest& ARequest)
{
    QStringList segments = ARequest.url().path(QUrl::FullyEncoded).split(QLatin1Char('/'));
    if (!segments.isEmpty() && segments.first().isEmpty())
        segments.removeFirst();
    if (!segments.isEmpty() && segments.last().isEmpty())
        segments.removeLast();
    if (segments.size() < 4 || segments[0] != QLatin1String("datasnap") ||
        segments[1] != QLatin1String("rest"))
        return {TStatus::NotFound, failure(QStringLiteral("Unbekannter Pfad")), {}};
    const QString method = segments[2] + QLatin1Char('.') + QUrl::fromPercentEncoding(segments[3].toUtf8());
    QStringList arguments;
    for (qsizetype i = 4; i < segments.size(); ++i)
        arguments << QUrl::fromPercentEncoding(segments[i].toUtf8());

    QString session = SessionIdOfPragma(ARequest.value("Pragma"));
    if (method == QLatin1String("TFFunctionsMain.Disconnect")) {
        FSessions.Close(session);
        return {TStatus::Ok, result({}), {}};
    }
    std::optional<TServerUser> user;
    if (!session.isEmpty()) {
        user = FSessions.Use(session);
        if (!user)
            return {TStatus::Forbidden,
                    {{QStringLiteral("SessionExpired"), QStringLiteral("Session %1 expired").arg(session)}},
                    {}};
        if (user->email.compare(credentialsOf(ARequest).first, Qt::CaseInsensitive) != 0)
            return {TStatus::Forbidden,
                    failure(QStringLiteral("Die Anmeldedaten passen nicht zur Sitzung.")),
                    {}};
    } else {
        user = Authenticate(ARequest);
        if (!user)
            return {
                TStatus::Forbidden, failure(QStringLiteral("Benutzername oder Passwort ist falsch.")), {}};
        session = FSessions.Open(*user);
    }
    TAnswer answer = Call(*user, method, arguments, ARequest.body());
    answer.session = session;
    return answer;
}

TRestService::TAnswer TRestService::Call(const TServerUser& AUser, const QString& AMethod,
                                         const QStringList& AArguments, const QByteArray& ABody)
{
    const auto argument = [&](int AIndex) {
        return AArguments.value(AIndex);
    };
    if (AMethod == QLatin1String("TFFunctionsMain.Connected"))
        return {TStatus::Ok, result({true}), {}};
    if (AMethod == QLatin1String("TFFunctionsDatabase.getUserID"))
        return {TStatus::Ok, result({QString::number(AUser.id)}), {}};
    if (AMethod == QLatin1String("TFFunctionsDatabase.getOrgaID"))
        return {TStatus::Ok, result({QString::number(AUser.orgaId)}), {}};
    if (AMethod == QLatin1String("TFFunctionsDatabase.getOneTable") && AArguments.size() == 2) {
        const QByteArray packet = FReadQuery.Run(AUser, argument(0), argument(1));
        return {TStatus::Ok, result({QJsonObject{{argument(0), QString::fromLatin1(packet)}}}), {}};
    }
    if (AMethod == QLatin1String("TFFunctionsDatabase.\"postSelecedTable\"") && AArguments.size() == 1) {
        TDeltaList deltas;
        try {
            deltas = PacketCodec::DeltaListFromJson(QJsonDocument::fromJson(ABody).object());
        } catch (const EZQError& error) {
            return {TStatus::BadRequest, failure(error.Message()), {}};
        }
        const auto entry = std::find_if(deltas.begin(), deltas.end(),
                                        [&](const auto& AEntry) { return AEntry.first == argument(0); });
        const QString answer =
            entry == deltas.end()
                ? QStringLiteral("Keine Änderungen für die Tabelle %1 übermittelt.").arg(argument(0))
                : ApplyChangeLog(FDb, AUser, argument(0), entry->second);
        return {TStatus::Ok, result({answer}), {}};
    }
    if (AMethod == QLatin1String("TFFunctionsDatabase.postError") && AArguments.size() == 2) {
        TSqliteStatement log(
            FDb, QStringLiteral("INSERT INTO main.ErrorLog (loggedat, orgauser_id, functionname, errortext) "
                                "VALUES (strftime('%Y-%m-%dT%H:%M:%S', 'now'), ?, ?, ?)"));
        log.Bind(1, AUser.id);
        log.Bind(2, argument(0));
        log.Bind(3, argument(1));
        log.Step();
        return {TStatus::Ok, result({}), {}};
    }
    return {TStatus::NotFound, failure(QStringLiteral("Unbekannte Methode %1").arg(AMethod)), {}};
}
