#include "standin/server/ReadQuery.h"

#include "platform/data/PacketCodec.h"
#include "standin/server/AccessRules.h"
#include "standin/server/Sqlite.h"
#include "util/ZQError.h"

namespace {

TFieldType typeOfDeclaration(const char* ADeclared)
{
    const QByteArray declared = QByteArray(ADeclared).toUpper();
    if (declared.contains("BOOL"))
        return TFieldType::Boolean;
    if (declared.contains("DATE") || declared.contains("TIME"))
        return TFieldType::DateTime;
    if (declared.contains("INT"))
        return TFieldType::Integer;
    return TFieldType::Text;
}

// Keeps the statement guard in place for as long as the client's statement lives.
class TGuard
{
public:
    explicit TGuard(TSqliteDb& ADb) : FDb(ADb) { AccessRules::GuardStatements(FDb); }
    ~TGuard() { AccessRules::ReleaseStatements(FDb); }

private:
    TSqliteDb& FDb;
};

} // namespace

void TReadQuery::ScopeTo(const TServerUser& AUser)
{
    const QString scope = QStringLiteral("%1/%2/%3").arg(AUser.id).arg(AUser.orgaId).arg(AUser.rights);
    if (scope == FScope)
        return;
    FScope.clear();
    for (const QString& statement : AccessRules::ScopeViews(AUser))
        FDb.Exec(statement);
    FScope = scope;
}

QByteArray TReadQuery::Run(const TServerUser& AUser, const QString& ATable, const QString& ASql)
{
    ScopeTo(AUser);
    TGuard guard(FDb);
    const QByteArray sql = ASql.toUtf8();
    sqlite3_stmt* prepared = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(FDb.Handle(), sql.constData(), int(sql.size()), &prepared, &tail) != SQLITE_OK)
        throw EZQError(QStringLiteral("Die Abfrage wurde abgelehnt: ") + FDb.ErrorText());
    if (!prepared)
        throw EZQError(QStringLiteral("Die Abfrage ist leer."));
    TSqliteStatement statement(FDb, prepared);

    sqlite3_stmt* second = nullptr;
    const int secondStatus =
        sqlite3_prepare_v2(FDb.Handle(), tail, int(sql.constData() + sql.size() - tail), &second, nullptr);
    sqlite3_finalize(second);
    if (secondStatus != SQLITE_OK || second)
        throw EZQError(
            QStringLiteral("Die Abfrage wurde abgelehnt: nur eine einzelne SELECT-Anweisung ist erlaubt."));
    if (!sqlite3_stmt_readonly(prepared))
        throw EZQError(QStringLiteral("Die Abfrage wurde abgelehnt: nur lesende Anweisungen sind erlaubt."));

    bool hasRow = statement.Step();
    TFieldDefs fields;
    for (int i = 0; i < statement.ColumnCount(); ++i) {
        TFieldDef field;
        field.name = QString::fromUtf8(sqlite3_column_name(prepared, i));
        const char* table = sqlite3_column_table_name(prepared, i);
        const char* column = sqlite3_column_origin_name(prepared, i);
        const bool ownColumn = table && QString::fromUtf8(table).compare(ATable, Qt::CaseInsensitive) == 0;
        field.joined = !ownColumn;
        field.key = ownColumn && column && qstrcmp(column, "id") == 0;
        const char* declaration = sqlite3_column_decltype(prepared, i);
        field.type = declaration ? typeOfDeclaration(declaration)
                     : hasRow && sqlite3_column_type(prepared, i) == SQLITE_INTEGER ? TFieldType::Integer
                                                                                    : TFieldType::Text;
        fields << field;
    }

    PacketCodec::TDataSetEncoder encoder(fields);
    for (; hasRow; hasRow = statement.Step()) {
        for (int i = 0; i < fields.size(); ++i) {
            switch (sqlite3_column_type(prepared, i)) {
            case SQLITE_NULL:
                encoder.AddNull();
                break;
            case SQLITE_INTEGER:
                if (fields[i].type == TFieldType::Boolean)
                    encoder.AddBoolean(sqlite3_column_int64(prepared, i) != 0);
                else
                    encoder.AddInteger(sqlite3_column_int64(prepared, i));
                break;
            default: {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(prepared, i));
                const QByteArrayView utf8(text, sqlite3_column_bytes(prepared, i));
                if (fields[i].type == TFieldType::DateTime)
                    encoder.AddDateTime(utf8);
                else
                    encoder.AddText(utf8);
            }
            }
        }
        encoder.EndRow();
    }
    return encoder.Finish();
}
