#include "standin/server/Sqlite.h"

#include "util/ZQError.h"

#include <QDateTime>

TSqliteDb::TSqliteDb(const QString& APath)
{
    if (sqlite3_open_v2(APath.toUtf8().constData(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString reason = FDb ? ErrorText() : QStringLiteral("out of memory");
        sqlite3_close(FDb);
        FDb = nullptr;
        throw EZQError(QStringLiteral("cannot open the database %1: %2").arg(APath, reason));
    }
    sqlite3_busy_timeout(FDb, 5000);
    Exec(QStringLiteral("PRAGMA foreign_keys=ON"));
}

TSqliteDb::~TSqliteDb()
{
    sqlite3_close_v2(FDb);
}

void TSqliteDb::Exec(const QString& ASql)
{
    char* message = nullptr;
    if (sqlite3_exec(FDb, ASql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : "unknown error");
        sqlite3_free(message);
        throw EZQError(text);
    }
}

TSqliteStatement::TSqliteStatement(TSqliteDb& ADb, const QString& ASql) : FDb(ADb)
{
    if (sqlite3_prepare_v2(ADb.Handle(), ASql.toUtf8().constData(), -1, &FStatement, nullptr) != SQLITE_OK)
        throw EZQError(ADb.ErrorText());
}

TSqliteStatement::~TSqliteStatement()
{
    sqlite3_finalize(FStatement);
}

void TSqliteStatement::Bind(int AIndex, const QVariant& AValue)
{
    int status;
    if (AValue.isNull())
        status = sqlite3_bind_null(FStatement, AIndex);
    else if (AValue.typeId() == QMetaType::Int || AValue.typeId() == QMetaType::LongLong ||
             AValue.typeId() == QMetaType::Bool)
        status = sqlite3_bind_int64(FStatement, AIndex, AValue.toLongLong());
    else {
        const QByteArray text = AValue.typeId() == QMetaType::QDateTime
                                    ? AValue.toDateTime().toString(Qt::ISODateWithMs).toUtf8()
                                    : AValue.toString().toUtf8();
        status = sqlite3_bind_text(FStatement, AIndex, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    if (status != SQLITE_OK)
        throw EZQError(FDb.ErrorText());
}

bool TSqliteStatement::Step()
{
    const int status = sqlite3_step(FStatement);
    if (status == SQLITE_ROW)
        return true;
    if (status == SQLITE_DONE)
        return false;
    throw EZQError(FDb.ErrorText());
}

void TSqliteStatement::Reset()
{
    sqlite3_reset(FStatement);
    sqlite3_clear_bindings(FStatement);
}

QVariant TSqliteStatement::Value(int AColumn) const
{
    switch (sqlite3_column_type(FStatement, AColumn)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(FStatement, AColumn));
    case SQLITE_FLOAT:
        return sqlite3_column_double(FStatement, AColumn);
    default:
        return Text(AColumn);
    }
}

QString TSqliteStatement::Text(int AColumn) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(FStatement, AColumn));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(FStatement, AColumn)) : QString();
}
