#include "platform/bind/ControlBindings.h"

#include "platform/bind/BindSource.h"
#include "platform/bind/DataSetFollower.h"
#include "platform/data/DataTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <memory>

namespace {

// Calls AOnLeave when the watched control loses the focus.
class TLeaveWatcher : public QObject
{
public:
    TLeaveWatcher(QWidget* AControl, std::function<void()> AOnLeave)
        : QObject(AControl), FOnLeave(std::move(AOnLeave))
    {
        AControl->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override
    {
        if (AEvent->type() == QEvent::FocusOut)
            FOnLeave();
        return QObject::eventFilter(AWatched, AEvent);
    }

private:
    std::function<void()> FOnLeave;
};

void refillLookup(QComboBox* ACombo, TDataTable* ALookup, const QString& ADisplayField)
{
    const QSignalBlocker quiet(ACombo);
    ACombo->clear();
    if (!ALookup || !ALookup->Active())
        return;
    const int display = ALookup->FieldIndex(ADisplayField);
    const int key = ALookup->FieldIndex(QStringLiteral("id"));
    for (int row = 0; row < ALookup->RecordCount(); ++row)
        ACombo->addItem(ALookup->ValueAt(row, display).toString(), ALookup->ValueAt(row, key));
}

} // namespace

TLinkControlToField::TLinkControlToField(TBindSource* ASource, const QString& AFieldName, QWidget* AControl,
                                         TRead ARead, TShow AShow, QObject* AParent)
    : QObject(AParent), FFieldName(AFieldName), FControl(AControl), FRead(std::move(ARead)),
      FShow(std::move(AShow))
{
    FFollower = new TDataSetFollower(
        ASource, [this] { Show(); }, [this] { Show(); }, this);
    Show();
}

void TLinkControlToField::Show()
{
    TDataTable* table = FFollower ? FFollower->Table() : nullptr;
    if (!FControl)
        return;
    const bool bound = table && table->Active() && table->HasField(FFieldName);
    const bool joined = bound && table->Fields()[table->FieldIndex(FFieldName)].joined;
    FControl->setEnabled(bound && !joined);
    FShowing = true;
    FShow(bound ? table->Value(FFieldName) : QVariant());
    FShowing = false;
}

void TLinkControlToField::Write()
{
    TDataTable* table = FFollower->Table();
    if (FShowing || !table || !table->Active() || !table->HasField(FFieldName))
        return;
    const QVariant value = FRead();
    const QVariant current = table->Value(FFieldName);
    if (value.toString() == current.toString() && value.isNull() == current.isNull())
        return;
    table->SetValue(FFieldName, value);
}

TLinkControlToField* BindEdit(TBindSource* ASource, const QString& AFieldName, QLineEdit* AEdit)
{
    auto* link = new TLinkControlToField(
        ASource, AFieldName, AEdit, [AEdit] { return QVariant(AEdit->text()); },
        [AEdit](const QVariant& AValue) { AEdit->setText(AValue.toString()); }, AEdit);
    QObject::connect(AEdit, &QLineEdit::editingFinished, link, &TLinkControlToField::Write);
    return link;
}

TLinkControlToField* BindMemo(TBindSource* ASource, const QString& AFieldName, QPlainTextEdit* AMemo)
{
    auto* link = new TLinkControlToField(
        ASource, AFieldName, AMemo, [AMemo] { return QVariant(AMemo->toPlainText()); },
        [AMemo](const QVariant& AValue) { AMemo->setPlainText(AValue.toString()); }, AMemo);
    new TLeaveWatcher(AMemo, [link] { link->Write(); });
    return link;
}

TLinkControlToField* BindCheckBox(TBindSource* ASource, const QString& AFieldName, QCheckBox* ACheckBox)
{
    auto* link = new TLinkControlToField(
        ASource, AFieldName, ACheckBox, [ACheckBox] { return QVariant(ACheckBox->isChecked()); },
        [ACheckBox](const QVariant& AValue) { ACheckBox->setChecked(AValue.toBool()); }, ACheckBox);
    QObject::connect(ACheckBox, &QCheckBox::clicked, link, &TLinkControlToField::Write);
    return link;
}

TLinkControlToField* BindDateEdit(TBindSource* ASource, const QString& AFieldName, QDateTimeEdit* ADateEdit)
{
    auto* link = new TLinkControlToField(
        ASource, AFieldName, ADateEdit, [ADateEdit] { return QVariant(ADateEdit->dateTime()); },
        [ADateEdit](const QVariant& AValue) {
            ADateEdit->setDateTime(AValue.isNull() ? ADateEdit->minimumDateTime() : AValue.toDateTime());
        },
        ADateEdit);
    QObject::connect(ADateEdit, &QDateTimeEdit::dateTimeChanged, link, &TLinkControlToField::Write);
    return link;
}

TLinkControlToField* BindLookupCombo(TBindSource* ASource, const QString& AFieldName, QComboBox* ACombo,
                                     TBindSource* ALookup, const QString& ADisplayField)
{
    auto* link = new TLinkControlToField(
        ASource, AFieldName, ACombo, [ACombo] { return ACombo->currentData(); },
        [ACombo](const QVariant& AValue) {
            ACombo->setCurrentIndex(AValue.isNull() ? -1 : ACombo->findData(AValue.toInt()));
        },
        ACombo);
    QObject::connect(ACombo, &QComboBox::activated, link, &TLinkControlToField::Write);
    // The choices are the lookup table's rows, refilled whenever that table is loaded anew.
    auto refill = [ACombo, ALookup, ADisplayField, link] {
        refillLookup(ACombo, ALookup->DataSet(), ADisplayField);
        link->Show();
    };
    auto loaded = std::make_shared<QMetaObject::Connection>();
    auto follow = [ALookup, link, refill, loaded] {
        QObject::disconnect(*loaded);
        if (TDataTable* lookup = ALookup->DataSet())
            *loaded = QObject::connect(lookup, &TDataTable::Reset, link, refill);
        refill();
    };
    QObject::connect(ALookup, &TBindSource::DataSetChanged, link, follow);
    follow();
    return link;
}
