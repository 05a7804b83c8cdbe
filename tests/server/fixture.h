// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QDate>
#include <QString>

namespace Mervak::Test {

/*
    A small distributor with known numbers, written through the store before the server
    starts on it:
      customers 2001..2016: 2001 has 20 % discount, 10 % on brand MARKA-A and 2 % cash;
        2002 has no discount (representative 2); the others 10 %.
      users: dealers B2001..B2016 on computers PC-2001..PC-2016, TEMSILCI (type 1,
        representative 1) on PC-TEMSILCI, YONETICI (type 2) on PC-YONETICI, the inactive
        PASIF on PC-PASIF, DEMO without a computer; PC-KAPALI is deactivated.
      items 1..60 with codes TST-0001...: 1 MARKA-A 100.00 box 4; 2 MARKA-B 250.00 with 5 %
        own discount, none in stock, 10 on the way; 3 MARKA-B 80.00 on campaign for 60.00;
        4 MARKA-C 40.00 whose campaign ended, special order; 5..60 MARKA-D at 10 + n.
      delivery types 1, 2; cargo type 1 with companies 11, 12 and type 2 with company 21.
      customer 2002's statement: opening 1000 (40 days ago), an invoice of 1014 (items 1 x 8
        and 5 x 3, 38 days ago), collections of 500 cash and 300 by card, a payment of 50.
      customer 2007: an order of item 5 x 10 and item 6 x 4 of which 6 of item 5 shipped.
*/
struct Fixture
{
    static void build(const QString &dbFile);

    static QDate statementStart() { return QDate::currentDate().addDays(-40); }
};

} // namespace Mervak::Test
