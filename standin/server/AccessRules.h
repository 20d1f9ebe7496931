#pragma once

#include "standin/server/ServerUser.h"

#include <QStringList>

class TSqliteDb;

// What a user may read and write (docs/protocol.md).
namespace AccessRules {

// Temporary views, one per table, that shadow the tables with only the rows the user may read; the
// statements of clients see the data through them alone.
QStringList ScopeViews(const TServerUser& AUser);

// Installs the guard that lets a statement read only through those views and do nothing but read.
void GuardStatements(TSqliteDb& ADb);
void ReleaseStatements(TSqliteDb& ADb);

// Empty when the user may have the row of ATable with that id (as it is now in the database), else the
// reason. ATable is one of the writable tables.
QString CheckWritableRow(TSqliteDb& ADb, const TServerUser& AUser, const QString& ATable, qint64 AId,
                         bool ADeleting);

} // namespace AccessRules
