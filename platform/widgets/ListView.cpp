#include "platform/widgets/ListView.h"

#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int DetailRole = Qt::UserRole + 1;
constexpr int ItemHeight = 28;

// Paints the detail text right-aligned and greyed beside the item's text, and the item's button when the
// list has one.
class TDetailDelegate : public QStyledItemDelegate
{
public:
    explicit TDetailDelegate(TListView* AList) : QStyledItemDelegate(AList), FList(AList) {}

    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
               const QModelIndex& AIndex) const override
    {
        QStyledItemDelegate::paint(APainter, AOption, AIndex);
        QRect free = AOption.rect.adjusted(4, 0, -8, 0);
        if (!FList->ItemButton().isEmpty()) {
            QStyleOptionButton button;
            button.rect = TListView::ItemButtonRect(AOption.rect);
            button.text = FList->ItemButton();
            button.state = QStyle::State_Enabled;
            button.palette = AOption.palette;
            button.fontMetrics = AOption.fontMetrics;
            FList->style()->drawControl(QStyle::CE_PushButton, &button, APainter);
            free.setRight(button.rect.left() - 8);
        }
        const QString detail = AIndex.data(DetailRole).toString();
        if (detail.isEmpty())
            return;
        APainter->save();
        APainter->setPen(AOption.palette.color(QPalette::Disabled, QPalette::Text));
        APainter->drawText(free, Qt::AlignRight | Qt::AlignVCenter, detail);
        APainter->restore();
    }

    // Rows tall enough to be hit easily, and to hold an item button.
    QSize sizeHint(const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(AOption, AIndex);
        size.setHeight(std::max(size.height(), ItemHeight));
        return size;
    }

private:
    TListView* FList;
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
    FView->setItemDelegate(new TDetailDelegate(this));
    FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FView->setUniformItemSizes(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FSearch);
    layout->addWidget(FView);

    connect(FSearch, &QLineEdit::textChanged, this,
            [this](const QString& AText) { FShown->setFilterFixedString(AText.trimmed()); });
    FView->viewport()->installEventFilter(this);
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

bool TListView::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    // A press or release on an item's button belongs to the button, not to the item.
    const bool mouse =
        AEvent->type() == QEvent::MouseButtonPress || AEvent->type() == QEvent::MouseButtonRelease;
    if (AWatched != FView->viewport() || !mouse || FItemButton.isEmpty())
        return QWidget::eventFilter(AWatched, AEvent);
    const QPoint position = static_cast<QMouseEvent*>(AEvent)->position().toPoint();
    const QModelIndex index = FView->indexAt(position);
    if (!index.isValid() || !ItemButtonRect(FView->visualRect(index)).contains(position))
        return QWidget::eventFilter(AWatched, AEvent);
    if (AEvent->type() == QEvent::MouseButtonRelease && OnItemButton)
        OnItemButton(FShown->mapToSource(index).row());
    return true;
}

void TListView::SetItemButton(const QString& AText)
{
    FItemButton = AText;
    FView->viewport()->update();
}

QRect TListView::ItemButtonRect(const QRect& AItem)
{
    constexpr int Width = 90;
    return QRect(AItem.right() - Width - 2, AItem.top() + 1, Width, AItem.height() - 2);
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
