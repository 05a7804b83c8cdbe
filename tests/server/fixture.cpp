// SPDX-License-Identifier: LicenseRef-Mervak
#include "fixture.h"

#include "sqlitestore.h"

namespace Mervak::Test {

using namespace Mervak::Server;

void Fixture::build(const QString &dbFile)
{
    SqliteStore store(dbFile);
    store.addSalesRep({1, QStringLiteral("TEST TEMSİLCİ 1"), QStringLiteral("0555 000 00 01"),
                       QStringLiteral("t1@test.com.tr")});
    store.addSalesRep({2, QStringLiteral("TEST TEMSİLCİ 2"), QStringLiteral("0555 000 00 02"),
                       QStringLiteral("t2@test.com.tr")});
    for (int carino = 2001; carino <= 2016; ++carino) {
        Customer c;
        c.carino = carino;
        c.code = QStringLiteral("120.%1").arg(carino);
        c.name = QStringLiteral("TEST BAYİ %1").arg(carino);
        c.city = QStringLiteral("İSTANBUL");
        c.district = QStringLiteral("KADIKÖY");
        c.address1 = QStringLiteral("TEST SOKAK %1").arg(carino);
        c.phone1 = QStringLiteral("0216 000 %1").arg(carino);
        c.taxOffice = QStringLiteral("KADIKÖY V.D.");
        c.taxNo = QStringLiteral("10000%1").arg(carino);
        c.discount = carino == 2001 ? 20 : carino == 2002 ? 0 : 10;
        c.cashDiscount = carino == 2001 ? 2 : 0;
        c.paymentDays = 30;
        c.repId = carino == 2002 ? 2 : 1;
        store.addCustomer(c);
        UserInfo u;
        u.name = QStringLiteral("B%1").arg(carino);
        u.password = QStringLiteral("S%1").arg(carino);
        u.type = DealerUser;
        u.carino = carino;
        u.email = QStringLiteral("b%1@test.com.tr").arg(carino);
        store.registerComputer(QStringLiteral("PC-%1").arg(carino), store.addUser(u), {}, false);
    }
    store.setBrandDiscount(2001, QStringLiteral("MARKA-A"), 10);

    auto user = [&store](const char *name, int type, int carino, int rep, bool active,
                         const char *computer) {
        UserInfo u;
        u.name = QString::fromLatin1(name);
        u.password = QString::fromLatin1(name);
        u.type = type;
        u.carino = carino;
        u.repId = rep;
        u.active = active;
        const int id = store.addUser(u);
        if (computer)
            store.registerComputer(QString::fromLatin1(computer), id, {}, false);
        return id;
    };
    user("TEMSILCI", SalesRepUser, 2001, 1, true, "PC-TEMSILCI");
    user("YONETICI", SalesManagerUser, 2001, 2, true, "PC-YONETICI");
    user("PASIF", DealerUser, 2001, 0, false, "PC-PASIF");
    user("DEMO", DealerUser, 2010, 0, true, nullptr);
    store.registerComputer(QStringLiteral("PC-KAPALI"), store.userByName(QStringLiteral("B2001"))->id,
                           {}, false);
    store.setComputerActive(QStringLiteral("PC-KAPALI"), false);

    const QDate today = QDate::currentDate();
    std::vector<Item> items;
    for (int n = 1; n <= 60; ++n) {
        Item i;
        i.stokno = n;
        i.code = QStringLiteral("TST-%1").arg(n, 4, 10, QLatin1Char('0'));
        i.name = QStringLiteral("TEST PARÇA %1").arg(n);
        i.barcode = QStringLiteral("869000000%1").arg(n, 4, 10, QLatin1Char('0'));
        i.oem[0] = QStringLiteral("OEM-%1").arg(n);
        i.brand = QStringLiteral("MARKA-D");
        i.mainGroup = QStringLiteral("FREN SİSTEMİ");
        i.listPrice = 10 + n;
        i.stock = 1000;
        i.addedOn = today.addDays(-400);
        items.push_back(i);
    }
    Item &a = items[0];
    a.brand = QStringLiteral("MARKA-A");
    a.listPrice = 100;
    a.boxQuantity = 4;
    a.stock = 50;
    Item &b = items[1];
    b.brand = QStringLiteral("MARKA-B");
    b.listPrice = 250;
    b.itemDiscount = 5;
    b.stock = 0;
    b.supplierOrdered = 10;
    Item &c = items[2];
    c.brand = QStringLiteral("MARKA-B");
    c.listPrice = 80;
    c.campaignPrice = 60;
    c.campaignUntil = today.addDays(10);
    c.stock = 5;
    c.addedOn = today.addDays(-3);
    Item &d = items[3];
    d.brand = QStringLiteral("MARKA-C");
    d.listPrice = 40;
    d.campaignPrice = 30;
    d.campaignUntil = today.addDays(-1);
    d.stock = 0;
    d.supplyStatus = StatusSpecialOrder;
    store.addItems(items);

    store.addDeliveryType(1, QStringLiteral("Depodan"));
    store.addDeliveryType(2, QStringLiteral("Kargo ile"));
    store.addCargoType(1, QStringLiteral("Kargo"));
    store.addCargoType(2, QStringLiteral("Ambar"));
    store.addCargoCompany(11, 1, QStringLiteral("HIZLI KARGO"), QStringLiteral("Alıcı ödemeli"),
                          QString());
    store.addCargoCompany(12, 1, QStringLiteral("YAVAŞ KARGO"), QString(), QString());
    store.addCargoCompany(21, 2, QStringLiteral("TEST AMBAR"), QString(), QString());

    // Customer 2002: a statement with every kind of movement.
    const QDate start = statementStart();
    const int dealer2002 = store.userByName(QStringLiteral("B2002"))->id;
    store.addMovement(2002, start, OpeningBalance, QStringLiteral("DV-1"), 1000,
                      QStringLiteral("Devir"));
    auto order = [&store](int carino, int userId, const QDateTime &at,
                          const QList<QPair<int, double>> &lines) {
        for (const auto &[stokno, quantity] : lines) {
            BasketLineRequest line;
            line.carino = carino;
            line.stokno = stokno;
            line.quantity = quantity;
            line.userId = userId;
            line.at = at;
            store.addToBasket(line);
        }
        OrderRequest request;
        request.carino = carino;
        request.userId = userId;
        request.deliveryTypeId = 2;
        request.cargoTypeId = 1;
        request.cargoCompanyId = 11;
        request.at = at;
        return store.placeOrder(request);
    };
    const int order2002 = order(2002, dealer2002, QDateTime(start.addDays(1), QTime(10, 0)),
                                {{1, 8}, {5, 3}});
    const DataSetPtr lines = store.orderLines(2002, order2002);
    QList<QPair<int, double>> all;
    for (int r = 0; r < lines->rowCount(); ++r)
        all.append({int(lines->intAt(r, lines->fieldIndex(QStringLiteral("STOKHAR_NO")))),
                    lines->doubleAt(r, lines->fieldIndex(QStringLiteral("MIKTAR")))});
    store.shipOrder(order2002, all, QDateTime(start.addDays(2), QTime(15, 0)));
    CollectionEntry cash;
    cash.kind = QStringLiteral("Nakit");
    cash.amount = 500;
    store.addCollection(2002, QDateTime(start.addDays(5), QTime(11, 0)), {cash}, false);
    CollectionEntry card;
    card.kind = QStringLiteral("Kredi Kartı");
    card.amount = 300;
    card.cardHolder = QStringLiteral("TEST KİŞİ");
    card.cardMasked = QStringLiteral("4111 **** **** 1111");
    card.bank = QStringLiteral("TEST BANKASI");
    store.addCollection(2002, QDateTime(start.addDays(6), QTime(12, 0)), {card}, false);
    CollectionEntry refund;
    refund.kind = QStringLiteral("Havale");
    refund.amount = 50;
    store.addCollection(2002, QDateTime(start.addDays(7), QTime(9, 30)), {refund}, true);

    // Customer 2007: an order shipped in part.
    const int dealer2007 = store.userByName(QStringLiteral("B2007"))->id;
    const int order2007 = order(2007, dealer2007, QDateTime(today.addDays(-5), QTime(9, 0)),
                                {{5, 10}, {6, 4}});
    const DataSetPtr lines2007 = store.orderLines(2007, order2007);
    for (int r = 0; r < lines2007->rowCount(); ++r) {
        if (lines2007->intAt(r, lines2007->fieldIndex(QStringLiteral("STOKNO"))) == 5) {
            store.shipOrder(order2007,
                            {{int(lines2007->intAt(r, lines2007->fieldIndex(QStringLiteral("STOKHAR_NO")))), 6.0}},
                            QDateTime(today.addDays(-3), QTime(16, 0)));
        }
    }
}

} // namespace Mervak::Test
