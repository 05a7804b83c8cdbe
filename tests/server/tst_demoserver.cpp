// SPDX-License-Identifier: LicenseRef-Mervak
// The demo distributor as the client sees it: the same numbers in every list, pictures
// and banners that decode, and the web pages.
#include "tst_demoserver.h"

#include "displayformat.h"
#include "sqlitestore.h"

#include <QEventLoop>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Mervak;
using namespace Mervak::Test;

namespace {

constexpr int DemoItems = 400;

double dbl(const DataSet &d, int row, const char *name)
{
    return d.doubleAt(row, d.fieldIndex(QLatin1String(name)));
}
qint64 num(const DataSet &d, int row, const char *name)
{
    return d.intAt(row, d.fieldIndex(QLatin1String(name)));
}
QString txt(const DataSet &d, int row, const char *name)
{
    return d.stringAt(row, d.fieldIndex(QLatin1String(name)));
}

struct HttpReply
{
    int status = 0;
    QByteArray contentType;
    QByteArray body;
};

HttpReply http(quint16 port, const QString &path, const QByteArray &form = {})
{
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)));
    QNetworkReply *reply = nullptr;
    if (form.isNull()) {
        reply = manager.get(request);
    } else {
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/x-www-form-urlencoded"));
        reply = manager.post(request, form);
    }
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    HttpReply out;
    out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    out.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    out.body = reply->readAll();
    reply->deleteLater();
    return out;
}

std::unique_ptr<DataSet> list(quint16 port, const char *method, int carino)
{
    return table(*call(port, method, carino), 0);
}

// The rows of a query, as text, to compare two databases.
QStringList dump(const QString &file, const QString &statement)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("dump"));
        db.setDatabaseName(file);
        if (!db.open())
            return rows;
        QSqlQuery q(db);
        q.exec(statement);
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < q.record().count(); ++c)
                cells << q.value(c).toString();
            rows << cells.join(u'|');
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("dump"));
    return rows;
}

} // namespace

void TestDemoServer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_db = m_dir.filePath(QStringLiteral("demo.db"));
    QString output;
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), m_db, QStringLiteral("demo-generate"),
                                 QStringLiteral("--items"), QString::number(DemoItems)}, &output),
             0);
    QVERIFY2(m_server.start(m_db, {QStringLiteral("--demo")}),
             qPrintable(m_server.errorOutput()));
    QVERIFY(m_server.httpPort() > 0);
}

void TestDemoServer::cleanupTestCase()
{
    m_server.stop();
}

// Demo users of every type sign in with their name as password, as the README says.
void TestDemoServer::demoUsersOfEveryType_data()
{
    QTest::addColumn<QString>("computer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("dealer") << "DEMO-TIP0" << "DEMO" << 0;
    QTest::newRow("representative") << "DEMO-TIP1" << "TEMSILCI" << 1;
    QTest::newRow("manager") << "DEMO-TIP2" << "YONETICI" << 2;
    QTest::newRow("dealer without status") << "DEMO-TIP3" << "BAYI3" << 3;
    QTest::newRow("dealer without campaigns") << "DEMO-TIP4" << "BAYI4" << 4;
    QTest::newRow("any other computer") << "BILINMEYEN-PC" << "DEMO" << 0;
}

void TestDemoServer::demoUsersOfEveryType()
{
    QFETCH(QString, computer);
    const TSonucBilgisi s = session(m_server.port(), computer);
    QVERIFY(s.FVarmi);
    QCOMPARE(s.FAKTIF, 1);
    QTEST(s.FADI, "name");
    QTEST(s.FMusteriTipi, "type");
    QCOMPARE(s.FSIFRE, s.FADI);
    QCOMPARE(s.FVersion, 2);
    QVERIFY(s.FCARINO > 0);
    QVERIFY(!s.FSaticiAdi.isEmpty());
}

// The balloon counters, the balances, the statement, the order totals and the card
// payment's balance all tell the same story.
void TestDemoServer::numbersAgreeAcrossMethods()
{
    const quint16 port = m_server.port();
    const TSonucBilgisi s = session(port, QStringLiteral("DEMO-TIP0"));
    const int carino = s.FCARINO;
    const auto balloon = table(*call(port, "BalonGetir", s), 0);
    QCOMPARE(balloon->rowCount(), 1);
    QCOMPARE(balloon->intAt(0, 0), qint64(list(port, "SepetVer2", carino)->rowCount()));
    QCOMPARE(balloon->intAt(0, 1), qint64(list(port, "YenilerVer2", carino)->rowCount()));
    QCOMPARE(balloon->intAt(0, 2),
             qint64(table(*call(port, "KampanyaliVer2", carino, 0), 0)->rowCount()));
    const auto balances = list(port, "BakiyelerVer2", carino);
    double open = 0;
    for (int r = 0; r < balances->rowCount(); ++r)
        open += dbl(*balances, r, "KALAN");
    QCOMPARE(balloon->doubleAt(0, 4), open);

    const auto statement = list(port, "CariEkstreVer", carino);
    QVERIFY(statement->rowCount() > 10);
    const double last = dbl(*statement, statement->rowCount() - 1, "BAKIYE");
    QCOMPARE(call(port, "CariDurumVer", carino)->string(0), QString::number(last, 'f', 2));
    QVERIFY(!call(port, "CariVadeGunGecmismiBul", carino)->string(0).isEmpty());

    // Every invoice of the statement adds up to its lines.
    int invoices = 0;
    for (int r = 0; r < statement->rowCount() && invoices < 10; ++r) {
        if (!txt(*statement, r, "TURADI").contains(QLatin1String("Fatura")))
            continue;
        ++invoices;
        const int id = int(num(*statement, r, "IDNO"));
        const auto totals = table(*call(port, "FaturaAltGetir", id), 0);
        QCOMPARE(dbl(*totals, 0, "KDVDAHIL"), dbl(*statement, r, "BORC"));
        QVERIFY(table(*call(port, "FaturaGetir", carino, id), 0)->rowCount() > 0);
    }
    QVERIFY(invoices > 0);

    // Every order's total is the sum of its lines.
    const auto orders = list(port, "OncekiSiparisler", carino);
    for (int r = 0; r < qMin(10, orders->rowCount()); ++r) {
        const auto lines = table(*call(port, "SiparisAyrintisi2", carino,
                                       int(num(*orders, r, "IDNO"))), 0);
        double sum = 0;
        for (int l = 0; l < lines->rowCount(); ++l)
            sum = roundDecimal(sum + dbl(*lines, l, "TUTAR"), 2);
        QCOMPARE(dbl(*orders, r, "TUTAR"), sum);
    }

    // A searched item costs the same in the search, the campaign list and the basket.
    const auto campaign = table(*call(port, "KampanyaliVer2", carino, 0), 0);
    QVERIFY(campaign->rowCount() > 0);
    const QString code = txt(*campaign, 0, "KOD");
    const auto found = table(*call(port, "StokAraGetir", code, s), 0);
    int r = -1;
    for (int row = 0; row < found->rowCount(); ++row) {
        if (txt(*found, row, "KOD") == code)
            r = row;
    }
    QVERIFY(r >= 0);
    QCOMPARE(dbl(*found, r, "NETFIYAT"), dbl(*campaign, 0, "NETFIYAT"));
    QCOMPARE(num(*found, r, "K"), 1);
}

void TestDemoServer::ordersInEveryState()
{
    const auto orders = list(m_server.port(), "OncekiSiparisler",
                             session(m_server.port(), QStringLiteral("DEMO-TIP0")).FCARINO);
    QSet<QString> states;
    for (int r = 0; r < orders->rowCount(); ++r)
        states.insert(txt(*orders, r, "DURUM"));
    for (const char *state : {"Sipariş Alındı", "Onaylandı", "Görüldü", "Parçalı Hazırlandı",
                              "Hazırlandı", "Sevk Edildi"})
        QVERIFY2(states.contains(QString::fromUtf8(state)), state);
}

// Pictures arrive with their announced size and decode: item photos as JPEG, the banners
// as GIF, GIF and Windows bitmap.
void TestDemoServer::picturesAndBanners()
{
    const quint16 port = m_server.port();
    const TSonucBilgisi s = session(port, QStringLiteral("DEMO-TIP0"));
    const auto items = table(*call(port, "StokAraGetir", "FREN", s), 0);
    int with = -1;
    int without = -1;
    for (int r = 0; r < items->rowCount(); ++r)
        (num(*items, r, "RESIM") ? with : without) = r;
    QVERIFY(with >= 0 && without >= 0);
    const auto picture = call(port, "ResimVer5", int(num(*items, with, "STOK_STOKNO")), Out());
    const QByteArray jpeg = picture->stream(1).value_or(QByteArray());
    QCOMPARE(picture->int64(0), qint64(jpeg.size()));
    QVERIFY(!QImage::fromData(jpeg, "JPG").isNull());
    QCOMPARE(call(port, "ResimVer5", int(num(*items, without, "STOK_STOKNO")), Out())->int64(0),
             qint64(0));

    const std::pair<const char *, const char *> banners[] = {
        {"BannerResimVer", "GIF"}, {"BannerResimVer2", "GIF"}, {"BannerResimVer3", "BMP"}};
    for (const auto &[method, format] : banners) {
        const auto reply = call(port, method, Out());
        const QByteArray bytes = reply->stream(1).value_or(QByteArray());
        QCOMPARE(reply->int64(0), qint64(bytes.size()));
        QVERIFY2(!QImage::fromData(bytes, format).isNull(), method);
    }
}

// Announcement and advert pictures travel as hexadecimal text of JPEG files; the tags
// lead to the campaign and new-product tabs.
void TestDemoServer::announcementsAndAdverts()
{
    const quint16 port = m_server.port();
    const auto screens = call(port, "AcilisEkranlarVer2")->record(0);
    const auto *holder = dynamic_cast<const TAcilisEkranlariki *>(screens.get());
    QVERIFY(holder);
    QCOMPARE(holder->FEkranlar.size(), 4);
    QCOMPARE(holder->FEkranlar[0].FArama, QStringLiteral("#KAMPANYA#"));
    QCOMPARE(holder->FEkranlar[1].FArama, QStringLiteral("#YENİ#"));
    for (const TAcilisEkran &screen : holder->FEkranlar)
        QVERIFY(!QImage::fromData(QByteArray::fromHex(screen.FResim.toLatin1()), "JPG").isNull());

    const int adverts = call(port, "AcilisReklamAdet")->integer(0);
    QCOMPARE(adverts, 3);
    for (int i = 0; i < adverts; ++i) {
        const auto advert = call(port, "AcilisREklamVer", i)->record(0);
        const auto *screen = dynamic_cast<const TAcilisEkran *>(advert.get());
        QVERIFY(screen);
        QVERIFY(!screen->FBaslik.isEmpty());
    }
    QVERIFY(!callError(port, "AcilisREklamVer", adverts).isEmpty());
    const QString ticker = call(port, "KayanYaziGetir")->string(0);
    QVERIFY(ticker.contains(QLatin1String("<b>")));
}

void TestDemoServer::webPages()
{
    const quint16 web = m_server.httpPort();
    const HttpReply ip = http(web, QStringLiteral("/ip"));
    QCOMPARE(ip.status, 200);
    QCOMPARE(ip.body.trimmed(), QByteArray("127.0.0.1"));

    const HttpReply setup = http(web, QStringLiteral("/exe/MervakSetup.exe"));
    QCOMPARE(setup.status, 200);
    QVERIFY(setup.contentType.startsWith("application/octet-stream"));
    QCOMPARE(setup.body, call(m_server.port(), "DosyaIndir", Out())->stream(1).value_or(QByteArray()));

    const HttpReply home = http(web, QStringLiteral("/"));
    QCOMPARE(home.status, 200);
    QVERIFY(QString::fromUtf8(home.body).contains(QLatin1String("MERVAK")));

    QCOMPARE(http(web, QStringLiteral("/yok.html")).status, 404);
}

// The card-payment page takes a payment into the statement, with its receipt; a wrong
// card number stores nothing; the page never echoes markup from its address.
void TestDemoServer::cardPaymentPage()
{
    const quint16 web = m_server.httpPort();
    const quint16 port = m_server.port();
    const int carino = session(port, QStringLiteral("DEMO-TIP0")).FCARINO;
    const QString path = QStringLiteral("/morlenkart.html?carino=%1&sube=MERKEZ&firmasi=DEMO%20OTO"
                                        "&bakiye=1234.50").arg(carino);
    const HttpReply form = http(web, path);
    QCOMPARE(form.status, 200);
    QVERIFY(QString::fromUtf8(form.body).contains(QLatin1String("1234.50")));

    const HttpReply script = http(web, QStringLiteral("/morlenkart.html?carino=%1&firmasi=%3Cscript%3E")
                                           .arg(carino));
    QVERIFY(!script.body.contains("<script>"));
    QVERIFY(script.body.contains("&lt;script&gt;"));

    const int before = list(port, "CariEkstreVer", carino)->rowCount();
    const HttpReply refused = http(web, path, "kartsahibi=TEST+KISI&kartno=4111111111111112&"
                                              "skt=12%2F39&cvv=123&tutar=100%2C00&taksit=1");
    QVERIFY(QString::fromUtf8(refused.body).contains(QStringLiteral("Kart numarası geçersiz")));
    QCOMPARE(list(port, "CariEkstreVer", carino)->rowCount(), before);

    const HttpReply paid = http(web, path, "kartsahibi=TEST+KISI&kartno=4111+1111+1111+1111&"
                                           "skt=12%2F39&cvv=123&tutar=100%2C50&taksit=3");
    QVERIFY2(QString::fromUtf8(paid.body).contains(QStringLiteral("Ödemeniz alındı")),
             paid.body.constData());
    const auto statement = list(port, "CariEkstreVer", carino);
    QCOMPARE(statement->rowCount(), before + 1);
    const int last = statement->rowCount() - 1;
    QCOMPARE(txt(*statement, last, "TURADI"), QStringLiteral("Tahsilat"));
    QCOMPARE(dbl(*statement, last, "ALACAK"), 100.5);
    const int receipt = call(port, "SanalposSiranoVer", int(num(*statement, last, "IDNO")))->integer(0);
    QVERIFY(receipt > 0);
    const auto entries = table(*call(port, "Tahsilat", int(num(*statement, last, "IDNO"))), 0);
    QCOMPARE(txt(*entries, 0, "Cins"), QStringLiteral("Kredi Kartı"));
    QVERIFY(call(port, "SAnalPosPdfVer", receipt, Out())->stream(1).value_or(QByteArray())
                .startsWith("%PDF"));
}

// The request form of an unregistered computer reaches the outbox; an incomplete one
// does not.
void TestDemoServer::requestForm()
{
    const quint16 web = m_server.httpPort();
    const QString path = QStringLiteral("/formmailgonder.aspx?carino=0&kullanici=%20&id=ABC-123");
    const HttpReply page = http(web, path);
    QCOMPARE(page.status, 200);
    QVERIFY(page.body.contains("ABC-123"));
    QVERIFY(page.body.contains("<form"));

    const HttpReply incomplete = http(web, path, "id=ABC-123&firmaadi=YENI+OTO");
    QVERIFY(QString::fromUtf8(incomplete.body).contains(QStringLiteral("boş olamaz")));
    const HttpReply sent = http(web, path,
                                "id=ABC-123&firmaadi=YEN%C4%B0+OTO&adres=SANAYI+1&ilce=MERKEZ&"
                                "sehir=ANKARA&telefon=0312+000+00+00&yetkili=ALI+VELI&"
                                "kullaniciadi=YENIOTO&mail=a%40b.com&aciklama=Bayi+olmak+istiyoruz");
    QVERIFY(QString::fromUtf8(sent.body).contains(QStringLiteral("İsteğiniz alınmıştır")));

    Server::SqliteStore store(m_db);
    int found = 0;
    for (const Server::QueuedMail &m : store.outbox()) {
        if (m.mail.computerId == QLatin1String("ABC-123")) {
            ++found;
            QCOMPARE(m.mail.firm, QStringLiteral("YENİ OTO"));
            QCOMPARE(m.mail.body, QStringLiteral("Bayi olmak istiyoruz"));
        }
    }
    QCOMPARE(found, 1);
}

// The same seed gives the same distributor.
void TestDemoServer::generatorIsDeterministic()
{
    const QString second = m_dir.filePath(QStringLiteral("demo2.db"));
    QCOMPARE(ServerProcess::run({QStringLiteral("--db"), second, QStringLiteral("demo-generate"),
                                 QStringLiteral("--items"), QString::number(DemoItems)}),
             0);
    const QString items = QStringLiteral(
        "SELECT stokno, code, name, barcode, oem1, list_price, campaign_price, stock, "
        "box_quantity, picture_id FROM items ORDER BY stokno");
    const QString movements = QStringLiteral(
        "SELECT carino, date, kind, debit, credit, document_no FROM account_movements "
        "WHERE idno IN (SELECT idno FROM account_movements ORDER BY idno LIMIT 400) "
        "ORDER BY idno");
    const QString lines = QStringLiteral(
        "SELECT idno, stokno, quantity, delivered, net_amount FROM order_lines ORDER BY id");
    // The first database has since taken the tests' payments and requests: compare what
    // the generator wrote.
    QCOMPARE(dump(second, items), dump(m_db, items));
    QCOMPARE(dump(second, lines), dump(m_db, lines));
    const QStringList a = dump(second, movements);
    const QStringList b = dump(m_db, movements);
    QCOMPARE(a.mid(0, 300), b.mid(0, 300));
}
