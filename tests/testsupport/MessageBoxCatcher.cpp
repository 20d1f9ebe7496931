#include "tests/testsupport/MessageBoxCatcher.h"

#include <QAbstractButton>
#include <QApplication>

TMessageBoxCatcher::TMessageBoxCatcher(QMessageBox::StandardButton AAnswer) : FAnswer(AAnswer)
{
    connect(&FTimer, &QTimer::timeout, this, &TMessageBoxCatcher::Poll);
    FTimer.start(20);
}

void TMessageBoxCatcher::Poll()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        FText = box->text();
        FCaught = true;
        // A click, as the user's, so that the box reports the button as the one chosen.
        if (QAbstractButton* button = box->button(FAnswer))
            button->click();
        else
            box->done(FAnswer);
    }
    if (FCaught || --FPollsLeft <= 0)
        FTimer.stop();
}
