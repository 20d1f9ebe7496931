#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class TBindSource;
class TDataSetFollower;
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

    TBindSource* DataSource() const;
    bool Active() const { return FActive; }
    void SetActive(bool AActive);

private:
    void Fill();
    void FollowCursor();
    void Choose(int AIndex);
    TDataTable* Table() const;

    QString FFieldName;
    QString FDetailFieldName;
    TListControl* FControl;
    bool FActive = true;
    TDataSetFollower* FFollower = nullptr;
};
