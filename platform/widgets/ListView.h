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

    // The items shown after the search, as indexes into all items.
    QList<int> ShownItems() const;
    QLineEdit* SearchBox() const { return FSearch; }
    QListView* View() const { return FView; }

private:
    void Chosen(const QModelIndex& AIndex);

    QLineEdit* FSearch;
    QListView* FView;
    QStandardItemModel* FItems;
    QSortFilterProxyModel* FShown;
};
