#include "app/ZQApplication.h"

#include "util/ZQError.h"

#include <QMessageBox>

int& TZQApplication::BeforeCreation(int& AArgc)
{
    // The embedded browser shares the window's OpenGL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return AArgc;
}

TZQApplication::TZQApplication(int& argc, char** argv) : QApplication(BeforeCreation(argc), argv)
{
    setApplicationName(QStringLiteral("ZQConnect"));
}

bool TZQApplication::notify(QObject* AReceiver, QEvent* AEvent)
{
    try {
        return QApplication::notify(AReceiver, AEvent);
    } catch (const EZQError& error) {
        ShowError(error.Message());
    } catch (const std::exception& error) {
        ShowError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void TZQApplication::ShowError(const QString& AMessage)
{
    QMessageBox::critical(activeWindow(), applicationName(), AMessage);
}
