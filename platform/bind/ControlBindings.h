#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
class TBindSource;
class TDataSetFollower;
class TDataTable;

// Binds one control to one field of a data source's current row: the control shows the field (the edit
// buffer while the row is edited) and writes what the user enters back into the field, which puts the
// table into the edit state. A control of a joined field is read-only.
class TLinkControlToField : public QObject
{
    Q_OBJECT

public:
    using TRead = std::function<QVariant()>;
    using TShow = std::function<void(const QVariant&)>;

    TLinkControlToField(TBindSource* ASource, const QString& AFieldName, QWidget* AControl, TRead ARead,
                        TShow AShow, QObject* AParent);

    // Writes the control's value into the field when it differs from the field's.
    void Write();
    // Shows the field's value in the control.
    void Show();

private:
    QString FFieldName;
    QPointer<QWidget> FControl;
    TRead FRead;
    TShow FShow;
    TDataSetFollower* FFollower = nullptr;
    bool FShowing = false;
};

// Edits and memos write when the user leaves them (or presses Enter in an edit); check boxes and date
// edits write at once; a lookup combo box lists the rows of another data source by ADisplayField and writes
// the chosen row's id.
TLinkControlToField* BindEdit(TBindSource* ASource, const QString& AFieldName, QLineEdit* AEdit);
TLinkControlToField* BindMemo(TBindSource* ASource, const QString& AFieldName, QPlainTextEdit* AMemo);
TLinkControlToField* BindCheckBox(TBindSource* ASource, const QString& AFieldName, QCheckBox* ACheckBox);
TLinkControlToField* BindDateEdit(TBindSource* ASource, const QString& AFieldName, QDateTimeEdit* ADateEdit);
TLinkControlToField* BindLookupCombo(TBindSource* ASource, const QString& AFieldName, QComboBox* ACombo,
                                     TBindSource* ALookup, const QString& ADisplayField);
