// SPDX-License-Identifier: LicenseRef-Mervak
#include "baskettotals.h"

#include "dataset.h"
#include "datasetroutines.h"

namespace Mervak {

BasketTotals SumBasketTotals(DataSet &sepet)
{
    BasketTotals t;
    if (!sepet.isOpen())
        return t;
    const int sec = sepet.fieldIndex(QStringLiteral("SEC"));
    const int tutar = sepet.fieldIndex(QStringLiteral("TUTAR"));
    const int indirim = sepet.fieldIndex(QStringLiteral("INDIRIMTUTAR"));
    const int vergi = sepet.fieldIndex(QStringLiteral("VERGITUTARI"));
    auto amount = [&sepet](int row, int column) {
        return column < 0 ? 0.0 : sepet.doubleAt(row, column);
    };
    if (sec >= 0) {
        for (bool more = sepet.first(); more && !sepet.eof(); more = sepet.next()) {
            const int row = sepet.recNo();
            if (sepet.intAt(row, sec) != 1)
                continue;
            t.gross = RoundToCents(t.gross + amount(row, tutar));
            t.discount = RoundToCents(t.discount + amount(row, indirim));
            t.tax = RoundToCents(t.tax + amount(row, vergi));
        }
    }
    sepet.setRecNo(sepet.rowCount());
    t.subtotal = RoundToCents(t.gross - t.discount);
    t.grand = RoundToCents(t.subtotal + t.tax);
    return t;
}

} // namespace Mervak
