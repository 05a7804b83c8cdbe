// SPDX-License-Identifier: LicenseRef-Mervak
#include "priceblock.h"

#include "cataloguetexts.h"
#include "displayformat.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace Mervak {

QStringList PriceBlockLines(double listPrice, double campaignPrice, double netPrice,
                            double vatIncluded, const QLocale &locale)
{
    const QString format = QString::fromLatin1(MoneyFormat);
    QStringList lines;
    lines << QString::fromUtf8(CatalogueTexts::PriceListLine) + formatFloat(format, listPrice, locale);
    if (campaignPrice > 0)
        lines << QString::fromUtf8(CatalogueTexts::PriceCampaignLine)
                     + formatFloat(format, campaignPrice, locale);
    lines << QString::fromUtf8(CatalogueTexts::PriceNetLine) + formatFloat(format, netPrice, locale);
    lines << QString::fromUtf8(CatalogueTexts::PriceVatLine)
                 + formatFloat(format, vatIncluded, locale);
    return lines;
}

QStringList PriceBlockLines(const GridRow &row)
{
    return PriceBlockLines(row.doubleValue(QStringLiteral("LISTEFIYAT1")),
                           row.doubleValue(QStringLiteral("KAMPFIYAT")),
                           row.doubleValue(QStringLiteral("NETFIYAT")),
                           row.doubleValue(QStringLiteral("KDVDAHIL")));
}

void PaintPriceBlock(QPainter *painter, const GridCell &cell)
{
    if (!cell.row.isValid())
        return;
    const QStringList lines = PriceBlockLines(cell.row);
    QRect area = cell.rect.adjusted(10, 0, -10, 0);
    // In the narrow layout the block's 150 pixels may reach past the grid's right edge; the
    // amounts are then set against the edge that can be seen.
    if (const auto *view = dynamic_cast<const QWidget *>(painter->device()))
        area.setRight(qMin(area.right(), view->rect().right() - 10));
    if (area.width() <= 0)
        return;
    // The block is never cut short: the amounts are set a size smaller than the list text,
    // and pressed together sideways when the column is still too narrow for them.
    QFont font = cell.font;
    font.setBold(false);
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(9, font.pixelSize() - 1));
    else
        font.setPointSizeF(qMax(7.0, font.pointSizeF() - 1));
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString &line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const QString text = lines.join(QLatin1Char('\n'));

    painter->save();
    painter->setFont(font);
    painter->setPen(cell.textColour);
    if (widest > area.width()) {
        const qreal squeeze = qreal(area.width()) / qreal(widest);
        painter->translate(area.right() + 1, area.top());
        painter->scale(squeeze, 1.0);
        painter->drawText(QRectF(-widest, 0, widest, area.height()),
                          Qt::AlignRight | Qt::AlignVCenter, text);
    } else {
        painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter, text);
    }
    painter->restore();
}

} // namespace Mervak
