// SPDX-License-Identifier: LicenseRef-Mervak
#include "handlers_p.h"

namespace Mervak::Server {

namespace {

BasketLineRequest basketLine(const MethodArgs &a, bool fourDiscounts)
{
    BasketLineRequest line;
    line.carino = a.integer(u"carino");
    line.stokno = a.integer(u"stokno");
    line.quantity = a.real(u"miktar");
    line.unitPrice = a.real(u"fiyat");
    if (fourDiscounts)
        line.rates = {a.real(u"ind1"), a.real(u"ind2"), a.real(u"ind3"), a.real(u"ind4")};
    else
        line.rates = {a.real(u"indirim"), 0, 0, 0};
    line.userId = a.integer(u"verenid");
    return line;
}

BalanceRequest balanceRequest(const MethodArgs &a)
{
    const TSonucBilgisi &session = a.session(u"k");
    BalanceRequest request;
    request.carino = session.FCARINO;
    request.userId = session.FSirano;
    request.stokno = a.integer(u"stokno");
    request.basketLineNo = a.integer(u"sepetsirano");
    request.orderLineNo = a.integer(u"siparissirano");
    request.quantity = a.real(u"Adet");
    request.balance = a.real(u"Bakiye");
    return request;
}

} // namespace

void addOrderHandlers(Registrar &r, Business &business)
{
    Store &store = business.store();

    // --- basket
    r.add({"SepetVer2", "SepetVer"}, [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.basket(a.integer(u"carino")));
    });
    r.add("SepetMobilVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TMobilSepetler lines = store.basketRecords(a.integer(u"carino"));
        reply.resultRecord(&lines);
    });

    // The line's price and discounts are the distributor's: what the client sends is used
    // only when staff set them. Success is 1.
    r.add("SepetEkle2", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        a.session(u"bilgim");
        store.addToBasket(basketLine(a, true));
        reply.resultInteger(1);
    });
    r.add("SepetEkle", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        a.session(u"bilgim");
        store.addToBasket(basketLine(a, false));
        reply.resultInteger(1);
    });
    r.add("SepetGuncelle2", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        a.session(u"bilgim");
        BasketLineRequest line = basketLine(a, true);
        line.lineNo = a.integer(u"_sepetsirano");
        store.updateBasketLine(line);
        reply.resultInteger(1);
    });
    r.add("SepetGuncelle", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        a.session(u"bilgim");
        BasketLineRequest line = basketLine(a, false);
        line.lineNo = a.integer(u"_sepetsirano");
        store.updateBasketLine(line);
        reply.resultInteger(1);
    });
    // 1 when the line was deleted, 0 when there was no such line.
    r.add("SepetSatirSil", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TSonucBilgisi &session = a.session(u"bilgi");
        const bool deleted = store.deleteBasketLine(session.FCARINO, a.integer(u"satirno"),
                                                    a.text(u"aciklamam"), session.FSirano);
        reply.resultInteger(deleted ? 1 : 0);
    });
    // The number of lines deleted.
    r.add("SepetHepsiniSil", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TSonucBilgisi &session = a.session(u"bilgi");
        reply.resultInteger(store.clearBasket(session.FCARINO, session.FSirano));
    });
    r.add("SepetSecimGuncelle", [&store](const MethodArgs &a, Wire::ReplyWriter &) {
        store.setBasketSelection(a.integer(u"sirano"), a.integer(u"secim"));
    });

    // --- order
    r.add("TeslimVer", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.deliveryTypes());
    });
    r.add("KargoVer", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.cargoTypes());
    });
    r.add("KargolarVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.cargoCompanies(a.integer(u"gn")));
    });
    // True when an order was stored; false when no basket line was ticked.
    r.add("SiparisKaydet", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        a.session(u"BB");
        OrderRequest order;
        order.carino = a.integer(u"_carino");
        order.deliveryTypeId = a.integer(u"_teslim");
        order.cargoTypeId = a.integer(u"_kargo");
        order.message = a.text(u"_aciklama");
        order.userId = a.integer(u"_verenid");
        order.cargoCompanyId = a.integer(u"_kargoyeni");
        reply.resultBoolean(store.placeOrder(order) > 0);
    });
    r.add("MobilSiparisKaydet", [](const MethodArgs &, Wire::ReplyWriter &) {
        throw RemoteError(QStringLiteral(
            "TServerMethods1.MobilSiparisKaydet: siparişler bu sunucuda SiparisKaydet ile "
            "kaydedilir."));
    });
    // Empty when the customer's orders are taken, otherwise the reason why not.
    r.add("SiparisAlinirmi", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultString(store.orderRefusal(a.integer(u"carino")));
    });

    // --- earlier orders
    r.add({"OncekiSiparisler", "OncekiSiparisler2", "Oncekiler"},
          [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
              reply.resultTable(*store.orders(a.integer(u"carino")));
          });
    r.add({"SiparisAyrintisi2", "SiparisAyrintisi"},
          [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
              reply.resultTable(*store.orderLines(a.integer(u"carino"), a.integer(u"idnosu")));
          });
    // Customer 0: the order is found by its number alone.
    r.add("SiparisAytintisiDip", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TSiparisDipAyrinti footer = store.orderFooter(a.integer(u"carino"),
                                                            a.integer(u"siranosu"));
        reply.resultRecord(&footer);
    });
    // Stock number 0: every order line of the customer.
    r.add("TumSiparislerVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.orderMovements(a.integer(u"carino"), a.integer(u"stokno")));
    });

    // --- sales staff: customers by state, within the user's customers
    r.add("SepetSayisi", [&business, &store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultInteger(store.customersWithBasket(sessionUser(business, a.session(u"bil"))));
    });
    r.add("CariSepetVer", [&business, &store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.customersByState(sessionUser(business, a.session(u"bil")),
                                                  a.integer(u"n")));
    });
    r.add("TusSonuclariVer", [&business, &store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TTusSonuclari counts = store.orderStateCounts(sessionUser(business,
                                                                        a.session(u"bil")));
        reply.resultRecord(&counts);
    });

    // --- open balances; the changes answer 1
    r.add({"BakiyelerVer2", "BakiyelerVer"},
          [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
              reply.resultTable(*store.openBalances(a.integer(u"carino")));
          });
    r.add("BakiyeDuzenle", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        store.deleteBalance(balanceRequest(a));
        reply.resultInteger(1);
    });
    r.add("BakiyeDegistir", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        store.changeBalance(balanceRequest(a));
        reply.resultInteger(1);
    });
    r.add("BakiyeFiyatDegistir", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        BalanceRequest request = balanceRequest(a);
        request.unitPrice = a.real(u"fiyat");
        request.discount = a.real(u"ind");
        store.changeBalancePrice(request);
        reply.resultInteger(1);
    });
}

} // namespace Mervak::Server
