// SPDX-License-Identifier: LicenseRef-Mervak
#include "sqlitestore.h"

#include "sqlitestore_p.h"

#include <cmath>

namespace Mervak::Server {

using Sql::Column;
using Sql::Query;
using Sql::Table;
using Sql::Transaction;

namespace {

enum LineKind { BasketLines, OrderLines, BalanceLines };

// Columns 0..39 are the same for basket and order lines; order lines add 40 onwards.
const QString kLineItemColumns = QStringLiteral(
    "i.code, i.name, i.other_name, i.barcode, i.oem1, i.oem2, i.oem3, i.oem4, i.oem_no, "
    "i.finish_code, i.maker_code, i.dp_code, i.p_code, i.special_code, i.brand, i.model, "
    "i.main_group, i.stock, i.supplier_ordered, i.supply_status, i.box_quantity, "
    "c.code, c.name, u.name ");

const QString kBasketSelect = QStringLiteral(
    "SELECT b.sirano, b.carino, b.stokno, b.quantity, b.unit_price, b.vat_rate, b.ind1, "
    "b.ind2, b.ind3, b.ind4, b.campaign, b.amount, b.discount_amount, b.net_unit_price, "
    "b.net_amount, b.vat_amount, b.selected, COALESCE(b.entered_by, 0), b.entered_at, ")
    + kLineItemColumns + QStringLiteral(
    "FROM basket_lines b JOIN items i ON i.stokno = b.stokno "
    "JOIN customers c ON c.carino = b.carino LEFT JOIN users u ON u.id = b.entered_by ");

const QString kOrderLineSelect = QStringLiteral(
    "SELECT l.basket_sirano, l.carino, l.stokno, l.quantity, l.unit_price, l.vat_rate, l.ind1, "
    "l.ind2, l.ind3, l.ind4, l.campaign, l.amount, l.discount_amount, l.net_unit_price, "
    "l.net_amount, l.vat_amount, 1, COALESCE(l.entered_by, 0), l.entered_at, ")
    + kLineItemColumns + QStringLiteral(
    ", l.id, l.idno, l.delivered, l.closed, l.first_price, o.created_at, o.delivery_type_id, "
    "o.cargo_type_id, dt.name, ct.name, o.state, "
    "(SELECT COALESCE(SUM(x.quantity - x.delivered), 0) FROM order_lines x "
    " WHERE x.stokno = l.stokno AND x.closed = 0 AND x.quantity > x.delivered) "
    "FROM order_lines l JOIN orders o ON o.idno = l.idno "
    "JOIN items i ON i.stokno = l.stokno JOIN customers c ON c.carino = l.carino "
    "LEFT JOIN users u ON u.id = l.entered_by "
    "LEFT JOIN delivery_types dt ON dt.id = o.delivery_type_id "
    "LEFT JOIN cargo_types ct ON ct.id = o.cargo_type_id ");

const Column kCommonLineColumns[] = {
    {u"VERILISTARIHI", FieldType::Date},
    {u"SIRANO", FieldType::Integer},
    {u"SIPARISNO", FieldType::Integer},
    {u"CARINO", FieldType::Integer},
    {u"TARIH", FieldType::Date},
    {u"AKTAR", FieldType::Integer},
    {u"STOKNO", FieldType::Integer},
    {u"BARKOD", FieldType::String, 50},
    {u"FINISHKOD", FieldType::String, 50},
    {u"OEMNO", FieldType::String, 50},
    {u"STOKADI", FieldType::String, 100},
    {u"MIKTAR", FieldType::Float},
    {u"BIRIMFIYAT", FieldType::Float},
    {u"TUTAR", FieldType::Float},
    {u"INDIRIMYAZI", FieldType::String, 30},
    {u"INDIRIMORANI1", FieldType::Float},
    {u"INDIRIMORANI2", FieldType::Float},
    {u"INDIRIMORANI3", FieldType::Float},
    {u"INDIRIMORANI4", FieldType::Float},
    {u"INDIRIMTUTAR", FieldType::Float},
    {u"NETBIRIMFIYAT", FieldType::Float},
    {u"KDV", FieldType::Float},
    {u"VERGITUTARI", FieldType::Float},
    {u"NETTUTAR", FieldType::Float},
    {u"KDVLITUTAR", FieldType::Float},
    {u"KUR", FieldType::String, 5},
    {u"KURTL", FieldType::Float},
    {u"VERENIDNO", FieldType::Integer},
    {u"SAAT", FieldType::String, 8},
    {u"TESLIMID", FieldType::Integer},
    {u"KARGOID", FieldType::Integer},
    {u"ACIKLAMA", FieldType::String, 100},
    {u"IDNO", FieldType::Integer},
    {u"VERENSIRANO", FieldType::Integer},
    {u"VEREN", FieldType::String, 50},
    {u"CARIKOD", FieldType::String, 25},
    {u"CARIADI", FieldType::String, 100},
    {u"OEM1", FieldType::String, 50},
    {u"OEM2", FieldType::String, 50},
    {u"OEM3", FieldType::String, 50},
    {u"OEM4", FieldType::String, 50},
    {u"STOK_STOKNO", FieldType::Integer},
    {u"URETICIKODU", FieldType::String, 50},
    {u"DIGERADI", FieldType::String, 100},
    {u"DPKOD", FieldType::String, 50},
    {u"MARKA", FieldType::String, 50},
    {u"MODEL", FieldType::String, 100},
    {u"ANAGRUP", FieldType::String, 50},
    {u"OZELKOD", FieldType::String, 50},
    {u"PKOD", FieldType::String, 50},
    {u"OZELKOD1", FieldType::Integer},
    {u"KALAN", FieldType::Float},
};

std::vector<Column> lineColumns(LineKind kind)
{
    std::vector<Column> columns;
    if (kind == BasketLines)
        columns.push_back({u"SEC", FieldType::Integer});
    columns.insert(columns.end(), std::begin(kCommonLineColumns), std::end(kCommonLineColumns));
    if (kind == BasketLines) {
        columns.push_back({u"DURUM", FieldType::Integer});
        return columns;
    }
    if (kind == BalanceLines)
        columns.push_back({u"ILKFIYAT", FieldType::Float});
    columns.push_back({u"TESLIM", FieldType::String, 50});
    columns.push_back({u"KARGO", FieldType::String, 50});
    columns.push_back({u"TESLIMEDILEN", FieldType::Float});
    columns.push_back({u"SIPARISDURUMU", FieldType::String, 30});
    columns.push_back({u"STOKHAR_NO", FieldType::Integer});
    if (kind == BalanceLines) {
        columns.push_back({u"ELDEKI", FieldType::Float});
        columns.push_back({u"DURUM", FieldType::Integer});
        columns.push_back({u"ALINANSIPARIS", FieldType::Float});
        columns.push_back({u"VERILENSIPARIS", FieldType::Float});
    }
    return columns;
}

void writeLineRow(Table &t, const Query &q, LineKind kind)
{
    const int row = t.addRow();
    const QDateTime entered = q.toStamp(18);
    const Discounts rates{q.toDouble(6), q.toDouble(7), q.toDouble(8), q.toDouble(9)};
    const int userId = q.toInt(17);
    const double stock = q.toDouble(36);
    const int status = stockStatus(stock, q.toDouble(37), q.toInt(38));

    if (kind == BasketLines)
        t.set(row, u"SEC", q.toInt(16));
    t.set(row, u"VERILISTARIHI", entered.date());
    t.set(row, u"SIRANO", q.toInt(0));
    t.set(row, u"CARINO", q.toInt(1));
    t.set(row, u"AKTAR", 0);
    t.set(row, u"STOKNO", q.toInt(2));
    t.set(row, u"STOK_STOKNO", q.toInt(2));
    t.set(row, u"MIKTAR", q.toDouble(3));
    t.set(row, u"BIRIMFIYAT", q.toDouble(4));
    t.set(row, u"KDV", q.toDouble(5));
    t.set(row, u"INDIRIMORANI1", rates[0]);
    t.set(row, u"INDIRIMORANI2", rates[1]);
    t.set(row, u"INDIRIMORANI3", rates[2]);
    t.set(row, u"INDIRIMORANI4", rates[3]);
    t.set(row, u"INDIRIMYAZI", discountText(rates));
    t.set(row, u"TUTAR", q.toDouble(11));
    t.set(row, u"INDIRIMTUTAR", q.toDouble(12));
    t.set(row, u"NETBIRIMFIYAT", q.toDouble(13));
    t.set(row, u"NETTUTAR", q.toDouble(14));
    t.set(row, u"VERGITUTARI", q.toDouble(15));
    t.set(row, u"KDVLITUTAR", cents(q.toDouble(14) + q.toDouble(15)));
    t.set(row, u"KUR", QStringLiteral("TL"));
    t.set(row, u"KURTL", 1.0);
    t.set(row, u"VERENIDNO", userId);
    t.set(row, u"VERENSIRANO", userId);
    t.set(row, u"SAAT", entered.time().toString(QStringLiteral("HH:mm:ss")));
    t.set(row, u"BARKOD", q.toString(22));
    t.set(row, u"STOKADI", q.toString(20));
    t.set(row, u"ACIKLAMA", q.toString(20));
    t.set(row, u"DIGERADI", q.toString(21));
    t.set(row, u"OEM1", q.toString(23));
    t.set(row, u"OEM2", q.toString(24));
    t.set(row, u"OEM3", q.toString(25));
    t.set(row, u"OEM4", q.toString(26));
    t.set(row, u"OEMNO", q.toString(27));
    t.set(row, u"FINISHKOD", q.toString(28));
    t.set(row, u"URETICIKODU", q.toString(29));
    t.set(row, u"DPKOD", q.toString(30));
    t.set(row, u"PKOD", q.toString(31));
    t.set(row, u"OZELKOD", q.toString(32));
    t.set(row, u"MARKA", q.toString(33));
    t.set(row, u"MODEL", q.toString(34));
    t.set(row, u"ANAGRUP", q.toString(35));
    t.set(row, u"OZELKOD1", q.toInt(39));
    t.set(row, u"CARIKOD", q.toString(40));
    t.set(row, u"CARIADI", q.toString(41));
    t.set(row, u"VEREN", q.toString(42));

    if (kind == BasketLines) {
        t.set(row, u"TARIH", entered.date());
        t.set(row, u"KALAN", stock);
        t.set(row, u"DURUM", status);
        return;
    }
    // Order lines: 43 onwards.
    const double quantity = q.toDouble(3);
    const double delivered = q.toDouble(45);
    const bool closed = q.toInt(46) != 0;
    const double remaining = closed ? 0.0 : qMax(0.0, quantity - delivered);
    t.set(row, u"STOKNO", q.toInt(2));
    t.set(row, u"IDNO", q.toInt(44));
    t.set(row, u"SIPARISNO", q.toInt(44));
    t.set(row, u"TARIH", q.toStamp(48).date());
    t.set(row, u"TESLIMID", q.toInt(49));
    t.set(row, u"KARGOID", q.toInt(50));
    t.set(row, u"TESLIM", q.toString(51));
    t.set(row, u"KARGO", q.toString(52));
    t.set(row, u"SIPARISDURUMU", orderStateText(q.toInt(53)));
    t.set(row, u"TESLIMEDILEN", delivered);
    t.set(row, u"KALAN", remaining);
    t.set(row, u"STOKHAR_NO", q.toInt(43));
    if (kind == BalanceLines) {
        t.set(row, u"ILKFIYAT", q.toDouble(47));
        t.set(row, u"ELDEKI", stock);
        t.set(row, u"DURUM", status);
        t.set(row, u"ALINANSIPARIS", q.toDouble(54));
        t.set(row, u"VERILENSIPARIS", q.toDouble(37));
    }
}

QString documentNumber(const char *prefix, const QDate &date, qint64 id)
{
    return QStringLiteral("%1%2%3").arg(QLatin1String(prefix)).arg(date.year())
        .arg(id, 6, 10, QLatin1Char('0'));
}

void checkRate(double rate)
{
    if (!std::isfinite(rate) || rate < 0 || rate >= 100)
        throw StoreError(QStringLiteral("İndirim oranı 0 ile 100 arasında olmalıdır."));
}

void checkPrice(double price)
{
    if (!std::isfinite(price) || price <= 0 || price > 1e9)
        throw StoreError(QStringLiteral("Fiyat sıfırdan büyük olmalıdır."));
}

} // namespace

// --- authority

UserInfo SqliteStore::requireUser(int userId, int carino)
{
    const std::optional<UserInfo> user = userById(userId);
    if (!user || !user->active)
        throw StoreError(StoreText::unknownUser());
    if (carino == 0)
        return *user;
    requireCustomer(carino);
    if (user->type == SalesManagerUser)
        return *user;
    if (user->type == SalesRepUser) {
        // A representative works for the customers of his own representative number.
        const int rep = Query(db(), QStringLiteral(
            "SELECT COALESCE(rep_id, 0) FROM customers WHERE carino = ?"))
            .bind(carino).scalar(0).toInt();
        if (user->repId != 0 && rep != user->repId)
            throw StoreError(StoreText::notAllowed());
        return *user;
    }
    if (user->carino != carino)
        throw StoreError(StoreText::notAllowed());
    return *user;
}

QString SqliteStore::customerScope(const UserInfo &user, QList<QVariant> &params,
                                   const QString &alias)
{
    if (user.type == SalesManagerUser)
        return QStringLiteral("1 = 1");
    if (user.type == SalesRepUser) {
        if (user.repId == 0)
            return QStringLiteral("1 = 1");
        params << user.repId;
        return alias + QStringLiteral(".rep_id = ?");
    }
    params << user.carino;
    return alias + QStringLiteral(".carino = ?");
}

// --- basket

DataSetPtr SqliteStore::lineTable(int kind, const QString &where, const QList<QVariant> &params)
{
    const LineKind lineKind = LineKind(kind);
    const std::vector<Column> columns = lineColumns(lineKind);
    Table t(columns.data(), int(columns.size()));
    const QString order = lineKind == BasketLines
        ? QStringLiteral(" ORDER BY b.sirano")
        : QStringLiteral(" ORDER BY o.created_at DESC, l.idno DESC, l.id");
    Query q(db(), (lineKind == BasketLines ? kBasketSelect : kOrderLineSelect)
                      + QStringLiteral("WHERE ") + where + order);
    for (const QVariant &p : params)
        q.bind(p);
    q.exec();
    while (q.next())
        writeLineRow(t, q, lineKind);
    return t.take();
}

DataSetPtr SqliteStore::basket(int carino)
{
    requireCustomer(carino);
    return lineTable(BasketLines, QStringLiteral("b.carino = ?"), {carino});
}

TMobilSepetler SqliteStore::basketRecords(int carino)
{
    const DataSetPtr lines = basket(carino);
    const DataSet &d = *lines;
    auto c = [&d](const char *name) { return d.fieldIndex(QLatin1String(name)); };
    TMobilSepetler list;
    for (int r = 0; r < d.rowCount(); ++r) {
        TMobilSepet s;
        s.FSIRANO = int(d.intAt(r, c("SIRANO")));
        s.FStokNo = int(d.intAt(r, c("STOKNO")));
        s.FSTOK_STOKNO = s.FStokNo;
        s.FCARINO = int(d.intAt(r, c("CARINO")));
        s.FTARIH = d.doubleAt(r, c("TARIH"));
        s.FVERILISTARIHI = d.doubleAt(r, c("VERILISTARIHI"));
        s.FCARIADI = d.stringAt(r, c("CARIADI"));
        s.FCARIKOD = d.stringAt(r, c("CARIKOD"));
        s.FDurum = int(d.intAt(r, c("DURUM")));
        s.FMIKTAR = d.doubleAt(r, c("MIKTAR"));
        s.FVERENIDNO = int(d.intAt(r, c("VERENIDNO")));
        s.FVERENSIRANO = s.FVERENIDNO;
        s.FVEREN = d.stringAt(r, c("VEREN"));
        s.FNETTUTAR = d.doubleAt(r, c("NETTUTAR"));
        s.FKDVLITUTAR = d.doubleAt(r, c("KDVLITUTAR"));
        s.FKDV = d.doubleAt(r, c("KDV"));
        s.FSAAT = d.stringAt(r, c("SAAT"));
        s.FVERGITUTARI = d.doubleAt(r, c("VERGITUTARI"));
        s.FPKod = d.stringAt(r, c("PKOD"));
        s.FMODEL = d.stringAt(r, c("MODEL"));
        s.FINDIRIMTUTAR = d.doubleAt(r, c("INDIRIMTUTAR"));
        s.FBIRIMFIYAT = d.doubleAt(r, c("BIRIMFIYAT"));
        s.FSEC = int(d.intAt(r, c("SEC")));
        s.FOEM1 = d.stringAt(r, c("OEM1"));
        s.FOEM2 = d.stringAt(r, c("OEM2"));
        s.FOEM3 = d.stringAt(r, c("OEM3"));
        s.FOEM4 = d.stringAt(r, c("OEM4"));
        s.FAnaGrup = d.stringAt(r, c("ANAGRUP"));
        s.FMARKA = d.stringAt(r, c("MARKA"));
        s.FSTOKADI = d.stringAt(r, c("STOKADI"));
        s.FINDIRIMORANI1 = d.doubleAt(r, c("INDIRIMORANI1"));
        s.FINDIRIMORANI2 = d.doubleAt(r, c("INDIRIMORANI2"));
        s.FINDIRIMORANI3 = d.doubleAt(r, c("INDIRIMORANI3"));
        s.FKUR = d.stringAt(r, c("KUR"));
        s.FKURTL = d.doubleAt(r, c("KURTL"));
        s.FOzelKod = d.stringAt(r, c("OZELKOD"));
        s.FDpKod = d.stringAt(r, c("DPKOD"));
        s.FDIGERADI = d.stringAt(r, c("DIGERADI"));
        s.FBarkod = d.stringAt(r, c("BARKOD"));
        s.FTUTAR = d.doubleAt(r, c("TUTAR"));
        s.FURETICIKODU = d.stringAt(r, c("URETICIKODU"));
        s.FKalan = d.doubleAt(r, c("KALAN"));
        s.FFINISHKOD = d.stringAt(r, c("FINISHKOD"));
        s.FNETBIRIMFIYAT = d.doubleAt(r, c("NETBIRIMFIYAT"));
        s.FOemNo = d.stringAt(r, c("OEMNO"));
        list.Add(s);
    }
    return list;
}

int SqliteStore::writeBasketLine(const BasketLineRequest &request, bool update)
{
    checkQuantity(request.quantity);
    QSqlDatabase d = db();
    Transaction transaction(d);
    const UserInfo user = requireUser(request.userId, request.carino);
    const QDateTime at = request.at.isValid() ? request.at : nowStamp();

    int lineNo = 0;
    int stokno = request.stokno;
    double quantity = request.quantity;
    if (update) {
        Query line(d, QStringLiteral(
            "SELECT sirano, stokno FROM basket_lines WHERE sirano = ? AND carino = ?"));
        line.bind(request.lineNo).bind(request.carino).exec();
        if (!line.next())
            throw StoreError(QStringLiteral("Sepet satırı bulunamadı."));
        lineNo = line.toInt(0);
        stokno = line.toInt(1);
    } else {
        // The same item twice in one basket is one line with the quantities added.
        Query line(d, QStringLiteral(
            "SELECT sirano, quantity FROM basket_lines WHERE carino = ? AND stokno = ?"));
        line.bind(request.carino).bind(stokno).exec();
        if (line.next()) {
            lineNo = line.toInt(0);
            quantity += line.toDouble(1);
            checkQuantity(quantity);
        }
    }

    Query item(d, QStringLiteral(
        "SELECT brand, vat_rate, list_price, campaign_price, campaign_until, item_discount "
        "FROM items WHERE stokno = ? AND active = 1"));
    item.bind(stokno).exec();
    if (!item.next())
        throw StoreError(StoreText::unknownItem(stokno));
    const CustomerTerms terms = customerTerms(request.carino);
    ItemPriceInput input;
    input.vatRate = item.toDouble(1);
    input.listPrice = item.toDouble(2);
    input.campaignPrice = item.toDouble(3);
    const QDate until = item.toDate(4);
    input.campaignActive = input.campaignPrice > 0
        && (!until.isValid() || until >= at.date());
    input.itemDiscount = item.toDouble(5);
    const ItemPrice price = priceItem(input, terms.forBrand(item.toString(0)));

    // Dealers always get the distributor's price; staff may set the price and discounts.
    double unitPrice = price.unitPrice;
    Discounts rates = price.rates;
    if (isStaff(user.type) && request.unitPrice > 0) {
        checkPrice(request.unitPrice);
        for (const double rate : request.rates)
            checkRate(rate);
        unitPrice = cents(request.unitPrice);
        rates = request.rates;
    }
    const LineAmounts a = lineAmounts(quantity, unitPrice, rates, input.vatRate);

    if (lineNo != 0) {
        Query(d, QStringLiteral(
            "UPDATE basket_lines SET quantity = ?, unit_price = ?, vat_rate = ?, ind1 = ?, "
            "ind2 = ?, ind3 = ?, ind4 = ?, campaign = ?, amount = ?, discount_amount = ?, "
            "net_unit_price = ?, net_amount = ?, vat_amount = ? WHERE sirano = ?"))
            .bind(quantity).bind(unitPrice).bind(input.vatRate).bind(rates[0]).bind(rates[1])
            .bind(rates[2]).bind(rates[3]).bind(price.campaign).bind(a.amount)
            .bind(a.discountAmount).bind(a.netUnitPrice).bind(a.netAmount).bind(a.vatAmount)
            .bind(lineNo).exec();
    } else {
        Query insert(d, QStringLiteral(
            "INSERT INTO basket_lines (carino, stokno, quantity, unit_price, vat_rate, ind1, "
            "ind2, ind3, ind4, campaign, amount, discount_amount, net_unit_price, net_amount, "
            "vat_amount, selected, entered_by, entered_at) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?)"));
        insert.bind(request.carino).bind(stokno).bind(quantity).bind(unitPrice)
            .bind(input.vatRate).bind(rates[0]).bind(rates[1]).bind(rates[2]).bind(rates[3])
            .bind(price.campaign).bind(a.amount).bind(a.discountAmount).bind(a.netUnitPrice)
            .bind(a.netAmount).bind(a.vatAmount).bind(user.id).bind(at).exec();
        lineNo = int(insert.lastInsertId());
    }
    transaction.commit();
    return lineNo;
}

int SqliteStore::addToBasket(const BasketLineRequest &request)
{
    return writeBasketLine(request, false);
}

void SqliteStore::updateBasketLine(const BasketLineRequest &request)
{
    writeBasketLine(request, true);
}

bool SqliteStore::deleteBasketLine(int carino, int lineNo, const QString &description,
                                   int userId)
{
    checkText(description, MaxShortText * 2, QStringLiteral("Açıklama"));
    QSqlDatabase d = db();
    Transaction transaction(d);
    requireUser(userId, carino);
    Query remove(d, QStringLiteral("DELETE FROM basket_lines WHERE sirano = ? AND carino = ?"));
    remove.bind(lineNo).bind(carino).exec();
    if (remove.rowsAffected() == 0)
        return false;
    Query(d, QStringLiteral(
        "INSERT INTO basket_log (carino, sirano, description, deleted_by, deleted_at) "
        "VALUES (?, ?, ?, ?, ?)"))
        .bind(carino).bind(lineNo).bind(description).bind(userId).bind(nowStamp()).exec();
    transaction.commit();
    return true;
}

int SqliteStore::clearBasket(int carino, int userId)
{
    QSqlDatabase d = db();
    Transaction transaction(d);
    requireUser(userId, carino);
    Query remove(d, QStringLiteral("DELETE FROM basket_lines WHERE carino = ?"));
    remove.bind(carino).exec();
    const int count = remove.rowsAffected();
    if (count > 0) {
        Query(d, QStringLiteral(
            "INSERT INTO basket_log (carino, sirano, description, deleted_by, deleted_at) "
            "VALUES (?, 0, ?, ?, ?)"))
            .bind(carino).bind(QStringLiteral("Tüm sepet silindi (%1 satır)").arg(count))
            .bind(userId).bind(nowStamp()).exec();
    }
    transaction.commit();
    return count;
}

void SqliteStore::setBasketSelection(int lineNo, int selected)
{
    if (selected != 0 && selected != 1)
        throw StoreError(QStringLiteral("Seçim 0 ya da 1 olmalıdır."));
    Query q(db(), QStringLiteral("UPDATE basket_lines SET selected = ? WHERE sirano = ?"));
    q.bind(selected).bind(lineNo).exec();
    if (q.rowsAffected() == 0)
        throw StoreError(QStringLiteral("Sepet satırı bulunamadı."));
}

DataSetPtr SqliteStore::deliveryTypes()
{
    Query q(db(), QStringLiteral("SELECT id, name FROM delivery_types ORDER BY id"));
    q.exec();
    Table t{{u"ID", FieldType::Integer}, {u"ADI", FieldType::String, 50}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"ID", q.toInt(0));
        t.set(row, u"ADI", q.toString(1));
    }
    return t.take();
}

DataSetPtr SqliteStore::cargoTypes()
{
    Query q(db(), QStringLiteral("SELECT id, name FROM cargo_types ORDER BY id"));
    q.exec();
    Table t{{u"ID", FieldType::Integer}, {u"ADI", FieldType::String, 50}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"ID", q.toInt(0));
        t.set(row, u"ADI", q.toString(1));
    }
    return t.take();
}

DataSetPtr SqliteStore::cargoCompanies(int cargoTypeId)
{
    Query q(db(), QStringLiteral(
        "SELECT sirano, name, notice, phone, cargo_type_id FROM cargo_companies "
        "WHERE cargo_type_id = ? AND active = 1 ORDER BY name"));
    q.bind(cargoTypeId).exec();
    Table t{{u"SIRANO", FieldType::Integer}, {u"ADI", FieldType::String, 50},
            {u"UYARI", FieldType::String, 250}, {u"TELEFON", FieldType::String, 30},
            {u"KARGOTURU", FieldType::Integer}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"SIRANO", q.toInt(0));
        t.set(row, u"ADI", q.toString(1));
        t.set(row, u"UYARI", q.toString(2));
        t.set(row, u"TELEFON", q.toString(3));
        t.set(row, u"KARGOTURU", q.toInt(4));
    }
    return t.take();
}

int SqliteStore::placeOrder(const OrderRequest &request)
{
    checkText(request.message, MaxLongText, QStringLiteral("Mesaj"));
    QSqlDatabase d = db();
    Transaction transaction(d);
    requireUser(request.userId, request.carino);
    if (Query(d, QStringLiteral("SELECT COUNT(*) FROM delivery_types WHERE id = ?"))
            .bind(request.deliveryTypeId).scalar(0).toInt() == 0)
        throw StoreError(QStringLiteral("Teslim durumu bulunamadı."));
    if (Query(d, QStringLiteral("SELECT COUNT(*) FROM cargo_types WHERE id = ?"))
            .bind(request.cargoTypeId).scalar(0).toInt() == 0)
        throw StoreError(QStringLiteral("Kargo türü bulunamadı."));
    if (Query(d, QStringLiteral(
            "SELECT COUNT(*) FROM cargo_companies WHERE sirano = ? AND cargo_type_id = ? "
            "AND active = 1"))
            .bind(request.cargoCompanyId).bind(request.cargoTypeId).scalar(0).toInt() == 0)
        throw StoreError(QStringLiteral("Kargo firması seçilen kargo türünde bulunamadı."));

    Query lines(d, QStringLiteral(
        "SELECT sirano, stokno, quantity, unit_price, vat_rate, ind1, ind2, ind3, ind4, "
        "campaign, amount, discount_amount, net_unit_price, net_amount, vat_amount, "
        "entered_by, entered_at FROM basket_lines WHERE carino = ? AND selected = 1 "
        "ORDER BY sirano"));
    lines.bind(request.carino).exec();
    std::vector<QVariantList> picked;
    while (lines.next()) {
        QVariantList values;
        for (int c = 0; c < 17; ++c)
            values << lines.value(c);
        picked.push_back(values);
    }
    if (picked.empty())
        return 0;     // nothing ticked: nothing stored

    const QDateTime at = request.at.isValid() ? request.at : nowStamp();
    Query order(d, QStringLiteral(
        "INSERT INTO orders (carino, created_at, state, delivery_type_id, cargo_type_id, "
        "cargo_company_id, customer_note, placed_by) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    order.bind(request.carino).bind(at).bind(int(OrderReceived)).bind(request.deliveryTypeId)
        .bind(request.cargoTypeId).bind(request.cargoCompanyId).bind(request.message)
        .bind(request.userId).exec();
    const int orderNo = int(order.lastInsertId());

    Query insert(d, QStringLiteral(
        "INSERT INTO order_lines (idno, carino, basket_sirano, stokno, quantity, unit_price, "
        "first_price, vat_rate, ind1, ind2, ind3, ind4, campaign, amount, discount_amount, "
        "net_unit_price, net_amount, vat_amount, entered_by, entered_at) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Query remove(d, QStringLiteral(
        "DELETE FROM basket_lines WHERE sirano = ? AND carino = ? AND selected = 1"));
    for (const QVariantList &v : picked) {
        insert.reset().bind(orderNo).bind(request.carino).bind(v[0]).bind(v[1]).bind(v[2])
            .bind(v[3]).bind(v[3]).bind(v[4]).bind(v[5]).bind(v[6]).bind(v[7]).bind(v[8])
            .bind(v[9]).bind(v[10]).bind(v[11]).bind(v[12]).bind(v[13]).bind(v[14])
            .bind(v[15]).bind(v[16]).exec();
        remove.reset().bind(v[0]).bind(request.carino).exec();
        if (remove.rowsAffected() != 1)
            throw StoreError(QStringLiteral("Sepet sipariş sırasında değişti, lütfen tekrar deneyiniz."));
    }
    transaction.commit();
    return orderNo;
}

QString SqliteStore::orderRefusal(int carino)
{
    Query q(db(), QStringLiteral("SELECT active FROM customers WHERE carino = ?"));
    q.bind(carino).exec();
    if (!q.next())
        throw StoreError(StoreText::unknownCustomer(carino));
    if (q.toInt(0) == 0)
        return QStringLiteral("Cari hesabınız pasif durumdadır, sipariş alınamıyor.");
    return QString();
}

// --- orders

DataSetPtr SqliteStore::orders(int carino)
{
    requireCustomer(carino);
    Query q(db(), QStringLiteral(
        "SELECT o.idno, o.carino, o.created_at, o.currency, o.rate, COALESCE(o.placed_by, 0), "
        "ct.name, dt.name, u.name, c.code, c.name, o.state, cc.name, o.customer_note, "
        "o.our_note, COALESCE(SUM(l.vat_amount), 0), COALESCE(SUM(l.net_amount), 0), "
        "COALESCE(SUM(l.amount), 0) "
        "FROM orders o JOIN customers c ON c.carino = o.carino "
        "LEFT JOIN users u ON u.id = o.placed_by "
        "LEFT JOIN cargo_types ct ON ct.id = o.cargo_type_id "
        "LEFT JOIN delivery_types dt ON dt.id = o.delivery_type_id "
        "LEFT JOIN cargo_companies cc ON cc.sirano = o.cargo_company_id "
        "LEFT JOIN order_lines l ON l.idno = o.idno "
        "WHERE o.carino = ? GROUP BY o.idno ORDER BY o.created_at DESC, o.idno DESC"));
    q.bind(carino).exec();
    Table t{{u"CARINO", FieldType::Integer}, {u"IDNO", FieldType::Integer},
            {u"TARIH", FieldType::Date}, {u"KUR", FieldType::String, 5},
            {u"KURTL", FieldType::Float}, {u"VERENIDNO", FieldType::Integer},
            {u"KARGO", FieldType::String, 50}, {u"TESLIM", FieldType::String, 50},
            {u"VEREN", FieldType::String, 50}, {u"CARIKOD", FieldType::String, 25},
            {u"CARIADI", FieldType::String, 100}, {u"VERGI", FieldType::Float},
            {u"NETTUTAR", FieldType::Float}, {u"TUTAR", FieldType::Float},
            {u"DURUM", FieldType::String, 100}, {u"KARGOADI", FieldType::String, 50},
            {u"VERENINNOTU", FieldType::String}, {u"ALANNOTU", FieldType::String},
            {u"SAAT", FieldType::String, 8}};
    while (q.next()) {
        const int row = t.addRow();
        const QDateTime created = q.toStamp(2);
        t.set(row, u"IDNO", q.toInt(0));
        t.set(row, u"CARINO", q.toInt(1));
        t.set(row, u"TARIH", created.date());
        t.set(row, u"SAAT", created.time().toString(QStringLiteral("HH:mm:ss")));
        t.set(row, u"KUR", q.toString(3));
        t.set(row, u"KURTL", q.toDouble(4));
        t.set(row, u"VERENIDNO", q.toInt(5));
        t.set(row, u"KARGO", q.toString(6));
        t.set(row, u"TESLIM", q.toString(7));
        t.set(row, u"VEREN", q.toString(8));
        t.set(row, u"CARIKOD", q.toString(9));
        t.set(row, u"CARIADI", q.toString(10));
        t.set(row, u"DURUM", orderStateText(q.toInt(11)));
        t.set(row, u"KARGOADI", q.toString(12));
        t.set(row, u"VERENINNOTU", q.toString(13));
        t.set(row, u"ALANNOTU", q.toString(14));
        t.set(row, u"VERGI", cents(q.toDouble(15)));
        t.set(row, u"NETTUTAR", cents(q.toDouble(16)));
        t.set(row, u"TUTAR", cents(q.toDouble(17)));
    }
    return t.take();
}

DataSetPtr SqliteStore::orderLines(int carino, int orderNo)
{
    Query q(db(), QStringLiteral("SELECT carino FROM orders WHERE idno = ?"));
    q.bind(orderNo).exec();
    if (!q.next() || (carino != 0 && q.toInt(0) != carino))
        throw StoreError(QStringLiteral("Sipariş bulunamadı (Sipariş No: %1).").arg(orderNo));
    return lineTable(OrderLines, QStringLiteral("l.idno = ?"), {orderNo});
}

TSiparisDipAyrinti SqliteStore::orderFooter(int carino, int orderNo)
{
    Query q(db(), QStringLiteral(
        "SELECT o.carino, o.customer_note, o.state, u.name, cc.name, o.our_note, dt.name, "
        "ct.name, o.seller_note FROM orders o "
        "LEFT JOIN users u ON u.id = o.placed_by "
        "LEFT JOIN cargo_companies cc ON cc.sirano = o.cargo_company_id "
        "LEFT JOIN delivery_types dt ON dt.id = o.delivery_type_id "
        "LEFT JOIN cargo_types ct ON ct.id = o.cargo_type_id WHERE o.idno = ?"));
    q.bind(orderNo).exec();
    if (!q.next() || (carino != 0 && q.toInt(0) != carino))
        throw StoreError(QStringLiteral("Sipariş bulunamadı (Sipariş No: %1).").arg(orderNo));
    TSiparisDipAyrinti footer;
    footer.FSizinMesaj = q.toString(1);
    footer.FDurumu = orderStateText(q.toInt(2));
    footer.FVeren = q.toString(3);
    footer.FKargo = q.toString(4);
    footer.FBizimMesaj = q.toString(5);
    footer.FTeslimCinsi = q.toString(6);
    footer.FKargoCinsi = q.toString(7);
    footer.FSaticiNotu = q.toString(8);
    return footer;
}

DataSetPtr SqliteStore::orderMovements(int carino, int stokno)
{
    requireCustomer(carino);
    if (stokno == 0)
        return lineTable(BalanceLines, QStringLiteral("l.carino = ?"), {carino});
    return lineTable(BalanceLines, QStringLiteral("l.carino = ? AND l.stokno = ?"),
                     {carino, stokno});
}

void SqliteStore::setOrderState(int orderNo, int state, const QString &ourNote,
                                const QString &sellerNote)
{
    if (orderStateText(state).isEmpty())
        throw StoreError(QStringLiteral("Geçersiz sipariş durumu."));
    Query q(db(), QStringLiteral(
        "UPDATE orders SET state = ?, our_note = ?, seller_note = ? WHERE idno = ?"));
    q.bind(state).bind(ourNote).bind(sellerNote).bind(orderNo).exec();
    if (q.rowsAffected() == 0)
        throw StoreError(QStringLiteral("Sipariş bulunamadı (Sipariş No: %1).").arg(orderNo));
}

int SqliteStore::shipOrder(int orderNo, const QList<QPair<int, double>> &deliveries,
                           const QDateTime &at)
{
    QSqlDatabase d = db();
    Transaction transaction(d);
    Query order(d, QStringLiteral(
        "SELECT o.carino, c.payment_days, c.rep_id FROM orders o "
        "JOIN customers c ON c.carino = o.carino WHERE o.idno = ?"));
    order.bind(orderNo).exec();
    if (!order.next())
        throw StoreError(QStringLiteral("Sipariş bulunamadı (Sipariş No: %1).").arg(orderNo));
    const int carino = order.toInt(0);
    const int paymentDays = order.toInt(1);
    const QVariant repId = order.value(2);
    const QDateTime moment = at.isValid() ? at : nowStamp();

    Query movement(d, QStringLiteral(
        "INSERT INTO account_movements (carino, date, time, kind, type_name, debit, due_date, "
        "rep_id, order_idno, description) VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?, ?)"));
    movement.bind(carino).bind(moment.date()).bind(moment.time().toString(QStringLiteral("HH:mm")))
        .bind(int(SalesInvoice)).bind(QStringLiteral("Satış Faturası"))
        .bind(moment.date().addDays(paymentDays)).bind(repId).bind(orderNo)
        .bind(QStringLiteral("%1 nolu siparişin sevkiyatı").arg(orderNo)).exec();
    const int invoiceId = int(movement.lastInsertId());
    const QString invoiceNo = documentNumber("SF", moment.date(), invoiceId);
    const QString waybillNo = documentNumber("IR", moment.date(), invoiceId);

    Query line(d, QStringLiteral(
        "SELECT stokno, quantity, delivered, closed, unit_price, vat_rate, ind1, ind2, ind3, "
        "ind4 FROM order_lines WHERE id = ? AND idno = ?"));
    Query deliver(d, QStringLiteral("UPDATE order_lines SET delivered = delivered + ? WHERE id = ?"));
    Query stock(d, QStringLiteral(
        "UPDATE items SET stock = MAX(stock - ?, 0) WHERE stokno = ?"));
    Query invoiceLine(d, QStringLiteral(
        "INSERT INTO invoice_lines (idno, order_line_id, stokno, quantity, unit_price, "
        "vat_rate, ind1, ind2, ind3, ind4, amount, discount_amount, net_unit_price, "
        "net_amount, vat_amount, waybill_no) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    double total = 0;
    for (const auto &[lineId, quantity] : deliveries) {
        checkQuantity(quantity);
        line.reset().bind(lineId).bind(orderNo).exec();
        if (!line.next())
            throw StoreError(QStringLiteral("Sipariş satırı bulunamadı."));
        const double remaining = line.toInt(3) ? 0.0 : line.toDouble(1) - line.toDouble(2);
        if (quantity > remaining + 1e-9)
            throw StoreError(QStringLiteral("Teslim miktarı kalan bakiyeden büyük."));
        const int stokno = line.toInt(0);
        const Discounts rates{line.toDouble(6), line.toDouble(7), line.toDouble(8),
                              line.toDouble(9)};
        const double unitPrice = line.toDouble(4);
        const double vatRate = line.toDouble(5);
        const LineAmounts a = lineAmounts(quantity, unitPrice, rates, vatRate);
        deliver.reset().bind(quantity).bind(lineId).exec();
        stock.reset().bind(quantity).bind(stokno).exec();
        invoiceLine.reset().bind(invoiceId).bind(lineId).bind(stokno).bind(quantity)
            .bind(unitPrice).bind(vatRate).bind(rates[0]).bind(rates[1]).bind(rates[2])
            .bind(rates[3]).bind(a.amount).bind(a.discountAmount).bind(a.netUnitPrice)
            .bind(a.netAmount).bind(a.vatAmount).bind(waybillNo).exec();
        total = cents(total + a.totalWithVat);
    }
    if (total <= 0)
        return 0;     // nothing delivered: the transaction rolls back
    Query(d, QStringLiteral("UPDATE account_movements SET debit = ?, document_no = ? WHERE idno = ?"))
        .bind(total).bind(invoiceNo).bind(invoiceId).exec();
    Query(d, QStringLiteral("UPDATE orders SET state = ? WHERE idno = ?"))
        .bind(int(OrderShipped)).bind(orderNo).exec();
    transaction.commit();
    return invoiceId;
}

// --- customers by state

DataSetPtr SqliteStore::customerTable(const QString &where, const QList<QVariant> &params)
{
    Query q(db(), QStringLiteral(
        "SELECT c.carino, c.code, c.name, COALESCE(r.name, ''), COALESCE(mb.balance, 0), "
        "c.special_code, c.code1, c.code2, c.code3, c.code4, c.code5, c.phone1, c.phone2, "
        "c.district, c.city, c.gsm, COALESCE(bl.lines, 0), c.contact, c.discount, "
        "c.payment_days, c.tolerance_days, c.tolerance_months, c.tax_office, c.tax_no, "
        "c.address1, c.address2, c.main_group, c.sub_group, c.fax1, c.fax2, c.email, "
        "COALESCE(os.s2, 0), COALESCE(os.s3, 0), COALESCE(os.s4, 0), COALESCE(os.s5, 0), "
        "COALESCE(os.s6, 0), COALESCE(os.s7, 0) "
        "FROM customers c LEFT JOIN sales_reps r ON r.id = c.rep_id "
        "LEFT JOIN (SELECT carino, SUM(debit - credit) AS balance FROM account_movements "
        "           GROUP BY carino) mb ON mb.carino = c.carino "
        "LEFT JOIN (SELECT carino, COUNT(*) AS lines FROM basket_lines GROUP BY carino) bl "
        "       ON bl.carino = c.carino "
        "LEFT JOIN (SELECT carino, "
        "  SUM(CASE WHEN state = 2 THEN 1 ELSE 0 END) AS s2, "
        "  SUM(CASE WHEN state = 3 THEN 1 ELSE 0 END) AS s3, "
        "  SUM(CASE WHEN state = 4 THEN 1 ELSE 0 END) AS s4, "
        "  SUM(CASE WHEN state = 5 THEN 1 ELSE 0 END) AS s5, "
        "  SUM(CASE WHEN state = 6 THEN 1 ELSE 0 END) AS s6, "
        "  SUM(CASE WHEN state = 7 THEN 1 ELSE 0 END) AS s7 "
        "  FROM orders GROUP BY carino) os ON os.carino = c.carino "
        "WHERE c.active = 1 AND ") + where + QStringLiteral(" ORDER BY c.name, c.carino"));
    for (const QVariant &p : params)
        q.bind(p);
    q.exec();
    Table t{{u"CARINO", FieldType::Integer}, {u"CARIKOD", FieldType::String, 25},
            {u"CARIADI", FieldType::String, 100}, {u"SATICISI", FieldType::String, 50},
            {u"TLBAKIYE", FieldType::Float}, {u"DURUM", FieldType::String, 1},
            {u"OZELKOD", FieldType::String, 25}, {u"KOD1", FieldType::String, 25},
            {u"KOD2", FieldType::String, 25}, {u"KOD3", FieldType::String, 25},
            {u"KOD4", FieldType::String, 25}, {u"KOD5", FieldType::String, 25},
            {u"TEL1", FieldType::String, 25}, {u"TEL2", FieldType::String, 25},
            {u"ILCE", FieldType::String, 50}, {u"IL", FieldType::String, 50},
            {u"GSM", FieldType::String, 25}, {u"SEPET", FieldType::Integer},
            {u"YETKILI", FieldType::String, 50}, {u"INDIRIM", FieldType::Float},
            {u"VADE", FieldType::Integer}, {u"VADEKONTROLGUN", FieldType::Integer},
            {u"VADEKONTROLAY", FieldType::Integer}, {u"VERGIDAIRESI", FieldType::String, 50},
            {u"VERGINO", FieldType::String, 25}, {u"ADRES1", FieldType::String, 100},
            {u"ADRES2", FieldType::String, 100}, {u"ANAGRUP", FieldType::String, 50},
            {u"ALTGRUP", FieldType::String, 50}, {u"FAX1", FieldType::String, 25},
            {u"FAX2", FieldType::String, 25}, {u"EMAIL", FieldType::String, 100},
            {u"ALINDI", FieldType::Integer}, {u"ONAYLANDI", FieldType::Integer},
            {u"GORULDU", FieldType::Integer}, {u"HAZIRLANDI", FieldType::Integer},
            {u"PARCALIHAZIRLANDI", FieldType::Integer}, {u"SEVKEDILDI", FieldType::Integer}};
    while (q.next()) {
        const int row = t.addRow();
        const double balance = cents(q.toDouble(4));
        t.set(row, u"CARINO", q.toInt(0));
        t.set(row, u"CARIKOD", q.toString(1));
        t.set(row, u"CARIADI", q.toString(2));
        t.set(row, u"SATICISI", q.toString(3));
        // Shown the accountant's way: the amount, then B (owes) or A (in credit).
        t.set(row, u"TLBAKIYE", std::fabs(balance));
        t.set(row, u"DURUM", balance > 0 ? QStringLiteral("B")
                             : balance < 0 ? QStringLiteral("A") : QString());
        t.set(row, u"OZELKOD", q.toString(5));
        t.set(row, u"KOD1", q.toString(6));
        t.set(row, u"KOD2", q.toString(7));
        t.set(row, u"KOD3", q.toString(8));
        t.set(row, u"KOD4", q.toString(9));
        t.set(row, u"KOD5", q.toString(10));
        t.set(row, u"TEL1", q.toString(11));
        t.set(row, u"TEL2", q.toString(12));
        t.set(row, u"ILCE", q.toString(13));
        t.set(row, u"IL", q.toString(14));
        t.set(row, u"GSM", q.toString(15));
        t.set(row, u"SEPET", q.toInt(16));
        t.set(row, u"YETKILI", q.toString(17));
        t.set(row, u"INDIRIM", q.toDouble(18));
        t.set(row, u"VADE", q.toInt(19));
        t.set(row, u"VADEKONTROLGUN", q.toInt(20));
        t.set(row, u"VADEKONTROLAY", q.toInt(21));
        t.set(row, u"VERGIDAIRESI", q.toString(22));
        t.set(row, u"VERGINO", q.toString(23));
        t.set(row, u"ADRES1", q.toString(24));
        t.set(row, u"ADRES2", q.toString(25));
        t.set(row, u"ANAGRUP", q.toString(26));
        t.set(row, u"ALTGRUP", q.toString(27));
        t.set(row, u"FAX1", q.toString(28));
        t.set(row, u"FAX2", q.toString(29));
        t.set(row, u"EMAIL", q.toString(30));
        t.set(row, u"ALINDI", q.toInt(31));
        t.set(row, u"ONAYLANDI", q.toInt(32));
        t.set(row, u"GORULDU", q.toInt(33));
        t.set(row, u"PARCALIHAZIRLANDI", q.toInt(34));
        t.set(row, u"HAZIRLANDI", q.toInt(35));
        t.set(row, u"SEVKEDILDI", q.toInt(36));
    }
    return t.take();
}

int SqliteStore::customersWithBasket(const UserInfo &user)
{
    QList<QVariant> params;
    const QString scope = customerScope(user, params, QStringLiteral("c"));
    Query q(db(), QStringLiteral(
        "SELECT COUNT(*) FROM customers c WHERE c.active = 1 AND ") + scope
        + QStringLiteral(" AND EXISTS (SELECT 1 FROM basket_lines b WHERE b.carino = c.carino)"));
    for (const QVariant &p : params)
        q.bind(p);
    return q.scalar(0).toInt();
}

DataSetPtr SqliteStore::customersByState(const UserInfo &user, int selector)
{
    QList<QVariant> params;
    QString where = customerScope(user, params, QStringLiteral("c"));
    if (selector == 1) {
        where += QStringLiteral(
            " AND EXISTS (SELECT 1 FROM basket_lines b WHERE b.carino = c.carino)");
    } else if (selector >= OrderReceived && selector <= OrderShipped) {
        where += QStringLiteral(
            " AND EXISTS (SELECT 1 FROM orders o WHERE o.carino = c.carino AND o.state = ?)");
        params << selector;
    } else {
        throw StoreError(QStringLiteral("Geçersiz liste seçimi: %1").arg(selector));
    }
    return customerTable(where, params);
}

TTusSonuclari SqliteStore::orderStateCounts(const UserInfo &user)
{
    QList<QVariant> params;
    const QString scope = customerScope(user, params, QStringLiteral("c"));
    Query q(db(), QStringLiteral(
        "SELECT o.state, COUNT(*) FROM orders o JOIN customers c ON c.carino = o.carino "
        "WHERE c.active = 1 AND ") + scope + QStringLiteral(" GROUP BY o.state"));
    for (const QVariant &p : params)
        q.bind(p);
    q.exec();
    TTusSonuclari counts;
    while (q.next()) {
        const int n = q.toInt(1);
        switch (q.toInt(0)) {
        case OrderReceived: counts.FAlindi = n; break;
        case OrderApproved: counts.FOnaylandi = n; break;
        case OrderSeen: counts.FGoruldu = n; break;
        case OrderPartlyPrepared: counts.FParcaliHazirlandi = n; break;
        case OrderPrepared: counts.FHazirlandi = n; break;
        case OrderShipped: counts.FSevkEdildi = n; break;
        default: break;
        }
    }
    return counts;
}

// --- open balances

DataSetPtr SqliteStore::openBalances(int carino)
{
    requireCustomer(carino);
    return lineTable(BalanceLines, QStringLiteral(
                         "l.carino = ? AND l.closed = 0 AND l.quantity > l.delivered"),
                     {carino});
}

namespace {

struct OpenLine
{
    int stokno = 0;
    double quantity = 0;
    double delivered = 0;
    double unitPrice = 0;
    double vatRate = 0;
    Discounts rates{};
};

// The balance line a request names, checked against everything the request says of it.
OpenLine findOpenLine(const QSqlDatabase &d, const BalanceRequest &request)
{
    Query q(d, QStringLiteral(
        "SELECT carino, basket_sirano, stokno, quantity, delivered, closed, unit_price, "
        "vat_rate, ind1, ind2, ind3, ind4 FROM order_lines WHERE id = ?"));
    q.bind(request.orderLineNo).exec();
    if (!q.next() || q.toInt(0) != request.carino || q.toInt(1) != request.basketLineNo
        || (request.stokno != 0 && q.toInt(2) != request.stokno))
        throw StoreError(QStringLiteral("Sipariş bakiyesi bulunamadı."));
    OpenLine line;
    line.stokno = q.toInt(2);
    line.quantity = q.toDouble(3);
    line.delivered = q.toDouble(4);
    if (q.toInt(5) != 0 || line.quantity <= line.delivered)
        throw StoreError(QStringLiteral("Bu satırın açık bakiyesi kalmadı."));
    line.unitPrice = q.toDouble(6);
    line.vatRate = q.toDouble(7);
    line.rates = {q.toDouble(8), q.toDouble(9), q.toDouble(10), q.toDouble(11)};
    return line;
}

void rewriteLine(const QSqlDatabase &d, int lineId, double quantity, double unitPrice,
                 const Discounts &rates, double vatRate)
{
    const LineAmounts a = lineAmounts(quantity, unitPrice, rates, vatRate);
    Query(d, QStringLiteral(
        "UPDATE order_lines SET quantity = ?, unit_price = ?, ind1 = ?, ind2 = ?, ind3 = ?, "
        "ind4 = ?, amount = ?, discount_amount = ?, net_unit_price = ?, net_amount = ?, "
        "vat_amount = ? WHERE id = ?"))
        .bind(quantity).bind(unitPrice).bind(rates[0]).bind(rates[1]).bind(rates[2])
        .bind(rates[3]).bind(a.amount).bind(a.discountAmount).bind(a.netUnitPrice)
        .bind(a.netAmount).bind(a.vatAmount).bind(lineId).exec();
}

} // namespace

void SqliteStore::deleteBalance(const BalanceRequest &request)
{
    QSqlDatabase d = db();
    Transaction transaction(d);
    requireUser(request.userId, request.carino);
    findOpenLine(d, request);
    Query(d, QStringLiteral("UPDATE order_lines SET closed = 1 WHERE id = ?"))
        .bind(request.orderLineNo).exec();
    transaction.commit();
}

void SqliteStore::changeBalance(const BalanceRequest &request)
{
    checkQuantity(request.balance);
    QSqlDatabase d = db();
    Transaction transaction(d);
    requireUser(request.userId, request.carino);
    const OpenLine line = findOpenLine(d, request);
    // The line keeps what was delivered; the new balance is what is still to come.
    rewriteLine(d, request.orderLineNo, line.delivered + request.balance, line.unitPrice,
                line.rates, line.vatRate);
    transaction.commit();
}

void SqliteStore::changeBalancePrice(const BalanceRequest &request)
{
    checkPrice(request.unitPrice);
    checkRate(request.discount);
    QSqlDatabase d = db();
    Transaction transaction(d);
    const UserInfo user = requireUser(request.userId, request.carino);
    if (user.type != SalesManagerUser)
        throw StoreError(QStringLiteral("Fiyat değiştirme yetkiniz yok."));
    const OpenLine line = findOpenLine(d, request);
    rewriteLine(d, request.orderLineNo, line.quantity, cents(request.unitPrice),
                {request.discount, 0, 0, 0}, line.vatRate);
    transaction.commit();
}

} // namespace Mervak::Server
