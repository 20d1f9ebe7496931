#pragma once

#include <QFlags>
#include <QPointer>
#include <QWidget>
#include <functional>

class QToolButton;
class TBindSource;
class TDataSetFollower;
class TDataTable;

// The navigator bar of a data source: previous, next, insert, delete, post, cancel, refresh. Which buttons
// are shown is a set; a button is enabled only when it can act. Delete asks "Datensatz löschen?" first.
class TNavigator : public QWidget
{
    Q_OBJECT

public:
    enum TButton
    {
        Prior = 0x01,
        Next = 0x02,
        Insert = 0x04,
        Delete = 0x08,
        Post = 0x10,
        Cancel = 0x20,
        Refresh = 0x40,
        AllButtons = 0x7F
    };
    Q_DECLARE_FLAGS(TButtons, TButton)

    explicit TNavigator(QWidget* AParent = nullptr);

    void SetDataSource(TBindSource* ASource);
    void SetVisibleButtons(TButtons AButtons);
    TButtons VisibleButtons() const { return FVisible; }
    QToolButton* Button(TButton AButton) const;

    // What refresh does is the page's: it reloads what it shows.
    std::function<void()> OnRefresh;

private:
    void UpdateButtons();
    void Act(TButton AButton);
    TDataTable* Table() const;

    TDataSetFollower* FFollower = nullptr;
    QList<QPair<TButton, QToolButton*>> FButtons;
    TButtons FVisible = AllButtons;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TNavigator::TButtons)
