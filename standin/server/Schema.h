#pragma once

#include <QStringList>

class TSqliteDb;

// The central server's tables, with the columns the client knows, plus Orgatype and the error log.
namespace Schema {

void Create(TSqliteDb& ADb);

// The tables whose rows clients may change.
const QStringList& WritableTables();

// The columns of a table as the database declares them; empty for an unknown table.
QStringList Columns(TSqliteDb& ADb, const QString& ATable);

} // namespace Schema
