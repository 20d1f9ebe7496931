#include "standin/server/ChangeApplier.h"

#include "pages/ZQParams.h"
#include "standin/server/AccessRules.h"
#include "standin/server/Schema.h"
#include "standin/server/Sqlite.h"
#include "util/ZQError.h"

namespace {

// What a user who is no administrator may change in his own account.
const QStringList OwnAccountColumns = {"email", "name", "password", "chachedupdateid", "changeddate"};

void require(const QString& AReason)
{
    if (!AReason.isEmpty())
        throw EZQError(AReason);
}

qint64 keyOf(const TDelta& ADelta)
{
    bool ok = false;
    const qint64 key = ADelta.key.toLongLong(&ok);
    if (!ok)
        throw EZQError(QStringLiteral("Eine Änderung ohne gültige id wurde abgelehnt."));
    return key;
}

void checkColumns(const TDelta& ADelta, const QStringList& AColumns, const QString& ATable)
{
    for (auto it = ADelta.values.constBegin(); it != ADelta.values.constEnd(); ++it) {
        if (it.key() == QLatin1String("id") || !AColumns.contains(it.key()))
            throw EZQError(QStringLiteral("Die Spalte \"%1\" der Tabelle %2 kann nicht geschrieben werden.")
                               .arg(it.key(), ATable));
    }
}

void applyOne(TSqliteDb& ADb, const TServerUser& AUser, const QString& ATable, const QStringList& AColumns,
              const TDelta& ADelta)
{
    checkColumns(ADelta, AColumns, ATable);
    const QStringList names = ADelta.values.keys();
    switch (ADelta.kind) {
    case TDelta::TKind::Insert: {
        QStringList marks(names.size(), QStringLiteral("?"));
        TSqliteStatement insert(
            ADb, names.isEmpty()
                     ? QStringLiteral("INSERT INTO main.%1 DEFAULT VALUES").arg(ATable)
                     : QStringLiteral("INSERT INTO main.%1 (%2) VALUES (%3)")
                           .arg(ATable, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (int i = 0; i < names.size(); ++i)
            insert.Bind(i + 1, ADelta.values[names[i]]);
        insert.Step();
        require(AccessRules::CheckWritableRow(ADb, AUser, ATable, ADb.LastInsertId(), false));
        break;
    }
    case TDelta::TKind::Modify: {
        const qint64 id = keyOf(ADelta);
        require(AccessRules::CheckWritableRow(ADb, AUser, ATable, id, false));
        if (ATable == ZQParams::TableOrgauser && !HasRight(AUser.rights, ZQParams::RightAdmin)) {
            for (const QString& name : names) {
                if (!OwnAccountColumns.contains(name))
                    throw EZQError(
                        QStringLiteral("Die Spalte \"%1\" darf nur ein Administrator ändern.").arg(name));
            }
        }
        if (names.isEmpty())
            break;
        QStringList assignments;
        for (const QString& name : names)
            assignments << name + QStringLiteral("=?");
        TSqliteStatement update(ADb, QStringLiteral("UPDATE main.%1 SET %2 WHERE id=?")
                                         .arg(ATable, assignments.join(QLatin1Char(','))));
        for (int i = 0; i < names.size(); ++i)
            update.Bind(i + 1, ADelta.values[names[i]]);
        update.Bind(int(names.size()) + 1, id);
        update.Step();
        require(AccessRules::CheckWritableRow(ADb, AUser, ATable, id, false));
        break;
    }
    case TDelta::TKind::Delete: {
        const qint64 id = keyOf(ADelta);
        require(AccessRules::CheckWritableRow(ADb, AUser, ATable, id, true));
        TSqliteStatement remove(ADb, QStringLiteral("DELETE FROM main.%1 WHERE id=?").arg(ATable));
        remove.Bind(1, id);
        remove.Step();
        break;
    }
    }
}

} // namespace

QString ApplyChangeLog(TSqliteDb& ADb, const TServerUser& AUser, const QString& ATable,
                       const TChangeLog& ALog)
{
    if (!Schema::WritableTables().contains(ATable))
        return QStringLiteral("Die Tabelle %1 kann nicht geändert werden.").arg(ATable);
    const QStringList columns = Schema::Columns(ADb, ATable);
    ADb.Exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        for (const TDelta& delta : ALog)
            applyOne(ADb, AUser, ATable, columns, delta);
        ADb.Exec(QStringLiteral("COMMIT"));
        return {};
    } catch (const EZQError& error) {
        ADb.Exec(QStringLiteral("ROLLBACK"));
        return error.Message();
    }
}
