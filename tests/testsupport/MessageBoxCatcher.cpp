#include "tests/testsupport/MessageBoxCatcher.h"

#include <QApplication>
#include <QMessageBox>

TMessageBoxCatcher::TMessageBoxCatcher()
{
    connect(&FTimer, &QTimer::timeout, this, &TMessageBoxCatcher::Poll);
    FTimer.start(20);
}

void TMessageBoxCatcher::Poll()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        FText = box->text();
        FCaught = true;
        box->done(QMessageBox::Ok);
    }
    if (FCaught || --FPollsLeft <= 0)
        FTimer.stop();
}
