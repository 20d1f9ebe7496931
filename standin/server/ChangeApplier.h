#pragma once

#include "platform/data/ChangeLog.h"
#include "standin/server/ServerUser.h"

class TSqliteDb;

// Applies a client's change log to one table in one transaction, all or nothing. A change updates only the
// columns it names, by the row's id. Gives the empty text on success, else the reason, and then nothing
// of the log has taken effect.
QString ApplyChangeLog(TSqliteDb& ADb, const TServerUser& AUser, const QString& ATable,
                       const TChangeLog& ALog);
