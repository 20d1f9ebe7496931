#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

// One recorded change of an in-memory table. An insert carries the values set in the new row; a change
// carries the row's key with the new and the original values of the columns that changed; a deletion
// carries the key. Joined columns and the key column itself are never part of the values.
struct TDelta
{
    enum class TKind
    {
        Insert,
        Modify,
        Delete
    };

    TKind kind = TKind::Insert;
    QVariant key;
    QMap<QString, QVariant> values;
    QMap<QString, QVariant> originals;

    bool operator==(const TDelta&) const = default;
};

// Every change of a table since it was last loaded, in the order the changes were made.
using TChangeLog = QList<TDelta>;
