#include "standin/server/Sessions.h"

#include <QUuid>

QString TSessions::Open(const TServerUser& AUser)
{
    // Expired sessions are dropped whenever a new one opens, so the table stays small.
    for (auto it = FSessions.begin(); it != FSessions.end();)
        it = it->idle.elapsed() > FIdleMilliseconds ? FSessions.erase(it) : std::next(it);
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    TSession session{AUser, {}};
    session.idle.start();
    FSessions.insert(id, session);
    return id;
}

std::optional<TServerUser> TSessions::Use(const QString& AId)
{
    const auto it = FSessions.find(AId);
    if (it == FSessions.end())
        return std::nullopt;
    if (it->idle.elapsed() > FIdleMilliseconds) {
        FSessions.erase(it);
        return std::nullopt;
    }
    it->idle.restart();
    return it->user;
}
