#pragma once

#include "standin/server/ServerUser.h"

#include <QElapsedTimer>
#include <QHash>
#include <optional>

// The open sessions: a session ends when it has been idle longer than the idle time.
class TSessions
{
public:
    explicit TSessions(int AIdleSeconds) : FIdleMilliseconds(qint64(AIdleSeconds) * 1000) {}

    QString Open(const TServerUser& AUser);
    // The user of a live session, touching it; none for an unknown or expired one, which is then gone.
    std::optional<TServerUser> Use(const QString& AId);
    void Close(const QString& AId) { FSessions.remove(AId); }
    qint64 IdleMilliseconds() const { return FIdleMilliseconds; }

private:
    struct TSession
    {
        TServerUser user;
        QElapsedTimer idle;
    };

    qint64 FIdleMilliseconds;
    QHash<QString, TSession> FSessions;
};
