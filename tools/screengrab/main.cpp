// screengrab OUT.png [SECONDS]: waits until the X display shows more than a blank screen, lets it settle,
// and saves a picture of the whole screen. Used by ./run on machines without a display of their own.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

bool showsSomething(const QImage& AImage)
{
    const QRgb first = AImage.pixel(0, 0);
    for (int y = 0; y < AImage.height(); y += 7)
        for (int x = 0; x < AImage.width(); x += 7)
            if (AImage.pixel(x, y) != first)
                return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: screengrab OUT.png [SECONDS]\n", stderr);
        return 2;
    }
    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 30;
    QScreen* screen = QGuiApplication::primaryScreen();
    QElapsedTimer clock;
    clock.start();
    while (!showsSomething(screen->grabWindow(0).toImage())) {
        if (clock.elapsed() > seconds * 1000) {
            std::fputs("screengrab: the screen stayed blank\n", stderr);
            return 1;
        }
        QThread::msleep(200);
    }
    QThread::msleep(800); // let the window finish painting
    if (!screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
        std::fputs("screengrab: cannot write the picture\n", stderr);
        return 1;
    }
    return 0;
}
