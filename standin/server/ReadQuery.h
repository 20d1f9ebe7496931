#pragma once

#include "platform/data/FieldDef.h"
#include "standin/server/ServerUser.h"

#include <QByteArray>

class TSqliteDb;

// Runs a client's SQL text: exactly one read-only SELECT, seeing only the rows the user may read.
// Anything else raises EZQError and has no effect.
class TReadQuery
{
public:
    explicit TReadQuery(TSqliteDb& ADb) : FDb(ADb) {}

    // The packet of the rows the statement selects, streamed from SQLite. A column taken from another
    // table than ATable, or computed, is marked joined, the id of ATable as its key; a computed column is
    // typed by its first row's value.
    QByteArray Run(const TServerUser& AUser, const QString& ATable, const QString& ASql);

private:
    void ScopeTo(const TServerUser& AUser);

    TSqliteDb& FDb;
    QString FScope; // the user whose views are in place
};
