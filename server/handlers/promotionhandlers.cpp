// SPDX-License-Identifier: LicenseRef-Mervak
#include "handlers_p.h"

namespace Mervak::Server {

void addPromotionHandlers(Registrar &r, Business &business)
{
    Store &store = business.store();

    r.add("KayanYaziGetir", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultString(store.scrollingText());
    });

    // Slot 1: header (GIF), 2: upper (GIF), 3: lower (Windows bitmap). Size 0: no banner.
    const std::pair<const char *, int> banners[] = {
        {"BannerResimVer", 1}, {"BannerResimVer2", 2}, {"BannerResimVer3", 3}};
    for (const auto &[method, slot] : banners) {
        r.add(method, [&store, slot = slot](const MethodArgs &, Wire::ReplyWriter &reply) {
            const QByteArray picture = store.banner(slot);
            reply.setInt64(u"size", picture.size());
            reply.resultStream(picture.isEmpty() ? std::nullopt
                                                 : std::optional<QByteArray>(picture));
        });
    }

    // One row read by position: basket lines, new items, campaign items, announcements,
    // and the quantity still to be delivered on open orders.
    r.add("BalonGetir", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const BalloonCounts counts = store.balloons(a.session(u"bil").FCARINO);
        DataSet table;
        table.addField(QStringLiteral("SEPET"), FieldType::Integer);
        table.addField(QStringLiteral("YENI"), FieldType::Integer);
        table.addField(QStringLiteral("KAMPANYA"), FieldType::Integer);
        table.addField(QStringLiteral("DUYURU"), FieldType::Integer);
        table.addField(QStringLiteral("BAKIYE"), FieldType::Float);
        table.open();
        const int row = table.appendRow();
        table.setInt(row, 0, counts.basketLines);
        table.setInt(row, 1, counts.newItems);
        table.setInt(row, 2, counts.campaignItems);
        table.setInt(row, 3, counts.announcements);
        table.setDouble(row, 4, counts.openBalance);
        reply.resultTable(table);
    });
    r.add("BalonGetir2", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const BalloonCounts counts = store.balloons(a.integer(u"carino"));
        reply.setInteger(u"sepet", counts.basketLines);
        reply.setInteger(u"yenistok", counts.newItems);
        reply.setInteger(u"kampnayali", counts.campaignItems);
        reply.setInteger(u"duyuru", counts.announcements);
        reply.setInteger(u"Bakiye", int(counts.openBalance));
        reply.setInteger(u"dosya", counts.documents);
        reply.resultInteger(1);
    });

    r.add("AcilisEkranlarVer2", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        TAcilisEkranlariki screens;
        screens.FEkranlar = store.announcements(false);
        reply.resultRecord(&screens);
    });
    r.add("AcilisEkranlarVer", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        TAcilisEkranlar adverts;
        adverts.FItems = store.announcements(true);
        reply.resultRecord(&adverts);
    });
    r.add("AcilisReklamAdet", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultInteger(store.advertCount());
    });
    r.add("AcilisREklamVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TAcilisEkran advert = store.advert(a.integer(u"sira"));
        reply.resultRecord(&advert);
    });
    r.add({"DuyuruVer", "DuyuruVer2"}, [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.announcementTable(false));
    });
    r.add("AcilisEkranlariVerData", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.announcementTable(true));
    });
}

} // namespace Mervak::Server
