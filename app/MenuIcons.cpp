#include "app/MenuIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int IconSize = 64;

void drawHome(QPainter& APainter)
{
    APainter.drawPolyline(QPolygonF({{8, 32}, {32, 10}, {56, 32}}));
    APainter.drawRect(QRectF(16, 30, 32, 24));
    APainter.drawRect(QRectF(28, 40, 8, 14));
}

void drawDownloads(QPainter& APainter)
{
    APainter.drawLine(QPointF(32, 8), QPointF(32, 40));
    APainter.drawPolyline(QPolygonF({{20, 28}, {32, 40}, {44, 28}}));
    APainter.drawPolyline(QPolygonF({{10, 42}, {10, 54}, {54, 54}, {54, 42}}));
}

void drawCustomers(QPainter& APainter)
{
    APainter.drawEllipse(QPointF(24, 22), 8, 8);
    APainter.drawArc(QRectF(10, 34, 28, 28), 0, 180 * 16);
    APainter.drawEllipse(QPointF(44, 24), 6, 6);
    APainter.drawArc(QRectF(34, 36, 22, 22), 0, 180 * 16);
}

void drawUpdates(QPainter& APainter)
{
    APainter.drawArc(QRectF(12, 12, 40, 40), 30 * 16, 300 * 16);
    APainter.drawPolyline(QPolygonF({{50, 12}, {50, 24}, {38, 24}}));
}

void drawSettings(QPainter& APainter)
{
    APainter.drawEllipse(QPointF(32, 32), 14, 14);
    APainter.drawEllipse(QPointF(32, 32), 5, 5);
    for (int tooth = 0; tooth < 8; ++tooth) {
        APainter.save();
        APainter.translate(32, 32);
        APainter.rotate(45.0 * tooth);
        APainter.drawLine(QPointF(0, -14), QPointF(0, -22));
        APainter.restore();
    }
}

void drawMenu(QPainter& APainter)
{
    for (const int y : {18, 32, 46})
        APainter.drawLine(QPointF(12, y), QPointF(52, y));
}

void drawOrganisation(QPainter& APainter)
{
    APainter.drawRect(QRectF(14, 10, 36, 44));
    for (const int y : {18, 28, 38})
        for (const int x : {22, 36})
            APainter.drawRect(QRectF(x, y, 6, 5));
}

} // namespace

QIcon MenuIcon(TMenuIcon AIcon)
{
    if (AIcon == TMenuIcon::None)
        return {};
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (AIcon) {
    case TMenuIcon::Home:
        drawHome(painter);
        break;
    case TMenuIcon::Downloads:
        drawDownloads(painter);
        break;
    case TMenuIcon::Customers:
        drawCustomers(painter);
        break;
    case TMenuIcon::Updates:
        drawUpdates(painter);
        break;
    case TMenuIcon::Settings:
        drawSettings(painter);
        break;
    case TMenuIcon::Menu:
        drawMenu(painter);
        break;
    case TMenuIcon::Organisation:
        drawOrganisation(painter);
        break;
    case TMenuIcon::None:
        break;
    }
    return QIcon(pixmap);
}
