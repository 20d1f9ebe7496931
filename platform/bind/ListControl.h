#pragma once

#include <QList>
#include <QString>
#include <functional>

// One item of a bound list: the text and, beside it, the detail.
struct TListItem
{
    QString text;
    QString detail;

    bool operator==(const TListItem&) const = default;
};

// What a list binding needs of a list or combo box.
class TListControl
{
public:
    virtual ~TListControl() = default;

    virtual void SetListItems(const QList<TListItem>& AItems) = 0;
    // Marks the item at AIndex (-1: none) as the current one, without telling OnItemChosen.
    virtual void SetCurrentItem(int AIndex) = 0;

    // Told when the user chooses an item, with its index in the list.
    std::function<void(int AIndex)> OnItemChosen;
};
