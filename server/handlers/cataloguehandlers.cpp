// SPDX-License-Identifier: LicenseRef-Mervak
#include "handlers_p.h"

#include "artwork.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>

namespace Mervak::Server {

namespace {

// A smaller copy of an item picture, for lists.
QByteArray thumbnail(const QByteArray &jpeg)
{
    QImage image;
    if (!image.loadFromData(jpeg, "JPG"))
        return QByteArray();
    return jpegBytes(image.scaled(QSize(120, 90), Qt::KeepAspectRatio, Qt::SmoothTransformation),
                     75);
}

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// The price list as a CSV file for spreadsheet programs (UTF-8 with a byte order mark).
QByteArray priceListCsv(const DataSet &list)
{
    QByteArray out("\xEF\xBB\xBF");
    QStringList header;
    for (int c = 0; c < list.fieldCount(); ++c)
        header << list.field(c).name;
    out += header.join(u';').toUtf8() + "\r\n";
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    for (int r = 0; r < list.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list.fieldCount(); ++c) {
            QString cell = list.field(c).type == FieldType::Float
                ? tr.toString(list.doubleAt(r, c), 'f', 2)
                : list.stringAt(r, c);
            if (cell.contains(u';') || cell.contains(u'"'))
                cell = u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
            cells << cell;
        }
        out += cells.join(u';').toUtf8() + "\r\n";
    }
    return out;
}

} // namespace

void addCatalogueHandlers(Registrar &r, Business &business)
{
    Store &store = business.store();

    // The firm-named variants of the search answer the same catalogue for the session's
    // customer.
    r.add({"StokAraGetir", "StokAraYaldor", "StokAraSamvo", "StokAraBrenik", "StokAraBrenik2",
           "Korvaldin", "FermozStokAraGetir"},
          [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
              StockQuery query;
              query.text = a.text(u"kod");
              reply.resultTable(*store.searchStock(query, a.session(u"bilgi").FCARINO));
          });

    r.add("StokAra", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        bool ok = false;
        const QString text = a.text(u"carino").trimmed();
        const int carino = text.isEmpty() ? 0 : text.toInt(&ok);
        if (!text.isEmpty() && !ok)
            throw RemoteError(QStringLiteral("Geçersiz cari numarası: %1").arg(text));
        StockQuery query;
        query.text = a.text(u"kod");
        reply.resultTable(*store.searchStock(query, carino));
    });

    r.add("StokAraGetirQRV", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        StockQuery query;
        query.text = a.text(u"kod");
        query.department = a.text(u"_deparman");
        query.mainGroup = a.text(u"_anagrup");
        query.subGroup = a.text(u"_altgrup");
        query.campaignOnly = a.flag(u"_kampanya");
        query.newOnly = a.flag(u"_yeni");
        query.inStockOnly = a.flag(u"_var");
        query.withPictureOnly = a.flag(u"_resim");
        reply.resultTable(*store.searchStock(query, a.session(u"bilgi").FCARINO));
    });

    // Without a customer: list prices only.
    r.add("SamvodeAra", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        StockQuery query;
        query.text = a.text(u"s");
        reply.resultTable(*store.searchStock(query, 0));
    });

    r.add("MobilStokNoAra", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TMobilStok item = store.stockRecord(a.integer(u"stokno"),
                                                  a.session(u"bilgi").FCARINO);
        reply.resultRecord(&item);
    });

    // neresi: the first row (0-based), nekadar: how many rows (0 or less: all).
    r.add("MobilStokara", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        StockQuery query;
        query.text = a.text(u"kod");
        query.offset = qMax(0, a.integer(u"neresi"));
        query.limit = a.integer(u"nekadar") > 0 ? a.integer(u"nekadar") : -1;
        const TMobilStoklar list = store.stockRecords(query, a.session(u"bilgi").FCARINO,
                                                      nullptr);
        reply.resultRecord(&list);
    });

    // The stepwise search pages with ilk (0-based) and Adet; kalan tells whether more rows
    // follow, toplam how many match.
    r.add("MobilStokaraAdimli", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        StockQuery query;
        query.text = a.text(u"kod");
        query.offset = qMax(0, a.integer(u"ilk"));
        query.limit = a.integer(u"Adet") > 0 ? a.integer(u"Adet") : -1;
        int total = 0;
        const TMobilStoklar list = store.stockRecords(query, a.session(u"bilgi").FCARINO,
                                                      &total);
        reply.setBoolean(u"kalan", query.offset + list.Count() < total);
        reply.setInteger(u"toplam", total);
        reply.resultRecord(&list);
    });

    r.add("AramaGonderAl", [](const MethodArgs &, Wire::ReplyWriter &) {
        throw RemoteError(QStringLiteral(
            "TServerMethods1.AramaGonderAl: bu sunucu arama bildirimlerini kaydetmiyor."));
    });

    r.add({"YenilerVer2", "YenilerVer", "SamvoYenilerVer", "YenilerVerMobile"},
          [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
              reply.resultTable(*store.newItems(a.integer(u"carino")));
          });

    r.add({"KampanyaliVer2", "KampanyaliVer", "SamvoKampanyaliVer", "KampanyaliVermMobil"},
          [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
              reply.resultTable(*store.campaignItems(a.integer(u"cario")));
          });

    r.add("DepartmanlariGetir", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.departments());
    });
    // The group lists as text: one name per line.
    r.add("DepartmanlariVer", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        const DataSetPtr list = store.departments();
        QStringList names;
        for (int row = 0; row < list->rowCount(); ++row)
            names << list->stringAt(row, 0);
        reply.resultString(names.join(QStringLiteral("\r\n")));
    });
    r.add("AnaGrupVer", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultString(store.mainGroups().join(QStringLiteral("\r\n")));
    });
    r.add("AltGrupVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultString(store.subGroups(a.text(u"anagrup")).join(QStringLiteral("\r\n")));
    });

    r.add("ResimVer5", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const QByteArray jpeg = store.itemPicture(a.integer(u"stokno"));
        reply.setInt64(u"boy", jpeg.size());
        reply.resultStream(jpeg.isEmpty() ? std::nullopt : std::optional<QByteArray>(jpeg));
    });
    // The picture as an array of byte values.
    r.add("ResimVer6", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const QByteArray jpeg = store.itemPicture(a.integer(u"stokno"));
        QJsonArray bytes;
        for (const char byte : jpeg)
            bytes.append(int(quint8(byte)));
        reply.setInt64(u"boy", jpeg.size());
        reply.resultJsonArray(bytes);
    });
    // The pictures as hexadecimal text, like the pictures of the announcements.
    r.add("BuyukResimVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const QByteArray jpeg = store.itemPicture(a.integer(u"stokno"));
        reply.setInteger(u"boy", int(jpeg.size()));
        reply.resultString(hexText(jpeg));
    });
    r.add("KucukResimVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const QByteArray jpeg = store.itemPicture(a.integer(u"stokno"));
        reply.resultString(jpeg.isEmpty() ? QString() : hexText(thumbnail(jpeg)));
    });
    // Pictures are always served by the web side at /resim/<stokno>.jpg; the call only
    // checks that the item exists.
    r.add("HttpResimVer", [&store](const MethodArgs &a, Wire::ReplyWriter &) {
        store.stockRecord(a.integer(u"stokno"), 0);
    });

    r.add("KurlariAl", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        const ExchangeRates rates = store.exchangeRates();
        reply.setDouble(u"usd", rates.usd);
        reply.setDouble(u"eur", rates.eur);
        reply.resultInteger(1);
    });

    r.add("PandelorVer", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultStream(priceListCsv(*store.priceList()));
    });
}

} // namespace Mervak::Server
