#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class TBindSource;
class TDataTable;
class TListControl;

// Fills a list or combo box from one field (and a detail field) of the rows of a data source, in table
// order, and keeps list and table cursor together: the current row is the current item, and choosing an
// item moves the table to that row. Deactivating empties the list; activating fills it anew.
class TLinkListControlToField : public QObject
{
    Q_OBJECT

public:
    TLinkListControlToField(TBindSource* ASource, const QString& AFieldName, const QString& ADetailFieldName,
                            TListControl* AControl, QObject* AParent);

    TBindSource* DataSource() const { return FSource; }
    bool Active() const { return FActive; }
    void SetActive(bool AActive);

private:
    void Attach();
    void Fill();
    void FollowCursor();
    void Choose(int AIndex);

    QPointer<TBindSource> FSource;
    QString FFieldName;
    QString FDetailFieldName;
    TListControl* FControl;
    bool FActive = true;
    QPointer<TDataTable> FTable;
    QList<QMetaObject::Connection> FConnections;
};
