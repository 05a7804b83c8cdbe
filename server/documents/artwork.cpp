// SPDX-License-Identifier: LicenseRef-Mervak
#include "artwork.h"

#include "gifwriter.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace Mervak::Server {

namespace {

QFont font(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QByteArray encode(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

void drawPart(QPainter &p, const QRectF &area, const QString &group, QRandomGenerator &rng)
{
    const QColor metal(150 + int(rng.bounded(40)), 155 + int(rng.bounded(40)), 165);
    const QColor dark = metal.darker(170);
    p.setPen(QPen(dark, 3));
    const QPointF c = area.center();
    const double r = qMin(area.width(), area.height()) / 2.0 - 6;
    const QString g = group.toUpper();
    if (g.contains(QStringLiteral("FREN"))) {
        // A brake disc: outer ring, hub and bolt holes.
        p.setBrush(metal);
        p.drawEllipse(c, r, r);
        p.setBrush(metal.lighter(120));
        p.drawEllipse(c, r * 0.45, r * 0.45);
        p.setBrush(dark);
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * M_PI / 5;
            p.drawEllipse(QPointF(c.x() + std::cos(a) * r * 0.3, c.y() + std::sin(a) * r * 0.3),
                          r * 0.05, r * 0.05);
        }
        p.drawEllipse(c, r * 0.12, r * 0.12);
    } else if (g.contains(QStringLiteral("FİLTRE")) || g.contains(QStringLiteral("FILTRE"))) {
        // A filter can with its ribs.
        const QRectF body(c.x() - r * 0.6, c.y() - r * 0.9, r * 1.2, r * 1.8);
        p.setBrush(QColor(40 + int(rng.bounded(60)), 90, 160 + int(rng.bounded(60))));
        p.drawRoundedRect(body, 14, 14);
        p.setPen(QPen(Qt::white, 2));
        for (int i = 1; i < 8; ++i) {
            const double y = body.top() + body.height() * i / 8.0;
            p.drawLine(QPointF(body.left() + 6, y), QPointF(body.right() - 6, y));
        }
    } else if (g.contains(QStringLiteral("AMORT")) || g.contains(QStringLiteral("SÜSP"))) {
        // A shock absorber: a spring around a rod.
        p.setBrush(metal);
        p.drawRect(QRectF(c.x() - r * 0.12, c.y() - r, r * 0.24, r * 2));
        p.setPen(QPen(QColor(200, 40, 40), 6));
        for (int i = 0; i < 7; ++i) {
            const double y = c.y() - r * 0.8 + i * r * 0.25;
            p.drawLine(QPointF(c.x() - r * 0.4, y), QPointF(c.x() + r * 0.4, y + r * 0.12));
        }
    } else if (g.contains(QStringLiteral("ELEKTR")) || g.contains(QStringLiteral("AYDIN"))) {
        // A lamp housing.
        QPainterPath path;
        path.moveTo(c.x() - r, c.y() + r * 0.4);
        path.cubicTo(c.x() - r, c.y() - r, c.x() + r, c.y() - r, c.x() + r, c.y() + r * 0.4);
        path.closeSubpath();
        p.setBrush(QColor(250, 235, 160));
        p.drawPath(path);
        p.setBrush(QColor(255, 250, 220));
        p.drawEllipse(QPointF(c.x(), c.y() - r * 0.1), r * 0.3, r * 0.3);
    } else {
        // Anything else: a machined block with bores.
        p.setBrush(metal);
        p.drawRoundedRect(QRectF(c.x() - r, c.y() - r * 0.6, r * 2, r * 1.2), 10, 10);
        p.setBrush(dark);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(c.x() - r * 0.55 + i * r * 0.55, c.y()), r * 0.18, r * 0.18);
    }
}

QImage bannerFrame(const QSize &size, const QColor &from, const QColor &to)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    p.fillRect(image.rect(), gradient);
    return image;
}

} // namespace

QByteArray jpegBytes(const QImage &image, int quality)
{
    return encode(image.convertToFormat(QImage::Format_RGB32), "JPG", quality);
}

QImage itemPicture(const QString &mainGroup, const QString &brand, const QString &code,
                   const QString &name, quint32 seed)
{
    QRandomGenerator rng(seed);
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(246, 247, 249));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawPart(p, QRectF(70, 20, 180, 160), mainGroup, rng);
    p.setPen(QColor(22, 24, 99));
    p.setFont(font(18, true));
    p.drawText(QRectF(8, 186, 304, 24), Qt::AlignCenter, brand);
    p.setPen(QColor(70, 70, 70));
    p.setFont(font(12));
    p.drawText(QRectF(8, 210, 304, 24), Qt::AlignCenter,
               p.fontMetrics().elidedText(code + QStringLiteral("  ") + name, Qt::ElideRight, 300));
    return image;
}

QByteArray headerBannerGif(const QString &company, const QStringList &slogans)
{
    QList<QImage> frames;
    const QColor colours[] = {QColor(22, 24, 99), QColor(120, 20, 30), QColor(10, 90, 60)};
    int n = 0;
    for (const QString &slogan : slogans) {
        const QColor base = colours[n++ % 3];
        QImage frame = bannerFrame(QSize(409, 100), base, base.lighter(160));
        QPainter p(&frame);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(Qt::white);
        p.setFont(font(24, true));
        p.drawText(QRect(10, 8, 389, 40), Qt::AlignCenter, company);
        p.setFont(font(16));
        p.drawText(QRect(10, 52, 389, 40), Qt::AlignCenter | Qt::TextWordWrap, slogan);
        p.end();
        frames << frame;
    }
    return writeGif(frames, 250);
}

QByteArray upperBannerGif(const QString &text, int width)
{
    QList<QImage> frames;
    for (int i = 0; i < 2; ++i) {
        QImage frame = bannerFrame(QSize(width, 60), i ? QColor(200, 120, 0) : QColor(230, 160, 0),
                                   QColor(255, 220, 120));
        QPainter p(&frame);
        p.setPen(i ? Qt::white : QColor(22, 24, 99));
        p.setFont(font(26, true));
        p.drawText(frame.rect(), Qt::AlignCenter, text);
        p.end();
        frames << frame;
    }
    return writeGif(frames, 120);
}

QByteArray lowerBannerBmp(const QString &text, int width)
{
    QImage image = bannerFrame(QSize(width, 36), QColor(22, 24, 99), QColor(60, 70, 160));
    QPainter p(&image);
    p.setPen(QColor(255, 230, 120));
    p.setFont(font(18, true));
    p.drawText(image.rect().adjusted(12, 0, -12, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    p.end();
    return encode(image, "BMP");
}

QImage noticePicture(const QSize &size, const QString &title, const QStringList &lines,
                     const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, colour.lighter(170));
    gradient.setColorAt(1, Qt::white);
    p.fillRect(image.rect(), gradient);
    const int band = size.height() / 5;
    p.fillRect(QRect(0, 0, size.width(), band), colour);
    p.setPen(Qt::white);
    p.setFont(font(band / 2, true));
    p.drawText(QRect(16, 0, size.width() - 32, band), Qt::AlignCenter, title);
    p.setPen(QColor(30, 30, 30));
    p.setFont(font(qMax(14, size.height() / 18)));
    int y = band + 24;
    const int step = qMax(22, size.height() / 10);
    for (const QString &line : lines) {
        p.drawText(QRect(24, y, size.width() - 48, step), Qt::AlignCenter | Qt::TextWordWrap, line);
        y += step;
    }
    p.setPen(QPen(colour, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(image.rect().adjusted(3, 3, -3, -3));
    return image;
}

} // namespace Mervak::Server
