// The reference of the start-up benchmark: a bare Qt window with a title, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(849, 660);
    window.show();
    return application.exec();
}
