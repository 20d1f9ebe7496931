#include "platform/widgets/Navigator.h"

#include "platform/bind/BindSource.h"
#include "platform/bind/DataSetFollower.h"
#include "platform/data/DataTable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QStyle>
#include <QToolButton>

TNavigator::TNavigator(QWidget* AParent) : QWidget(AParent)
{
    struct TLook
    {
        TButton button;
        QStyle::StandardPixmap icon;
        const char* name;
        const char* tip;
    };
    static constexpr TLook Looks[] = {
        {Prior, QStyle::SP_ArrowLeft, "BT_Prior", "Vorheriger Datensatz"},
        {Next, QStyle::SP_ArrowRight, "BT_Next", "Nächster Datensatz"},
        {Insert, QStyle::SP_FileDialogNewFolder, "BT_Insert", "Datensatz einfügen"},
        {Delete, QStyle::SP_TrashIcon, "BT_Delete", "Datensatz löschen"},
        {Post, QStyle::SP_DialogApplyButton, "BT_Post", "Speichern"},
        {Cancel, QStyle::SP_DialogCancelButton, "BT_Cancel", "Änderungen verwerfen"},
        {Refresh, QStyle::SP_BrowserReload, "BT_Refresh", "Aktualisieren"},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (const TLook& look : Looks) {
        auto* button = new QToolButton;
        button->setObjectName(QLatin1String(look.name));
        button->setIcon(style()->standardIcon(look.icon));
        button->setToolTip(QString::fromUtf8(look.tip));
        button->setAutoRaise(true);
        layout->addWidget(button);
        const TButton kind = look.button;
        connect(button, &QToolButton::clicked, this, [this, kind] { Act(kind); });
        FButtons.append({kind, button});
    }
    UpdateButtons();
}

QToolButton* TNavigator::Button(TButton AButton) const
{
    for (const auto& [kind, button] : FButtons) {
        if (kind == AButton)
            return button;
    }
    return nullptr;
}

void TNavigator::SetDataSource(TBindSource* ASource)
{
    delete FFollower;
    FFollower = new TDataSetFollower(
        ASource, [this] { UpdateButtons(); }, [this] { UpdateButtons(); }, this);
    UpdateButtons();
}

TDataTable* TNavigator::Table() const
{
    return FFollower ? FFollower->Table() : nullptr;
}

void TNavigator::SetVisibleButtons(TButtons AButtons)
{
    FVisible = AButtons;
    UpdateButtons();
}

void TNavigator::UpdateButtons()
{
    TDataTable* table = Table();
    const bool active = table && table->Active();
    const bool editing = active && table->State() != TDataTable::TState::Browse;
    const bool rows = active && !table->IsEmpty();
    const int position = active ? table->RecNo() : -1;
    for (const auto& [kind, button] : FButtons) {
        button->setVisible(FVisible.testFlag(kind));
        switch (kind) {
        case Prior:
            button->setEnabled(rows && (editing || position > 0));
            break;
        case Next:
            button->setEnabled(rows && (editing || position < table->RecordCount() - 1));
            break;
        case Insert:
            button->setEnabled(active);
            break;
        case Delete:
            button->setEnabled(rows || editing);
            break;
        case Post:
        case Cancel:
            button->setEnabled(editing);
            break;
        default:
            button->setEnabled(active);
            break;
        }
    }
}

void TNavigator::Act(TButton AButton)
{
    TDataTable* table = Table();
    if (!table || !table->Active())
        return;
    switch (AButton) {
    case Prior:
        table->Prior();
        break;
    case Next:
        table->Next();
        break;
    case Insert:
        table->Insert();
        break;
    case Delete:
        if (QMessageBox::question(window(), QApplication::applicationName(),
                                  QStringLiteral("Datensatz löschen?"),
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            table->Delete();
        break;
    case Post:
        table->Post();
        break;
    case Cancel:
        table->Cancel();
        break;
    default:
        if (OnRefresh)
            OnRefresh();
        break;
    }
    UpdateButtons();
}
