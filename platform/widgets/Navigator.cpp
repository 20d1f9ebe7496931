#include "platform/widgets/Navigator.h"

#include "platform/bind/BindSource.h"
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
    if (FSource)
        FSource->disconnect(this);
    FSource = ASource;
    if (FSource)
        connect(FSource, &TBindSource::DataSetChanged, this, &TNavigator::Attach);
    Attach();
}

void TNavigator::SetVisibleButtons(TButtons AButtons)
{
    FVisible = AButtons;
    UpdateButtons();
}

void TNavigator::Attach()
{
    for (const QMetaObject::Connection& connection : FConnections)
        disconnect(connection);
    FConnections.clear();
    FTable = FSource ? FSource->DataSet() : nullptr;
    if (FTable) {
        FConnections << connect(FTable, &TDataTable::Reset, this, &TNavigator::UpdateButtons)
                     << connect(FTable, &TDataTable::StateChanged, this, &TNavigator::UpdateButtons)
                     << connect(FTable, &TDataTable::CurrentChanged, this, &TNavigator::UpdateButtons);
    }
    UpdateButtons();
}

void TNavigator::UpdateButtons()
{
    const bool active = FTable && FTable->Active();
    const bool editing = active && FTable->State() != TDataTable::TState::Browse;
    const bool rows = active && !FTable->IsEmpty();
    const int position = active ? FTable->RecNo() : -1;
    for (const auto& [kind, button] : FButtons) {
        button->setVisible(FVisible.testFlag(kind));
        switch (kind) {
        case Prior:
            button->setEnabled(rows && (editing || position > 0));
            break;
        case Next:
            button->setEnabled(rows && (editing || position < FTable->RecordCount() - 1));
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
    if (!FTable || !FTable->Active())
        return;
    switch (AButton) {
    case Prior:
        FTable->Prior();
        break;
    case Next:
        FTable->Next();
        break;
    case Insert:
        FTable->Insert();
        break;
    case Delete:
        if (QMessageBox::question(window(), QApplication::applicationName(),
                                  QStringLiteral("Datensatz löschen?"),
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            FTable->Delete();
        break;
    case Post:
        FTable->Post();
        break;
    case Cancel:
        FTable->Cancel();
        break;
    default:
        if (OnRefresh)
            OnRefresh();
        break;
    }
    UpdateButtons();
}
