#pragma once

#include "platform/bind/ListControl.h"

#include <QWidget>

class QLineEdit;
class QListView;
class QSortFilterProxyModel;
class QStandardItemModel;

// A list of items, each a text with its detail at the right, under a search box. The search narrows only
// what is shown: it keeps the items whose text contains the search text, case and surrounding blanks
// ignored; the items themselves and their indexes stay as they were.
class TListView : public QWidget, public TListControl
{
    Q_OBJECT

public:
    explicit TListView(QWidget* AParent = nullptr);

    void SetListItems(const QList<TListItem>& AItems) override;
    void SetCurrentItem(int AIndex) override;

    // Gives every item a button at its right with this text; empty removes the buttons.
    void SetItemButton(const QString& AText);
    const QString& ItemButton() const { return FItemButton; }
    // Told when the user presses an item's button, with the item's index.
    std::function<void(int AIndex)> OnItemButton;
    // Where an item's button is, for a shown item's rectangle.
    static QRect ItemButtonRect(const QRect& AItem);

    // The items shown after the search, as indexes into all items.
    QList<int> ShownItems() const;
    QLineEdit* SearchBox() const { return FSearch; }
    QListView* View() const { return FView; }

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void Chosen(const QModelIndex& AIndex);

    QLineEdit* FSearch;
    QListView* FView;
    QStandardItemModel* FItems;
    QSortFilterProxyModel* FShown;
    QString FItemButton;
};
