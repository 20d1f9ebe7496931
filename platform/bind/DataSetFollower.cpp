#include "platform/bind/DataSetFollower.h"

TDataSetFollower::TDataSetFollower(TBindSource* ASource, std::function<void()> ARowsChanged,
                                   std::function<void()> ACursorChanged, QObject* AParent)
    : QObject(AParent), FSource(ASource), FRowsChanged(std::move(ARowsChanged)),
      FCursorChanged(std::move(ACursorChanged))
{
    if (FSource)
        connect(FSource, &TBindSource::DataSetChanged, this, [this] {
            Attach();
            FRowsChanged();
        });
    Attach();
}

void TDataSetFollower::Attach()
{
    for (const QMetaObject::Connection& connection : FConnections)
        disconnect(connection);
    FConnections.clear();
    FTable = FSource ? FSource->DataSet() : nullptr;
    if (FTable) {
        const auto rows = [this] {
            FRowsChanged();
        };
        const auto cursor = [this] {
            FCursorChanged();
        };
        FConnections << connect(FTable, &TDataTable::Reset, this, rows)
                     << connect(FTable, &TDataTable::RowChanged, this, rows)
                     << connect(FTable, &TDataTable::CurrentChanged, this, cursor)
                     << connect(FTable, &TDataTable::StateChanged, this, cursor);
    }
}
