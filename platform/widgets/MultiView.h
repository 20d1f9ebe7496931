#pragma once

#include <QFrame>
#include <QPointer>

class QAbstractButton;

// A pane that folds out over its host widget from one edge. As a navigation pane it always shows a narrow
// strip (icons only) and widens when opened; as a drawer it is hidden until opened. While it is open, a
// click anywhere else on the host folds it again.
class TMultiView : public QFrame
{
    Q_OBJECT

public:
    enum class TMode
    {
        NavigationPane,
        Drawer
    };

    TMultiView(TMode AMode, Qt::Edge AEdge, QWidget* AHost);

    void SetWidths(int ACollapsed, int AExpanded);
    void SetContent(QWidget* AContent);
    // A click on the button opens a folded pane and folds an open one; none detaches the pane from it.
    void SetMasterButton(QAbstractButton* AButton);

    bool IsShowed() const { return FShowed; }

public slots:
    void ShowMaster();
    void HideMaster();

signals:
    void StartShowing();
    void StartHiding();

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void Relayout();

    TMode FMode;
    Qt::Edge FEdge;
    int FCollapsedWidth = 48;
    int FExpandedWidth = 250;
    bool FShowed = false;
    QWidget* FScrim;
    QMetaObject::Connection FMasterButton;
};
