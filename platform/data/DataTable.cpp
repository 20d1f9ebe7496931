#include "platform/data/DataTable.h"

#include "util/ZQError.h"

#include <QDateTime>
#include <algorithm>

namespace {

// Orders two values of one column: null first, then by the value's own kind.
int compareValues(const QVariant& ALeft, const QVariant& ARight)
{
    const bool leftNull = ALeft.isNull(), rightNull = ARight.isNull();
    if (leftNull || rightNull)
        return int(rightNull) - int(leftNull);
    switch (ALeft.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        return ALeft.toLongLong() < ARight.toLongLong()   ? -1
               : ALeft.toLongLong() > ARight.toLongLong() ? 1
                                                          : 0;
    case QMetaType::QDateTime:
        return ALeft.toDateTime() < ARight.toDateTime()   ? -1
               : ALeft.toDateTime() > ARight.toDateTime() ? 1
                                                          : 0;
    default:
        return ALeft.toString().compare(ARight.toString());
    }
}

struct TOrderColumn
{
    int field;
    bool descending;
};

} // namespace

QVariant TDataRecord::Value(const QString& AFieldName) const
{
    const int field = FTable.FieldIndex(AFieldName);
    if (field < 0)
        throw EZQError(QStringLiteral("Feld \"%1\" nicht gefunden").arg(AFieldName));
    return FTable.StoredValue(FStoredRow, field);
}

TDataTable::TDataTable(const QString& AName, QObject* AParent) : QObject(AParent)
{
    setObjectName(AName);
}

void TDataTable::AddField(const TFieldDef& AField)
{
    if (FieldIndex(AField.name) >= 0)
        throw EZQError(QStringLiteral("Feld \"%1\" gibt es in %2 schon").arg(AField.name, objectName()));
    FFields.append(AField);
    for (TStoredRow& row : FRows) {
        row.values.append(QVariant());
        if (!row.originals.isEmpty())
            row.originals.append(QVariant());
    }
    if (!FEditBuffer.isEmpty())
        FEditBuffer.append(QVariant());
    NotifyReset();
}

void TDataTable::RemoveField(const QString& AName)
{
    const int field = RequireField(AName);
    FFields.removeAt(field);
    for (TStoredRow& row : FRows) {
        row.values.removeAt(field);
        if (!row.originals.isEmpty())
            row.originals.removeAt(field);
    }
    if (!FEditBuffer.isEmpty())
        FEditBuffer.removeAt(field);
    RebuildView(StoredRowAtCursor());
    NotifyReset();
}

int TDataTable::FieldIndex(const QString& AName) const
{
    for (int i = 0; i < FFields.size(); ++i) {
        if (FFields[i].name.compare(AName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TDataTable::RequireField(const QString& AName) const
{
    const int field = FieldIndex(AName);
    if (field < 0)
        throw EZQError(QStringLiteral("Feld \"%1\" nicht gefunden in %2").arg(AName, objectName()));
    return field;
}

void TDataTable::RequireActive() const
{
    if (!Active())
        throw EZQError(QStringLiteral("%1: die Tabelle ist geschlossen").arg(objectName()));
}

int TDataTable::KeyField() const
{
    for (int i = 0; i < FFields.size(); ++i) {
        if (FFields[i].key)
            return i;
    }
    return FieldIndex(QStringLiteral("id"));
}

void TDataTable::Open()
{
    if (Active())
        return;
    SetState(TState::Browse);
    RebuildView(-1);
    NotifyReset();
}

void TDataTable::Close()
{
    FRows.clear();
    FDeleted.clear();
    FView.clear();
    FEditBuffer.clear();
    FCursor = -1;
    SetState(TState::Inactive);
    NotifyReset();
}

void TDataTable::AppendRows(const TDataSetRows& ARows)
{
    CheckBrowseMode();
    QList<int> target(ARows.fields.size(), -1);
    for (int i = 0; i < ARows.fields.size(); ++i)
        target[i] = FieldIndex(ARows.fields[i].name);

    FRows.reserve(FRows.size() + ARows.rows.size());
    for (const TRowValues& incoming : ARows.rows) {
        TStoredRow row;
        row.values = TRowValues(FFields.size());
        for (int i = 0; i < incoming.size() && i < target.size(); ++i) {
            if (target[i] >= 0)
                row.values[target[i]] = ConvertToFieldType(incoming[i], FFields[target[i]].type);
        }
        row.originals = row.values;
        FRows.append(std::move(row));
    }
    ShowAppendedRows();
}

void TDataTable::AppendRows(TDataSetRows&& ARows)
{
    bool lineUp = ARows.fields.size() == FFields.size();
    for (int i = 0; lineUp && i < FFields.size(); ++i)
        lineUp = ARows.fields[i].name == FFields[i].name && ARows.fields[i].type == FFields[i].type;
    if (!lineUp) {
        AppendRows(std::as_const(ARows));
        return;
    }
    CheckBrowseMode();
    FRows.reserve(FRows.size() + ARows.rows.size());
    for (TRowValues& values : ARows.rows) {
        TStoredRow row;
        row.values = std::move(values);
        row.values.resize(FFields.size());
        row.originals = row.values;
        FRows.append(std::move(row));
    }
    ShowAppendedRows();
}

void TDataTable::ShowAppendedRows()
{
    if (!Active())
        SetState(TState::Browse);
    RebuildView(-1);
    NotifyReset();
    SetCursor(FView.isEmpty() ? -1 : 0);
}

// Going to the first or last row counts as a scroll even when the cursor is there already.
void TDataTable::First()
{
    ScrollTo(0);
}

void TDataTable::Last()
{
    ScrollTo(RecordCount() - 1);
}

void TDataTable::ScrollTo(int AVisibleRow)
{
    CheckBrowseMode();
    if (FView.isEmpty())
        return;
    if (AVisibleRow != FCursor)
        SetCursor(AVisibleRow);
    else if (AfterScroll)
        AfterScroll(*this);
}

void TDataTable::Next()
{
    MoveTo(std::min(FCursor + 1, RecordCount() - 1));
}

void TDataTable::Prior()
{
    MoveTo(std::max(FCursor - 1, 0));
}

void TDataTable::MoveTo(int AVisibleRow)
{
    CheckBrowseMode();
    if (FView.isEmpty())
        return;
    SetCursor(std::clamp(AVisibleRow, 0, RecordCount() - 1));
}

bool TDataTable::Locate(const QString& AFieldName, const QVariant& AValue)
{
    const int field = RequireField(AFieldName);
    CheckBrowseMode();
    const QVariant wanted = ConvertToFieldType(AValue, FFields[field].type);
    for (int i = 0; i < FView.size(); ++i) {
        const QVariant& value = FRows[FView[i]].values[field];
        if (value.isNull() == wanted.isNull() && (value.isNull() || compareValues(value, wanted) == 0)) {
            SetCursor(i);
            return true;
        }
    }
    return false;
}

QVariant TDataTable::Value(const QString& AFieldName) const
{
    const int field = RequireField(AFieldName);
    if (FState == TState::Edit || FState == TState::Insert)
        return FEditBuffer[field];
    return FCursor >= 0 ? FRows[FView[FCursor]].values[field] : QVariant();
}

QVariant TDataTable::ValueAt(int AVisibleRow, int AField) const
{
    if (AVisibleRow == FCursor && FState == TState::Edit)
        return FEditBuffer.value(AField);
    return FRows[FView[AVisibleRow]].values.value(AField);
}

QVariant TDataTable::StoredValue(qsizetype AStoredRow, int AField) const
{
    return FRows[AStoredRow].values.value(AField);
}

void TDataTable::SetValue(const QString& AFieldName, const QVariant& AValue)
{
    const int field = RequireField(AFieldName);
    if (FState == TState::Browse)
        Edit();
    if (FState != TState::Edit && FState != TState::Insert)
        RequireActive();
    FEditBuffer[field] = ConvertToFieldType(AValue, FFields[field].type);
    if (FState == TState::Edit && !ControlsDisabled())
        emit RowChanged(FCursor);
}

void TDataTable::Edit()
{
    RequireActive();
    if (FState != TState::Browse)
        return;
    if (FView.isEmpty()) {
        Append();
        return;
    }
    FEditBuffer = FRows[FView[FCursor]].values;
    SetState(TState::Edit);
}

void TDataTable::Append()
{
    RequireActive();
    CheckBrowseMode();
    FEditBuffer = TRowValues(FFields.size());
    FInsertAt = RecordCount();
    SetState(TState::Insert);
}

void TDataTable::Insert()
{
    RequireActive();
    CheckBrowseMode();
    FEditBuffer = TRowValues(FFields.size());
    FInsertAt = std::max(FCursor, 0);
    SetState(TState::Insert);
}

void TDataTable::CheckBrowseMode()
{
    if (FState == TState::Edit || FState == TState::Insert)
        Post();
}

void TDataTable::Post()
{
    if (FState != TState::Edit && FState != TState::Insert)
        return;
    if (BeforePost)
        BeforePost(*this);

    qsizetype stored;
    if (FState == TState::Edit) {
        stored = StoredRowAtCursor();
        TStoredRow& row = FRows[stored];
        if (row.values != FEditBuffer) {
            row.values = FEditBuffer;
            if (!FCachedUpdates)
                row.originals = row.values;
            else if (row.status == TRowStatus::Unchanged)
                row.status = TRowStatus::Modified;
            row.changeOrder = ++FChangeCounter;
        }
    } else {
        TStoredRow row;
        row.values = FEditBuffer;
        row.status = FCachedUpdates ? TRowStatus::Inserted : TRowStatus::Unchanged;
        if (!FCachedUpdates)
            row.originals = row.values;
        row.changeOrder = ++FChangeCounter;
        stored = FInsertAt < FView.size() ? FView[FInsertAt] : FRows.size();
        FRows.insert(stored, std::move(row));
    }
    FEditBuffer.clear();
    SetState(TState::Browse);
    RebuildView(stored);
    NotifyReset();
    if (AfterPost)
        AfterPost(*this);
}

void TDataTable::Cancel()
{
    if (FState != TState::Edit && FState != TState::Insert)
        return;
    FEditBuffer.clear();
    SetState(TState::Browse);
    NotifyReset();
}

void TDataTable::Delete()
{
    RequireActive();
    if (FState == TState::Insert) {
        Cancel();
        return;
    }
    Cancel();
    if (FView.isEmpty())
        return;
    const qsizetype stored = StoredRowAtCursor();
    const int key = KeyField();
    if (FCachedUpdates && FRows[stored].status != TRowStatus::Inserted)
        FDeleted.append({key >= 0 ? FRows[stored].originals.value(key) : QVariant(), ++FChangeCounter});
    FRows.removeAt(stored);
    const int cursor = FCursor;
    RebuildView(-1);
    FCursor = FView.isEmpty() ? -1 : std::min(cursor, RecordCount() - 1);
    NotifyReset();
    if (AfterDelete)
        AfterDelete(*this);
}

TChangeLog TDataTable::ChangeLog() const
{
    const int key = KeyField();
    QList<QPair<quint64, TDelta>> ordered;
    for (const TStoredRow& row : FRows) {
        if (row.status == TRowStatus::Unchanged)
            continue;
        TDelta delta;
        delta.kind = row.status == TRowStatus::Inserted ? TDelta::TKind::Insert : TDelta::TKind::Modify;
        if (delta.kind == TDelta::TKind::Modify)
            delta.key = row.originals.value(key);
        for (int i = 0; i < FFields.size(); ++i) {
            if (i == key || FFields[i].joined)
                continue;
            if (delta.kind == TDelta::TKind::Insert && !row.values[i].isNull()) {
                delta.values.insert(FFields[i].name, row.values[i]);
            } else if (delta.kind == TDelta::TKind::Modify && row.values[i] != row.originals[i]) {
                delta.values.insert(FFields[i].name, row.values[i]);
                delta.originals.insert(FFields[i].name, row.originals[i]);
            }
        }
        if (delta.kind == TDelta::TKind::Insert || !delta.values.isEmpty())
            ordered.append({row.changeOrder, delta});
    }
    for (const TDeletedRow& deleted : FDeleted)
        ordered.append({deleted.changeOrder, TDelta{TDelta::TKind::Delete, deleted.key, {}, {}}});
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& ALeft, const auto& ARight) { return ALeft.first < ARight.first; });
    TChangeLog log;
    for (const auto& entry : ordered)
        log.append(entry.second);
    return log;
}

void TDataTable::SetFilter(const QString& AExpression)
{
    const QString expression = AExpression.trimmed();
    QString field, value;
    if (!expression.isEmpty()) {
        const qsizetype equals = expression.indexOf(QLatin1Char('='));
        field = expression.left(equals).trimmed();
        value = expression.mid(equals + 1).trimmed();
        if (equals < 0 || field.isEmpty())
            throw EZQError(
                QStringLiteral("Ungültiger Filter \"%1\": erwartet wird Feld=Wert").arg(AExpression));
        if (value.size() >= 2 && value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))
            value = value.mid(1, value.size() - 2);
    }
    CheckBrowseMode();
    FFilterText = AExpression;
    FFilterField = field;
    FFilterValue = value;
    RebuildView(StoredRowAtCursor());
    NotifyReset();
}

void TDataTable::SetFiltered(bool AOn)
{
    CheckBrowseMode();
    FFiltered = AOn;
    RebuildView(StoredRowAtCursor());
    NotifyReset();
}

void TDataTable::SetOnFilterRecord(TRecordFilter AHandler)
{
    CheckBrowseMode();
    FOnFilterRecord = std::move(AHandler);
    RebuildView(StoredRowAtCursor());
    NotifyReset();
}

void TDataTable::SetIndexFieldNames(const QString& AOrder)
{
    CheckBrowseMode();
    FOrderText = AOrder;
    RebuildView(StoredRowAtCursor());
    NotifyReset();
}

bool TDataTable::Accepts(qsizetype AStoredRow) const
{
    if (!FFiltered)
        return true;
    if (!FFilterField.isEmpty()) {
        const int field = FieldIndex(FFilterField);
        if (field < 0)
            return false;
        const Qt::CaseSensitivity sensitivity =
            FFilterCaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const QVariant& value = FRows[AStoredRow].values[field];
        if (value.isNull() || value.toString().compare(FFilterValue, sensitivity) != 0)
            return false;
    }
    return !FOnFilterRecord || FOnFilterRecord(TDataRecord(*this, AStoredRow));
}

void TDataTable::RebuildView(qsizetype AKeepStoredRow)
{
    FView.clear();
    FView.reserve(FRows.size());
    for (qsizetype i = 0; i < FRows.size(); ++i) {
        if (Accepts(i))
            FView.append(i);
    }

    QList<TOrderColumn> order;
    for (const QString& part : FOrderText.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const bool descending = part.trimmed().endsWith(QLatin1String(":D"), Qt::CaseInsensitive);
        const int field = FieldIndex(descending ? part.trimmed().chopped(2) : part.trimmed());
        if (field >= 0)
            order.append({field, descending});
    }
    if (!order.isEmpty()) {
        std::stable_sort(FView.begin(), FView.end(), [&](qsizetype ALeft, qsizetype ARight) {
            for (const TOrderColumn& column : order) {
                const int result =
                    compareValues(FRows[ALeft].values[column.field], FRows[ARight].values[column.field]);
                if (result != 0)
                    return column.descending ? result > 0 : result < 0;
            }
            return false;
        });
    }

    const qsizetype kept = AKeepStoredRow >= 0 ? FView.indexOf(AKeepStoredRow) : -1;
    FCursor = kept >= 0 ? int(kept) : FView.isEmpty() ? -1 : std::clamp(FCursor, 0, RecordCount() - 1);
}

void TDataTable::SetCursor(int AVisibleRow)
{
    if (AVisibleRow == FCursor)
        return;
    FCursor = AVisibleRow;
    if (ControlsDisabled())
        FResetPending = true;
    else
        emit CurrentChanged(FCursor);
    if (AfterScroll)
        AfterScroll(*this);
}

void TDataTable::SetState(TState AState)
{
    if (AState == FState)
        return;
    FState = AState;
    if (ControlsDisabled())
        FResetPending = true;
    else
        emit StateChanged();
}

void TDataTable::NotifyReset()
{
    if (ControlsDisabled()) {
        FResetPending = true;
        return;
    }
    emit Reset();
    emit CurrentChanged(FCursor);
}

void TDataTable::DisableControls()
{
    ++FControlsDisabled;
}

void TDataTable::EnableControls()
{
    if (FControlsDisabled == 0 || --FControlsDisabled > 0 || !FResetPending)
        return;
    FResetPending = false;
    emit StateChanged();
    NotifyReset();
}
