#include "platform/widgets/MultiView.h"

#include <QAbstractButton>
#include <QEvent>
#include <QVBoxLayout>

TMultiView::TMultiView(TMode AMode, Qt::Edge AEdge, QWidget* AHost)
    : QFrame(AHost), FMode(AMode), FEdge(AEdge), FScrim(new QWidget(AHost))
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setLayout(new QVBoxLayout);
    layout()->setContentsMargins(0, 0, 0, 0);

    // The scrim lies between the host's content and the open pane and catches the click that folds it.
    FScrim->setObjectName(QStringLiteral("Scrim"));
    FScrim->hide();
    FScrim->installEventFilter(this);
    AHost->installEventFilter(this);
    Relayout();
}

void TMultiView::SetWidths(int ACollapsed, int AExpanded)
{
    FCollapsedWidth = ACollapsed;
    FExpandedWidth = AExpanded;
    Relayout();
}

void TMultiView::SetContent(QWidget* AContent)
{
    layout()->addWidget(AContent);
}

void TMultiView::SetMasterButton(QAbstractButton* AButton)
{
    disconnect(FMasterButton);
    if (AButton)
        FMasterButton = connect(AButton, &QAbstractButton::clicked, this,
                                [this] { FShowed ? HideMaster() : ShowMaster(); });
}

void TMultiView::ShowMaster()
{
    if (FShowed)
        return;
    emit StartShowing();
    FShowed = true;
    Relayout();
}

void TMultiView::HideMaster()
{
    if (!FShowed)
        return;
    emit StartHiding();
    FShowed = false;
    Relayout();
}

bool TMultiView::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == parent() && AEvent->type() == QEvent::Resize)
        Relayout();
    else if (AWatched == FScrim && AEvent->type() == QEvent::MouseButtonPress)
        HideMaster();
    return QFrame::eventFilter(AWatched, AEvent);
}

void TMultiView::Relayout()
{
    const QWidget* host = parentWidget();
    const int width = FShowed ? FExpandedWidth : FCollapsedWidth;
    const int left = FEdge == Qt::RightEdge ? host->width() - width : 0;
    setGeometry(left, 0, width, host->height());
    setVisible(FShowed || FMode == TMode::NavigationPane);
    FScrim->setGeometry(host->rect());
    FScrim->setVisible(FShowed);
    FScrim->raise();
    raise();
}
