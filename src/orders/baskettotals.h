// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

namespace Mervak {

class DataSet;

// The five totals of the ticked basket lines.
struct BasketTotals
{
    double gross = 0.0;      // "Toplam": TUTAR
    double discount = 0.0;   // "İndirim Toplam": INDIRIMTUTAR
    double subtotal = 0.0;   // "Ara Toplam": gross - discount
    double tax = 0.0;        // "Vergi": VERGITUTARI
    double grand = 0.0;      // "Genel Toplam": subtotal + tax
};

/*!
    Adds up the lines whose SEC is 1, rounding to cents after every addition so that the sum
    shown is the sum of the amounts shown. Walks the basket from its first row and leaves the
    cursor after the last one. A basket without rows (or not loaded) gives zeros.
*/
BasketTotals SumBasketTotals(DataSet &sepet);

} // namespace Mervak
