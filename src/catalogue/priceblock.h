// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "gridcolumn.h"

#include <QLocale>
#include <QStringList>

namespace Mervak {

/*!
    The lines of the drawn "Fiyat Bilgisi" cell of the narrow stock list: list price, the
    campaign price only when there is one (above 0), net price and VAT-inclusive price, each
    in the money format.
*/
QStringList PriceBlockLines(double listPrice, double campaignPrice, double netPrice,
                            double vatIncluded, const QLocale &locale = QLocale());
// The same for one stock row (LISTEFIYAT1, KAMPFIYAT, NETFIYAT, KDVDAHIL).
QStringList PriceBlockLines(const GridRow &row);

// Draws the block right-aligned and centred vertically, 10 pixels in from both sides, whole
// (pressed together sideways when the column is too narrow); the grid has filled the cell's
// background (selection, even or odd row colour) already.
void PaintPriceBlock(QPainter *painter, const GridCell &cell);

} // namespace Mervak
