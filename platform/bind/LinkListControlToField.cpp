#include "platform/bind/LinkListControlToField.h"

#include "platform/bind/BindSource.h"
#include "platform/bind/ListControl.h"
#include "platform/data/DataTable.h"

TLinkListControlToField::TLinkListControlToField(TBindSource* ASource, const QString& AFieldName,
                                                 const QString& ADetailFieldName, TListControl* AControl,
                                                 QObject* AParent)
    : QObject(AParent), FSource(ASource), FFieldName(AFieldName), FDetailFieldName(ADetailFieldName),
      FControl(AControl)
{
    FControl->OnItemChosen = [this](int AIndex) {
        Choose(AIndex);
    };
    connect(FSource, &TBindSource::DataSetChanged, this, &TLinkListControlToField::Attach);
    Attach();
}

void TLinkListControlToField::SetActive(bool AActive)
{
    FActive = AActive;
    Fill();
}

void TLinkListControlToField::Attach()
{
    for (const QMetaObject::Connection& connection : FConnections)
        disconnect(connection);
    FConnections.clear();
    FTable = FSource ? FSource->DataSet() : nullptr;
    if (FTable) {
        FConnections << connect(FTable, &TDataTable::Reset, this, &TLinkListControlToField::Fill)
                     << connect(FTable, &TDataTable::RowChanged, this, &TLinkListControlToField::Fill)
                     << connect(FTable, &TDataTable::CurrentChanged, this,
                                &TLinkListControlToField::FollowCursor);
    }
    Fill();
}

void TLinkListControlToField::Fill()
{
    QList<TListItem> items;
    if (FActive && FTable && FTable->Active()) {
        const int field = FTable->FieldIndex(FFieldName);
        const int detail = FDetailFieldName.isEmpty() ? -1 : FTable->FieldIndex(FDetailFieldName);
        items.reserve(FTable->RecordCount());
        for (int row = 0; row < FTable->RecordCount(); ++row) {
            items.append({field >= 0 ? FTable->ValueAt(row, field).toString() : QString(),
                          detail >= 0 ? FTable->ValueAt(row, detail).toString() : QString()});
        }
    }
    FControl->SetListItems(items);
    FollowCursor();
}

void TLinkListControlToField::FollowCursor()
{
    FControl->SetCurrentItem(FActive && FTable ? FTable->RecNo() : -1);
}

void TLinkListControlToField::Choose(int AIndex)
{
    if (FActive && FTable && AIndex >= 0 && AIndex < FTable->RecordCount())
        FTable->MoveTo(AIndex);
}
