// SPDX-License-Identifier: LicenseRef-Mervak
#include "pricing.h"

#include "displayformat.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace Mervak::Server {

namespace {

QString rateText(double rate)
{
    // Rates are whole numbers in practice; a fraction shows with the Turkish comma.
    const double rounded = roundDecimal(rate, 2);
    if (rounded == std::trunc(rounded))
        return QString::number(qint64(rounded));
    return QLocale(QLocale::Turkish, QLocale::Turkey).toString(rounded, 'f', 2)
        .remove(QRegularExpression(QStringLiteral("0+$")));
}

} // namespace

double cents(double value)
{
    return roundDecimal(value, 2);
}

double netUnitPrice(double unitPrice, const Discounts &rates)
{
    double net = unitPrice;
    for (const double rate : rates)
        net *= 1.0 - rate / 100.0;
    return cents(net);
}

QString discountText(const Discounts &rates)
{
    QStringList parts;
    for (const double rate : rates) {
        if (rate != 0)
            parts << rateText(rate);
    }
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(u'+');
}

LineAmounts lineAmounts(double quantity, double unitPrice, const Discounts &rates,
                        double vatRate)
{
    LineAmounts a;
    a.amount = cents(quantity * unitPrice);
    a.netUnitPrice = netUnitPrice(unitPrice, rates);
    a.netAmount = cents(quantity * a.netUnitPrice);
    a.discountAmount = cents(a.amount - a.netAmount);
    a.vatAmount = cents(a.netAmount * vatRate / 100.0);
    a.totalWithVat = cents(a.netAmount + a.vatAmount);
    return a;
}

ItemPrice priceItem(const ItemPriceInput &item, const PriceTerms &terms)
{
    ItemPrice p;
    p.listPrice = cents(item.listPrice);
    p.campaign = item.campaignActive && item.campaignPrice > 0;
    if (p.campaign) {
        p.campaignPrice = cents(item.campaignPrice);
        p.unitPrice = p.campaignPrice;
        p.rates = {0, 0, 0, terms.cashDiscount};
    } else {
        p.unitPrice = p.listPrice;
        p.rates = {terms.customerDiscount, terms.brandDiscount, item.itemDiscount,
                   terms.cashDiscount};
    }
    p.netPrice = netUnitPrice(p.unitPrice, p.rates);
    p.priceWithVat = cents(p.netPrice * (1.0 + item.vatRate / 100.0));
    p.totalRate = p.listPrice > 0 ? roundDecimal((1.0 - p.netPrice / p.listPrice) * 100.0, 2)
                                  : 0.0;
    if (p.campaign) {
        // The campaign's saving against the list price, then the cash discount if any.
        const double saving = p.listPrice > 0
            ? std::round((1.0 - p.campaignPrice / p.listPrice) * 100.0) : 0.0;
        p.text = u'%' + rateText(saving);
        if (terms.cashDiscount != 0)
            p.text += u'+' + rateText(terms.cashDiscount);
    } else {
        p.text = discountText(p.rates);
    }
    return p;
}

} // namespace Mervak::Server
