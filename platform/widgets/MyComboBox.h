#pragma once

#include "platform/bind/ListControl.h"

#include <QComboBox>
#include <QDateTime>

// A combo box with type-ahead: letters and digits typed within 500 ms of each other select the first item
// that begins with them (case ignored). Enter is swallowed. A key that matches no item, and every other
// key, is handled as by any combo box.
class TMyComboBox : public QComboBox, public TListControl
{
    Q_OBJECT

public:
    explicit TMyComboBox(QWidget* AParent = nullptr);

    void SetListItems(const QList<TListItem>& AItems) override;
    void SetCurrentItem(int AIndex) override;

    const QString& Keys() const { return FKeys; }

protected:
    void keyPressEvent(QKeyEvent* AEvent) override;

private:
    static constexpr qint64 TypeAheadMilliseconds = 500;

    QString FKeys;
    QDateTime FLastTimeKeydown;
};
