#include "platform/bind/LinkListControlToField.h"

#include "platform/bind/BindSource.h"
#include "platform/bind/DataSetFollower.h"
#include "platform/bind/ListControl.h"
#include "platform/data/DataTable.h"

TLinkListControlToField::TLinkListControlToField(TBindSource* ASource, const QString& AFieldName,
                                                 const QString& ADetailFieldName, TListControl* AControl,
                                                 QObject* AParent)
    : QObject(AParent), FFieldName(AFieldName), FDetailFieldName(ADetailFieldName), FControl(AControl)
{
    FControl->OnItemChosen = [this](int AIndex) {
        Choose(AIndex);
    };
    FFollower = new TDataSetFollower(
        ASource, [this] { Fill(); }, [this] { FollowCursor(); }, this);
    Fill();
}

TBindSource* TLinkListControlToField::DataSource() const
{
    return FFollower->Source();
}

TDataTable* TLinkListControlToField::Table() const
{
    return FFollower ? FFollower->Table() : nullptr;
}

void TLinkListControlToField::SetActive(bool AActive)
{
    FActive = AActive;
    Fill();
}

void TLinkListControlToField::Fill()
{
    QList<TListItem> items;
    TDataTable* table = Table();
    if (FActive && table && table->Active()) {
        const int field = table->FieldIndex(FFieldName);
        const int detail = FDetailFieldName.isEmpty() ? -1 : table->FieldIndex(FDetailFieldName);
        items.reserve(table->RecordCount());
        for (int row = 0; row < table->RecordCount(); ++row) {
            items.append({field >= 0 ? table->ValueAt(row, field).toString() : QString(),
                          detail >= 0 ? table->ValueAt(row, detail).toString() : QString()});
        }
    }
    FControl->SetListItems(items);
    FollowCursor();
}

void TLinkListControlToField::FollowCursor()
{
    FControl->SetCurrentItem(FActive && Table() ? Table()->RecNo() : -1);
}

void TLinkListControlToField::Choose(int AIndex)
{
    if (FActive && Table() && AIndex >= 0 && AIndex < Table()->RecordCount())
        Table()->MoveTo(AIndex);
}
