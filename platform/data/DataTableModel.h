#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class TDataTable;

// The visible rows of an in-memory table for Qt's views: one column per field, read-only. The model
// follows the table's signals, so a load with the bound controls disabled ends in a single reset.
class TDataTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TDataTableModel(QObject* AParent = nullptr);

    // The table shown; none shows nothing.
    void SetTable(TDataTable* ATable);
    TDataTable* Table() const { return FTable; }

    int rowCount(const QModelIndex& AParent = {}) const override;
    int columnCount(const QModelIndex& AParent = {}) const override;
    QVariant data(const QModelIndex& AIndex, int ARole = Qt::DisplayRole) const override;
    QVariant headerData(int ASection, Qt::Orientation AOrientation,
                        int ARole = Qt::DisplayRole) const override;

private:
    void TableReset();
    void TableRowChanged(int AVisibleRow);

    QPointer<TDataTable> FTable;
};
