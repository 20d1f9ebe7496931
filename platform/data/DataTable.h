#pragma once

#include "platform/data/ChangeLog.h"
#include "platform/data/FieldDef.h"

#include <QObject>
#include <functional>

class TDataTable;

// One row of a table as a record-filter handler sees it.
class TDataRecord
{
public:
    TDataRecord(const TDataTable& ATable, qsizetype AStoredRow) : FTable(ATable), FStoredRow(AStoredRow) {}
    QVariant Value(const QString& AFieldName) const;

private:
    const TDataTable& FTable;
    qsizetype FStoredRow;
};

// An in-memory table: columns, rows, a cursor and the states browse, edit and insert. Changes are posted
// into the rows and, with cached updates on, recorded in a change log until the table is next loaded.
// A sort order ("a;b:D"), a filter expression ("column=value") and a record-filter handler decide which
// rows are visible and in which order; the cursor moves over the visible rows. A pending row is posted
// before the cursor moves. Views follow through the signals, which stay silent while the bound controls
// are disabled and end with one reset when they are enabled again.
class TDataTable : public QObject
{
    Q_OBJECT

public:
    enum class TState
    {
        Inactive,
        Browse,
        Edit,
        Insert
    };
    using THook = std::function<void(TDataTable&)>;
    using TRecordFilter = std::function<bool(const TDataRecord&)>;

    explicit TDataTable(const QString& AName, QObject* AParent = nullptr);

    // Structure.
    const TFieldDefs& Fields() const { return FFields; }
    void AddField(const TFieldDef& AField);
    void RemoveField(const QString& AName);
    // The column of that name, case ignored; -1 when there is none.
    int FieldIndex(const QString& AName) const;
    bool HasField(const QString& AName) const { return FieldIndex(AName) >= 0; }

    // Opening, closing and loading. Closing drops the rows and the change log.
    bool Active() const { return FState != TState::Inactive; }
    TState State() const { return FState; }
    void Open();
    void Close();
    // Appends the rows of a data set (matched to the columns by name) without recording changes; opens the
    // table and moves to the first visible row.
    void AppendRows(const TDataSetRows& ARows);
    // The same, taking the rows over without copying when their columns line up with the table's.
    void AppendRows(TDataSetRows&& ARows);

    // Visible rows and the cursor.
    int RecordCount() const { return int(FView.size()); }
    // The cursor's position among the visible rows; -1 when there is none.
    int RecNo() const { return FCursor; }
    bool IsEmpty() const { return FView.isEmpty(); }
    void First();
    void Last();
    void Next();
    void Prior();
    void MoveTo(int AVisibleRow);
    bool Locate(const QString& AFieldName, const QVariant& AValue);

    // Values: of the current row (its edit buffer while editing) and of any visible row.
    QVariant Value(const QString& AFieldName) const;
    QVariant ValueAt(int AVisibleRow, int AField) const;
    // Sets a value of the current row, entering the edit state first when browsing.
    void SetValue(const QString& AFieldName, const QVariant& AValue);

    // Editing.
    void Edit();
    void Append();
    void Insert();
    void Post();
    void Cancel();
    void Delete();
    // Posts a pending row; nothing when browsing.
    void CheckBrowseMode();

    // Change log.
    void SetCachedUpdates(bool AOn) { FCachedUpdates = AOn; }
    bool CachedUpdates() const { return FCachedUpdates; }
    TChangeLog ChangeLog() const;

    // Filtering and order.
    void SetFilter(const QString& AExpression);
    const QString& Filter() const { return FFilterText; }
    void SetFiltered(bool AOn);
    bool Filtered() const { return FFiltered; }
    void SetFilterCaseInsensitive(bool AOn) { FFilterCaseInsensitive = AOn; }
    void SetOnFilterRecord(TRecordFilter AHandler);
    void SetIndexFieldNames(const QString& AOrder);

    // Hooks.
    THook BeforePost;
    THook AfterPost;
    THook AfterDelete;
    THook AfterScroll;

    // Bound controls.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FControlsDisabled > 0; }

    // The stored value behind a record; for TDataRecord.
    QVariant StoredValue(qsizetype AStoredRow, int AField) const;

signals:
    // Rows or columns changed wholesale: views start over.
    void Reset();
    void RowChanged(int AVisibleRow);
    void CurrentChanged(int AVisibleRow);
    void StateChanged();

private:
    enum class TRowStatus
    {
        Unchanged,
        Inserted,
        Modified
    };
    struct TStoredRow
    {
        TRowValues values;
        TRowValues originals; // as loaded; empty for inserted rows
        TRowStatus status = TRowStatus::Unchanged;
        quint64 changeOrder = 0;
    };
    struct TDeletedRow
    {
        QVariant key;
        quint64 changeOrder = 0;
    };

    int RequireField(const QString& AName) const;
    void RequireActive() const;
    void RebuildView(qsizetype AKeepStoredRow);
    void ShowAppendedRows();
    void ScrollTo(int AVisibleRow);
    bool Accepts(qsizetype AStoredRow) const;
    void SetCursor(int AVisibleRow);
    void SetState(TState AState);
    void NotifyReset();
    qsizetype StoredRowAtCursor() const { return FCursor >= 0 ? FView[FCursor] : -1; }
    int KeyField() const;

    TFieldDefs FFields;
    QList<TStoredRow> FRows;
    QList<TDeletedRow> FDeleted;
    QList<qsizetype> FView; // visible rows in order, as indexes into FRows
    int FCursor = -1;
    TState FState = TState::Inactive;
    TRowValues FEditBuffer;
    int FInsertAt = -1; // visible position of a row being inserted
    quint64 FChangeCounter = 0;
    bool FCachedUpdates = true;

    QString FFilterText;
    QString FFilterField;
    QString FFilterValue;
    bool FFiltered = false;
    bool FFilterCaseInsensitive = false;
    TRecordFilter FOnFilterRecord;
    QString FOrderText;

    int FControlsDisabled = 0;
    bool FResetPending = false;
};
