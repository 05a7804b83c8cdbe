// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

// Shared by the source files of SqliteStore only.

#include "pricing.h"
#include "sqlsupport.h"

#include <QHash>
#include <QString>

namespace Mervak::Server {

// What decides a customer's prices.
struct CustomerTerms
{
    int carino = 0;
    QString code;
    QString name;
    double discount = 0;
    double cashDiscount = 0;
    QHash<QString, double> brandDiscounts;

    PriceTerms forBrand(const QString &brand) const
    {
        return {discount, brandDiscounts.value(brand, 0.0), cashDiscount};
    }
};

namespace StoreText {

// Refusals the client shows as they are.
inline QString unknownCustomer(int carino)
{
    return QStringLiteral("Cari hesap bulunamadı (Cari No: %1).").arg(carino);
}
inline QString unknownItem(int stokno)
{
    return QStringLiteral("Stok bulunamadı (Stok No: %1).").arg(stokno);
}
inline QString unknownUser()
{
    return QStringLiteral("Kullanıcı bulunamadı veya pasif.");
}
inline QString notAllowed()
{
    return QStringLiteral("Bu cari hesap için yetkiniz yok.");
}
inline QString tooLong(const QString &what, int max)
{
    return QStringLiteral("%1 en fazla %2 karakter olabilir.").arg(what).arg(max);
}

} // namespace StoreText

// Longest texts the store takes; a longer request is refused, nothing is stored.
inline constexpr int MaxShortText = 250;      // names, codes, addresses, subjects
inline constexpr int MaxLongText = 20000;     // messages and mail bodies
inline constexpr double MaxQuantity = 1000000;

void checkText(const QString &value, int max, const QString &what);
void checkQuantity(double quantity);

// The current moment, whole seconds.
QDateTime nowStamp();

// Stock status shown for an item: in stock, on the way, or its out-of-stock status.
int stockStatus(double stock, double supplierOrdered, int supplyStatus);

} // namespace Mervak::Server
