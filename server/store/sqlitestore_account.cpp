// SPDX-License-Identifier: LicenseRef-Mervak
#include "sqlitestore.h"

#include "displayformat.h"
#include "sqlitestore_p.h"
#include "textfold.h"

#include <QRegularExpression>

#include <cmath>

namespace Mervak::Server {

using Sql::Column;
using Sql::Query;
using Sql::Table;
using Sql::Transaction;

namespace {

QLocale turkish()
{
    return QLocale(QLocale::Turkish, QLocale::Turkey);
}

QString money(double value)
{
    return formatFloat(QString::fromLatin1(MoneyFormat), value, turkish());
}

QString movementTypeName(MovementKind kind)
{
    switch (kind) {
    case SalesInvoice: return QStringLiteral("Satış Faturası");
    case ReturnInvoice: return QStringLiteral("İade Faturası");
    case Collection: return QStringLiteral("Tahsilat");
    case Payment: return QStringLiteral("Tediye");
    case OpeningBalance: return QStringLiteral("Devir Fişi");
    case DebitNote: return QStringLiteral("Borç Dekontu");
    case CreditNote: return QStringLiteral("Alacak Dekontu");
    }
    return QString();
}

QString documentNumber(const char *prefix, const QDate &date, qint64 id)
{
    return QStringLiteral("%1%2%3").arg(QLatin1String(prefix)).arg(date.year())
        .arg(id, 6, 10, QLatin1Char('0'));
}

const Column kStatementColumns[] = {
    {u"CARINO", FieldType::Integer},
    {u"TARIH", FieldType::Date},
    {u"TURADI", FieldType::String, 50},
    {u"EVRAK", FieldType::String, 30},
    {u"BORC", FieldType::Float},
    {u"ALACAK", FieldType::Float},
    {u"KUR", FieldType::String, 5},
    {u"BAKIYE", FieldType::Float},
    {u"D", FieldType::String, 1},
    {u"IDNO", FieldType::Integer},
    {u"ACIKLAMA", FieldType::String, 200},
    {u"VADETARIHI", FieldType::Date},
};

// Adds one statement row and carries the running balance: B owes, A in credit.
void addStatementRow(Table &t, double &running, int carino, const QDate &date,
                     const QString &type, const QString &document, double debit, double credit,
                     int idno, const QString &description, const QDate &due)
{
    running = cents(running + (debit - credit));
    const int row = t.addRow();
    t.set(row, u"CARINO", carino);
    t.set(row, u"TARIH", date);
    t.set(row, u"TURADI", type);
    t.set(row, u"EVRAK", document);
    t.set(row, u"BORC", debit);
    t.set(row, u"ALACAK", credit);
    t.set(row, u"KUR", QStringLiteral("TL"));
    t.set(row, u"BAKIYE", running);
    t.set(row, u"D", running > 0 ? QStringLiteral("B")
                   : running < 0 ? QStringLiteral("A") : QStringLiteral(" "));
    t.set(row, u"IDNO", idno);
    t.set(row, u"ACIKLAMA", description);
    t.set(row, u"VADETARIHI", due);
}

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

} // namespace

// --- statement

DataSetPtr SqliteStore::statement(int carino)
{
    return statementBetween(carino, QDate(), QDate());
}

DataSetPtr SqliteStore::statementBetween(int carino, const QDate &from, const QDate &to)
{
    requireCustomer(carino);
    Table t(kStatementColumns, int(std::size(kStatementColumns)));
    double running = 0;
    if (from.isValid()) {
        const double before = balanceAt(carino, from.addDays(-1));
        addStatementRow(t, running, carino, from, QStringLiteral("Devir"), QString(),
                        before > 0 ? before : 0.0, before < 0 ? -before : 0.0, 0,
                        QStringLiteral("Önceki dönemden devreden bakiye"), QDate());
    }
    Query q(db(), QStringLiteral(
        "SELECT idno, date, type_name, document_no, debit, credit, description, due_date "
        "FROM account_movements WHERE carino = ? AND (? IS NULL OR date >= ?) "
        "AND (? IS NULL OR date <= ?) ORDER BY date, idno"));
    const QVariant f = Sql::dateParam(from);
    const QVariant e = Sql::dateParam(to);
    q.bind(carino).bind(f).bind(f).bind(e).bind(e).exec();
    while (q.next()) {
        addStatementRow(t, running, carino, q.toDate(1), q.toString(2), q.toString(3),
                        q.toDouble(4), q.toDouble(5), q.toInt(0), q.toString(6), q.toDate(7));
    }
    return t.take();
}

double SqliteStore::balanceAt(int carino, const QDate &date)
{
    return cents(Query(db(), QStringLiteral(
                           "SELECT COALESCE(SUM(debit - credit), 0) FROM account_movements "
                           "WHERE carino = ? AND date <= ?"))
                     .bind(carino).bind(date).scalar(0).toDouble());
}

DataSetPtr SqliteStore::statementHeader(int carino, const QDate &date)
{
    requireCustomer(carino);
    Query q(db(), QStringLiteral(
        "SELECT c.code, c.name, COALESCE(SUM(m.debit), 0), COALESCE(SUM(m.credit), 0) "
        "FROM customers c LEFT JOIN account_movements m ON m.carino = c.carino AND m.date < ? "
        "WHERE c.carino = ? GROUP BY c.carino"));
    q.bind(date).bind(carino).exec();
    Table t{{u"CARINO", FieldType::Integer}, {u"CARIKOD", FieldType::String, 25},
            {u"CARIADI", FieldType::String, 100}, {u"TARIH", FieldType::Date},
            {u"DEVIRBORC", FieldType::Float}, {u"DEVIRALACAK", FieldType::Float},
            {u"DEVIRBAKIYE", FieldType::Float}};
    if (q.next()) {
        const int row = t.addRow();
        t.set(row, u"CARINO", carino);
        t.set(row, u"CARIKOD", q.toString(0));
        t.set(row, u"CARIADI", q.toString(1));
        t.set(row, u"TARIH", date);
        t.set(row, u"DEVIRBORC", cents(q.toDouble(2)));
        t.set(row, u"DEVIRALACAK", cents(q.toDouble(3)));
        t.set(row, u"DEVIRBAKIYE", cents(q.toDouble(2) - q.toDouble(3)));
    }
    return t.take();
}

// --- documents behind the statement

DataSetPtr SqliteStore::invoiceLines(int carino, int movementId)
{
    QSqlDatabase d = db();
    Query m(d, QStringLiteral("SELECT carino, kind FROM account_movements WHERE idno = ?"));
    m.bind(movementId).exec();
    if (!m.next() || (carino != 0 && m.toInt(0) != carino)
        || (m.toInt(1) != SalesInvoice && m.toInt(1) != ReturnInvoice))
        throw StoreError(QStringLiteral("Fatura bulunamadı (No: %1).").arg(movementId));

    Query q(d, QStringLiteral(
        "SELECT i.oem_no, i.name, i.finish_code, i.brand, i.model, i.main_group, i.unit, "
        "l.quantity, l.unit_price, l.amount, l.ind1, l.ind2, l.ind3, l.ind4, l.vat_rate, "
        "l.discount_amount, l.net_unit_price, l.net_amount, i.special_code, i.barcode, "
        "m.date, m.type_name, m.document_no, l.vat_amount, l.waybill_no, l.note, m.time, "
        "m.due_date, o.idno, o.created_at, r.name, i.size, i.colour, c.code, m.carino, "
        "i.maker_code, i.dp_code, i.other_name, i.p_code, m.idno "
        "FROM invoice_lines l JOIN account_movements m ON m.idno = l.idno "
        "JOIN items i ON i.stokno = l.stokno JOIN customers c ON c.carino = m.carino "
        "LEFT JOIN order_lines ol ON ol.id = l.order_line_id "
        "LEFT JOIN orders o ON o.idno = ol.idno "
        "LEFT JOIN sales_reps r ON r.id = m.rep_id "
        "WHERE l.idno = ? ORDER BY l.id"));
    q.bind(movementId).exec();
    Table t{{u"OEMNO", FieldType::String, 50}, {u"STOKADI", FieldType::String, 100},
            {u"FINISHKOD", FieldType::String, 50}, {u"MARKA", FieldType::String, 50},
            {u"MODEL", FieldType::String, 100}, {u"ANAGRUP", FieldType::String, 50},
            {u"BIRIM", FieldType::String, 10}, {u"STOKHAR_MIKTAR", FieldType::Float},
            {u"STOKHAR_TLBIRIMFIYATI", FieldType::Float}, {u"STOKHAR_TLTUTAR", FieldType::Float},
            {u"STOKHAR_INDIRIM1", FieldType::Float}, {u"STOKHAR_INDIRIM2", FieldType::Float},
            {u"STOKHAR_INDIRIM3", FieldType::Float}, {u"STOKHAR_INDIRIM4", FieldType::Float},
            {u"STOKHAR_INDIRIM5", FieldType::Float}, {u"STOKHAR_INDIRIM6", FieldType::Float},
            {u"STOKHAR_INDIRIM7", FieldType::Float}, {u"STOKHAR_INDIRIM8", FieldType::Float},
            {u"KDV", FieldType::Float}, {u"STOKHAR_TOPLAMINDIRIM", FieldType::Float},
            {u"STOKHAR_TOPLAMMASRAF", FieldType::Float},
            {u"STOKHAR_NETTLBIRIMFIYATI", FieldType::Float},
            {u"STOKHAR_NETTLTUTAR", FieldType::Float}, {u"OZELKOD", FieldType::String, 50},
            {u"BARKOD", FieldType::String, 50}, {u"STOKHAR_HAREKETTARIHI", FieldType::Date},
            {u"STOKHAR_HAREKETTIPI2", FieldType::String, 50}, {u"EVRAKNO", FieldType::String, 30},
            {u"STOKHAR_TLVERGI", FieldType::Float}, {u"IRSALIYEEVRAKNO", FieldType::String, 30},
            {u"STOKHAR_IRSTARIHI", FieldType::Date}, {u"SATIRACIKLMASI", FieldType::String, 100},
            {u"STOKHAR_SAAT", FieldType::String, 8}, {u"STOKHAR_VADE", FieldType::Integer},
            {u"SIPARISEVRAKNO", FieldType::String, 30}, {u"SIPARISTARIHI", FieldType::Date},
            {u"IRSALIYETIP2", FieldType::String, 50},
            {u"STOKHAR_DOVIZBIRIMFIYATI", FieldType::Float},
            {u"STOKHAR_DOVIZVERGI", FieldType::Float}, {u"STOKHAR_DOVIZTUTAR", FieldType::Float},
            {u"STOKHAR_PARTI", FieldType::String, 30}, {u"STOKHAR_BEDEN", FieldType::String, 20},
            {u"STOKHAR_RENK", FieldType::String, 20}, {u"STOKHAR_MASRAF1", FieldType::Float},
            {u"STOKHAR_MASRAF2", FieldType::Float},
            {u"STOKHAR_DOVIZTOPLAMINDIRIM", FieldType::Float},
            {u"STOKHAR_DOVIZTOPLAMMASRAF", FieldType::Float},
            {u"STOKHAR_NETDOVIZBIRIMFIYATI", FieldType::Float},
            {u"STOKHAR_NETDOVIZTUTAR", FieldType::Float}, {u"STOKHAR_KURTL", FieldType::Float},
            {u"SATICIADI", FieldType::String, 50}, {u"SIPARISTIPI", FieldType::String, 20},
            {u"IRSALIYETIPINO", FieldType::Integer}, {u"STOKCARIKOD", FieldType::String, 25},
            {u"SUBE_NO", FieldType::Integer}, {u"STOKHAR_CARINO", FieldType::Integer},
            {u"KUR_KURSIMGE", FieldType::String, 5}, {u"URETICIKODU", FieldType::String, 50},
            {u"DPKOD", FieldType::String, 50}, {u"ENADI", FieldType::String, 100},
            {u"PKOD", FieldType::String, 50}, {u"BELGENO", FieldType::String, 30},
            {u"IDNO", FieldType::Integer}};
    while (q.next()) {
        const int row = t.addRow();
        const QDate date = q.toDate(20);
        const QDate due = q.toDate(27);
        t.set(row, u"OEMNO", q.toString(0));
        t.set(row, u"STOKADI", q.toString(1));
        t.set(row, u"FINISHKOD", q.toString(2));
        t.set(row, u"MARKA", q.toString(3));
        t.set(row, u"MODEL", q.toString(4));
        t.set(row, u"ANAGRUP", q.toString(5));
        t.set(row, u"BIRIM", q.toString(6));
        t.set(row, u"STOKHAR_MIKTAR", q.toDouble(7));
        t.set(row, u"STOKHAR_TLBIRIMFIYATI", q.toDouble(8));
        t.set(row, u"STOKHAR_TLTUTAR", q.toDouble(9));
        t.set(row, u"STOKHAR_INDIRIM1", q.toDouble(10));
        t.set(row, u"STOKHAR_INDIRIM2", q.toDouble(11));
        t.set(row, u"STOKHAR_INDIRIM3", q.toDouble(12));
        t.set(row, u"STOKHAR_INDIRIM4", q.toDouble(13));
        // The chain has four discounts; the further ones of the document form stay 0.
        t.set(row, u"STOKHAR_INDIRIM5", 0.0);
        t.set(row, u"STOKHAR_INDIRIM6", 0.0);
        t.set(row, u"STOKHAR_INDIRIM7", 0.0);
        t.set(row, u"STOKHAR_INDIRIM8", 0.0);
        t.set(row, u"KDV", q.toDouble(14));
        t.set(row, u"STOKHAR_TOPLAMINDIRIM", q.toDouble(15));
        t.set(row, u"STOKHAR_TOPLAMMASRAF", 0.0);
        t.set(row, u"STOKHAR_MASRAF1", 0.0);
        t.set(row, u"STOKHAR_MASRAF2", 0.0);
        t.set(row, u"STOKHAR_NETTLBIRIMFIYATI", q.toDouble(16));
        t.set(row, u"STOKHAR_NETTLTUTAR", q.toDouble(17));
        t.set(row, u"OZELKOD", q.toString(18));
        t.set(row, u"BARKOD", q.toString(19));
        t.set(row, u"STOKHAR_HAREKETTARIHI", date);
        t.set(row, u"STOKHAR_HAREKETTIPI2", q.toString(21));
        t.set(row, u"EVRAKNO", q.toString(22));
        t.set(row, u"BELGENO", q.toString(22));
        t.set(row, u"STOKHAR_TLVERGI", q.toDouble(23));
        t.set(row, u"IRSALIYEEVRAKNO", q.toString(24));
        t.set(row, u"STOKHAR_IRSTARIHI", date);
        t.set(row, u"IRSALIYETIP2", QStringLiteral("Satış İrsaliyesi"));
        t.set(row, u"IRSALIYETIPINO", 1);
        t.set(row, u"SATIRACIKLMASI", q.toString(25));
        t.set(row, u"STOKHAR_SAAT", q.toString(26));
        t.set(row, u"STOKHAR_VADE", due.isValid() ? int(date.daysTo(due)) : 0);
        if (!q.isNull(28)) {
            t.set(row, u"SIPARISEVRAKNO", QString::number(q.toInt(28)));
            t.set(row, u"SIPARISTARIHI", q.toStamp(29).date());
            t.set(row, u"SIPARISTIPI", QStringLiteral("B2B"));
        }
        t.set(row, u"SATICIADI", q.toString(30));
        t.set(row, u"STOKHAR_BEDEN", q.toString(31));
        t.set(row, u"STOKHAR_RENK", q.toString(32));
        t.set(row, u"STOKCARIKOD", q.toString(33));
        t.set(row, u"STOKHAR_CARINO", q.toInt(34));
        t.set(row, u"SUBE_NO", 0);
        t.set(row, u"STOKHAR_KURTL", 1.0);
        t.set(row, u"KUR_KURSIMGE", QStringLiteral("TL"));
        t.set(row, u"URETICIKODU", q.toString(35));
        t.set(row, u"DPKOD", q.toString(36));
        t.set(row, u"ENADI", q.toString(37));
        t.set(row, u"PKOD", q.toString(38));
        t.set(row, u"IDNO", q.toInt(39));
    }
    return t.take();
}

DataSetPtr SqliteStore::invoiceTotals(int movementId)
{
    QSqlDatabase d = db();
    Query m(d, QStringLiteral("SELECT kind FROM account_movements WHERE idno = ?"));
    m.bind(movementId).exec();
    if (!m.next() || (m.toInt(0) != SalesInvoice && m.toInt(0) != ReturnInvoice))
        throw StoreError(QStringLiteral("Fatura bulunamadı (No: %1).").arg(movementId));
    Query q(d, QStringLiteral(
        "SELECT COALESCE(SUM(amount), 0), COALESCE(SUM(discount_amount), 0), "
        "COALESCE(SUM(net_amount), 0), COALESCE(SUM(vat_amount), 0) "
        "FROM invoice_lines WHERE idno = ?"));
    q.bind(movementId).exec();
    q.next();
    Table t{{u"TOPLAM", FieldType::Float}, {u"TOPLAMINDIRIM", FieldType::Float},
            {u"MATRAH", FieldType::Float}, {u"KDVTUTAR", FieldType::Float},
            {u"KDVDAHIL", FieldType::Float}};
    const int row = t.addRow();
    const double net = cents(q.toDouble(2));
    const double vat = cents(q.toDouble(3));
    t.set(row, u"TOPLAM", cents(q.toDouble(0)));
    t.set(row, u"TOPLAMINDIRIM", cents(q.toDouble(1)));
    t.set(row, u"MATRAH", net);
    t.set(row, u"KDVTUTAR", vat);
    t.set(row, u"KDVDAHIL", cents(net + vat));
    return t.take();
}

DataSetPtr SqliteStore::collectionEntries(int movementId)
{
    QSqlDatabase d = db();
    Query m(d, QStringLiteral("SELECT kind, type_name FROM account_movements WHERE idno = ?"));
    m.bind(movementId).exec();
    if (!m.next() || (m.toInt(0) != Collection && m.toInt(0) != Payment))
        throw StoreError(QStringLiteral("Tahsilat fişi bulunamadı (No: %1).").arg(movementId));
    const QString typeName = m.toString(1);
    Query q(d, QStringLiteral(
        "SELECT date, kind, document_no, due_date, amount, currency, description, reference, "
        "time FROM collection_entries WHERE idno = ? ORDER BY id"));
    q.bind(movementId).exec();
    Table t{{u"Tarih", FieldType::Date}, {u"Türü", FieldType::String, 20},
            {u"Cins", FieldType::String, 20}, {u"EvrakNo", FieldType::String, 30},
            {u"Vade", FieldType::Date}, {u"Tutar", FieldType::Float},
            {u"Kur", FieldType::String, 5}, {u"KurTL", FieldType::Float},
            {u"Açıklama", FieldType::String, 200}, {u"Döviz Tutar", FieldType::Float},
            {u"Ref", FieldType::String, 30}, {u"Saat", FieldType::String, 8}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"Tarih", q.toDate(0));
        t.set(row, u"Türü", typeName);
        t.set(row, u"Cins", q.toString(1));
        t.set(row, u"EvrakNo", q.toString(2));
        t.set(row, u"Vade", q.toDate(3));
        t.set(row, u"Tutar", q.toDouble(4));
        t.set(row, u"Kur", q.toString(5));
        t.set(row, u"KurTL", 1.0);
        t.set(row, u"Açıklama", q.toString(6));
        t.setNull(row, u"Döviz Tutar");
        t.set(row, u"Ref", q.toString(7));
        t.set(row, u"Saat", q.toString(8));
    }
    return t.take();
}

int SqliteStore::cardPaymentNumber(int movementId)
{
    return Query(db(), QStringLiteral(
                     "SELECT COALESCE(MIN(sirano), 0) FROM card_payments WHERE idno = ?"))
        .bind(movementId).scalar(0).toInt();
}

std::optional<CardPayment> SqliteStore::cardPayment(int sirano)
{
    Query q(db(), QStringLiteral(
        "SELECT p.sirano, p.idno, p.carino, c.code, c.name, p.paid_at, p.amount, "
        "p.card_holder, p.card_masked, p.bank, p.auth_code, p.installments, p.reference, "
        "m.document_no FROM card_payments p JOIN customers c ON c.carino = p.carino "
        "JOIN account_movements m ON m.idno = p.idno WHERE p.sirano = ?"));
    q.bind(sirano).exec();
    if (!q.next())
        return std::nullopt;
    CardPayment p;
    p.sirano = q.toInt(0);
    p.movementId = q.toInt(1);
    p.carino = q.toInt(2);
    p.customerCode = q.toString(3);
    p.customerName = q.toString(4);
    p.paidAt = q.toStamp(5);
    p.amount = q.toDouble(6);
    p.cardHolder = q.toString(7);
    p.cardMasked = q.toString(8);
    p.bank = q.toString(9);
    p.authCode = q.toString(10);
    p.installments = q.toInt(11);
    p.reference = q.toString(12);
    p.documentNo = q.toString(13);
    return p;
}

QString SqliteStore::balanceText(int carino)
{
    requireCustomer(carino);
    return QString::number(balanceAt(carino, QDate(9999, 12, 31)), 'f', 2);
}

SqliteStore::Overdue SqliteStore::overdueAt(int carino, const QDate &date)
{
    // Credits pay the oldest debts first; what is left of a debt past its due date is overdue.
    QSqlDatabase d = db();
    double credits = Query(d, QStringLiteral(
                               "SELECT COALESCE(SUM(credit), 0) FROM account_movements "
                               "WHERE carino = ? AND date <= ?"))
                         .bind(carino).bind(date).scalar(0).toDouble();
    Query q(d, QStringLiteral(
        "SELECT debit, COALESCE(due_date, date) AS due FROM account_movements "
        "WHERE carino = ? AND date <= ? AND debit > 0 ORDER BY due, idno"));
    q.bind(carino).bind(date).exec();
    Overdue result;
    while (q.next()) {
        double open = q.toDouble(0);
        const double paid = qMin(open, credits);
        credits -= paid;
        open = cents(open - paid);
        const QDate due = q.toDate(1);
        if (open > 0 && due < date) {
            result.amount = cents(result.amount + open);
            result.days = qMax(result.days, int(due.daysTo(date)));
        }
    }
    return result;
}

QString SqliteStore::overdueWarning(int carino)
{
    Query q(db(), QStringLiteral("SELECT tolerance_days FROM customers WHERE carino = ?"));
    q.bind(carino).exec();
    if (!q.next())
        throw StoreError(StoreText::unknownCustomer(carino));
    const int tolerance = q.toInt(0);
    const Overdue overdue = overdueAt(carino, QDate::currentDate());
    if (overdue.amount <= 0 || overdue.days <= tolerance)
        return QString();
    return QStringLiteral("Vadesi %1 gün geçmiş %2 TL bakiyeniz bulunmaktadır. "
                          "Lütfen ödemenizi yapınız.")
        .arg(overdue.days).arg(money(overdue.amount));
}

int SqliteStore::addCollection(int carino, const QDateTime &at,
                               const QList<CollectionEntry> &entries, bool payment)
{
    if (entries.isEmpty())
        throw StoreError(QStringLiteral("Tahsilat satırı yok."));
    double total = 0;
    for (const CollectionEntry &e : entries) {
        if (!std::isfinite(e.amount) || e.amount <= 0)
            throw StoreError(QStringLiteral("Tutar sıfırdan büyük olmalıdır."));
        checkText(e.description, MaxShortText, QStringLiteral("Açıklama"));
        checkText(e.cardHolder, MaxShortText, QStringLiteral("Kart sahibi"));
        total = cents(total + e.amount);
    }
    QSqlDatabase d = db();
    Transaction transaction(d);
    requireCustomer(carino);
    const QDateTime moment = at.isValid() ? at : nowStamp();
    const QString time = moment.time().toString(QStringLiteral("HH:mm"));
    const MovementKind kind = payment ? Payment : Collection;
    Query movement(d, QStringLiteral(
        "INSERT INTO account_movements (carino, date, time, kind, type_name, debit, credit, "
        "description, rep_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
        "(SELECT rep_id FROM customers WHERE carino = ?))"));
    const QString description = entries.size() == 1 && !entries.first().description.isEmpty()
        ? entries.first().description
        : (payment ? QStringLiteral("Ödeme") : QStringLiteral("Tahsilat"));
    movement.bind(carino).bind(moment.date()).bind(time).bind(int(kind))
        .bind(movementTypeName(kind)).bind(payment ? total : 0.0).bind(payment ? 0.0 : total)
        .bind(description).bind(carino).exec();
    const int id = int(movement.lastInsertId());
    const QString documentNo = documentNumber(payment ? "TD" : "TH", moment.date(), id);
    Query(d, QStringLiteral("UPDATE account_movements SET document_no = ? WHERE idno = ?"))
        .bind(documentNo).bind(id).exec();

    Query entry(d, QStringLiteral(
        "INSERT INTO collection_entries (idno, date, time, kind, document_no, due_date, "
        "amount, description, reference) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Query card(d, QStringLiteral(
        "INSERT INTO card_payments (idno, carino, paid_at, amount, card_holder, card_masked, "
        "bank, auth_code, installments, reference) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    int line = 0;
    for (const CollectionEntry &e : entries) {
        ++line;
        const QString reference = QStringLiteral("%1-%2").arg(documentNo).arg(line);
        entry.reset().bind(id).bind(moment.date()).bind(time).bind(e.kind)
            .bind(e.documentNo.isEmpty() ? documentNo : e.documentNo)
            .bind(e.dueDate.isValid() ? e.dueDate : moment.date()).bind(cents(e.amount))
            .bind(e.description).bind(reference).exec();
        if (!e.cardMasked.isEmpty()) {
            // The bank's approval code of the demo POS: derived from the receipt, six digits.
            const QString auth = QString::number((qint64(id) * 7919 + line * 104729) % 1000000)
                                     .rightJustified(6, QLatin1Char('0'));
            card.reset().bind(id).bind(carino).bind(moment).bind(cents(e.amount))
                .bind(e.cardHolder).bind(e.cardMasked).bind(e.bank).bind(auth)
                .bind(qMax(1, e.installments)).bind(reference).exec();
        }
    }
    transaction.commit();
    return id;
}

int SqliteStore::addMovement(int carino, const QDate &date, MovementKind kind,
                             const QString &documentNo, double amount,
                             const QString &description)
{
    if (kind == SalesInvoice || kind == ReturnInvoice || kind == Collection || kind == Payment)
        throw StoreError(QStringLiteral("Bu hareket türü kendi işlemiyle kaydedilir."));
    if (!std::isfinite(amount) || amount == 0)
        throw StoreError(QStringLiteral("Tutar sıfır olamaz."));
    checkText(description, MaxShortText, QStringLiteral("Açıklama"));
    QSqlDatabase d = db();
    Transaction transaction(d);
    requireCustomer(carino);
    // A debit note and a positive opening balance are owed by the customer.
    const bool debit = kind == DebitNote || (kind == OpeningBalance && amount > 0);
    const double value = cents(std::fabs(amount));
    Query q(d, QStringLiteral(
        "INSERT INTO account_movements (carino, date, kind, type_name, document_no, debit, "
        "credit, description, due_date, rep_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "(SELECT rep_id FROM customers WHERE carino = ?))"));
    q.bind(carino).bind(date).bind(int(kind)).bind(movementTypeName(kind)).bind(documentNo)
        .bind(debit ? value : 0.0).bind(debit ? 0.0 : value).bind(description).bind(date)
        .bind(carino).exec();
    const int id = int(q.lastInsertId());
    transaction.commit();
    return id;
}

std::optional<StoredDocument> SqliteStore::document(int sirano)
{
    Query q(db(), QStringLiteral("SELECT sirano, name, title, data FROM documents WHERE sirano = ?"));
    q.bind(sirano).exec();
    if (!q.next())
        return std::nullopt;
    return StoredDocument{q.toInt(0), q.toString(1), q.toString(2), q.toBytes(3)};
}

DataSetPtr SqliteStore::documents()
{
    Query q(db(), QStringLiteral(
        "SELECT sirano, name, title, LENGTH(data), created_at FROM documents ORDER BY sirano"));
    q.exec();
    Table t{{u"SIRANO", FieldType::Integer}, {u"ADI", FieldType::String, 100},
            {u"BASLIK", FieldType::String, 100}, {u"BOYUT", FieldType::LargeInt},
            {u"TARIH", FieldType::DateTime}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"SIRANO", q.toInt(0));
        t.set(row, u"ADI", q.toString(1));
        t.set(row, u"BASLIK", q.toString(2));
        t.set(row, u"BOYUT", q.toInt64(3));
        t.set(row, u"TARIH", q.toStamp(4));
    }
    return t.take();
}

// --- customers

DataSetPtr SqliteStore::searchCustomers(const UserInfo &user, const QString &text)
{
    checkText(text, MaxShortText, QStringLiteral("Arama metni"));
    QList<QVariant> params;
    QString where = customerScope(user, params, QStringLiteral("c"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    for (const QString &word : foldTurkish(text).split(space, Qt::SkipEmptyParts)) {
        where += QStringLiteral(" AND c.search_key LIKE ? ESCAPE '\\'");
        params << likeContains(word);
    }
    return customerTable(where, params);
}

std::optional<TMobilCariBilgisi> SqliteStore::customerInfo(int carino)
{
    Query q(db(), QStringLiteral(
        "SELECT c.carino, c.code, c.name, c.special_code, c.main_group, c.sub_group, "
        "c.address1, c.address2, c.district, c.phone1, c.phone2, c.fax1, c.fax2, c.gsm, "
        "c.email, c.contact, c.city, c.country, COALESCE(r.name, ''), COALESCE(r.phone, ''), "
        "COALESCE(r.email, ''), c.tax_office, c.tax_no, "
        "(SELECT COALESCE(SUM(debit), 0) FROM account_movements m WHERE m.carino = c.carino), "
        "(SELECT COALESCE(SUM(credit), 0) FROM account_movements m WHERE m.carino = c.carino) "
        "FROM customers c LEFT JOIN sales_reps r ON r.id = c.rep_id WHERE c.carino = ?"));
    q.bind(carino).exec();
    if (!q.next())
        return std::nullopt;
    TMobilCariBilgisi info;
    info.FCARINO = q.toInt(0);
    info.FCARIKOD = q.toString(1);
    info.FCARIADI = q.toString(2);
    info.FOzelKod = q.toString(3);
    info.FAnaGrup = q.toString(4);
    info.FAltGrup = q.toString(5);
    info.FADRES1 = q.toString(6);
    info.FADRES2 = q.toString(7);
    info.FILCE = q.toString(8);
    info.FTEL1 = q.toString(9);
    info.FTEL2 = q.toString(10);
    info.FFAX1 = q.toString(11);
    info.FFAX2 = q.toString(12);
    info.FGSM = q.toString(13);
    info.FEMAIL = q.toString(14);
    info.FYETKILI = q.toString(15);
    info.FSEHIR = q.toString(16);
    info.FULKE = q.toString(17);
    info.FSATICIADI = q.toString(18);
    info.FSATICITELEFON = q.toString(19);
    info.FSATICIMAIL = q.toString(20);
    info.FVERGIDAIRESI = q.toString(21);
    info.FVERGINO = q.toString(22);
    info.FTLBORC = cents(q.toDouble(23));
    info.FTLALACAK = cents(q.toDouble(24));
    info.FTLBAKIYE = cents(info.FTLBORC - info.FTLALACAK);
    return info;
}

std::optional<TMobilCariBilgisi> SqliteStore::customerInfoForComputer(const QString &computerId)
{
    Query q(db(), QStringLiteral(
        "SELECT COALESCE(u.carino, 0), u.name, u.password, u.email FROM computers c "
        "JOIN users u ON u.id = c.user_id WHERE c.computer_id = ? AND c.active = 1"));
    q.bind(computerId).exec();
    if (!q.next() || q.toInt(0) == 0)
        return std::nullopt;
    std::optional<TMobilCariBilgisi> info = customerInfo(q.toInt(0));
    if (!info)
        return std::nullopt;
    info->FBILGISAYARID = computerId;
    info->FKULLANICIADI = q.toString(1);
    info->FSIFRE = q.toString(2);
    info->FMAIL = q.toString(3);
    return info;
}

// --- mail

int SqliteStore::queueMail(const OutgoingMail &m)
{
    const QString computerId = m.computerId.trimmed();
    if (computerId.isEmpty())
        throw StoreError(QStringLiteral("Bilgisayar kimliği boş olamaz."));
    const std::pair<const QString *, const char *> shortFields[] = {
        {&m.computerId, "Bilgisayar kimliği"}, {&m.subject, "Başlık"}, {&m.firm, "Firma adı"},
        {&m.address1, "Adres"}, {&m.address2, "Adres2"}, {&m.district, "İlçe"},
        {&m.city, "Şehir"}, {&m.phone, "Telefon"}, {&m.fax, "Fax"},
        {&m.taxOffice, "Vergi dairesi"}, {&m.taxNo, "Vergi no"}, {&m.contact, "Yetkili"},
        {&m.userName, "Kullanıcı adı"}, {&m.password, "Şifre"}, {&m.mail, "Mail"},
        {&m.cargoDepot, "Kargo ambar"}};
    for (const auto &[value, caption] : shortFields)
        checkText(*value, MaxShortText, QString::fromUtf8(caption));
    checkText(m.body, MaxLongText, QStringLiteral("Mail metni"));

    QSqlDatabase d = db();
    Transaction transaction(d);
    Query computer(d, QStringLiteral(
        "SELECT COALESCE(u.carino, 0) FROM computers c JOIN users u ON u.id = c.user_id "
        "WHERE c.computer_id = ? AND c.active = 1"));
    computer.bind(computerId).exec();
    const bool registered = computer.next();
    if (!registered && m.registeredOnly)
        throw StoreError(QStringLiteral("Bu bilgisayar kayıtlı değil, mail gönderilemez."));
    const int carino = m.carino != 0 ? m.carino : (registered ? computer.toInt(0) : 0);
    Query q(d, QStringLiteral(
        "INSERT INTO outbox (created_at, kind, computer_id, carino, subject, firm, address1, "
        "address2, district, city, phone, fax, tax_office, tax_no, contact, user_name, "
        "password, mail, cargo_depot, body) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.bind(nowStamp()).bind(m.kind).bind(computerId)
        .bind(carino ? QVariant(carino) : QVariant()).bind(m.subject).bind(m.firm)
        .bind(m.address1).bind(m.address2).bind(m.district).bind(m.city).bind(m.phone)
        .bind(m.fax).bind(m.taxOffice).bind(m.taxNo).bind(m.contact).bind(m.userName)
        .bind(m.password).bind(m.mail).bind(m.cargoDepot).bind(m.body).exec();
    const int id = int(q.lastInsertId());
    transaction.commit();
    return id;
}

QList<QueuedMail> SqliteStore::outbox()
{
    Query q(db(), QStringLiteral(
        "SELECT id, created_at, kind, computer_id, COALESCE(carino, 0), subject, firm, "
        "address1, address2, district, city, phone, fax, tax_office, tax_no, contact, "
        "user_name, password, mail, cargo_depot, body FROM outbox ORDER BY id"));
    q.exec();
    QList<QueuedMail> list;
    while (q.next()) {
        QueuedMail entry;
        entry.id = q.toInt(0);
        entry.createdAt = q.toStamp(1);
        OutgoingMail &m = entry.mail;
        m.kind = q.toString(2);
        m.computerId = q.toString(3);
        m.carino = q.toInt(4);
        m.subject = q.toString(5);
        m.firm = q.toString(6);
        m.address1 = q.toString(7);
        m.address2 = q.toString(8);
        m.district = q.toString(9);
        m.city = q.toString(10);
        m.phone = q.toString(11);
        m.fax = q.toString(12);
        m.taxOffice = q.toString(13);
        m.taxNo = q.toString(14);
        m.contact = q.toString(15);
        m.userName = q.toString(16);
        m.password = q.toString(17);
        m.mail = q.toString(18);
        m.cargoDepot = q.toString(19);
        m.body = q.toString(20);
        list << entry;
    }
    return list;
}

bool SqliteStore::remindPassword(const QString &computerId)
{
    Query q(db(), QStringLiteral(
        "SELECT u.name, u.password, u.email, COALESCE(u.carino, 0) FROM computers c "
        "JOIN users u ON u.id = c.user_id WHERE c.computer_id = ? AND c.active = 1 "
        "AND u.active = 1"));
    q.bind(computerId).exec();
    if (!q.next() || q.toString(2).trimmed().isEmpty())
        return false;
    OutgoingMail m;
    m.kind = QStringLiteral("SifremiUnuttum");
    m.computerId = computerId;
    m.carino = q.toInt(3);
    m.subject = QStringLiteral("Şifre Hatırlatma");
    m.userName = q.toString(0);
    m.password = q.toString(1);
    m.mail = q.toString(2);
    m.body = QStringLiteral("Kullanıcı adınız: %1\nŞifreniz: %2").arg(m.userName, m.password);
    queueMail(m);
    return true;
}

// --- reports

DataSetPtr SqliteStore::receivedOrdersReport(const UserInfo &user, const QDate &from,
                                             const QDate &to)
{
    QList<QVariant> params;
    const QString scope = customerScope(user, params, QStringLiteral("c"));
    Query q(db(), QStringLiteral(
        "SELECT COALESCE(r.name, ''), o.idno, o.carino, o.created_at, o.currency, o.rate, "
        "COALESCE(o.placed_by, 0), ct.name, dt.name, u.name, c.code, c.name, o.state, cc.name, "
        "COALESCE(SUM(l.vat_amount), 0), COALESCE(SUM(l.net_amount), 0), "
        "COALESCE(SUM(l.amount), 0) "
        "FROM orders o JOIN customers c ON c.carino = o.carino "
        "LEFT JOIN sales_reps r ON r.id = c.rep_id LEFT JOIN users u ON u.id = o.placed_by "
        "LEFT JOIN cargo_types ct ON ct.id = o.cargo_type_id "
        "LEFT JOIN delivery_types dt ON dt.id = o.delivery_type_id "
        "LEFT JOIN cargo_companies cc ON cc.sirano = o.cargo_company_id "
        "LEFT JOIN order_lines l ON l.idno = o.idno "
        "WHERE ") + scope + QStringLiteral(
        " AND o.created_at >= ? AND o.created_at < ? "
        "GROUP BY o.idno ORDER BY r.name, o.created_at, o.idno"));
    for (const QVariant &p : params)
        q.bind(p);
    q.bind(from).bind(to.addDays(1)).exec();
    Table t{{u"SATICIADI", FieldType::String, 50}, {u"IDNO", FieldType::Float},
            {u"CARINO", FieldType::Integer}, {u"TARIH", FieldType::Date},
            {u"KUR", FieldType::String, 5}, {u"KURTL", FieldType::Float},
            {u"VERENIDNO", FieldType::Integer}, {u"KARGO", FieldType::String, 50},
            {u"TESLIM", FieldType::String, 50}, {u"VEREN", FieldType::String, 50},
            {u"CARIKOD", FieldType::String, 25}, {u"CARIADI", FieldType::String, 100},
            {u"DURUM", FieldType::String, 100}, {u"KARGOADI", FieldType::String, 50},
            {u"VERGI", FieldType::Float}, {u"NETTUTAR", FieldType::Float},
            {u"TUTAR", FieldType::Float}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"SATICIADI", q.toString(0));
        t.set(row, u"IDNO", double(q.toInt(1)));
        t.set(row, u"CARINO", q.toInt(2));
        t.set(row, u"TARIH", q.toStamp(3).date());
        t.set(row, u"KUR", q.toString(4));
        t.set(row, u"KURTL", q.toDouble(5));
        t.set(row, u"VERENIDNO", q.toInt(6));
        t.set(row, u"KARGO", q.toString(7));
        t.set(row, u"TESLIM", q.toString(8));
        t.set(row, u"VEREN", q.toString(9));
        t.set(row, u"CARIKOD", q.toString(10));
        t.set(row, u"CARIADI", q.toString(11));
        t.set(row, u"DURUM", orderStateText(q.toInt(12)));
        t.set(row, u"KARGOADI", q.toString(13));
        t.set(row, u"VERGI", cents(q.toDouble(14)));
        t.set(row, u"NETTUTAR", cents(q.toDouble(15)));
        t.set(row, u"TUTAR", cents(q.toDouble(16)));
    }
    return t.take();
}

DataSetPtr SqliteStore::bestSellersReport(const UserInfo &user, const QDate &from,
                                          const QDate &to)
{
    QList<QVariant> params;
    const QString scope = customerScope(user, params, QStringLiteral("c"));
    Query q(db(), QStringLiteral(
        "SELECT i.barcode, i.code, i.name, i.department, SUM(l.quantity), SUM(l.net_amount), "
        "SUM(l.vat_amount), SUM(l.amount) "
        "FROM invoice_lines l JOIN account_movements m ON m.idno = l.idno "
        "JOIN customers c ON c.carino = m.carino JOIN items i ON i.stokno = l.stokno "
        "WHERE m.kind = 1 AND ") + scope + QStringLiteral(
        " AND m.date >= ? AND m.date <= ? "
        "GROUP BY l.stokno ORDER BY SUM(l.quantity) DESC, SUM(l.net_amount) DESC, i.code"));
    for (const QVariant &p : params)
        q.bind(p);
    q.bind(from).bind(to).exec();
    Table t{{u"BARKOD", FieldType::String, 50}, {u"KOD", FieldType::String, 50},
            {u"ADI", FieldType::String, 100}, {u"DEPARTMAN", FieldType::String, 50},
            {u"MIKTAR", FieldType::Float}, {u"NETTUTAR", FieldType::Float},
            {u"TLVERGI", FieldType::Float}, {u"TUTAR", FieldType::Float}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"BARKOD", q.toString(0));
        t.set(row, u"KOD", q.toString(1));
        t.set(row, u"ADI", q.toString(2));
        t.set(row, u"DEPARTMAN", q.toString(3));
        t.set(row, u"MIKTAR", q.toDouble(4));
        t.set(row, u"NETTUTAR", cents(q.toDouble(5)));
        t.set(row, u"TLVERGI", cents(q.toDouble(6)));
        t.set(row, u"TUTAR", cents(q.toDouble(7)));
    }
    return t.take();
}

CustomerSummary SqliteStore::customerSummary(int carino, const QDate &date)
{
    const std::optional<TMobilCariBilgisi> info = customerInfo(carino);
    if (!info)
        throw StoreError(StoreText::unknownCustomer(carino));
    QSqlDatabase d = db();
    CustomerSummary s;
    s.info = *info;
    s.date = date;
    Query totals(d, QStringLiteral(
        "SELECT COALESCE(SUM(debit), 0), COALESCE(SUM(credit), 0) FROM account_movements "
        "WHERE carino = ? AND date <= ?"));
    totals.bind(carino).bind(date).exec();
    totals.next();
    s.debit = cents(totals.toDouble(0));
    s.credit = cents(totals.toDouble(1));
    s.balance = cents(s.debit - s.credit);
    const Overdue overdue = overdueAt(carino, date);
    s.overdue = overdue.amount;
    s.oldestOverdueDays = overdue.days;
    Query open(d, QStringLiteral(
        "SELECT COUNT(DISTINCT idno), "
        "COALESCE(SUM((quantity - delivered) * net_unit_price * (1 + vat_rate / 100)), 0), "
        "COALESCE(SUM(quantity - delivered), 0) FROM order_lines "
        "WHERE carino = ? AND closed = 0 AND quantity > delivered"));
    open.bind(carino).exec();
    open.next();
    s.openOrders = open.toInt(0);
    s.openOrderAmount = cents(open.toDouble(1));
    s.openBalanceQuantity = open.toDouble(2);

    Query last(d, QStringLiteral(
        "SELECT date, type_name, document_no, debit, credit FROM account_movements "
        "WHERE carino = ? AND date <= ? ORDER BY date DESC, idno DESC LIMIT 15"));
    last.bind(carino).bind(date).exec();
    Table t{{u"TARIH", FieldType::Date}, {u"TURADI", FieldType::String, 50},
            {u"EVRAK", FieldType::String, 30}, {u"BORC", FieldType::Float},
            {u"ALACAK", FieldType::Float}};
    std::vector<QVariantList> rows;
    while (last.next())
        rows.push_back({last.value(0), last.value(1), last.value(2), last.value(3), last.value(4)});
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int row = t.addRow();
        t.set(row, u"TARIH", Sql::toDate((*it)[0]));
        t.set(row, u"TURADI", (*it)[1].toString());
        t.set(row, u"EVRAK", (*it)[2].toString());
        t.set(row, u"BORC", (*it)[3].toDouble());
        t.set(row, u"ALACAK", (*it)[4].toDouble());
    }
    s.lastMovements = t.take();
    return s;
}

namespace {

// "." or empty: every representative; otherwise a representative's name, or the name of a
// staff user standing for his representative.
int resolveRep(const QSqlDatabase &d, const QString &name)
{
    const QString text = name.trimmed();
    if (text.isEmpty() || text == QLatin1String("."))
        return 0;
    Query rep(d, QStringLiteral("SELECT id FROM sales_reps WHERE name = ?"));
    rep.bind(text).exec();
    if (rep.next())
        return rep.toInt(0);
    Query user(d, QStringLiteral(
        "SELECT COALESCE(rep_id, 0) FROM users WHERE name = ? AND user_type IN (1, 2)"));
    user.bind(text).exec();
    if (user.next() && user.toInt(0) != 0)
        return user.toInt(0);
    throw StoreError(QStringLiteral("Satış temsilcisi bulunamadı: %1").arg(text));
}

} // namespace

DataSetPtr SqliteStore::receivablesByDue(const QString &repName, const QDate &date)
{
    QSqlDatabase d = db();
    const int repId = resolveRep(d, repName);
    Query customers(d, QStringLiteral(
        "SELECT c.carino, c.code, c.name, COALESCE(r.name, '') FROM customers c "
        "LEFT JOIN sales_reps r ON r.id = c.rep_id "
        "WHERE c.active = 1 AND (? = 0 OR c.rep_id = ?) ORDER BY c.name"));
    customers.bind(repId).bind(repId).exec();
    Table t{{u"CARINO", FieldType::Integer}, {u"CARIKOD", FieldType::String, 25},
            {u"CARIADI", FieldType::String, 100}, {u"SATICISI", FieldType::String, 50},
            {u"BAKIYE", FieldType::Float}, {u"VADESIGELMEMIS", FieldType::Float},
            {u"GUN0_30", FieldType::Float}, {u"GUN31_60", FieldType::Float},
            {u"GUN61_90", FieldType::Float}, {u"GUN90USTU", FieldType::Float}};
    std::vector<std::tuple<int, QString, QString, QString>> list;
    while (customers.next())
        list.emplace_back(customers.toInt(0), customers.toString(1), customers.toString(2),
                          customers.toString(3));
    for (const auto &[carino, code, name, rep] : list) {
        double credits = Query(d, QStringLiteral(
                                   "SELECT COALESCE(SUM(credit), 0) FROM account_movements "
                                   "WHERE carino = ? AND date <= ?"))
                             .bind(carino).bind(date).scalar(0).toDouble();
        Query debts(d, QStringLiteral(
            "SELECT debit, COALESCE(due_date, date) AS due FROM account_movements "
            "WHERE carino = ? AND date <= ? AND debit > 0 ORDER BY due, idno"));
        debts.bind(carino).bind(date).exec();
        double buckets[5] = {0, 0, 0, 0, 0};
        double balance = 0;
        while (debts.next()) {
            double open = debts.toDouble(0);
            const double paid = qMin(open, credits);
            credits -= paid;
            open = cents(open - paid);
            if (open <= 0)
                continue;
            balance = cents(balance + open);
            const qint64 late = debts.toDate(1).daysTo(date);
            const int bucket = late <= 0 ? 0 : late <= 30 ? 1 : late <= 60 ? 2 : late <= 90 ? 3 : 4;
            buckets[bucket] = cents(buckets[bucket] + open);
        }
        if (balance <= 0)
            continue;
        const int row = t.addRow();
        t.set(row, u"CARINO", carino);
        t.set(row, u"CARIKOD", code);
        t.set(row, u"CARIADI", name);
        t.set(row, u"SATICISI", rep);
        t.set(row, u"BAKIYE", balance);
        t.set(row, u"VADESIGELMEMIS", buckets[0]);
        t.set(row, u"GUN0_30", buckets[1]);
        t.set(row, u"GUN31_60", buckets[2]);
        t.set(row, u"GUN61_90", buckets[3]);
        t.set(row, u"GUN90USTU", buckets[4]);
    }
    return t.take();
}

DataSetPtr SqliteStore::salesTable(int carino, const QString &repName, const QDate &from,
                                   const QDate &to)
{
    requireCustomer(carino);
    QSqlDatabase d = db();
    const int repId = resolveRep(d, repName);
    Query q(d, QStringLiteral(
        "SELECT SUBSTR(date, 1, 7) AS month, "
        "SUM(CASE WHEN kind = 1 THEN debit ELSE 0 END), "
        "SUM(CASE WHEN kind = 2 THEN credit ELSE 0 END), "
        "SUM(CASE WHEN kind = 3 THEN credit ELSE 0 END), "
        "SUM(CASE WHEN kind = 4 THEN debit ELSE 0 END) "
        "FROM account_movements WHERE carino = ? AND date >= ? AND date <= ? "
        "AND (? = 0 OR rep_id = ?) GROUP BY month ORDER BY month"));
    q.bind(carino).bind(from).bind(to).bind(repId).bind(repId).exec();
    Table t{{u"AY", FieldType::String, 20}, {u"SATIS", FieldType::Float},
            {u"IADE", FieldType::Float}, {u"NETSATIS", FieldType::Float},
            {u"TAHSILAT", FieldType::Float}, {u"TEDIYE", FieldType::Float}};
    const QLocale tr = turkish();
    while (q.next()) {
        const QDate month = QDate::fromString(q.toString(0) + QStringLiteral("-01"), Qt::ISODate);
        const int row = t.addRow();
        t.set(row, u"AY", tr.toString(month, QStringLiteral("MMMM yyyy")));
        t.set(row, u"SATIS", cents(q.toDouble(1)));
        t.set(row, u"IADE", cents(q.toDouble(2)));
        t.set(row, u"NETSATIS", cents(q.toDouble(1) - q.toDouble(2)));
        t.set(row, u"TAHSILAT", cents(q.toDouble(3)));
        t.set(row, u"TEDIYE", cents(q.toDouble(4)));
    }
    return t.take();
}

// --- promotion

QString SqliteStore::scrollingText()
{
    return setting(QStringLiteral("kayan_yazi"));
}

QByteArray SqliteStore::banner(int slot)
{
    Query q(db(), QStringLiteral("SELECT data FROM banners WHERE slot = ?"));
    q.bind(slot).exec();
    return q.next() ? q.toBytes(0) : QByteArray();
}

BalloonCounts SqliteStore::balloons(int carino)
{
    requireCustomer(carino);
    QSqlDatabase d = db();
    BalloonCounts b;
    b.basketLines = Query(d, QStringLiteral("SELECT COUNT(*) FROM basket_lines WHERE carino = ?"))
                        .bind(carino).scalar(0).toInt();
    b.newItems = Query(d, QStringLiteral(
                           "SELECT COUNT(*) FROM items WHERE active = 1 AND added_on >= ?"))
                     .bind(newItemsSince()).scalar(0).toInt();
    b.campaignItems = Query(d, QStringLiteral(
                                "SELECT COUNT(*) FROM items WHERE active = 1 AND campaign_price > 0 "
                                "AND (campaign_until IS NULL OR campaign_until >= ?)"))
                          .bind(QDate::currentDate()).scalar(0).toInt();
    b.announcements = Query(d, QStringLiteral(
                                "SELECT COUNT(*) FROM announcements WHERE active = 1 "
                                "AND advert = 0")).scalar(0).toInt();
    b.openBalance = Query(d, QStringLiteral(
                              "SELECT COALESCE(SUM(quantity - delivered), 0) FROM order_lines "
                              "WHERE carino = ? AND closed = 0 AND quantity > delivered"))
                        .bind(carino).scalar(0).toDouble();
    b.documents = Query(d, QStringLiteral("SELECT COUNT(*) FROM documents")).scalar(0).toInt();
    return b;
}

QList<TAcilisEkran> SqliteStore::announcements(bool adverts)
{
    Query q(db(), QStringLiteral(
        "SELECT sirano, picture, title, action FROM announcements WHERE active = 1 "
        "AND advert = ? ORDER BY sirano"));
    q.bind(adverts).exec();
    QList<TAcilisEkran> list;
    while (q.next()) {
        TAcilisEkran e;
        e.FSiraNo = q.toInt(0);
        e.FResim = hexText(q.toBytes(1));
        e.FBaslik = q.toString(2);
        e.FArama = q.toString(3);
        list << e;
    }
    return list;
}

int SqliteStore::advertCount()
{
    return Query(db(), QStringLiteral(
                     "SELECT COUNT(*) FROM announcements WHERE active = 1 AND advert = 1"))
        .scalar(0).toInt();
}

TAcilisEkran SqliteStore::advert(int position)
{
    if (position < 0)
        throw StoreError(QStringLiteral("Reklam bulunamadı (Sıra: %1).").arg(position));
    Query q(db(), QStringLiteral(
        "SELECT sirano, picture, title, action FROM announcements WHERE active = 1 "
        "AND advert = 1 ORDER BY sirano LIMIT 1 OFFSET ?"));
    q.bind(position).exec();
    if (!q.next())
        throw StoreError(QStringLiteral("Reklam bulunamadı (Sıra: %1).").arg(position));
    TAcilisEkran e;
    e.FSiraNo = q.toInt(0);
    e.FResim = hexText(q.toBytes(1));
    e.FBaslik = q.toString(2);
    e.FArama = q.toString(3);
    return e;
}

DataSetPtr SqliteStore::announcementTable(bool adverts)
{
    Query q(db(), QStringLiteral(
        "SELECT sirano, title, action, picture FROM announcements WHERE active = 1 "
        "AND advert = ? ORDER BY sirano"));
    q.bind(adverts).exec();
    Table t{{u"SIRANO", FieldType::Integer}, {u"BASLIK", FieldType::String, 100},
            {u"ARAMA", FieldType::String, 100}, {u"RESIM", FieldType::Blob}};
    while (q.next()) {
        const int row = t.addRow();
        t.set(row, u"SIRANO", q.toInt(0));
        t.set(row, u"BASLIK", q.toString(1));
        t.set(row, u"ARAMA", q.toString(2));
        t.set(row, u"RESIM", q.toBytes(3));
    }
    return t.take();
}

} // namespace Mervak::Server
