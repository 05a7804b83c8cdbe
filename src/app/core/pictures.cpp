// SPDX-License-Identifier: LicenseRef-Mervak
#include "pictures.h"

#include "appstyle.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace Mervak::Pictures {

namespace {

const QColor Amber(0xf5, 0xb7, 0x31);
const QColor White(0xff, 0xff, 0xff);
const QColor Ink(0x3b, 0x1c, 0x58);

QPixmap blank(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

void begin(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QPen pen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void magnifier(QPainter &p, QPointF centre, qreal r, const QColor &c, qreal w)
{
    p.setPen(pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
    const qreal d = r * 0.72;
    p.drawLine(centre + QPointF(d, d), centre + QPointF(d + r * 0.9, d + r * 0.9));
}

void stockList(QPainter &p)
{
    p.setPen(pen(White, 1.6));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRectF(4, 3, 19, 25), 2.5, 2.5);
    for (int i = 0; i < 4; ++i) {
        const qreal y = 9 + i * 5;
        p.setBrush(Amber);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8.5, y), 1.4, 1.4);
        p.setPen(pen(White, 1.6));
        p.drawLine(QPointF(11.5, y), QPointF(19, y));
    }
    magnifier(p, QPointF(22, 21), 5, Amber, 2.4);
}

void basket(QPainter &p)
{
    QPainterPath cart;
    cart.moveTo(2, 6);
    cart.lineTo(7, 6);
    cart.lineTo(11, 21);
    cart.lineTo(26, 21);
    cart.lineTo(29, 10);
    cart.lineTo(8.5, 10);
    p.setPen(pen(White, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cart);
    p.setPen(Qt::NoPen);
    p.setBrush(Amber);
    p.drawRoundedRect(QRectF(11, 12, 5, 7), 1, 1);
    p.drawRoundedRect(QRectF(17.5, 12, 5, 7), 1, 1);
    p.setBrush(White);
    p.drawEllipse(QPointF(12.5, 26), 2.4, 2.4);
    p.drawEllipse(QPointF(24, 26), 2.4, 2.4);
}

void previousOrders(QPainter &p)
{
    p.setPen(pen(White, 2.2));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(17, 16), 11, 11);
    p.setPen(pen(Amber, 2.4));
    p.drawLine(QPointF(17, 16), QPointF(17, 9));
    p.drawLine(QPointF(17, 16), QPointF(22, 19));
    // the turning-back arrow
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    QPolygonF head;
    head << QPointF(1, 12) << QPointF(9, 12) << QPointF(5, 17.5);
    p.drawPolygon(head);
}

void statement(QPainter &p)
{
    QPainterPath sheet;
    sheet.moveTo(6, 2);
    sheet.lineTo(20, 2);
    sheet.lineTo(26, 8);
    sheet.lineTo(26, 30);
    sheet.lineTo(6, 30);
    sheet.closeSubpath();
    p.setPen(pen(White, 1.6));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawPath(sheet);
    p.drawLine(QPointF(20, 2), QPointF(20, 8));
    p.drawLine(QPointF(20, 8), QPointF(26, 8));
    p.drawLine(QPointF(10, 9), QPointF(16, 9));
    p.drawLine(QPointF(10, 13), QPointF(22, 13));
    // the lira sign
    p.setPen(pen(Amber, 2.2));
    p.drawLine(QPointF(14, 17), QPointF(14, 27));
    p.drawLine(QPointF(11.5, 21), QPointF(18, 18.5));
    p.drawLine(QPointF(11.5, 24), QPointF(18, 21.5));
    QPainterPath bow;
    bow.moveTo(14, 27);
    bow.cubicTo(18, 27, 21, 25, 21, 21);
    p.drawPath(bow);
}

void star(QPainter &p, QPointF c, qreal outer, qreal inner, const QColor &fill,
          const QColor &line)
{
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        poly << c + QPointF(r * qCos(a), r * qSin(a));
    }
    p.setPen(line == Qt::transparent ? Qt::NoPen : pen(line, 1.4));
    p.setBrush(fill);
    p.drawPolygon(poly);
}

void newStock(QPainter &p)
{
    star(p, QPointF(16, 17), 14, 6, Amber, White);
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawEllipse(QPointF(16, 17.5), 2.6, 2.6);
}

void campaign(QPainter &p)
{
    QPainterPath tag;
    tag.moveTo(3, 16);
    tag.lineTo(14, 4);
    tag.lineTo(28, 4);
    tag.lineTo(28, 28);
    tag.lineTo(14, 28);
    tag.closeSubpath();
    p.setPen(pen(White, 1.6));
    p.setBrush(QColor(0xe8, 0x4a, 0x3c));
    p.drawPath(tag);
    p.setBrush(White);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(11, 16), 2, 2);
    p.setPen(pen(White, 2));
    p.drawLine(QPointF(17, 23), QPointF(24, 9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(17.5, 11), 2.2, 2.2);
    p.drawEllipse(QPointF(23.5, 21), 2.2, 2.2);
}

void announcements(QPainter &p)
{
    QPainterPath horn;
    horn.moveTo(4, 12);
    horn.lineTo(11, 12);
    horn.lineTo(24, 4);
    horn.lineTo(24, 26);
    horn.lineTo(11, 19);
    horn.lineTo(4, 19);
    horn.closeSubpath();
    p.setPen(pen(White, 1.6));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawPath(horn);
    p.setBrush(White);
    p.drawRect(QRectF(8, 19, 4, 8));
    p.setPen(pen(Amber, 2));
    p.drawLine(QPointF(27, 11), QPointF(30, 9));
    p.drawLine(QPointF(27, 15.5), QPointF(31, 15.5));
    p.drawLine(QPointF(27, 20), QPointF(30, 22));
}

void balances(QPainter &p)
{
    p.setPen(pen(White, 2));
    p.drawLine(QPointF(16, 4), QPointF(16, 27));
    p.drawLine(QPointF(9, 28), QPointF(23, 28));
    p.drawLine(QPointF(5, 8), QPointF(27, 8));
    p.setBrush(Amber);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 5), 2.2, 2.2);
    p.setPen(pen(White, 1.4));
    p.drawLine(QPointF(5, 8), QPointF(2, 17));
    p.drawLine(QPointF(5, 8), QPointF(9, 17));
    p.drawLine(QPointF(27, 8), QPointF(23, 17));
    p.drawLine(QPointF(27, 8), QPointF(30, 17));
    p.setBrush(Amber);
    p.drawChord(QRectF(1, 12, 9, 9), 180 * 16, 180 * 16);
    p.drawChord(QRectF(22, 12, 9, 9), 180 * 16, 180 * 16);
}

void cardPayment(QPainter &p)
{
    p.setPen(pen(White, 1.6));
    QLinearGradient g(0, 7, 0, 26);
    g.setColorAt(0, QColor(0x2e, 0xb8, 0x8a));
    g.setColorAt(1, QColor(0x1c, 0x8a, 0x66));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 7, 28, 19), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1b, 0x1b, 0x1b, 200));
    p.drawRect(QRectF(2.8, 11, 26.4, 4));
    p.setBrush(Amber);
    p.drawRoundedRect(QRectF(6, 18, 6, 4.5), 1, 1);
    p.setBrush(White);
    p.drawRect(QRectF(15, 20, 11, 1.6));
}

} // namespace

QPixmap Logo(const QSize &size)
{
    QPixmap pm = blank(size.width(), size.height());
    QPainter p(&pm);
    begin(p);
    const qreal h = size.height();
    const qreal s = h / 100.0;

    // The emblem: a gear-toothed disc carrying the letter M.
    const QPointF c(50 * s, 50 * s);
    QPainterPath gear;
    const int teeth = 12;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a = qDegreesToRadians(i * 180.0 / teeth);
        const qreal r = (i % 2 == 0) ? 40 * s : 34 * s;
        const QPointF pt = c + QPointF(r * qCos(a), r * qSin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QLinearGradient gold(0, 10 * s, 0, 90 * s);
    gold.setColorAt(0, QColor(0xff, 0xd2, 0x6a));
    gold.setColorAt(1, QColor(0xe0, 0x98, 0x18));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(gear);
    p.setBrush(QColor(0x4a, 0x24, 0x66));
    p.drawEllipse(c, 28 * s, 28 * s);
    QFont emblem(QStringLiteral("DejaVu Sans"));
    emblem.setPixelSize(int(34 * s));
    emblem.setBold(true);
    p.setFont(emblem);
    p.setPen(White);
    p.drawText(QRectF(c.x() - 28 * s, c.y() - 28 * s, 56 * s, 56 * s), Qt::AlignCenter,
               QStringLiteral("M"));

    // The word mark.
    QFont mark(QStringLiteral("DejaVu Sans"));
    mark.setPixelSize(int(40 * s));
    mark.setBold(true);
    mark.setLetterSpacing(QFont::AbsoluteSpacing, 2 * s);
    p.setFont(mark);
    p.setPen(White);
    const QRectF markRect(100 * s, 12 * s, size.width() - 100 * s, 52 * s);
    p.drawText(markRect, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("MERVAK"));
    const qreal markWidth = QFontMetricsF(mark).horizontalAdvance(QStringLiteral("MERVAK"));

    // "B2B" badge beside it.
    QFont badge(QStringLiteral("DejaVu Sans"));
    badge.setPixelSize(int(14 * s));
    badge.setBold(true);
    const QRectF badgeRect(100 * s + markWidth + 8 * s, 27 * s, 40 * s, 21 * s);
    if (badgeRect.right() < size.width()) {
        p.setPen(Qt::NoPen);
        p.setBrush(gold);
        p.drawRoundedRect(badgeRect, 4 * s, 4 * s);
        p.setFont(badge);
        p.setPen(QColor(0x3b, 0x1c, 0x58));
        p.drawText(badgeRect, Qt::AlignCenter, QStringLiteral("B2B"));
    }

    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(int(14 * s));
    sub.setBold(true);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 1.5 * s);
    p.setFont(sub);
    p.setPen(QColor(0xe4, 0xd2, 0xf2));
    p.drawText(QRectF(102 * s, 64 * s, size.width() - 102 * s, 22 * s),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OTOMOTİV YEDEK PARÇA"));
    p.setPen(pen(QColor(0xff, 0xd2, 0x6a), 2 * s));
    p.drawLine(QPointF(102 * s, 62 * s), QPointF(102 * s + markWidth, 62 * s));
    return pm;
}

QPixmap LoginBackground(const QSize &size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    begin(p);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, AppColors::HeaderDark);
    g.setColorAt(0.45, AppColors::HeaderLight);
    g.setColorAt(1, QColor(0x2a, 0x12, 0x40));
    p.fillRect(pm.rect(), g);
    // soft rings behind the logo
    p.setPen(QPen(QColor(255, 255, 255, 22), 18));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(size.width() * 0.85, size.height() * 0.12), 120, 120);
    p.drawEllipse(QPointF(size.width() * 0.05, size.height() * 0.95), 150, 150);
    const QPixmap logo = Logo(QSize(size.width() - 24, (size.width() - 24) * 100 / 350));
    p.drawPixmap(12, 22, logo);
    return pm;
}

QPixmap TabImage(int index)
{
    QPixmap pm = blank(32, 32);
    QPainter p(&pm);
    begin(p);
    switch (index) {
    case TabStatement: statement(p); break;
    case TabPreviousOrders: previousOrders(p); break;
    case TabCampaign: campaign(p); break;
    case TabBalances: balances(p); break;
    case TabNewStock: newStock(p); break;
    case TabCardPayment: cardPayment(p); break;
    case TabBasket: basket(p); break;
    case TabStockList: stockList(p); break;
    case TabAnnouncements: announcements(p); break;
    default: return {};
    }
    return pm;
}

QPixmap MenuButton()
{
    QPixmap pm = blank(48, 48);
    QPainter p(&pm);
    begin(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 9, 9);
    p.setBrush(White);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(11, 12 + i * 10, 26, 4.5), 2.2, 2.2);
    p.setBrush(Amber);
    p.drawEllipse(QPointF(37, 12), 4.5, 4.5);
    return pm;
}

QPixmap SearchIcon(int size)
{
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    begin(p);
    const qreal s = size / 24.0;
    p.scale(s, s);
    magnifier(p, QPointF(10, 10), 6.5, Ink, 2.6);
    return pm;
}

QPixmap ClearIcon(int size)
{
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    begin(p);
    const qreal s = size / 20.0;
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawEllipse(QRectF(1, 1, 18, 18));
    p.setPen(pen(White, 2.2));
    p.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
    p.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
    return pm;
}

} // namespace Mervak::Pictures
