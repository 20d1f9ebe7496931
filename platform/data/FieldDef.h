#pragma once

#include <QList>
#include <QString>
#include <QVariant>

enum class TFieldType
{
    Text,
    Integer,
    Boolean,
    DateTime
};

// One column of a data set: its name, type and flags. A joined column is read from another table by a
// page's query; it is shown but never sent back to the server.
struct TFieldDef
{
    QString name;
    TFieldType type = TFieldType::Text;
    bool key = false;
    bool required = false;
    bool joined = false;

    bool operator==(const TFieldDef&) const = default;
};

using TFieldDefs = QList<TFieldDef>;
using TRowValues = QList<QVariant>;

// A data set as it travels between server and client: its columns and its rows, each row one value per
// column in column order (an invalid QVariant is null).
struct TDataSetRows
{
    TFieldDefs fields;
    QList<TRowValues> rows;

    bool operator==(const TDataSetRows&) const = default;
};

// Gives every column a name of its own, as a join of two tables with an "id" each needs: a name that came
// before (case ignored) gets "_1", "_2", ... appended.
void MakeFieldNamesUnique(TFieldDefs& AFields);

// The value converted to the column type; null stays null. Text "12" becomes 12 for an integer column.
QVariant ConvertToFieldType(const QVariant& AValue, TFieldType AType);
