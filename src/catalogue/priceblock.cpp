// SPDX-License-Identifier: LicenseRef-Mervak
#include "priceblock.h"

#include "cataloguetexts.h"
#include "displayformat.h"

#include <QPainter>

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
    painter->setFont(cell.font);
    painter->setPen(cell.textColour);
    // No ellipsis: the column is wide enough for the longest line in both layouts.
    painter->drawText(cell.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                      PriceBlockLines(cell.row).join(QLatin1Char('\n')));
}

} // namespace Mervak
