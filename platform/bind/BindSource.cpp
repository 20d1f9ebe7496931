#include "platform/bind/BindSource.h"

#include "platform/data/DataTable.h"

TBindSource::TBindSource(const QString& AName, QObject* AParent) : QObject(AParent)
{
    setObjectName(AName);
}

void TBindSource::SetDataSet(TDataTable* ADataSet)
{
    if (FDataSet == ADataSet)
        return;
    FDataSet = ADataSet;
    emit DataSetChanged();
}
