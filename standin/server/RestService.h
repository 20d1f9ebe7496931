#pragma once

#include "standin/server/ReadQuery.h"
#include "standin/server/Sessions.h"

#include <QAbstractHttpServer>

class TSqliteDb;

// The REST methods of the central server over HTTPS: TFFunctionsMain and TFFunctionsDatabase with basic
// authentication, sessions in the "Pragma" header and JSON answers (docs/protocol.md).
class TRestService : public QAbstractHttpServer
{
public:
    TRestService(TSqliteDb& ADb, int ASessionIdleSeconds);

protected:
    bool handleRequest(const QHttpServerRequest& ARequest, QTcpSocket* ASocket) override;
    void missingHandler(const QHttpServerRequest& ARequest, QTcpSocket* ASocket) override;

private:
    struct TAnswer;
    TAnswer Dispatch(const QHttpServerRequest& ARequest);
    TAnswer Call(const TServerUser& AUser, const QString& AMethod, const QStringList& AArguments,
                 const QByteArray& ABody);
    std::optional<TServerUser> Authenticate(const QHttpServerRequest& ARequest);

    TSqliteDb& FDb;
    TSessions FSessions;
    TReadQuery FReadQuery;
};
