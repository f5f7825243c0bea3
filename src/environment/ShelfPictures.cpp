#include "ShelfPictures.h"

#include "geometry/BookShelf.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace agendrix {

namespace {
    constexpr int LogoSize = 40;
    // The lamps of the three tasks: extreme, high and low priority.
    constexpr std::array<QRgb, 3> LampColours { 0xd02020, 0xe0a000, 0x30a040 };
} // namespace

QPixmap ProductLogo()
{
    QPixmap logo(LogoSize, LogoSize);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 2));
    painter.setBrush(QColor(250, 250, 240));
    painter.drawRoundedRect(QRectF(3, 1, 30, 37), 3, 3);
    for (int task = 0; task < 3; ++task) {
        const int y = 8 + task * 10;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(LampColours[static_cast<std::size_t>(task)]));
        painter.drawEllipse(QRectF(7, y, 6, 6));
        painter.setPen(QPen(QColor(90, 90, 110), 2));
        painter.drawLine(16, y + 3, 29, y + 3);
    }
    QPainterPath tick;
    tick.moveTo(22, 24);
    tick.lineTo(28, 31);
    tick.lineTo(38, 16);
    painter.setPen(QPen(QColor(0, 0, 128), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return logo;
}

QPixmap TrinketPicture()
{
    constexpr int size = BookShelf::TrinketSize;
    QPixmap trinket(size, size);
    trinket.fill(Qt::transparent);
    QPainter painter(&trinket);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 130, 50));
    painter.drawEllipse(QRectF(1, 0, 8, 9));
    painter.drawEllipse(QRectF(7, 1, 8, 8));
    painter.drawEllipse(QRectF(4, 4, 8, 6));
    painter.setBrush(QColor(170, 80, 40));
    const QPointF pot[] = { { 3, 9 }, { 13, 9 }, { 11.5, 16 }, { 4.5, 16 } };
    painter.drawPolygon(pot, 4);
    return trinket;
}

} // namespace agendrix
