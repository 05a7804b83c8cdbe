// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

#include <array>

namespace Mervak::Server {

/*
    The distributor's price rules, in one place so that the stock list, the basket, the
    orders, the balances and the invoices compute every amount the same way.

    An ordinary item is sold from its list price with a chain of four discounts:
      IND1  the customer's general discount,
      IND2  the customer's discount on the item's brand,
      IND3  the item's own discount (end of line, slow movers),
      IND4  the customer's cash (payment term) discount.
    An item on campaign is sold from its campaign price; only the cash discount applies.
    Every amount is rounded to cents, halves away from zero, as soon as it is formed.
*/

using Discounts = std::array<double, 4>;

double cents(double value);

// Unit price after the discount chain, rounded to cents.
double netUnitPrice(double unitPrice, const Discounts &rates);

// "30+5+2": the non-zero rates of the chain; "0" when there is none.
QString discountText(const Discounts &rates);

// One line of a basket, an order or an invoice.
struct LineAmounts
{
    double amount = 0;          // TUTAR: quantity x unit price
    double discountAmount = 0;  // INDIRIMTUTAR: amount - net amount
    double netUnitPrice = 0;    // NETBIRIMFIYAT
    double netAmount = 0;       // NETTUTAR: quantity x net unit price
    double vatAmount = 0;       // VERGITUTARI: VAT on the net amount
    double totalWithVat = 0;    // KDVLITUTAR
};

LineAmounts lineAmounts(double quantity, double unitPrice, const Discounts &rates,
                        double vatRate);

struct PriceTerms
{
    double customerDiscount = 0;
    double brandDiscount = 0;
    double cashDiscount = 0;
};

struct ItemPriceInput
{
    double listPrice = 0;
    double campaignPrice = 0;     // 0: no campaign price set
    bool campaignActive = false;  // the campaign price is valid today
    double itemDiscount = 0;
    double vatRate = 20;
};

struct ItemPrice
{
    bool campaign = false;   // K
    double listPrice = 0;    // LISTEFIYAT1 (ESKIFIYAT in the campaign list)
    double campaignPrice = 0; // KAMPFIYAT; 0 when the item is not on campaign
    double unitPrice = 0;    // FIYAT: the price a basket line starts from
    Discounts rates{};       // IND1..IND4
    double netPrice = 0;     // NETFIYAT
    double priceWithVat = 0; // KDVDAHIL
    double totalRate = 0;    // INDIRIM: net price below the list price, per cent
    QString text;            // INDIRIMYAZI
};

ItemPrice priceItem(const ItemPriceInput &item, const PriceTerms &terms);

} // namespace Mervak::Server
