#include "platform/widgets/ListView.h"

#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int DetailRole = Qt::UserRole + 1;

// Paints the detail text right-aligned and greyed beside the item's text.
class TDetailDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
               const QModelIndex& AIndex) const override
    {
        QStyledItemDelegate::paint(APainter, AOption, AIndex);
        const QString detail = AIndex.data(DetailRole).toString();
        if (detail.isEmpty())
            return;
        APainter->save();
        APainter->setPen(AOption.palette.color(QPalette::Disabled, QPalette::Text));
        APainter->drawText(AOption.rect.adjusted(4, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, detail);
        APainter->restore();
    }
};

} // namespace

TListView::TListView(QWidget* AParent)
    : QWidget(AParent), FSearch(new QLineEdit), FView(new QListView), FItems(new QStandardItemModel(this)),
      FShown(new QSortFilterProxyModel(this))
{
    FSearch->setPlaceholderText(QStringLiteral("Suchen"));
    FSearch->setClearButtonEnabled(true);
    FShown->setSourceModel(FItems);
    FShown->setFilterCaseSensitivity(Qt::CaseInsensitive);
    FView->setModel(FShown);
    FView->setItemDelegate(new TDetailDelegate(FView));
    FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FView->setUniformItemSizes(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FSearch);
    layout->addWidget(FView);

    connect(FSearch, &QLineEdit::textChanged, this,
            [this](const QString& AText) { FShown->setFilterFixedString(AText.trimmed()); });
    connect(FView, &QListView::clicked, this, &TListView::Chosen);
    connect(FView, &QListView::activated, this, &TListView::Chosen);
}

void TListView::SetListItems(const QList<TListItem>& AItems)
{
    FItems->clear();
    for (const TListItem& item : AItems) {
        auto* row = new QStandardItem(item.text);
        row->setData(item.detail, DetailRole);
        FItems->appendRow(row);
    }
}

void TListView::SetCurrentItem(int AIndex)
{
    const QModelIndex shown = FShown->mapFromSource(FItems->index(AIndex, 0));
    FView->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect);
}

QList<int> TListView::ShownItems() const
{
    QList<int> shown;
    for (int row = 0; row < FShown->rowCount(); ++row)
        shown << FShown->mapToSource(FShown->index(row, 0)).row();
    return shown;
}

void TListView::Chosen(const QModelIndex& AIndex)
{
    if (OnItemChosen && AIndex.isValid())
        OnItemChosen(FShown->mapToSource(AIndex).row());
}
