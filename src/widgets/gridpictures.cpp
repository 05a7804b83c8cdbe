// SPDX-License-Identifier: LicenseRef-Mervak
#include "gridpictures.h"

#include <QGuiApplication>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace Mervak {

namespace {

// All shapes are drawn in a 1 x 1 box scaled to the pixmap, so every size stays sharp.

void drawBadgeCircle(QPainter &p, const QColor &colour)
{
    QLinearGradient fill(0, 0, 0, 1);
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(130), 0.04));
    p.setBrush(fill);
    p.drawEllipse(QRectF(0.06, 0.06, 0.88, 0.88));
}

void drawBadgeSquare(QPainter &p, const QColor &colour, const QColor &border)
{
    p.setPen(QPen(border, 0.05));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.12, 0.12, 0.76, 0.76), 0.16, 0.16);
}

QPen whitePen(double width)
{
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawCheck(QPainter &p, const QColor &colour, double width)
{
    QPen pen = whitePen(width);
    pen.setColor(colour);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(0.29, 0.52);
    path.lineTo(0.44, 0.67);
    path.lineTo(0.72, 0.36);
    p.drawPath(path);
}

void drawCross(QPainter &p, const QColor &colour, double inset, double width)
{
    QPen pen = whitePen(width);
    pen.setColor(colour);
    p.setPen(pen);
    p.drawLine(QPointF(inset, inset), QPointF(1 - inset, 1 - inset));
    p.drawLine(QPointF(1 - inset, inset), QPointF(inset, 1 - inset));
}

void drawHandset(QPainter &p)
{
    // A telephone handset seen from the front: a bow with the ear and mouth pieces.
    p.setPen(whitePen(0.11));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.25, 0.32, 0.5, 0.4), 20 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.19, 0.43, 0.17, 0.15), 0.04, 0.04);
    p.drawRoundedRect(QRectF(0.64, 0.43, 0.17, 0.15), 0.04, 0.04);
    p.drawRoundedRect(QRectF(0.36, 0.58, 0.28, 0.12), 0.04, 0.04);
}

void drawTruck(QPainter &p, const QColor &background)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.2, 0.33, 0.36, 0.27));
    QPainterPath cab;
    cab.moveTo(0.58, 0.42);
    cab.lineTo(0.72, 0.42);
    cab.lineTo(0.81, 0.52);
    cab.lineTo(0.81, 0.6);
    cab.lineTo(0.58, 0.6);
    cab.closeSubpath();
    p.drawPath(cab);
    p.setPen(QPen(background, 0.035));
    p.drawEllipse(QPointF(0.33, 0.64), 0.075, 0.075);
    p.drawEllipse(QPointF(0.68, 0.64), 0.075, 0.075);
}

void drawStar(QPainter &p)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? 0.31 : 0.13;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(0.5 + radius * std::cos(angle), 0.53 + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(star);
}

void drawClock(QPainter &p)
{
    p.setPen(whitePen(0.07));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0.5, 0.5), 0.27, 0.27);
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, 0.33));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.63, 0.58));
}

void drawPhotoMark(QPainter &p)
{
    const QColor frame(74, 96, 140);
    p.setPen(QPen(frame, 0.05));
    p.setBrush(QColor(232, 240, 250));
    p.drawRoundedRect(QRectF(0.1, 0.2, 0.8, 0.62), 0.08, 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 180, 40));
    p.drawEllipse(QPointF(0.66, 0.37), 0.07, 0.07);
    QPainterPath hills;
    hills.moveTo(0.16, 0.76);
    hills.lineTo(0.38, 0.45);
    hills.lineTo(0.54, 0.64);
    hills.lineTo(0.64, 0.53);
    hills.lineTo(0.84, 0.76);
    hills.closeSubpath();
    p.setBrush(QColor(76, 150, 90));
    p.drawPath(hills);
}

void paintPicture(QPainter &p, GridPicture picture)
{
    switch (picture) {
    case GridPicture::None:
        return;
    case GridPicture::StatusOutOfStock:
        drawBadgeCircle(p, QColor(211, 47, 47));
        drawCross(p, Qt::white, 0.34, 0.1);
        return;
    case GridPicture::StatusInStock:
        drawBadgeCircle(p, QColor(46, 160, 67));
        drawCheck(p, Qt::white, 0.11);
        return;
    case GridPicture::StatusCallUs: {
        const QColor c(239, 124, 0);
        drawBadgeCircle(p, c);
        drawHandset(p);
        return;
    }
    case GridPicture::StatusOnTheWay: {
        const QColor c(30, 115, 200);
        drawBadgeCircle(p, c);
        drawTruck(p, c);
        return;
    }
    case GridPicture::StatusSpecialOrder:
        drawBadgeCircle(p, QColor(123, 67, 173));
        drawStar(p);
        return;
    case GridPicture::StatusInSupply:
        drawBadgeCircle(p, QColor(218, 165, 0));
        drawClock(p);
        return;
    case GridPicture::HasPicture:
        drawPhotoMark(p);
        return;
    case GridPicture::Yes:
        drawBadgeSquare(p, QColor(56, 142, 60), QColor(40, 110, 45));
        drawCheck(p, Qt::white, 0.11);
        return;
    case GridPicture::No:
        drawBadgeSquare(p, QColor(214, 214, 218), QColor(180, 180, 186));
        drawCross(p, Qt::white, 0.36, 0.09);
        return;
    case GridPicture::CheckOn:
        drawBadgeSquare(p, QColor(106, 61, 154), QColor(84, 45, 125));
        drawCheck(p, Qt::white, 0.12);
        return;
    case GridPicture::CheckOff:
        drawBadgeSquare(p, Qt::white, QColor(150, 150, 160));
        return;
    }
}

} // namespace

QPixmap gridPixmap(GridPicture picture, int size)
{
    if (picture == GridPicture::None || size <= 0)
        return {};
    static QHash<quint64, QPixmap> cache;
    const quint64 key = (quint64(quint32(int(picture) + 1)) << 32) | quint32(size);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;

    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(int(std::ceil(size * ratio)), int(std::ceil(size * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size, size);
        paintPicture(p, picture);
    }
    cache.insert(key, pixmap);
    return pixmap;
}

QPixmap statusPixmap(int code, int size)
{
    if (code < 0 || code > 5)
        return {};
    return gridPixmap(GridPicture(code), size);
}

} // namespace Mervak
