#include "platform/data/DataTableModel.h"

#include "platform/data/DataTable.h"

TDataTableModel::TDataTableModel(QObject* AParent) : QAbstractTableModel(AParent) {}

void TDataTableModel::SetTable(TDataTable* ATable)
{
    beginResetModel();
    if (FTable)
        FTable->disconnect(this);
    FTable = ATable;
    if (FTable) {
        connect(FTable, &TDataTable::Reset, this, &TDataTableModel::TableReset);
        connect(FTable, &TDataTable::RowChanged, this, &TDataTableModel::TableRowChanged);
    }
    endResetModel();
}

int TDataTableModel::rowCount(const QModelIndex& AParent) const
{
    return FTable && !AParent.isValid() ? FTable->RecordCount() : 0;
}

int TDataTableModel::columnCount(const QModelIndex& AParent) const
{
    return FTable && !AParent.isValid() ? int(FTable->Fields().size()) : 0;
}

QVariant TDataTableModel::data(const QModelIndex& AIndex, int ARole) const
{
    if (!FTable || !AIndex.isValid() || AIndex.row() >= FTable->RecordCount() ||
        (ARole != Qt::DisplayRole && ARole != Qt::EditRole))
        return {};
    return FTable->ValueAt(AIndex.row(), AIndex.column());
}

QVariant TDataTableModel::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const
{
    if (!FTable || AOrientation != Qt::Horizontal || ARole != Qt::DisplayRole ||
        ASection >= FTable->Fields().size())
        return QAbstractTableModel::headerData(ASection, AOrientation, ARole);
    return FTable->Fields()[ASection].name;
}

void TDataTableModel::TableReset()
{
    beginResetModel();
    endResetModel();
}

void TDataTableModel::TableRowChanged(int AVisibleRow)
{
    if (AVisibleRow >= 0 && AVisibleRow < rowCount())
        emit dataChanged(index(AVisibleRow, 0), index(AVisibleRow, columnCount() - 1));
}
