// SPDX-License-Identifier: LicenseRef-Mervak
// The business rules of mervak-server, against the real executable over TCP on a database
// with known numbers (fixture.h).
#include "tst_business.h"

#include "business.h"
#include "businesshandlers.h"
#include "fixture.h"
#include "remoteerror.h"
#include "serverprocess.h"
#include "sqlitestore.h"

#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <atomic>
#include <functional>
#include <thread>

using namespace Mervak;
using namespace Mervak::Test;
using namespace Mervak::Server;

Q_DECLARE_METATYPE(std::function<QString(quint16)>)

namespace {

int column(const DataSet &d, const char *name)
{
    const int c = d.fieldIndex(QLatin1String(name));
    if (c < 0)
        qFatal("no field %s", name);
    return c;
}

double dbl(const DataSet &d, int row, const char *name) { return d.doubleAt(row, column(d, name)); }
qint64 num(const DataSet &d, int row, const char *name) { return d.intAt(row, column(d, name)); }
QString txt(const DataSet &d, int row, const char *name) { return d.stringAt(row, column(d, name)); }

int rowOf(const DataSet &d, const char *field, qint64 value)
{
    for (int r = 0; r < d.rowCount(); ++r) {
        if (num(d, r, field) == value)
            return r;
    }
    return -1;
}

std::unique_ptr<DataSet> list(quint16 port, const char *method, int carino)
{
    return table(*call(port, method, carino), 0);
}

double day(const QDate &d) { return toDayCount(d); }

} // namespace

void TestBusiness::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_db = m_dir.filePath(QStringLiteral("business.db"));
    Fixture::build(m_db);
    QVERIFY2(m_server.start(m_db), qPrintable(m_server.errorOutput()));
    // A second server on the same file, in demo mode and expecting another client version.
    QVERIFY2(m_demoServer.start(m_db, {QStringLiteral("--demo"), QStringLiteral("--client-version"),
                                       QStringLiteral("3")}),
             qPrintable(m_demoServer.errorOutput()));
}

void TestBusiness::cleanupTestCase()
{
    m_demoServer.stop();
    m_server.stop();
}

// Every method of the interface answers: the business registers a handler for all but the
// three the call framework answers itself.
void TestBusiness::everyMethodHasAHandler()
{
    SqliteStore store(m_dir.filePath(QStringLiteral("handlers.db")));
    Server::Business business(store, {});
    QSet<QString> handled;
    for (const Server::NamedHandler &h : Server::businessHandlers(business)) {
        QVERIFY2(!handled.contains(h.method), qPrintable(h.method));
        handled.insert(h.method);
    }
    const QSet<QString> framework{QStringLiteral("EchoString"), QStringLiteral("ReverseString"),
                                  QStringLiteral("MobilStokaraGeri")};
    for (const MethodInfo &method : ServerMethods::all()) {
        QVERIFY2(handled.contains(method.name) != framework.contains(method.name),
                 qPrintable(method.name));
    }
}

// The stock list carries the customer's own prices: list or campaign price, the chain of
// his, his brand's and the item's discounts, VAT included; the client shows them as they come.
void TestBusiness::pricesAndDiscounts_data()
{
    QTest::addColumn<QString>("computer");
    QTest::addColumn<int>("stokno");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("campaignPrice");
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("withVat");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("campaign");
    QTest::addColumn<int>("status");

    QTest::newRow("customer, brand and cash discount") << "PC-2001" << 1 << 100.0 << 0.0
                                                       << 70.56 << 84.67 << "20+10+2" << 0 << 1;
    QTest::newRow("item's own discount, on the way") << "PC-2001" << 2 << 250.0 << 0.0
                                                     << 186.2 << 223.44 << "20+5+2" << 0 << 3;
    QTest::newRow("campaign price, cash discount only") << "PC-2001" << 3 << 60.0 << 60.0
                                                        << 58.8 << 70.56 << "%25+2" << 1 << 1;
    QTest::newRow("ended campaign is the list price") << "PC-2001" << 4 << 40.0 << 0.0
                                                      << 31.36 << 37.63 << "20+2" << 0 << 4;
    QTest::newRow("customer without discounts") << "PC-2002" << 1 << 100.0 << 0.0 << 100.0
                                                << 120.0 << "0" << 0 << 1;
}

void TestBusiness::pricesAndDiscounts()
{
    QFETCH(QString, computer);
    QFETCH(int, stokno);
    const TSonucBilgisi s = session(m_server.port(), computer);
    const auto rows = table(*call(m_server.port(), "StokAraGetir",
                                  QStringLiteral("tst-%1").arg(stokno, 4, 10, QLatin1Char('0')), s),
                            0);
    const int r = rowOf(*rows, "STOK_STOKNO", stokno);
    QVERIFY(r >= 0);
    QTEST(dbl(*rows, r, "FIYAT"), "price");
    QTEST(dbl(*rows, r, "KAMPFIYAT"), "campaignPrice");
    QTEST(dbl(*rows, r, "NETFIYAT"), "net");
    QTEST(dbl(*rows, r, "KDVDAHIL"), "withVat");
    QTEST(txt(*rows, r, "INDIRIMYAZI"), "text");
    QTEST(int(num(*rows, r, "K")), "campaign");
    QTEST(int(num(*rows, r, "DURUM")), "status");
}

// The client formats what is a double as money and what is a date as a date; the field
// classes of the lists are part of what it relies on.
void TestBusiness::fieldClasses_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("type");
    const int f = int(FieldType::Float);
    const int i = int(FieldType::Integer);
    const int d = int(FieldType::Date);
    QTest::newRow("stock net price") << "StokAraGetir" << "NETFIYAT" << f;
    QTest::newRow("stock first discount") << "StokAraGetir" << "IND1" << f;
    QTest::newRow("stock number") << "StokAraGetir" << "STOK_STOKNO" << i;
    QTest::newRow("stock box quantity") << "StokAraGetir" << "OZELKOD1" << i;
    QTest::newRow("basket amount") << "SepetVer2" << "TUTAR" << f;
    QTest::newRow("basket net amount") << "SepetVer2" << "NETTUTAR" << f;
    QTest::newRow("basket tick") << "SepetVer2" << "SEC" << i;
    QTest::newRow("basket date") << "SepetVer2" << "VERILISTARIHI" << d;
    QTest::newRow("statement debit") << "CariEkstreVer" << "BORC" << f;
    QTest::newRow("statement date") << "CariEkstreVer" << "TARIH" << d;
    QTest::newRow("statement id") << "CariEkstreVer" << "IDNO" << i;
    QTest::newRow("orders total") << "OncekiSiparisler" << "TUTAR" << f;
    QTest::newRow("orders date") << "OncekiSiparisler" << "TARIH" << d;
    QTest::newRow("balances remaining") << "BakiyelerVer2" << "KALAN" << f;
}

void TestBusiness::fieldClasses()
{
    QFETCH(QString, method);
    QFETCH(QString, field);
    std::unique_ptr<DataSet> rows;
    if (method == QLatin1String("StokAraGetir"))
        rows = table(*call(m_server.port(), "StokAraGetir", "TST-0001",
                           session(m_server.port(), QStringLiteral("PC-2001"))), 0);
    else
        rows = list(m_server.port(), qPrintable(method), method == QLatin1String("SepetVer2") ? 2001 : 2002);
    const int c = rows->fieldIndex(field);
    QVERIFY(c >= 0);
    QTEST(int(rows->field(c).type), "type");
}

// A dealer's basket line takes the distributor's price whatever the client sends; its
// amounts are computed by the server; the same item twice is one line.
void TestBusiness::basketAmounts()
{
    const quint16 port = m_server.port();
    TSonucBilgisi s = session(port, QStringLiteral("PC-2003"));
    // A forged price of 1.00 and discount of 50 % are not taken from a dealer.
    QCOMPARE(call(port, "SepetEkle2", s, 2003, 1, "x", "y", 8.0, 20.0, 1.0, 50.0, s.FSirano, 0,
                  0.0, 0.0, 0.0)->integer(0), 1);
    auto basket = list(port, "SepetVer2", 2003);
    QCOMPARE(basket->rowCount(), 1);
    QCOMPARE(dbl(*basket, 0, "BIRIMFIYAT"), 100.0);
    QCOMPARE(dbl(*basket, 0, "INDIRIMORANI1"), 10.0);
    QCOMPARE(dbl(*basket, 0, "TUTAR"), 800.0);
    QCOMPARE(dbl(*basket, 0, "NETBIRIMFIYAT"), 90.0);
    QCOMPARE(dbl(*basket, 0, "NETTUTAR"), 720.0);
    QCOMPARE(dbl(*basket, 0, "INDIRIMTUTAR"), 80.0);
    QCOMPARE(dbl(*basket, 0, "VERGITUTARI"), 144.0);
    QCOMPARE(num(*basket, 0, "SEC"), 1);
    const int line = int(num(*basket, 0, "SIRANO"));

    call(port, "SepetEkle2", s, 2003, 1, "x", "y", 4.0, 20.0, 100.0, 10.0, s.FSirano, 0, 0.0,
         0.0, 0.0);
    basket = list(port, "SepetVer2", 2003);
    QCOMPARE(basket->rowCount(), 1);
    QCOMPARE(dbl(*basket, 0, "MIKTAR"), 12.0);
    QCOMPARE(dbl(*basket, 0, "NETTUTAR"), 1080.0);
    QCOMPARE(dbl(*basket, 0, "VERGITUTARI"), 216.0);

    QCOMPARE(call(port, "SepetGuncelle2", s, 2003, 0, "x", "y", 2.0, 20.0, 100.0, 10.0,
                  s.FSirano, line, 0.0, 0.0, 0.0)->integer(0), 1);
    call(port, "SepetSecimGuncelle", line, 0);
    basket = list(port, "SepetVer2", 2003);
    QCOMPARE(dbl(*basket, 0, "MIKTAR"), 2.0);
    QCOMPARE(dbl(*basket, 0, "TUTAR"), 200.0);
    QCOMPARE(num(*basket, 0, "SEC"), 0);
    QVERIFY(!callError(port, "SepetSecimGuncelle", line, 5).isEmpty());

    // Staff may set a price and discounts for the customer they work for.
    TSonucBilgisi manager = session(port, QStringLiteral("PC-YONETICI"));
    manager.FCARINO = 2003;
    call(port, "SepetEkle2", manager, 2003, 6, "x", "y", 2.0, 20.0, 500.0, 10.0,
         manager.FSirano, 0, 0.0, 0.0, 0.0);
    basket = list(port, "SepetVer2", 2003);
    const int r = rowOf(*basket, "STOKNO", 6);
    QVERIFY(r >= 0);
    QCOMPARE(dbl(*basket, r, "BIRIMFIYAT"), 500.0);
    QCOMPARE(dbl(*basket, r, "NETTUTAR"), 900.0);

    QCOMPARE(call(port, "SepetSatirSil", s, line, "TST-0001-TEST PARÇA 1")->integer(0), 1);
    QCOMPARE(call(port, "SepetSatirSil", s, line, "again")->integer(0), 0);
    QCOMPARE(call(port, "SepetHepsiniSil", s)->integer(0), 1);
    QCOMPARE(list(port, "SepetVer2", 2003)->rowCount(), 0);
}

// "Gönder" orders exactly the ticked lines: they leave the basket and become the order's
// lines with the same amounts; unticked lines stay; with nothing ticked nothing is stored.
void TestBusiness::orderMovesExactlyTheTickedLines()
{
    const quint16 port = m_server.port();
    const TSonucBilgisi s = session(port, QStringLiteral("PC-2004"));
    for (const auto &[stokno, quantity] : {std::pair{5, 1.0}, {6, 2.0}, {7, 3.0}})
        call(port, "SepetEkle2", s, 2004, stokno, "", "", quantity, 20.0, 0.0, 0.0, s.FSirano,
             0, 0.0, 0.0, 0.0);
    auto basket = list(port, "SepetVer2", 2004);
    QCOMPARE(basket->rowCount(), 3);
    double ticked = 0;
    for (int r = 0; r < basket->rowCount(); ++r) {
        if (num(*basket, r, "STOKNO") == 6)
            call(port, "SepetSecimGuncelle", int(num(*basket, r, "SIRANO")), 0);
        else
            ticked += dbl(*basket, r, "TUTAR");
    }

    QVERIFY(call(port, "SiparisKaydet", s, 2004, 2, 1, "Acil lütfen", s.FSirano, 11)->boolean(0));
    basket = list(port, "SepetVer2", 2004);
    QCOMPARE(basket->rowCount(), 1);
    QCOMPARE(num(*basket, 0, "STOKNO"), 6);

    const auto orders = list(port, "OncekiSiparisler", 2004);
    QCOMPARE(orders->rowCount(), 1);
    const int orderNo = int(num(*orders, 0, "IDNO"));
    QCOMPARE(dbl(*orders, 0, "TUTAR"), ticked);
    QCOMPARE(txt(*orders, 0, "DURUM"), QStringLiteral("Sipariş Alındı"));
    QCOMPARE(txt(*orders, 0, "KARGOADI"), QStringLiteral("HIZLI KARGO"));

    const auto lines = table(*call(port, "SiparisAyrintisi2", 2004, orderNo), 0);
    QCOMPARE(lines->rowCount(), 2);
    QVERIFY(rowOf(*lines, "STOKNO", 5) >= 0 && rowOf(*lines, "STOKNO", 7) >= 0);
    const int r7 = rowOf(*lines, "STOKNO", 7);
    QCOMPARE(dbl(*lines, r7, "MIKTAR"), 3.0);
    QCOMPARE(dbl(*lines, r7, "KALAN"), 3.0);
    QCOMPARE(dbl(*lines, r7, "TESLIMEDILEN"), 0.0);

    const auto footer = call(port, "SiparisAytintisiDip", 0, orderNo)->record(0);
    const auto *dip = dynamic_cast<const TSiparisDipAyrinti *>(footer.get());
    QVERIFY(dip);
    QCOMPARE(dip->FSizinMesaj, QStringLiteral("Acil lütfen"));
    QCOMPARE(dip->FKargo, QStringLiteral("HIZLI KARGO"));
    QCOMPARE(dip->FKargoCinsi, QStringLiteral("Kargo"));
    QCOMPARE(dip->FTeslimCinsi, QStringLiteral("Kargo ile"));
    QCOMPARE(dip->FVeren, QStringLiteral("B2004"));

    // Only an unticked line is left: nothing to order.
    QVERIFY(!call(port, "SiparisKaydet", s, 2004, 2, 1, "", s.FSirano, 11)->boolean(0));
    QCOMPARE(list(port, "OncekiSiparisler", 2004)->rowCount(), 1);
    QCOMPARE(list(port, "SepetVer2", 2004)->rowCount(), 1);
}

// An order that fails half-way (here the second line cannot be written) stores nothing:
// no order, and the basket keeps every line, ticked as it was.
void TestBusiness::failedOrderStoresNothing()
{
    const quint16 port = m_server.port();
    const TSonucBilgisi s = session(port, QStringLiteral("PC-2005"));
    for (const int stokno : {5, 6})
        call(port, "SepetEkle2", s, 2005, stokno, "", "", 1.0, 20.0, 0.0, 0.0, s.FSirano, 0,
             0.0, 0.0, 0.0);

    // A company of another cargo type is refused before anything is written.
    QVERIFY(callError(port, "SiparisKaydet", s, 2005, 2, 1, "", s.FSirano, 21).contains(u"Kargo"));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("trigger"));
        db.setDatabaseName(m_db);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral(
            "CREATE TRIGGER fail_second_line BEFORE INSERT ON order_lines "
            "WHEN NEW.carino = 2005 AND NEW.stokno = 6 BEGIN SELECT RAISE(ABORT, 'test'); END")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("trigger"));
    QVERIFY(!callError(port, "SiparisKaydet", s, 2005, 2, 1, "", s.FSirano, 11).isEmpty());
    QCOMPARE(list(port, "OncekiSiparisler", 2005)->rowCount(), 0);
    auto basket = list(port, "SepetVer2", 2005);
    QCOMPARE(basket->rowCount(), 2);
    QCOMPARE(num(*basket, 0, "SEC") + num(*basket, 1, "SEC"), 2);

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("trigger"));
        db.setDatabaseName(m_db);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("DROP TRIGGER fail_second_line")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("trigger"));
    QVERIFY(call(port, "SiparisKaydet", s, 2005, 2, 1, "", s.FSirano, 11)->boolean(0));
    QCOMPARE(list(port, "SepetVer2", 2005)->rowCount(), 0);
    const auto orders = list(port, "OncekiSiparisler", 2005);
    QCOMPARE(orders->rowCount(), 1);
    QCOMPARE(table(*call(port, "SiparisAyrintisi2", 2005, int(num(*orders, 0, "IDNO"))), 0)
                 ->rowCount(), 2);
}

// The three changes of an open balance: a new remaining quantity, a new price and discount
// (sales managers only), and deleting it; the line must be named exactly.
void TestBusiness::balanceChanges()
{
    const quint16 port = m_server.port();
    const TSonucBilgisi dealer = session(port, QStringLiteral("PC-2007"));
    auto balances = list(port, "BakiyelerVer2", 2007);
    QCOMPARE(balances->rowCount(), 2);
    const int r5 = rowOf(*balances, "STOK_STOKNO", 5);
    QCOMPARE(dbl(*balances, r5, "MIKTAR"), 10.0);
    QCOMPARE(dbl(*balances, r5, "TESLIMEDILEN"), 6.0);
    QCOMPARE(dbl(*balances, r5, "KALAN"), 4.0);
    const int line5 = int(num(*balances, r5, "STOKHAR_NO"));
    const int basket5 = int(num(*balances, r5, "SIRANO"));
    const double firstPrice = dbl(*balances, r5, "ILKFIYAT");
    const int r6 = rowOf(*balances, "STOK_STOKNO", 6);
    const int line6 = int(num(*balances, r6, "STOKHAR_NO"));
    const int basket6 = int(num(*balances, r6, "SIRANO"));

    QCOMPARE(call(port, "BakiyeDegistir", dealer, 5, basket5, line5, 2.0, 2.0, "x")->integer(0), 1);
    balances = list(port, "BakiyelerVer2", 2007);
    int r = rowOf(*balances, "STOKHAR_NO", line5);
    QCOMPARE(dbl(*balances, r, "KALAN"), 2.0);
    QCOMPARE(dbl(*balances, r, "MIKTAR"), 8.0);
    QCOMPARE(dbl(*balances, r, "TUTAR"), 8 * dbl(*balances, r, "BIRIMFIYAT"));

    // The wrong basket line number, a balance of 0: refused, nothing changes.
    QVERIFY(!callError(port, "BakiyeDegistir", dealer, 5, basket5 + 1000, line5, 3.0, 3.0, "x")
                 .isEmpty());
    QVERIFY(!callError(port, "BakiyeDegistir", dealer, 5, basket5, line5, 0.0, 0.0, "x").isEmpty());
    QVERIFY(callError(port, "BakiyeFiyatDegistir", dealer, 0, basket5, line5, 8.0, 8.0, "x",
                      12.5, 10.0).contains(u"yetki"));
    QCOMPARE(dbl(*list(port, "BakiyelerVer2", 2007), r, "KALAN"), 2.0);

    TSonucBilgisi manager = session(port, QStringLiteral("PC-YONETICI"));
    manager.FCARINO = 2007;
    QCOMPARE(call(port, "BakiyeFiyatDegistir", manager, 0, basket5, line5, 8.0, 8.0, "x", 12.5,
                  10.0)->integer(0), 1);
    balances = list(port, "BakiyelerVer2", 2007);
    r = rowOf(*balances, "STOKHAR_NO", line5);
    QCOMPARE(dbl(*balances, r, "BIRIMFIYAT"), 12.5);
    QCOMPARE(dbl(*balances, r, "INDIRIMORANI1"), 10.0);
    QCOMPARE(dbl(*balances, r, "NETBIRIMFIYAT"), 11.25);
    QCOMPARE(dbl(*balances, r, "NETTUTAR"), 90.0);
    QCOMPARE(dbl(*balances, r, "ILKFIYAT"), firstPrice);

    QCOMPARE(call(port, "BakiyeDuzenle", dealer, 6, basket6, line6, 4.0, 4.0, "x")->integer(0), 1);
    balances = list(port, "BakiyelerVer2", 2007);
    QCOMPARE(balances->rowCount(), 1);
    const auto movements = table(*call(port, "TumSiparislerVer", 2007, 6), 0);
    QCOMPARE(movements->rowCount(), 1);
    QCOMPARE(dbl(*movements, 0, "KALAN"), 0.0);
    QCOMPARE(table(*call(port, "TumSiparislerVer", 2007, 0), 0)->rowCount(), 2);
}

// The statement lists every movement in date order with a running balance (B owes,
// A in credit); the invoice behind a line adds up to its debit; a card collection has
// its receipt.
void TestBusiness::statementAndDocuments()
{
    const quint16 port = m_server.port();
    const auto rows = list(port, "CariEkstreVer", 2002);
    QCOMPARE(rows->rowCount(), 5);
    const QStringList types{QStringLiteral("Devir Fişi"), QStringLiteral("Satış Faturası"),
                            QStringLiteral("Tahsilat"), QStringLiteral("Tahsilat"),
                            QStringLiteral("Tediye")};
    const double debit[] = {1000, 1014, 0, 0, 50};
    const double credit[] = {0, 0, 500, 300, 0};
    const double running[] = {1000, 2014, 1514, 1214, 1264};
    QDate previous;
    for (int r = 0; r < rows->rowCount(); ++r) {
        QCOMPARE(txt(*rows, r, "TURADI"), types[r]);
        QCOMPARE(dbl(*rows, r, "BORC"), debit[r]);
        QCOMPARE(dbl(*rows, r, "ALACAK"), credit[r]);
        QCOMPARE(dbl(*rows, r, "BAKIYE"), running[r]);
        QCOMPARE(txt(*rows, r, "D"), QStringLiteral("B"));
        const QDate date = fromDayCount(dbl(*rows, r, "TARIH")).date();
        QVERIFY(!previous.isValid() || previous <= date);
        previous = date;
    }
    QCOMPARE(call(port, "CariDurumVer", 2002)->string(0), QStringLiteral("1264.00"));

    const int invoice = int(num(*rows, 1, "IDNO"));
    const auto lines = table(*call(port, "FaturaGetir", 2002, invoice), 0);
    QCOMPARE(lines->rowCount(), 2);
    double net = 0;
    for (int r = 0; r < lines->rowCount(); ++r)
        net += dbl(*lines, r, "STOKHAR_NETTLTUTAR");
    QCOMPARE(net, 845.0);
    const auto totals = table(*call(port, "FaturaAltGetir", invoice), 0);
    QCOMPARE(dbl(*totals, 0, "MATRAH"), 845.0);
    QCOMPARE(dbl(*totals, 0, "KDVTUTAR"), 169.0);
    QCOMPARE(dbl(*totals, 0, "KDVDAHIL"), 1014.0);
    QVERIFY(callError(port, "FaturaGetir", 2001, invoice).contains(u"Fatura"));

    const int cash = int(num(*rows, 2, "IDNO"));
    const int card = int(num(*rows, 3, "IDNO"));
    QCOMPARE(call(port, "SanalposSiranoVer", cash)->integer(0), 0);
    const int receipt = call(port, "SanalposSiranoVer", card)->integer(0);
    QVERIFY(receipt > 0);
    const auto entries = table(*call(port, "Tahsilat", card), 0);
    QCOMPARE(entries->rowCount(), 1);
    QCOMPARE(txt(*entries, 0, "Cins"), QStringLiteral("Kredi Kartı"));
    QCOMPARE(dbl(*entries, 0, "Tutar"), 300.0);
    const auto pdf = call(port, "SAnalPosPdfVer", receipt, Out());
    const QByteArray bytes = pdf->stream(1).value_or(QByteArray());
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pdf->int64(0), qint64(bytes.size()));
    QVERIFY(!callError(port, "SAnalPosPdfVer", receipt + 1000, Out()).isEmpty());

    // A period opens with the balance carried from before it.
    const QDate from = Fixture::statementStart().addDays(3);
    const auto period = table(*call(port, "CariEkstreVer2", 2002, day(from),
                                    day(QDate::currentDate())), 0);
    QCOMPARE(period->rowCount(), 4);
    QCOMPARE(dbl(*period, 0, "BORC"), 2014.0);
    QCOMPARE(dbl(*period, period->rowCount() - 1, "BAKIYE"), 1264.0);
}

// BuyukGetir answers the user registered for the computer; an unknown computer is a
// request form, unless the server runs in demo mode, where it becomes the demo dealer.
void TestBusiness::userLookup_data()
{
    QTest::addColumn<QString>("computer");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("version");

    QTest::newRow("dealer") << "PC-2001" << false << true << "B2001" << 1 << 0 << 2;
    QTest::newRow("representative") << "PC-TEMSILCI" << false << true << "TEMSILCI" << 1 << 1 << 2;
    QTest::newRow("inactive user") << "PC-PASIF" << false << true << "PASIF" << 0 << 0 << 2;
    QTest::newRow("unknown computer") << "YENI-PC-1" << false << false << "" << 0 << 1 << 2;
    QTest::newRow("deactivated computer") << "PC-KAPALI" << false << false << "" << 0 << 1 << 2;
    QTest::newRow("unknown computer, demo") << "YENI-PC-2" << true << true << "DEMO" << 1 << 0 << 3;
    QTest::newRow("deactivated computer, demo") << "PC-KAPALI" << true << false << "" << 0 << 1 << 3;
    // The demo registration lasts: the other server now knows the computer too.
    QTest::newRow("registered by the demo") << "YENI-PC-2" << false << true << "DEMO" << 1 << 0 << 2;
    QTest::newRow("not registered without demo") << "YENI-PC-1" << false << false << "" << 0 << 1 << 2;
}

void TestBusiness::userLookup()
{
    QFETCH(QString, computer);
    QFETCH(bool, demo);
    const TSonucBilgisi s = session(demo ? m_demoServer.port() : m_server.port(), computer);
    QTEST(s.FVarmi, "known");
    QTEST(s.FADI, "name");
    QTEST(s.FAKTIF, "active");
    QTEST(s.FMusteriTipi, "type");
    QTEST(s.FVersion, "version");
    QCOMPARE(s.FBILGISAYARID, computer);
    if (s.FVarmi)
        QCOMPARE(s.FSIFRE, s.FADI == QLatin1String("B2001") ? QStringLiteral("S2001") : s.FADI);
}

// The reports and the receipts are PDF files; only staff get reports.
void TestBusiness::reportsArePdfs_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("carino");
    QTest::addColumn<QString>("rep");
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("pdf");

    QTest::newRow("customer summary") << 6 << 2002 << "TEST TEMSİLCİ 2" << "YONETICI" << true;
    QTest::newRow("receivables, all") << 6 << 0 << "." << "YONETICI" << true;
    QTest::newRow("receivables, a representative") << 6 << 0 << "TEMSILCI" << "TEMSILCI" << true;
    QTest::newRow("purchases and sales") << 7 << 2002 << "TEST TEMSİLCİ 2" << "YONETICI" << true;
    QTest::newRow("unknown report") << 9 << 2002 << "." << "YONETICI" << false;
    QTest::newRow("dealer") << 6 << 2002 << "." << "B2002" << false;
    QTest::newRow("unknown representative") << 6 << 0 << "KİMSE" << "YONETICI" << false;
}

void TestBusiness::reportsArePdfs()
{
    QFETCH(int, report);
    QFETCH(int, carino);
    QFETCH(QString, rep);
    QFETCH(QString, user);
    QFETCH(bool, pdf);
    SqliteStore store(m_db);
    const int userId = store.userByName(user)->id;
    const double from = day(Fixture::statementStart());
    const double to = day(QDate::currentDate());
    if (!pdf) {
        QVERIFY(!callError(m_server.port(), "RaporGetir", report, report, userId, carino, rep,
                           from, to, Out()).isEmpty());
        return;
    }
    const auto reply = call(m_server.port(), "RaporGetir", report, report, userId, carino, rep,
                            from, to, Out());
    const QByteArray bytes = reply->stream(1).value_or(QByteArray());
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(reply->int64(0), qint64(bytes.size()));
}

// The tabular reports cover the period and the user's customers.
void TestBusiness::tabularReports()
{
    const quint16 port = m_server.port();
    const TSonucBilgisi manager = session(port, QStringLiteral("PC-YONETICI"));
    const double from = day(Fixture::statementStart());
    const double to = day(QDate::currentDate());
    const auto sold = table(*call(port, "RaporEnCokSatilanStoklar", manager, from, to), 0);
    int r = -1;
    for (int row = 0; row < sold->rowCount(); ++row) {
        if (txt(*sold, row, "KOD") == QLatin1String("TST-0001"))
            r = row;
    }
    QVERIFY(r >= 0);
    QCOMPARE(dbl(*sold, r, "MIKTAR"), 8.0);
    const auto orders = table(*call(port, "RaporAlinanSiparisler", manager, from, to), 0);
    QVERIFY(orders->rowCount() >= 2);
    // A dealer's report holds his own orders only.
    const TSonucBilgisi dealer = session(port, QStringLiteral("PC-2002"));
    const auto own = table(*call(port, "RaporAlinanSiparisler", dealer, from, to), 0);
    QCOMPARE(own->rowCount(), 1);
    QCOMPARE(num(*own, 0, "CARINO"), 2002);
}

// Several clients at once: each with its own basket, and several on one basket. Nothing
// is lost: every line arrives, the quantities of one item add up.
void TestBusiness::concurrentBasketsLoseNothing()
{
    const quint16 port = m_server.port();
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    QStringList errors;
    QMutex errorsMutex;
    auto guarded = [&](std::function<void()> work) {
        return [&, work] {
            try {
                work();
            } catch (const std::exception &e) {
                ++failures;
                QMutexLocker lock(&errorsMutex);
                errors << QString::fromUtf8(e.what());
            }
        };
    };
    for (int carino = 2011; carino <= 2014; ++carino) {
        threads.emplace_back(guarded([port, carino] {
            const TSonucBilgisi s = session(port, QStringLiteral("PC-%1").arg(carino));
            for (int stokno = 5; stokno < 25; ++stokno)
                call(port, "SepetEkle2", s, carino, stokno, "", "", 1.0, 20.0, 0.0, 0.0,
                     s.FSirano, 0, 0.0, 0.0, 0.0);
        }));
    }
    for (int client = 0; client < 4; ++client) {
        threads.emplace_back(guarded([port, client] {
            const TSonucBilgisi s = session(port, QStringLiteral("PC-2015"));
            for (int n = 0; n < 10; ++n) {
                call(port, "SepetEkle2", s, 2015, 30, "", "", 1.0, 20.0, 0.0, 0.0, s.FSirano, 0,
                     0.0, 0.0, 0.0);
                if (n < 5)
                    call(port, "SepetEkle2", s, 2015, 31 + client * 5 + n, "", "", 1.0, 20.0,
                         0.0, 0.0, s.FSirano, 0, 0.0, 0.0, 0.0);
            }
        }));
    }
    for (std::thread &t : threads)
        t.join();
    QVERIFY2(failures == 0, qPrintable(errors.join(u'\n')));
    for (int carino = 2011; carino <= 2014; ++carino)
        QCOMPARE(list(port, "SepetVer2", carino)->rowCount(), 20);
    const auto shared = list(port, "SepetVer2", 2015);
    QCOMPARE(shared->rowCount(), 21);
    QCOMPARE(dbl(*shared, rowOf(*shared, "STOKNO", 30), "MIKTAR"), 40.0);
}

// Bad input gets a clear Turkish refusal and leaves nothing behind.
void TestBusiness::badInputIsRefused_data()
{
    QTest::addColumn<std::function<QString(quint16)>>("attempt");
    QTest::addColumn<QString>("expected");

    auto dealer = [](quint16 port) { return session(port, QStringLiteral("PC-2016")); };
    const QString huge(100000, u'A');
    QTest::newRow("unknown customer, basket") << std::function<QString(quint16)>(
        [](quint16 port) { return callError(port, "SepetVer2", 999999); })
        << "Cari hesap bulunamadı";
    QTest::newRow("unknown customer, statement") << std::function<QString(quint16)>(
        [](quint16 port) { return callError(port, "CariEkstreVer", 999999); })
        << "Cari hesap bulunamadı";
    QTest::newRow("unknown customer, new items") << std::function<QString(quint16)>(
        [](quint16 port) { return callError(port, "YenilerVer2", -5); })
        << "Cari hesap bulunamadı";
    QTest::newRow("unknown customer, adding") << std::function<QString(quint16)>(
        [dealer](quint16 port) {
            const TSonucBilgisi s = dealer(port);
            return callError(port, "SepetEkle2", s, 999999, 5, "", "", 1.0, 20.0, 0.0, 0.0,
                             s.FSirano, 0, 0.0, 0.0, 0.0);
        }) << "Cari hesap bulunamadı";
    QTest::newRow("another dealer's basket") << std::function<QString(quint16)>(
        [dealer](quint16 port) {
            const TSonucBilgisi s = dealer(port);
            return callError(port, "SepetEkle2", s, 2001, 5, "", "", 1.0, 20.0, 0.0, 0.0,
                             s.FSirano, 0, 0.0, 0.0, 0.0);
        }) << "yetkiniz yok";
    QTest::newRow("negative quantity") << std::function<QString(quint16)>(
        [dealer](quint16 port) {
            const TSonucBilgisi s = dealer(port);
            return callError(port, "SepetEkle2", s, 2016, 5, "", "", -4.0, 20.0, 0.0, 0.0,
                             s.FSirano, 0, 0.0, 0.0, 0.0);
        }) << "Miktar";
    QTest::newRow("unknown item") << std::function<QString(quint16)>(
        [dealer](quint16 port) {
            const TSonucBilgisi s = dealer(port);
            return callError(port, "SepetEkle2", s, 2016, 999999, "", "", 1.0, 20.0, 0.0, 0.0,
                             s.FSirano, 0, 0.0, 0.0, 0.0);
        }) << "Stok bulunamadı";
    QTest::newRow("no session record") << std::function<QString(quint16)>(
        [](quint16 port) {
            return callError(port, "SepetEkle2", static_cast<const TransferRecord *>(nullptr),
                             2016, 5, "", "", 1.0, 20.0, 0.0, 0.0, 1, 0, 0.0, 0.0, 0.0);
        }) << "Oturum bilgisi";
    QTest::newRow("huge search text") << std::function<QString(quint16)>(
        [dealer, huge](quint16 port) { return callError(port, "StokAraGetir", huge, dealer(port)); })
        << "en fazla";
    QTest::newRow("huge deletion note") << std::function<QString(quint16)>(
        [dealer, huge](quint16 port) { return callError(port, "SepetSatirSil", dealer(port), 1, huge); })
        << "en fazla";
    QTest::newRow("huge mail") << std::function<QString(quint16)>(
        [huge](quint16 port) {
            return callError(port, "MailGonserCariNormal", "PC-2016", "Konu", "", "", "", "",
                             "", "", "", "", "", "", "", "", "", "", huge + huge);
        }) << "en fazla";
    QTest::newRow("huge subject") << std::function<QString(quint16)>(
        [huge](quint16 port) {
            return callError(port, "MailGonserCari", "PC-2016", huge, "", "", "", "", "", "",
                             "", "", "", "", "", "", "", "");
        }) << "en fazla";
    QTest::newRow("mail from an unregistered computer") << std::function<QString(quint16)>(
        [](quint16 port) {
            return callError(port, "MailGonserCariNormal", "KIMSE", "Konu", "", "", "", "", "",
                             "", "", "", "", "", "", "", "", "", "metin");
        }) << "kayıtlı değil";
    QTest::newRow("order state selector") << std::function<QString(quint16)>(
        [](quint16 port) {
            return callError(port, "CariSepetVer", session(port, QStringLiteral("PC-YONETICI")), 9);
        }) << "Geçersiz";
    QTest::newRow("period ending before it starts") << std::function<QString(quint16)>(
        [](quint16 port) { return callError(port, "CariEkstreVer2", 2016, 46100.0, 46000.0); })
        << "Bitiş tarihi";
    QTest::newRow("advert past the end") << std::function<QString(quint16)>(
        [](quint16 port) { return callError(port, "AcilisREklamVer", 5); })
        << "Reklam bulunamadı";
}

void TestBusiness::badInputIsRefused()
{
    QFETCH(std::function<QString(quint16)>, attempt);
    QFETCH(QString, expected);
    const QString error = attempt(m_server.port());
    QVERIFY2(error.contains(expected), qPrintable(error));
    // Nothing was stored for the dealer who tried.
    QCOMPARE(list(m_server.port(), "SepetVer2", 2016)->rowCount(), 0);
    SqliteStore store(m_db);
    for (const QueuedMail &m : store.outbox())
        QVERIFY(m.mail.computerId != QLatin1String("PC-2016") && m.mail.computerId != QLatin1String("KIMSE"));
}

// Mail to the distributor lands in the outbox with the customer's particulars as sent.
void TestBusiness::mailGoesToTheOutbox()
{
    const quint16 port = m_server.port();
    const auto info = call(port, "MobilCariBilgisiGetir", 0, "PC-2001")->record(0);
    const auto *customer = dynamic_cast<const TMobilCariBilgisi *>(info.get());
    QVERIFY(customer);
    QCOMPARE(customer->FCARIADI, QStringLiteral("TEST BAYİ 2001"));
    QCOMPARE(customer->FKULLANICIADI, QStringLiteral("B2001"));
    QVERIFY(!call(port, "MobilCariBilgisiGetir", 0, "KIMSE")->record(0));

    const int id = call(port, "MailGonserCariNormal", "PC-2001", " Sipariş hakkında ",
                        customer->FCARIADI, customer->FADRES1, "", customer->FILCE,
                        customer->FSEHIR, customer->FTEL1, "", customer->FVERGIDAIRESI,
                        customer->FVERGINO, "YETKİLİ", "B2001", "S2001", "b2001@test.com.tr",
                        "", "Merhaba,\"Teslim tarihi nedir?\"")->integer(0);
    QVERIFY(id > 0);
    SqliteStore store(m_db);
    const QList<QueuedMail> outbox = store.outbox();
    const auto it = std::find_if(outbox.begin(), outbox.end(),
                                 [id](const QueuedMail &m) { return m.id == id; });
    QVERIFY(it != outbox.end());
    QCOMPARE(it->mail.subject, QStringLiteral(" Sipariş hakkında "));
    QCOMPARE(it->mail.body, QStringLiteral("Merhaba,\"Teslim tarihi nedir?\""));
    QCOMPARE(it->mail.carino, 2001);
    QCOMPARE(it->mail.kind, QStringLiteral("MailGonserCariNormal"));
}

// Sales staff see their own customers: a representative those of his representative
// number, a manager all.
void TestBusiness::customersByState()
{
    const quint16 port = m_server.port();
    const TSonucBilgisi rep = session(port, QStringLiteral("PC-TEMSILCI"));
    const TSonucBilgisi manager = session(port, QStringLiteral("PC-YONETICI"));
    const auto all = table(*call(port, "CariAra", manager, ""), 0);
    QCOMPARE(all->rowCount(), 16);
    const auto own = table(*call(port, "CariAra", rep, ""), 0);
    QCOMPARE(own->rowCount(), 15);
    QCOMPARE(rowOf(*own, "CARINO", 2002), -1);
    const auto found = table(*call(port, "CariAra", manager, "bayi 2002"), 0);
    QCOMPARE(found->rowCount(), 1);
    QCOMPARE(txt(*found, 0, "SATICISI"), QStringLiteral("TEST TEMSİLCİ 2"));
    QCOMPARE(dbl(*found, 0, "TLBAKIYE"), 1264.0);
    QCOMPARE(txt(*found, 0, "DURUM"), QStringLiteral("B"));

    const auto received = table(*call(port, "CariSepetVer", manager, 2), 0);
    QVERIFY(rowOf(*received, "CARINO", 2004) >= 0);
    const auto counts = call(port, "TusSonuclariVer", manager)->record(0);
    const auto *tus = dynamic_cast<const TTusSonuclari *>(counts.get());
    QVERIFY(tus);
    QCOMPARE(tus->FSevkEdildi, 2);
    QVERIFY(tus->FAlindi >= 1);
    QVERIFY(call(port, "SepetSayisi", manager)->integer(0) >= 1);
}

// The administration commands register and switch off users and computers; the running
// server sees the change at once.
void TestBusiness::administrationCommands()
{
    QString output;
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("user-add"),
                                 QStringLiteral("--name"), QStringLiteral("YENI"),
                                 QStringLiteral("--password"), QStringLiteral("GIZLI"),
                                 QStringLiteral("--type"), QStringLiteral("3"),
                                 QStringLiteral("--carino"), QStringLiteral("2001")}, &output), 0);
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("computer-add"),
                                 QStringLiteral("PC-YENI"), QStringLiteral("YENI")}), 0);
    TSonucBilgisi s = session(m_server.port(), QStringLiteral("PC-YENI"));
    QVERIFY(s.FVarmi);
    QCOMPARE(s.FADI, QStringLiteral("YENI"));
    QCOMPARE(s.FMusteriTipi, 3);

    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("user-list")},
                                &output), 0);
    QVERIFY(output.contains(QLatin1String("YENI")));
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("user-deactivate"),
                                 QStringLiteral("YENI")}), 0);
    QCOMPARE(session(m_server.port(), QStringLiteral("PC-YENI")).FAKTIF, 0);
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db,
                                 QStringLiteral("computer-deactivate"), QStringLiteral("PC-YENI")}),
             0);
    QVERIFY(!session(m_server.port(), QStringLiteral("PC-YENI")).FVarmi);

    // Refusals: a name taken, a missing option, an unknown user.
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("user-add"),
                                 QStringLiteral("--name"), QStringLiteral("YENI"),
                                 QStringLiteral("--password"), QStringLiteral("X"),
                                 QStringLiteral("--type"), QStringLiteral("0"),
                                 QStringLiteral("--carino"), QStringLiteral("2001")}), 1);
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("user-add"),
                                 QStringLiteral("--name"), QStringLiteral("EKSIK")}), 2);
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("computer-add"),
                                 QStringLiteral("PC-X"), QStringLiteral("KIMSE")}), 1);
}
