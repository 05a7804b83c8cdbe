// SPDX-License-Identifier: LicenseRef-Mervak
// TServerMethods1Client against the real mervak-server over TCP, with the server's test
// methods: every kind of value both ways, errors, ownership and time-outs.
#include "baglantiu.h"
#include "dataset.h"
#include "mobilstokunit.h"
#include "remoteerror.h"
#include "serverconnection.h"
#include "streamreading.h"
#include "testserver.h"
#include "tservermethods1client.h"

#include <QPointer>
#include <QtTest>

using namespace Mervak;

class tst_Client : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void echoAndReverse();
    void recordRoundTrip();
    void nullRecordArgumentStillCalls();
    void recordResults();
    void tableResult();
    void tableIntoCallersDataSet();
    void objectResultLivesUntilSameMethodAgain();
    void streams_data();
    void streams();
    void outParameters();
    void jsonArray();
    void errorReplies_data();
    void errorReplies();
    void severalCallsOnOneConnection();
    void everyMethodReachesTheServer();
    void refusesConnectionThatIsNotOpen();
    void callTimeout();
    void connectRefused();

private:
    Test::TestServer m_server;
    std::unique_ptr<ServerConnection> m_connection;
};

void tst_Client::initTestCase()
{
    QVERIFY2(m_server.start(), qPrintable(m_server.errors()));
}

void tst_Client::cleanupTestCase()
{
    QCOMPARE(m_server.stop(), 0);
}

void tst_Client::init()
{
    m_connection = std::make_unique<ServerConnection>();
    m_connection->HostName = QStringLiteral("127.0.0.1");
    m_connection->Port = QString::number(m_server.port());
    m_connection->open();
}

void tst_Client::cleanup()
{
    m_connection.reset();
}

void tst_Client::echoAndReverse()
{
    TServerMethods1Client client(m_connection.get());
    const QString text = QStringLiteral("Güncel \"fiyat\" listesi 😀\n");
    QCOMPARE(client.EchoString(text), text);
    QCOMPARE(client.ReverseString(QStringLiteral("abc😀")), QStringLiteral("😀cba"));
    QCOMPARE(client.EchoString(QString()), QString());
}

// A session record goes out with CikisGonder and comes back whole with BuyukGetir.
void tst_Client::recordRoundTrip()
{
    TSonucBilgisi session;
    session.setBILGISAYARID(QStringLiteral("DISK-1234"));
    session.setADI(QStringLiteral("Şükrü Öztürk"));
    session.setCARINO(4711);
    session.setVarmi(true);
    session.setMusteriTipi(3);
    session.setSaticiMail(QStringLiteral("satis@ornek.com.tr"));

    TServerMethods1Client client(m_connection.get());
    auto *copy = new TSonucBilgisi;
    copy->Kopyala(session);
    client.CikisGonder(copy);
    QVERIFY(client.hasConsumed(copy));   // freed by the client, as the caller was told

    TSonucBilgisi *back = client.BuyukGetir(QStringLiteral("DISK-1234"));
    QVERIFY(back);
    QVERIFY(back->sameFields(session));
    QVERIFY(!client.BuyukGetir(QStringLiteral("BILINMEYEN")));   // null record: none
}

void tst_Client::nullRecordArgumentStillCalls()
{
    TServerMethods1Client client(m_connection.get());
    try {
        client.CikisGonder(nullptr);
        QFAIL("no error");
    } catch (const RemoteError &e) {
        QCOMPARE(e.message(), QStringLiteral("Oturum bilgisi gelmedi"));
    }
}

void tst_Client::recordResults()
{
    TServerMethods1Client client(m_connection.get());
    TSiparisDipAyrinti *footer = client.SiparisAytintisiDip(0, 55);
    QVERIFY(footer);
    QCOMPARE(footer->Durumu(), QStringLiteral("Onaylandı"));
    QCOMPARE(footer->SizinMesaj(), QStringLiteral("Sipariş 55"));

    TAcilisEkranlariki *screens = client.AcilisEkranlarVer2();
    QVERIFY(screens);
    QCOMPARE(screens->Ekranlar().size(), 2);
    QCOMPARE(screens->Ekranlar().at(1).Baslik(), QStringLiteral("Duyuru 2"));
}

void tst_Client::tableResult()
{
    TServerMethods1Client client(m_connection.get());
    DataSet *table = client.TeslimVer();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->fieldCount(), 11);
    QCOMPARE(table->field(table->fieldIndex(QStringLiteral("TARIH"))).type, FieldType::Date);
    QCOMPARE(table->field(1).size, 40);
    QCOMPARE(table->stringAt(0, 1), QStringLiteral("Şanzıman \"ön\" \\ yağı\nçift satır"));
    QCOMPARE(table->intAt(2, 2), 5000000002LL);
    QCOMPARE(table->value(0, 7).toDate(), QDate(2026, 12, 11));
    QCOMPARE(table->value(0, 8).toTime(), QTime(14, 5, 0, 250));
    QCOMPARE(table->blobAt(2, 10).size(), 7);
    for (int c = 0; c < table->fieldCount(); ++c)
        QVERIFY(table->isNull(1, c));
}

void tst_Client::tableIntoCallersDataSet()
{
    DataSet mine;
    mine.addField(QStringLiteral("ESKI"), FieldType::String);
    {
        TServerMethods1Client client(m_connection.get());
        QCOMPARE(client.KargolarVer(2500, &mine), &mine);
    }
    // The client is gone; the caller's data set keeps the rows.
    QCOMPARE(mine.rowCount(), 2500);
    QCOMPARE(mine.stringAt(2499, 1), QStringLiteral("PARÇA 2499"));
}

// An object result belongs to the client until the same method runs again.
void tst_Client::objectResultLivesUntilSameMethodAgain()
{
    TServerMethods1Client client(m_connection.get());
    QPointer<DataSet> first = client.KargolarVer(3);
    QVERIFY(first);
    QPointer<DataSet> other = client.TeslimVer();
    QVERIFY(first);   // another method leaves it alone
    QPointer<DataSet> second = client.KargolarVer(4);
    QVERIFY(!first);
    QCOMPARE(second->rowCount(), 4);
    QVERIFY(other);
}

void tst_Client::streams_data()
{
    QTest::addColumn<int>("stokno");
    QTest::addColumn<qint64>("announced");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("no picture") << 0 << qint64(0) << false;
    QTest::newRow("picture") << 70000 << qint64(70000) << true;
    QTest::newRow("one block") << 1024 << qint64(1024) << true;
    QTest::newRow("short") << -3000 << qint64(3100) << false;
}

void tst_Client::streams()
{
    QFETCH(int, stokno);
    QFETCH(qint64, announced);
    QFETCH(bool, accepted);
    TServerMethods1Client client(m_connection.get());
    qint64 boy = -1;
    QIODevice *stream = client.ResimVer5(stokno, boy);
    QCOMPARE(boy, announced);
    QCOMPARE(stream == nullptr, stokno == 0);
    const std::optional<QByteArray> picture = readAnnouncedStream(stream, boy);
    QCOMPARE(picture.has_value(), accepted);
    if (accepted) {
        QCOMPARE(picture->size(), stokno);
        QCOMPARE(quint8(picture->at(300)), quint8(300 % 256));
    }
}

void tst_Client::outParameters()
{
    TServerMethods1Client client(m_connection.get());
    double usd = 0, eur = 0;
    QCOMPARE(client.KurlariAl(usd, eur), 1);
    QCOMPARE(usd, 38.5);
    QCOMPARE(eur, 41.25);

    int sepet = 0, yenistok = 0, kampanyali = 0, duyuru = 0, bakiye = 0, dosya = 0;
    QCOMPARE(client.BalonGetir2(100, sepet, yenistok, kampanyali, duyuru, bakiye, dosya), 100);
    QCOMPARE(QList<int>({sepet, yenistok, kampanyali, duyuru, bakiye, dosya}),
             QList<int>({101, 102, 103, 104, 105, 106}));

    qint64 size = 0;
    QString adi;
    QIODevice *document = client.BelgeIndir(2049, size, adi);
    QCOMPARE(size, 2049);
    QCOMPARE(adi, QStringLiteral("belge-2049.pdf"));
    QCOMPARE(readAnnouncedStream(document, size)->size(), 2049);

    bool kalan = false;
    int toplam = 0;
    QVERIFY(!client.MobilStokaraAdimli(QStringLiteral("fren"), nullptr, 0, 0, 5, 20, kalan,
                                       toplam));
    QVERIFY(kalan);
    QCOMPARE(toplam, 25);
}

void tst_Client::jsonArray()
{
    TServerMethods1Client client(m_connection.get());
    QJsonArray *array = client.CarileriVer();
    QVERIFY(array);
    QCOMPARE(array->size(), 3);
    QCOMPARE(array->at(1).toString(), QStringLiteral("bir"));
    QVERIFY(array->at(2).toObject().value(u"x").toBool());
}

void tst_Client::errorReplies_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("message");
    QTest::newRow("handler error") << "SepetSayisi" << "Sepet sayısı okunamadı: deneme hatası";
    QTest::newRow("callback")
        << "MobilStokaraGeri"
        << "TServerMethods1.MobilStokaraGeri: \"geri\" geri çağırma parametresi bu sunucuda "
           "desteklenmiyor";
}

void tst_Client::errorReplies()
{
    QFETCH(QString, which);
    QFETCH(QString, message);
    TServerMethods1Client client(m_connection.get());
    try {
        if (which == QLatin1String("SepetSayisi"))
            client.SepetSayisi(new TSonucBilgisi);
        else
            client.MobilStokaraGeri(QStringLiteral("fren"), nullptr, 0, 10, nullptr);
        QFAIL("no error");
    } catch (const TransportError &e) {
        QFAIL(qPrintable(e.message()));
    } catch (const RemoteError &e) {
        QCOMPARE(e.message(), message);
    }
    // The connection is still good for the next call of the sequence.
    QCOMPARE(client.EchoString(QStringLiteral("sonra")), QStringLiteral("sonra"));
}

void tst_Client::severalCallsOnOneConnection()
{
    TServerMethods1Client client(m_connection.get());
    for (int i = 0; i < 50; ++i)
        QCOMPARE(client.EchoString(QString::number(i)), QString::number(i));
    QCOMPARE(client.TeslimVer()->rowCount(), 3);
    QCOMPARE(client.EchoString(QStringLiteral("son")), QStringLiteral("son"));
}

// Each method of the table, with plain values for its parameters, reaches the server and
// gets a reply that the client reads: a result, or an error the server wrote.
void tst_Client::everyMethodReachesTheServer()
{
    TSonucBilgisi session;
    int answered = 0;
    for (const MethodInfo &m : ServerMethods::all()) {
        Wire::RequestWriter request(m);
        for (const ParamInfo &p : m.params) {
            if (p.isOut()) {
                request.addNull();
                continue;
            }
            switch (p.kind) {
            case ParamKind::String: request.addString(QStringLiteral("1")); break;
            case ParamKind::Integer: request.addInteger(1); break;
            case ParamKind::Int64: request.addInt64(1); break;
            case ParamKind::Double: request.addDouble(46000); break;
            case ParamKind::Boolean: request.addBoolean(true); break;
            case ParamKind::Record: request.addRecord(&session); break;
            default: request.addNull(); break;
            }
        }
        const QByteArray reply = m_connection->exchange(m, request.finish());
        try {
            Wire::ReplyReader reader(m, reply);
            ++answered;
        } catch (const TransportError &e) {
            QFAIL(qPrintable(e.message()));
        } catch (const RemoteError &e) {
            // Refused by the business or not implemented: but never a value of the wrong
            // kind, which the server names with its position.
            QVERIFY2(!e.message().contains(u". sıra)"), qPrintable(e.message()));
            ++answered;
        }
    }
    QCOMPARE(answered, 107);
}

void tst_Client::refusesConnectionThatIsNotOpen()
{
    const QString text = QStringLiteral(
        "Connection cannot be nil.  Make sure the connection has been opened.");
    ServerConnection closed;
    try {
        TServerMethods1Client client(&closed);
        QFAIL("created");
    } catch (const RemoteError &e) {
        QCOMPARE(e.message(), text);
    }
    QVERIFY_THROWS_EXCEPTION(RemoteError, TServerMethods1Client(nullptr));
}

// A call that takes longer than the call time-out ends with an error, not a wait.
void tst_Client::callTimeout()
{
    m_connection->callTimeoutMs = 300;
    TServerMethods1Client client(m_connection.get());
    try {
        client.SepetSecimGuncelle(-1, 3000);   // the test method sleeps 3 s
        QFAIL("no time-out");
    } catch (const TransportError &e) {
        QCOMPARE(e.message(), QStringLiteral("Sunucu 1 saniye içinde yanıt vermedi "
                                             "(TServerMethods1.SepetSecimGuncelle)"));
    }
    QVERIFY(!m_connection->isOpen());
    QVERIFY_THROWS_EXCEPTION(TransportError, client.EchoString(QStringLiteral("x")));
}

void tst_Client::connectRefused()
{
    ServerConnection nowhere;
    nowhere.HostName = QStringLiteral("127.0.0.1");
    nowhere.Port = QString::number(Test::freePort());
    try {
        nowhere.open();
        QFAIL("opened");
    } catch (const TransportError &e) {
        QCOMPARE(e.message(), QStringLiteral("Sunucuya bağlanılamadı (127.0.0.1:%1): bağlantı "
                                             "reddedildi")
                                  .arg(nowhere.Port));
    }
    QVERIFY(!nowhere.isOpen());
    nowhere.HostName.clear();
    QVERIFY_THROWS_EXCEPTION(TransportError, nowhere.open());
}

QTEST_GUILESS_MAIN(tst_Client)
#include "tst_client.moc"
