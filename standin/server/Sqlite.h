#pragma once

#include <QString>
#include <QVariant>
#include <sqlite3.h>

// A thin owner of an SQLite connection and its statements; every failure throws EZQError with SQLite's text.
class TSqliteDb
{
public:
    explicit TSqliteDb(const QString& APath);
    ~TSqliteDb();
    TSqliteDb(const TSqliteDb&) = delete;
    TSqliteDb& operator=(const TSqliteDb&) = delete;

    sqlite3* Handle() const { return FDb; }
    void Exec(const QString& ASql);
    qint64 LastInsertId() const { return sqlite3_last_insert_rowid(FDb); }
    QString ErrorText() const { return QString::fromUtf8(sqlite3_errmsg(FDb)); }

private:
    sqlite3* FDb = nullptr;
};

class TSqliteStatement
{
public:
    TSqliteStatement(TSqliteDb& ADb, const QString& ASql);
    // Takes a statement prepared elsewhere.
    TSqliteStatement(TSqliteDb& ADb, sqlite3_stmt* AStatement) : FDb(ADb), FStatement(AStatement) {}
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    // Binds AValue to the parameter at AIndex (from 1): null, integer, boolean as 0/1, date and time as ISO
    // text, anything else as text.
    void Bind(int AIndex, const QVariant& AValue);
    // True while there is a row.
    bool Step();
    void Reset();

    int ColumnCount() const { return sqlite3_column_count(FStatement); }
    QVariant Value(int AColumn) const;
    qint64 Integer(int AColumn) const { return sqlite3_column_int64(FStatement, AColumn); }
    QString Text(int AColumn) const;
    sqlite3_stmt* Handle() const { return FStatement; }

private:
    TSqliteDb& FDb;
    sqlite3_stmt* FStatement = nullptr;
};
