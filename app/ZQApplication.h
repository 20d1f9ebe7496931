#pragma once

#include <QApplication>

// The application object. An error that escapes an event handler ends that handler and is shown to the
// user in a message box; the program goes on.
class TZQApplication : public QApplication
{
public:
    TZQApplication(int& argc, char** argv);

    bool notify(QObject* AReceiver, QEvent* AEvent) override;

    static void ShowError(const QString& AMessage);

private:
    // What must be set before the application object exists; gives AArgc back.
    static int& BeforeCreation(int& AArgc);
};
