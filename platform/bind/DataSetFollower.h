#pragma once

#include "platform/bind/BindSource.h"

#include <QPointer>
#include <functional>

// Follows whatever table a data source holds: ARowsChanged is told when the rows change (a load, a filter,
// a post, an edited value) and when the source gets another table; ACursorChanged when the cursor or the
// table's state changes. Its owner shows the first state itself, once the follower is in place.
class TDataSetFollower : public QObject
{
    Q_OBJECT

public:
    TDataSetFollower(TBindSource* ASource, std::function<void()> ARowsChanged,
                     std::function<void()> ACursorChanged, QObject* AParent);

    TBindSource* Source() const { return FSource; }
    // The table the source holds; none when it holds none.
    TDataTable* Table() const { return FTable; }

private:
    void Attach();

    QPointer<TBindSource> FSource;
    QPointer<TDataTable> FTable;
    std::function<void()> FRowsChanged;
    std::function<void()> FCursorChanged;
    QList<QMetaObject::Connection> FConnections;
};
