#include "standin/server/AccessRules.h"

#include "pages/ZQParams.h"
#include "standin/server/Sqlite.h"

#include <cstring>

namespace {

const QStringList& ReadableTables()
{
    static const QStringList tables = {
        "Orgatype",        "Orga",           "Orgauser",          "Customer",
        "Customertype",    "Softwaresystem", "Concustomeruser",   "Software",
        "Conorgasoftware", "Filename",       "Filenameversion",   "Consoftwarefilename",
        "Conorgafilename", "Updateversion",  "Conupversionpraxis"};
    return tables;
}

// Users below STANDARD see only the customers assigned to them.
bool SeesAssignedCustomersOnly(const TServerUser& AUser)
{
    return !HasRight(AUser.rights, ZQParams::RightStandard);
}

QString RowCondition(const TServerUser& AUser, const QString& ATable)
{
    if (AUser.IsStaff())
        return QStringLiteral("1");
    const QString orga = QString::number(AUser.orgaId);
    const QString user = QString::number(AUser.id);
    const QString orgaCustomers = QStringLiteral("SELECT id FROM main.Customer WHERE orga_id=") + orga;
    if (ATable == QLatin1String("Orga"))
        return QStringLiteral("id=") + orga;
    if (ATable == QLatin1String("Orgauser") || ATable == QLatin1String("Conorgasoftware") ||
        ATable == QLatin1String("Conorgafilename") || ATable == QLatin1String("Updateversion"))
        return QStringLiteral("orga_id=") + orga;
    if (ATable == QLatin1String("Customer"))
        return QStringLiteral("orga_id=") + orga +
               (SeesAssignedCustomersOnly(AUser)
                    ? QStringLiteral(
                          " AND id IN (SELECT customer_id FROM main.Concustomeruser WHERE orgauser_id=%1)")
                          .arg(user)
                    : QString());
    if (ATable == QLatin1String("Concustomeruser"))
        return QStringLiteral("customer_id IN (") + orgaCustomers + QLatin1Char(')') +
               (SeesAssignedCustomersOnly(AUser) ? QStringLiteral(" AND orgauser_id=") + user : QString());
    if (ATable == QLatin1String("Conupversionpraxis"))
        return QStringLiteral("updateversion_id IN (SELECT id FROM main.Updateversion WHERE orga_id=%1)")
            .arg(orga);
    return QStringLiteral("1");
}

// Only the user's own password hash ever leaves the server.
QString Columns(const TServerUser& AUser, const QString& ATable)
{
    if (ATable != QLatin1String("Orgauser"))
        return QStringLiteral("*");
    return QStringLiteral("id, email, name, CASE WHEN id=%1 THEN password ELSE '' END AS password, active, "
                          "changeddate, rights, chachedupdateid, orga_id")
        .arg(AUser.id);
}

int Authorize(void*, int AAction, const char* AThird, const char* AFourth, const char* ADatabase,
              const char* AView)
{
    switch (AAction) {
    case SQLITE_SELECT:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    case SQLITE_READ: {
        if (AThird && std::strncmp(AThird, "sqlite_", 7) == 0)
            return SQLITE_DENY;
        // Without a database it is a read of a view or subquery result itself, as count(*) makes.
        const bool throughView = !ADatabase || std::strcmp(ADatabase, "temp") == 0;
        const bool insideView = ADatabase && std::strcmp(ADatabase, "main") == 0 && AView;
        return throughView || insideView ? SQLITE_OK : SQLITE_DENY;
    }
    case SQLITE_FUNCTION:
        return AFourth &&
                       (std::strcmp(AFourth, "load_extension") == 0 || std::strncmp(AFourth, "fts3", 4) == 0)
                   ? SQLITE_DENY
                   : SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

} // namespace

namespace AccessRules {

QStringList ScopeViews(const TServerUser& AUser)
{
    // OFFSET keeps SQLite from flattening a view into the statement that uses it, so every read of a table
    // stays attributed to its view and the guard can tell it from a direct read.
    QStringList statements;
    for (const QString& table : ReadableTables()) {
        statements << QStringLiteral("DROP VIEW IF EXISTS temp.%1").arg(table)
                   << QStringLiteral(
                          "CREATE TEMP VIEW %1 AS SELECT %2 FROM main.%1 WHERE %3 LIMIT -1 OFFSET 0")
                          .arg(table, Columns(AUser, table), RowCondition(AUser, table));
    }
    return statements;
}

void GuardStatements(TSqliteDb& ADb)
{
    sqlite3_set_authorizer(ADb.Handle(), Authorize, nullptr);
}

void ReleaseStatements(TSqliteDb& ADb)
{
    sqlite3_set_authorizer(ADb.Handle(), nullptr, nullptr);
}

QString CheckWritableRow(TSqliteDb& ADb, const TServerUser& AUser, const QString& ATable, qint64 AId,
                         bool ADeleting)
{
    using namespace ZQParams;
    const bool admin = HasRight(AUser.rights, RightAdmin);
    const QString refused =
        QStringLiteral("Keine Berechtigung für den Datensatz %1 der Tabelle %2.").arg(AId).arg(ATable);
    QString sql;
    if (ATable == TableCustomer) {
        if (ADeleting && !HasRight(AUser.rights, RightStandard))
            return refused;
        sql = QStringLiteral("SELECT orga_id=:orga OR :staff FROM main.Customer WHERE id=:id");
        if (!AUser.IsStaff() && SeesAssignedCustomersOnly(AUser))
            sql = QStringLiteral(
                "SELECT orga_id=:orga AND id IN (SELECT customer_id FROM main.Concustomeruser WHERE "
                "orgauser_id=:user) FROM main.Customer WHERE id=:id");
    } else if (ATable == TableOrgauser) {
        if (!admin)
            return AId == AUser.id && !ADeleting ? QString() : refused;
        sql = QStringLiteral("SELECT (orga_id=:orga OR :staff) AND (:staff OR rights NOT LIKE '%ZQXT%') FROM "
                             "main.Orgauser WHERE id=:id");
    } else if (ATable == TableConcustomeruser) {
        if (!admin)
            return refused;
        sql = QStringLiteral(
            "SELECT :staff OR (c.orga_id=:orga AND u.orga_id=:orga) FROM main.Concustomeruser cu "
            "JOIN main.Customer c ON c.id=cu.customer_id JOIN main.Orgauser u ON u.id=cu.orgauser_id WHERE "
            "cu.id=:id");
    } else if (ATable == TableUpdateversion) {
        if (!admin)
            return refused;
        sql = QStringLiteral("SELECT orga_id=:orga OR :staff FROM main.Updateversion WHERE id=:id");
    } else if (ATable == TableConupversionpraxis) {
        if (!admin)
            return refused;
        sql = QStringLiteral(
            "SELECT :staff OR (u.orga_id=:orga AND c.orga_id=:orga) FROM main.Conupversionpraxis p "
            "JOIN main.Updateversion u ON u.id=p.updateversion_id JOIN main.Customer c ON c.id=p.customer_id "
            "WHERE p.id=:id");
    } else {
        return QStringLiteral("Die Tabelle %1 kann nicht geändert werden.").arg(ATable);
    }
    sql.replace(QLatin1String(":id"), QString::number(AId))
        .replace(QLatin1String(":orga"), QString::number(AUser.orgaId))
        .replace(QLatin1String(":staff"), AUser.IsStaff() ? QStringLiteral("1") : QStringLiteral("0"))
        .replace(QLatin1String(":user"), QString::number(AUser.id));
    TSqliteStatement check(ADb, sql);
    if (!check.Step())
        return QStringLiteral("Den Datensatz %1 der Tabelle %2 gibt es nicht.").arg(AId).arg(ATable);
    return check.Integer(0) ? QString() : refused;
}

} // namespace AccessRules
