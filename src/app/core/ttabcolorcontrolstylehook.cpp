// SPDX-License-Identifier: LicenseRef-Mervak
#include "ttabcolorcontrolstylehook.h"

#include "appstyle.h"
#include "textrules.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Mervak {

TTabColorControlStyleHook::Layout TTabColorControlStyleHook::layout(const QRect &tabRect,
                                                                    const QString &caption,
                                                                    const QSize &pictureSize)
{
    Layout l;
    QRect text = tabRect;
    if (!pictureSize.isEmpty()) {
        const int top = tabRect.top() + (tabRect.height() - pictureSize.height()) / 2;
        l.pictureRect = QRect(QPoint(tabRect.left() + 3, top), pictureSize);
        text.setLeft(l.pictureRect.right() + 1);
    }
    const TSonuc split = SplitTabCaption(caption);
    l.title = split.baslik;
    l.count = split.sayi > 0 ? split.sayi : 0;
    l.titleRect = text.adjusted(0, 5, 0, -5);
    if (l.count > 0) {
        l.countText = QLatin1Char('(') + QString::number(l.count) + QLatin1Char(')');
        l.countRect = l.titleRect.adjusted(2, -3, -2, 3);
    }
    return l;
}

void TTabColorControlStyleHook::paint(QPainter &painter, const QRect &tabRect,
                                      const QString &caption, const QPixmap &picture,
                                      State state, const QFont &font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    // The tab's background for its state.
    const QColor base = state == Selected ? AppColors::TabSelected
                      : state == Hot      ? AppColors::TabHot
                                          : AppColors::TabNormal;
    QLinearGradient g(tabRect.topLeft(), tabRect.bottomLeft());
    g.setColorAt(0, base.lighter(state == Selected ? 118 : 112));
    g.setColorAt(1, base);
    QPainterPath shape;
    const QRectF r = QRectF(tabRect).adjusted(0.5, 0.5, -0.5, state == Selected ? 0.5 : -0.5);
    shape.addRoundedRect(r, 5, 5);
    painter.setPen(QPen(AppColors::TabBorder, 1));
    painter.setBrush(g);
    painter.drawPath(shape);
    if (state == Selected) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xf5, 0xb7, 0x31));
        painter.drawRoundedRect(QRectF(tabRect.left() + 6, tabRect.top() + 1.5,
                                       tabRect.width() - 12, 3), 1.5, 1.5);
    }

    const Layout l = layout(tabRect, caption, picture.isNull()
                                                  ? QSize()
                                                  : picture.deviceIndependentSize().toSize());
    if (!picture.isNull())
        painter.drawPixmap(l.pictureRect, picture);

    painter.setFont(font);
    painter.setPen(AppColors::TabText);
    painter.drawText(l.titleRect, Qt::AlignCenter | Qt::TextWordWrap, l.title);

    if (l.count > 0) {
        QFont small = font;
        small.setPixelSize(qMax(9, font.pixelSize() > 0 ? font.pixelSize() - 2 : 11));
        painter.setFont(small);
        // A light plate under the red count keeps it readable on the purple tab.
        const QFontMetrics fm(small);
        QRect plate = fm.boundingRect(l.countText).adjusted(-3, 0, 3, 0);
        plate.moveTopRight(l.countRect.topRight());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 235));
        painter.drawRoundedRect(QRectF(plate), 6, 6);
        painter.setPen(AppColors::TabCount);
        painter.drawText(plate, Qt::AlignCenter, l.countText);
    }
    painter.restore();
}

} // namespace Mervak
