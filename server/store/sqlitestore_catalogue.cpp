// SPDX-License-Identifier: LicenseRef-Mervak
#include "sqlitestore.h"

#include "sqlitestore_p.h"
#include "textfold.h"

#include <QRegularExpression>

namespace Mervak::Server {

using Sql::Column;
using Sql::Query;
using Sql::Table;

namespace {

// Days an item counts as new after it was added to the catalogue.
constexpr int DefaultNewItemDays = 60;

const QString kItemSelect = QStringLiteral(
    "SELECT i.stokno, i.code, i.name, i.other_name, i.barcode, i.barcode_no, i.oem1, i.oem2, "
    "i.oem3, i.oem4, i.oem_no, i.finish_code, i.maker_code, i.dp_code, i.p_code, "
    "i.special_code, i.box_quantity, i.unit, i.brand, i.model, i.department, i.main_group, "
    "i.sub_group, i.colour, i.size, i.vat_rate, i.list_price, i.campaign_price, "
    "i.campaign_until, i.item_discount, i.stock, i.supplier_ordered, i.supply_status, "
    "i.added_on, i.picture_id IS NOT NULL, "
    "(SELECT COALESCE(SUM(ol.quantity - ol.delivered), 0) FROM order_lines ol "
    " WHERE ol.stokno = i.stokno AND ol.closed = 0 AND ol.quantity > ol.delivered) "
    "FROM items i ");

// One catalogue row with what the lists show of it.
struct ItemRow
{
    Item item;
    bool hasPicture = false;
    double receivedOrders = 0;
    bool isNew = false;
    int status = 0;
    ItemPrice price;
};

ItemRow readItem(const Query &q, const CustomerTerms &terms, const QDate &today,
                 const QDate &newSince)
{
    ItemRow r;
    Item &i = r.item;
    i.stokno = q.toInt(0);
    i.code = q.toString(1);
    i.name = q.toString(2);
    i.otherName = q.toString(3);
    i.barcode = q.toString(4);
    i.barcodeNo = q.toInt64(5);
    for (int k = 0; k < 4; ++k)
        i.oem[k] = q.toString(6 + k);
    i.oemNo = q.toString(10);
    i.finishCode = q.toString(11);
    i.makerCode = q.toString(12);
    i.dpCode = q.toString(13);
    i.pCode = q.toString(14);
    i.specialCode = q.toString(15);
    i.boxQuantity = q.toInt(16);
    i.unit = q.toString(17);
    i.brand = q.toString(18);
    i.model = q.toString(19);
    i.department = q.toString(20);
    i.mainGroup = q.toString(21);
    i.subGroup = q.toString(22);
    i.colour = q.toString(23);
    i.size = q.toString(24);
    i.vatRate = q.toDouble(25);
    i.listPrice = q.toDouble(26);
    i.campaignPrice = q.toDouble(27);
    i.campaignUntil = q.toDate(28);
    i.itemDiscount = q.toDouble(29);
    i.stock = q.toDouble(30);
    i.supplierOrdered = q.toDouble(31);
    i.supplyStatus = q.toInt(32);
    i.addedOn = q.toDate(33);
    r.hasPicture = q.toInt(34) != 0;
    r.receivedOrders = q.toDouble(35);
    r.isNew = i.addedOn.isValid() && i.addedOn >= newSince;
    r.status = stockStatus(i.stock, i.supplierOrdered, i.supplyStatus);

    ItemPriceInput input;
    input.listPrice = i.listPrice;
    input.campaignPrice = i.campaignPrice;
    input.campaignActive = i.campaignPrice > 0
        && (!i.campaignUntil.isValid() || i.campaignUntil >= today);
    input.itemDiscount = i.itemDiscount;
    input.vatRate = i.vatRate;
    r.price = priceItem(input, terms.forBrand(i.brand));
    return r;
}

const Column kStockColumns[] = {
    {u"STOK_STOKNO", FieldType::Integer},
    {u"KOD", FieldType::String, 30},
    {u"DURUM", FieldType::Integer},
    {u"OEM1", FieldType::String, 50},
    {u"OEM2", FieldType::String, 50},
    {u"OEM3", FieldType::String, 50},
    {u"OEM4", FieldType::String, 50},
    {u"OEMNO", FieldType::String, 50},
    {u"BARKOD", FieldType::String, 50},
    {u"BARKOD_BARKODNO", FieldType::LargeInt},
    {u"ADI", FieldType::String, 100},
    {u"DIGERADI", FieldType::String, 100},
    {u"FINISHKOD", FieldType::String, 50},
    {u"URETICIKODU", FieldType::String, 50},
    {u"DPKOD", FieldType::String, 50},
    {u"PKOD", FieldType::String, 50},
    {u"OZELKOD", FieldType::String, 50},
    {u"RESIM", FieldType::Integer},
    {u"OZELKOD1", FieldType::Integer},
    {u"BIRIM", FieldType::String, 10},
    {u"MARKA", FieldType::String, 50},
    {u"MODEL", FieldType::String, 100},
    {u"DEPARTMAN", FieldType::String, 50},
    {u"ANAGRUP", FieldType::String, 50},
    {u"ALTGRUP", FieldType::String, 50},
    {u"KALAN", FieldType::Float},
    {u"ALINANSIPARIS", FieldType::Float},
    {u"VERILENSIPARIS", FieldType::Float},
    {u"KDV", FieldType::Float},
    {u"LISTEFIYAT1", FieldType::Float},
    {u"ESKIFIYAT", FieldType::Float},
    {u"FIYAT", FieldType::Float},
    {u"KAMPFIYAT", FieldType::Float},
    {u"NETFIYAT", FieldType::Float},
    {u"KDVDAHIL", FieldType::Float},
    {u"INDIRIM", FieldType::Float},
    {u"INDIRIMYAZI", FieldType::String, 30},
    {u"IND1", FieldType::Float},
    {u"IND2", FieldType::Float},
    {u"IND3", FieldType::Float},
    {u"IND4", FieldType::Float},
    {u"Y", FieldType::Integer},
    {u"K", FieldType::Integer},
};

void writeStockRow(Table &t, const ItemRow &r)
{
    const Item &i = r.item;
    const ItemPrice &p = r.price;
    const int row = t.addRow();
    t.set(row, u"STOK_STOKNO", i.stokno);
    t.set(row, u"KOD", i.code);
    t.set(row, u"DURUM", r.status);
    t.set(row, u"OEM1", i.oem[0]);
    t.set(row, u"OEM2", i.oem[1]);
    t.set(row, u"OEM3", i.oem[2]);
    t.set(row, u"OEM4", i.oem[3]);
    t.set(row, u"OEMNO", i.oemNo);
    t.set(row, u"BARKOD", i.barcode);
    t.set(row, u"BARKOD_BARKODNO", i.barcodeNo);
    t.set(row, u"ADI", i.name);
    t.set(row, u"DIGERADI", i.otherName);
    t.set(row, u"FINISHKOD", i.finishCode);
    t.set(row, u"URETICIKODU", i.makerCode);
    t.set(row, u"DPKOD", i.dpCode);
    t.set(row, u"PKOD", i.pCode);
    t.set(row, u"OZELKOD", i.specialCode);
    t.set(row, u"RESIM", r.hasPicture ? 1 : 0);
    t.set(row, u"OZELKOD1", i.boxQuantity);
    t.set(row, u"BIRIM", i.unit);
    t.set(row, u"MARKA", i.brand);
    t.set(row, u"MODEL", i.model);
    t.set(row, u"DEPARTMAN", i.department);
    t.set(row, u"ANAGRUP", i.mainGroup);
    t.set(row, u"ALTGRUP", i.subGroup);
    t.set(row, u"KALAN", i.stock);
    t.set(row, u"ALINANSIPARIS", r.receivedOrders);
    t.set(row, u"VERILENSIPARIS", i.supplierOrdered);
    t.set(row, u"KDV", i.vatRate);
    t.set(row, u"LISTEFIYAT1", p.listPrice);
    t.set(row, u"ESKIFIYAT", p.listPrice);
    t.set(row, u"FIYAT", p.unitPrice);
    t.set(row, u"KAMPFIYAT", p.campaignPrice);
    t.set(row, u"NETFIYAT", p.netPrice);
    t.set(row, u"KDVDAHIL", p.priceWithVat);
    t.set(row, u"INDIRIM", p.totalRate);
    t.set(row, u"INDIRIMYAZI", p.text);
    t.set(row, u"IND1", p.rates[0]);
    t.set(row, u"IND2", p.rates[1]);
    t.set(row, u"IND3", p.rates[2]);
    t.set(row, u"IND4", p.rates[3]);
    t.set(row, u"Y", r.isNew ? 1 : 0);
    t.set(row, u"K", p.campaign ? 1 : 0);
}

TMobilStok toRecord(const ItemRow &r)
{
    const Item &i = r.item;
    const ItemPrice &p = r.price;
    TMobilStok s;
    s.FStokNo = i.stokno;
    s.FResimVar = r.hasPicture ? 1 : 0;
    s.FYeni = r.isNew ? 1 : 0;
    s.FDepartman = i.department;
    s.FVerilenSiparis = i.supplierOrdered;
    s.FAltGrup = i.subGroup;
    s.FDurum = r.status;
    s.FRenk = i.colour;
    s.FBirim = i.unit;
    s.FKDV = i.vatRate;
    s.FAlinanSiparis = r.receivedOrders;
    s.FIsk1 = p.rates[0];
    s.FIsk2 = p.rates[1];
    s.FIsk3 = p.rates[2];
    s.FIsk4 = p.rates[3];
    s.FAnaGrup = i.mainGroup;
    s.FKod = i.code;
    s.FListeFiyati = p.listPrice;
    s.FBeden = i.size;
    s.FNetFiyat = p.netPrice;
    s.FKDVliFiyat = p.priceWithVat;
    s.FOzelKod = QString::number(i.boxQuantity);
    s.FKampnayali = p.campaign ? 1 : 0;
    s.FBarkod = i.barcode;
    s.FIndirimOran = p.totalRate;
    s.FKalan = i.stock;
    s.FUreticiKod = i.makerCode;
    s.FKampanyaliFiyat = p.campaignPrice;
    s.FOemNo = i.oemNo;
    s.FBarkodNo = int(i.barcodeNo);
    s.FPKod = i.pCode;
    s.FDpKod = i.dpCode;
    s.FAdi = i.name;
    s.FFiyat = p.unitPrice;
    return s;
}

// The search text as conditions on the search key: every word must occur, either as typed
// (folded) or without its separators.
QString searchCondition(const QString &text, QList<QVariant> &params)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList parts;
    for (const QString &word : foldTurkish(text).split(space, Qt::SkipEmptyParts)) {
        const QString compact = compactCode(word);
        if (compact.isEmpty() || compact == word) {
            parts << QStringLiteral("i.search_key LIKE ? ESCAPE '\\'");
            params << likeContains(word);
        } else {
            parts << QStringLiteral(
                "(i.search_key LIKE ? ESCAPE '\\' OR i.search_key LIKE ? ESCAPE '\\')");
            params << likeContains(word) << likeContains(compact);
        }
    }
    return parts.join(QStringLiteral(" AND "));
}

QDate newSinceDate(SqliteStore &store)
{
    return store.newItemsSince();
}

QString whereForQuery(const StockQuery &query, QList<QVariant> &params)
{
    QStringList conditions{QStringLiteral("i.active = 1")};
    const QString words = searchCondition(query.text, params);
    if (!words.isEmpty())
        conditions << words;
    if (!query.department.trimmed().isEmpty()) {
        conditions << QStringLiteral("i.department = ?");
        params << query.department.trimmed();
    }
    if (!query.mainGroup.trimmed().isEmpty()) {
        conditions << QStringLiteral("i.main_group = ?");
        params << query.mainGroup.trimmed();
    }
    if (!query.subGroup.trimmed().isEmpty()) {
        conditions << QStringLiteral("i.sub_group = ?");
        params << query.subGroup.trimmed();
    }
    if (query.campaignOnly) {
        conditions << QStringLiteral(
            "i.campaign_price > 0 AND (i.campaign_until IS NULL OR i.campaign_until >= ?)");
        params << Sql::dateParam(QDate::currentDate());
    }
    if (query.inStockOnly)
        conditions << QStringLiteral("i.stock > 0");
    if (query.withPictureOnly)
        conditions << QStringLiteral("i.picture_id IS NOT NULL");
    // Without a word or a filter the whole catalogue would answer: nothing is asked.
    if (words.isEmpty() && conditions.size() == 1 && !query.newOnly)
        conditions << QStringLiteral("0");
    return conditions.join(QStringLiteral(" AND "));
}

} // namespace

QDate SqliteStore::newItemsSince()
{
    bool ok = false;
    int days = setting(QStringLiteral("yeni_urun_gun")).toInt(&ok);
    if (!ok || days <= 0)
        days = DefaultNewItemDays;
    return QDate::currentDate().addDays(-days);
}

DataSetPtr SqliteStore::stockTable(const QString &where, const QList<QVariant> &params,
                                   int carino, bool campaignList, int offset, int limit)
{
    const CustomerTerms terms = customerTerms(carino);
    const QDate today = QDate::currentDate();
    const QDate newSince = newSinceDate(*this);
    Query q(db(), kItemSelect + QStringLiteral("WHERE ") + where
                      + QStringLiteral(" ORDER BY i.name, i.stokno LIMIT ? OFFSET ?"));
    for (const QVariant &p : params)
        q.bind(p);
    q.bind(limit).bind(qMax(0, offset)).exec();
    Table t(kStockColumns, int(std::size(kStockColumns)));
    while (q.next()) {
        const ItemRow r = readItem(q, terms, today, newSince);
        // A campaign that ended today is no longer listed as one.
        if (campaignList && !r.price.campaign)
            continue;
        writeStockRow(t, r);
    }
    return t.take();
}

DataSetPtr SqliteStore::searchStock(const StockQuery &query, int carino)
{
    checkText(query.text, MaxShortText, QStringLiteral("Arama metni"));
    QList<QVariant> params;
    QString where = whereForQuery(query, params);
    if (query.newOnly) {
        where += QStringLiteral(" AND i.added_on >= ?");
        params << Sql::dateParam(newSinceDate(*this));
    }
    return stockTable(where, params, carino, query.campaignOnly, query.offset, query.limit);
}

DataSetPtr SqliteStore::newItems(int carino)
{
    return stockTable(QStringLiteral("i.active = 1 AND i.added_on >= ?"),
                      {Sql::dateParam(newSinceDate(*this))}, carino, false, 0, -1);
}

DataSetPtr SqliteStore::campaignItems(int carino)
{
    return stockTable(QStringLiteral(
                          "i.active = 1 AND i.campaign_price > 0 "
                          "AND (i.campaign_until IS NULL OR i.campaign_until >= ?)"),
                      {Sql::dateParam(QDate::currentDate())}, carino, true, 0, -1);
}

TMobilStok SqliteStore::stockRecord(int stokno, int carino)
{
    const CustomerTerms terms = customerTerms(carino);
    Query q(db(), kItemSelect + QStringLiteral("WHERE i.stokno = ? AND i.active = 1"));
    q.bind(stokno).exec();
    if (!q.next())
        throw StoreError(StoreText::unknownItem(stokno));
    return toRecord(readItem(q, terms, QDate::currentDate(), newSinceDate(*this)));
}

TMobilStoklar SqliteStore::stockRecords(const StockQuery &query, int carino, int *total)
{
    checkText(query.text, MaxShortText, QStringLiteral("Arama metni"));
    const CustomerTerms terms = customerTerms(carino);
    QList<QVariant> params;
    const QString where = whereForQuery(query, params);
    QSqlDatabase d = db();
    if (total) {
        Query count(d, QStringLiteral("SELECT COUNT(*) FROM items i WHERE ") + where);
        for (const QVariant &p : params)
            count.bind(p);
        *total = count.scalar(0).toInt();
    }
    Query q(d, kItemSelect + QStringLiteral("WHERE ") + where
                   + QStringLiteral(" ORDER BY i.name, i.stokno LIMIT ? OFFSET ?"));
    for (const QVariant &p : params)
        q.bind(p);
    q.bind(query.limit).bind(qMax(0, query.offset)).exec();
    const QDate today = QDate::currentDate();
    const QDate newSince = newSinceDate(*this);
    TMobilStoklar list;
    while (q.next())
        list.Add(toRecord(readItem(q, terms, today, newSince)));
    return list;
}

DataSetPtr SqliteStore::departments()
{
    Query q(db(), QStringLiteral(
        "SELECT department, COUNT(*) FROM items WHERE active = 1 AND department <> '' "
        "GROUP BY department ORDER BY department"));
    q.exec();
    Table t{{u"DEPARTMAN", FieldType::String, 50}, {u"ADET", FieldType::Integer}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"DEPARTMAN", q.toString(0));
        t.set(row, u"ADET", q.toInt(1));
    }
    return t.take();
}

QStringList SqliteStore::mainGroups()
{
    Query q(db(), QStringLiteral(
        "SELECT DISTINCT main_group FROM items WHERE active = 1 AND main_group <> '' "
        "ORDER BY main_group"));
    q.exec();
    QStringList list;
    while (q.next())
        list << q.toString(0);
    return list;
}

QStringList SqliteStore::subGroups(const QString &mainGroup)
{
    Query q(db(), QStringLiteral(
        "SELECT DISTINCT sub_group FROM items WHERE active = 1 AND main_group = ? "
        "AND sub_group <> '' ORDER BY sub_group"));
    q.bind(mainGroup).exec();
    QStringList list;
    while (q.next())
        list << q.toString(0);
    return list;
}

QByteArray SqliteStore::itemPicture(int stokno)
{
    Query q(db(), QStringLiteral(
        "SELECT p.jpeg FROM items i JOIN pictures p ON p.id = i.picture_id "
        "WHERE i.stokno = ? AND i.active = 1"));
    q.bind(stokno).exec();
    return q.next() ? q.toBytes(0) : QByteArray();
}

ExchangeRates SqliteStore::exchangeRates()
{
    Query q(db(), QStringLiteral("SELECT currency, rate FROM exchange_rates"));
    q.exec();
    ExchangeRates rates;
    while (q.next()) {
        if (q.toString(0) == QLatin1String("USD"))
            rates.usd = q.toDouble(1);
        else if (q.toString(0) == QLatin1String("EUR"))
            rates.eur = q.toDouble(1);
    }
    if (rates.usd <= 0 || rates.eur <= 0)
        throw StoreError(QStringLiteral("Döviz kurları tanımlı değil."));
    return rates;
}

DataSetPtr SqliteStore::priceList()
{
    Query q(db(), QStringLiteral(
        "SELECT code, name, brand, unit, list_price, campaign_price, campaign_until, vat_rate "
        "FROM items WHERE active = 1 ORDER BY code"));
    q.exec();
    Table t{{u"KOD", FieldType::String, 30}, {u"ADI", FieldType::String, 100},
            {u"MARKA", FieldType::String, 50}, {u"BIRIM", FieldType::String, 10},
            {u"LISTEFIYAT", FieldType::Float}, {u"KAMPFIYAT", FieldType::Float},
            {u"KDV", FieldType::Float}};
    const QDate today = QDate::currentDate();
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"KOD", q.toString(0));
        t.set(row, u"ADI", q.toString(1));
        t.set(row, u"MARKA", q.toString(2));
        t.set(row, u"BIRIM", q.toString(3));
        t.set(row, u"LISTEFIYAT", q.toDouble(4));
        const QDate until = q.toDate(6);
        const bool campaign = q.toDouble(5) > 0 && (!until.isValid() || until >= today);
        t.set(row, u"KAMPFIYAT", campaign ? q.toDouble(5) : 0.0);
        t.set(row, u"KDV", q.toDouble(7));
    }
    return t.take();
}

} // namespace Mervak::Server
