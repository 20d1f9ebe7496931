#pragma once

#include "platform/data/DataTable.h"

#include <QObject>
#include <QPointer>

// A data source of a page: named after its table, it hands its data set to the bindings of the page's
// controls. Setting and clearing the data set is how a page is bound and unbound.
class TBindSource : public QObject
{
    Q_OBJECT

public:
    TBindSource(const QString& AName, QObject* AParent);

    TDataTable* DataSet() const { return FDataSet; }
    void SetDataSet(TDataTable* ADataSet);

signals:
    void DataSetChanged();

private:
    QPointer<TDataTable> FDataSet;
};
