#pragma once

#include "platform/data/FieldDef.h"

#include <QList>
#include <QString>

// The server tables the client mirrors: their names as the server spells them and their columns.
struct TServerTableDef
{
    QString name;
    TFieldDefs fields;
    bool filterIgnoresCase = false;
    bool keepsChangeLog = true;
};

// All fourteen, in the data module's order.
const QList<TServerTableDef>& ServerTableDefs();

// The in-memory table's name for a server table ("mt" + name).
inline QString MemTableName(const QString& ATableName)
{
    return QStringLiteral("mt") + ATableName;
}
