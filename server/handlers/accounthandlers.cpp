// SPDX-License-Identifier: LicenseRef-Mervak
#include "handlers_p.h"

#include "pdfdocuments.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>

namespace Mervak::Server {

namespace {

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

OutgoingMail mailFrom(const MethodArgs &a, const char *kind)
{
    OutgoingMail m;
    m.kind = QString::fromLatin1(kind);
    m.computerId = a.text(u"idsi");
    m.subject = a.text(u"baslik");
    m.firm = a.text(u"firmaadi");
    m.address1 = a.text(u"adres1");
    m.address2 = a.text(u"adres2");
    m.district = a.text(u"ilce");
    m.city = a.text(u"sehir");
    m.phone = a.text(u"telefon");
    m.fax = a.text(u"fax");
    m.taxOffice = a.text(u"vd");
    m.taxNo = a.text(u"vn");
    m.contact = a.text(u"yetkili");
    m.userName = a.text(u"kullaniciadi");
    m.password = a.text(u"sifre");
    m.mail = a.text(u"mail");
    m.cargoDepot = a.text(u"kargoambar");
    return m;
}

// Report 6 for one customer, report 6 for all customers, report 7: the PDF of each.
QByteArray reportPdf(Business &business, int report, int carino, const QString &rep,
                     const QDate &from, const QDate &to)
{
    Store &store = business.store();
    const QString company = business.company();
    if (report == 6 && carino > 0)
        return customerSummaryPdf(company, store.customerSummary(carino, from));
    if (report == 6) {
        const DataSetPtr rows = store.receivablesByDue(rep, from);
        PdfTable table;
        table.company = company;
        table.title = QStringLiteral("Cari Toplu Alacak Vadeleri");
        table.landscape = true;
        table.headerLines << QStringLiteral("%1 tarihi itibarıyla").arg(dateText(from));
        const QString repText = rep.trimmed();
        if (!repText.isEmpty() && repText != QLatin1String("."))
            table.headerLines << QStringLiteral("Satış temsilcisi: %1").arg(repText);
        table.columns = {{QStringLiteral("CARIKOD"), QStringLiteral("Cari Kod"), 2},
                         {QStringLiteral("CARIADI"), QStringLiteral("Cari Adı"), 5},
                         {QStringLiteral("SATICISI"), QStringLiteral("Temsilci"), 3},
                         {QStringLiteral("VADESIGELMEMIS"), QStringLiteral("Vadesi Gelmemiş"), 2, true, true},
                         {QStringLiteral("GUN0_30"), QStringLiteral("1-30 Gün"), 2, true, true},
                         {QStringLiteral("GUN31_60"), QStringLiteral("31-60 Gün"), 2, true, true},
                         {QStringLiteral("GUN61_90"), QStringLiteral("61-90 Gün"), 2, true, true},
                         {QStringLiteral("GUN90USTU"), QStringLiteral("90+ Gün"), 2, true, true},
                         {QStringLiteral("BAKIYE"), QStringLiteral("Bakiye"), 2, true, true}};
        table.rows = rows.get();
        return tablePdf(table);
    }
    if (report == 7) {
        if (carino <= 0)
            throw RemoteError(QStringLiteral("Rapor için cari seçilmelidir."));
        const std::optional<TMobilCariBilgisi> info = store.customerInfo(carino);
        if (!info)
            throw RemoteError(QStringLiteral("Cari hesap bulunamadı (Cari No: %1).").arg(carino));
        const DataSetPtr rows = store.salesTable(carino, rep, from, to);
        PdfTable table;
        table.company = company;
        table.title = QStringLiteral("Cari Alış Satış Tablosu (Satıcılı)");
        table.headerLines << QStringLiteral("Cari: %1 - %2").arg(info->FCARIKOD, info->FCARIADI)
                          << QStringLiteral("Dönem: %1 - %2").arg(dateText(from), dateText(to));
        const QString repText = rep.trimmed();
        if (!repText.isEmpty() && repText != QLatin1String("."))
            table.headerLines << QStringLiteral("Satış temsilcisi: %1").arg(repText);
        table.columns = {{QStringLiteral("AY"), QStringLiteral("Ay"), 3},
                         {QStringLiteral("SATIS"), QStringLiteral("Satış"), 2, true, true},
                         {QStringLiteral("IADE"), QStringLiteral("İade"), 2, true, true},
                         {QStringLiteral("NETSATIS"), QStringLiteral("Net Satış"), 2, true, true},
                         {QStringLiteral("TAHSILAT"), QStringLiteral("Tahsilat"), 2, true, true},
                         {QStringLiteral("TEDIYE"), QStringLiteral("Tediye"), 2, true, true}};
        table.rows = rows.get();
        table.footerLines << QStringLiteral("Tutarlar KDV dahildir.");
        return tablePdf(table);
    }
    throw RemoteError(QStringLiteral("Rapor bulunamadı (Rapor No: %1).").arg(report));
}

} // namespace

void addAccountHandlers(Registrar &r, Business &business)
{
    Store &store = business.store();

    // --- sign-in and general methods
    r.add("BuyukGetir", [&business, &store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const TSonucBilgisi session = store.lookupComputer(a.text(u"idsi"),
                                                           business.clientVersion(),
                                                           business.demoUserId());
        reply.resultRecord(&session);
    });
    r.add("CikisGonder", [&store](const MethodArgs &a, Wire::ReplyWriter &) {
        store.noteSignOut(a.session(u"bilgi").FBILGISAYARID);
    });
    // The password goes by mail (into the outbox) when the user has an address.
    r.add("SifremiUnuttum", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const bool sent = store.remindPassword(a.text(u"idsi"));
        reply.setInteger(u"mailvarmi", sent ? 1 : 0);
        reply.resultBoolean(sent);
    });
    r.add("DSServerModuleCreate", [](const MethodArgs &, Wire::ReplyWriter &) {
        throw RemoteError(QStringLiteral(
            "TServerMethods1.DSServerModuleCreate: sunucunun kendi olayıdır, uzaktan "
            "çağrılamaz."));
    });

    // --- statement and its documents
    r.add("CariEkstreVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.statement(a.integer(u"carino")));
    });
    // A period of the statement, opened by the balance carried from before it.
    r.add("CariEkstreVer2", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const QDate from = a.date(u"TARIH1");
        const QDate to = a.date(u"TARIH2");
        if (to < from)
            throw RemoteError(QStringLiteral("Bitiş tarihi başlangıç tarihinden önce olamaz."));
        reply.resultTable(*store.statementBetween(a.integer(u"carino"), from, to));
    });
    r.add("CariEkstreVer2Baslik", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.statementHeader(a.integer(u"carino"), a.date(u"tarih1")));
    });
    r.add("FaturaGetir", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.invoiceLines(a.integer(u"carino"), a.integer(u"idnosu")));
    });
    r.add("FaturaAltGetir", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.invoiceTotals(a.integer(u"idnosu")));
    });
    r.add("Tahsilat", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.collectionEntries(a.integer(u"idnosu")));
    });
    r.add("SanalposSiranoVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultInteger(store.cardPaymentNumber(a.integer(u"idnosu")));
    });
    r.add("SAnalPosPdfVer", [&business, &store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const int sirano = a.integer(u"sirano");
        const std::optional<CardPayment> payment = store.cardPayment(sirano);
        if (!payment)
            throw RemoteError(QStringLiteral("Sanal pos ödemesi bulunamadı (No: %1).").arg(sirano));
        const QByteArray pdf = cardReceiptPdf(business.company(), *payment);
        reply.setInt64(u"boy", pdf.size());
        reply.resultStream(pdf);
    });
    // The balance the card-payment page offers to pay, "1234.56"; negative when in credit.
    r.add("CariDurumVer", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultString(store.balanceText(a.integer(u"carino")));
    });
    r.add("CariVadeGunGecmismiBul", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultString(store.overdueWarning(a.integer(u"carino")));
    });

    // --- documents and files
    auto document = [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const int sirano = a.integer(u"sirano");
        const std::optional<StoredDocument> doc = store.document(sirano);
        if (!doc)
            throw RemoteError(QStringLiteral("Belge bulunamadı (No: %1).").arg(sirano));
        reply.setInt64(u"size", doc->data.size());
        reply.setString(u"adi", doc->name);
        reply.resultStream(doc->data);
    };
    r.add("BelgeIndir", document);
    r.add("BelgeIndir2", [document](const MethodArgs &a, Wire::ReplyWriter &reply) {
        a.session(u"bilgi");
        document(a, reply);
    });
    // The one file of the download area: the client's installer.
    r.add("DosyaIndir", [](const MethodArgs &, Wire::ReplyWriter &reply) {
        const QByteArray installer = demoInstaller();
        reply.setInt64(u"size", installer.size());
        reply.resultStream(installer);
    });
    r.add({"DosyaListesi", "DosyaListesi2"}, [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.documents());
    });

    // --- customers
    r.add("CariAra", [&business, &store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultTable(*store.searchCustomers(sessionUser(business, a.session(u"bil")),
                                                 a.text(u"aranan")));
    });
    // sirano 0: the customer registered for the computer; otherwise that customer number.
    r.add("MobilCariBilgisiGetir", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const int sirano = a.integer(u"sirano");
        const std::optional<TMobilCariBilgisi> info =
            sirano > 0 ? store.customerInfo(sirano) : store.customerInfoForComputer(a.text(u"_idsi"));
        reply.resultRecord(info ? &*info : nullptr);
    });
    r.add("CarileriVer", [&store](const MethodArgs &, Wire::ReplyWriter &reply) {
        UserInfo everyone;
        everyone.type = SalesManagerUser;
        const DataSetPtr rows = store.searchCustomers(everyone, QString());
        const char *const fields[] = {"CARINO", "CARIKOD", "CARIADI", "SATICISI", "IL", "ILCE",
                                      "TEL1", "EMAIL", "TLBAKIYE", "DURUM"};
        QJsonArray list;
        for (int row = 0; row < rows->rowCount(); ++row) {
            QJsonObject customer;
            for (const char *field : fields) {
                const int c = rows->fieldIndex(QLatin1String(field));
                customer.insert(QLatin1String(field), QJsonValue::fromVariant(rows->value(row, c)));
            }
            list.append(customer);
        }
        reply.resultJsonArray(list);
    });

    // --- mail: into the outbox; the answer is the message's number
    r.add("MailGonserCari", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        reply.resultInteger(store.queueMail(mailFrom(a, "MailGonserCari")));
    });
    r.add("MailGonserCariNormal", [&store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        OutgoingMail m = mailFrom(a, "MailGonserCariNormal");
        m.body = a.text(u"konu");
        reply.resultInteger(store.queueMail(m));
    });

    // --- reports, for the distributor's staff
    r.add("RaporGetir", [&business, &store](const MethodArgs &a, Wire::ReplyWriter &reply) {
        const std::optional<UserInfo> user = store.userById(a.integer(u"idno"));
        if (!user || !user->active || !isStaff(user->type))
            throw RemoteError(QStringLiteral("Raporları yalnızca satış personeli alabilir."));
        const QDate from = a.date(u"tarih1");
        const QDate to = a.date(u"tarih2");
        if (to < from)
            throw RemoteError(QStringLiteral("Bitiş tarihi başlangıç tarihinden önce olamaz."));
        const QByteArray pdf = reportPdf(business, a.integer(u"raporno"), a.integer(u"carino"),
                                         a.text(u"saticiadi"), from, to);
        reply.setInt64(u"size", pdf.size());
        reply.resultStream(pdf);
    });
    r.add("RaporAlinanSiparisler", [&business, &store](const MethodArgs &a,
                                                        Wire::ReplyWriter &reply) {
        reply.resultTable(*store.receivedOrdersReport(sessionUser(business, a.session(u"bilgi")),
                                                      a.date(u"tarih1"), a.date(u"tarih2")));
    });
    r.add("RaporEnCokSatilanStoklar", [&business, &store](const MethodArgs &a,
                                                           Wire::ReplyWriter &reply) {
        reply.resultTable(*store.bestSellersReport(sessionUser(business, a.session(u"bilgi")),
                                                   a.date(u"tarih1"), a.date(u"tarih2")));
    });
}

} // namespace Mervak::Server
