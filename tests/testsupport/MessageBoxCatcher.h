#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches for the next modal message box, keeps its text and closes it, so that a test can go on past
// the point where the program shows an error. Gives up after a few seconds.
class TMessageBoxCatcher : public QObject
{
    Q_OBJECT

public:
    // Answers the box with AAnswer.
    explicit TMessageBoxCatcher(QMessageBox::StandardButton AAnswer = QMessageBox::Ok);

    bool Caught() const { return FCaught; }
    const QString& Text() const { return FText; }

private:
    void Poll();

    QTimer FTimer;
    QMessageBox::StandardButton FAnswer;
    int FPollsLeft = 250; // 5 seconds at 20 ms
    bool FCaught = false;
    QString FText;
};
