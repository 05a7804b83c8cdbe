// SPDX-License-Identifier: LicenseRef-Mervak
// The server's call framework: bad input over real TCP against mervak-server (it answers,
// closes where it must, and keeps serving), many connections at once, time-outs, shutdown,
// and the dispatcher in-process.
#include "calllog.h"
#include "dispatcher.h"
#include "handlerregistry.h"
#include "remoteerror.h"
#include "testserver.h"
#include "wireframe.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QtEndian>
#include <QtTest>

#include <stdexcept>

using namespace Mervak;

namespace {

QByteArray request(const char *method, const QByteArray &params)
{
    return QByteArray("{\"method\":\"TServerMethods1.") + method + "\",\"params\":" + params + "}";
}

QString errorOf(const QByteArray &reply)
{
    return QJsonDocument::fromJson(reply).object().value(u"error").toString();
}

// A client connection that reads whole frames with a deadline.
class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        m_socket.waitForConnected(5000);
    }
    bool connected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    void send(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        m_socket.waitForBytesWritten(5000);
    }
    // The next frame's payload; empty when the server closed or nothing came in time.
    QByteArray receive(int timeoutMs = 10000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            if (m_buffer.size() >= 4) {
                const quint32 n = qFromBigEndian<quint32>(m_buffer.constData());
                if (m_buffer.size() >= qsizetype(4 + n)) {
                    const QByteArray payload = m_buffer.mid(4, n);
                    m_buffer.remove(0, 4 + n);
                    return payload;
                }
            }
            if (!m_socket.waitForReadyRead(50) && !connected() && m_socket.bytesAvailable() == 0)
                return {};
            m_buffer += m_socket.readAll();
        }
        return {};
    }
    // Whether the server closes its side within the time given.
    bool closedWithin(int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (connected() && !deadline.hasExpired()) {
            m_socket.waitForReadyRead(50);
            m_socket.readAll();
        }
        return !connected();
    }

private:
    QTcpSocket m_socket;
    QByteArray m_buffer;
};

} // namespace

class tst_CallFramework : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void badInput_data();
    void badInput();
    void requestInPieces();
    void stalledRequest();
    void idleConnectionIsClosed();
    void manyConnectionsAtOnce();
    void logsOneLinePerCall();
    void stopsCleanlyOnSigterm();

    void dispatcherNotImplemented();
    void dispatcherHandlerFailures_data();
    void dispatcherHandlerFailures();
    void dispatcherRefusesReplyOverFrameSize();
    void registryRefusesUnknownNames();

private:
    Test::TestServer m_server;
};

void tst_CallFramework::initTestCase()
{
    Server::setCallLogEnabled(false);   // the in-process dispatcher tests
    QVERIFY2(m_server.start({QStringLiteral("--read-timeout"), QStringLiteral("700"),
                             QStringLiteral("--idle-timeout"), QStringLiteral("1500")}),
             qPrintable(m_server.errors()));
}

void tst_CallFramework::cleanupTestCase()
{
    m_server.stop();
}

void tst_CallFramework::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("closes");
    auto bigEndian = [](quint32 n) {
        QByteArray b(4, Qt::Uninitialized);
        qToBigEndian(n, b.data());
        return b;
    };
    QTest::newRow("zero length") << bigEndian(0) << "Geçersiz çerçeve: uzunluk 0" << true;
    QTest::newRow("oversized")
        << bigEndian(Wire::MaxFrameSize + 1) + QByteArray(1000, 'x')
        << "Geçersiz çerçeve: uzunluk 67108865 bayt, en çok 67108864 bayt olabilir" << true;
    QTest::newRow("largest length")
        << bigEndian(0xFFFFFFFFu) << "uzunluk 4294967295 bayt" << true;
    QTest::newRow("invalid UTF-8")
        << Test::frame(request("EchoString", "[\"\xc3\x28\"]")) << "metin UTF-8 değil" << true;
    QTest::newRow("not JSON") << Test::frame("GET / HTTP/1.1") << "JSON okunamadı" << true;
    QTest::newRow("not an object") << Test::frame("\"EchoString\"") << "JSON nesnesi" << true;
    QTest::newRow("no method") << Test::frame(R"({"params":[]})") << "\"method\" metni yok"
                               << true;
    QTest::newRow("unknown method") << Test::frame(request("Yok", "[]"))
                                    << "Bilinmeyen yöntem: TServerMethods1.Yok" << false;
    QTest::newRow("wrong count") << Test::frame(request("EchoString", "[]"))
                                 << "TServerMethods1.EchoString: 1 parametre bekleniyordu, 0 geldi"
                                 << false;
    QTest::newRow("wrong kind") << Test::frame(request("KargolarVer", "[\"2\"]"))
                                << "TServerMethods1.KargolarVer: \"gn\" parametresi (0. sıra) "
                                   "tamsayı olmalı"
                                << false;
    QTest::newRow("params not an array") << Test::frame(request("EchoString", "{\"Value\":1}"))
                                         << "\"params\" dizisi yok" << false;
    QTest::newRow("broken record")
        << Test::frame(request("CikisGonder", R"([{"type":"baglantiu.Yok","id":1,"fields":{}}])"))
        << "\"bilgi\" parametresi (0. sıra):" << false;
}

// Every bad input gets an error reply; a frame that cannot be read also ends the connection,
// a refused call does not. Either way the server answers the next connection.
void tst_CallFramework::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(bool, closes);

    RawClient client(m_server.port());
    QVERIFY(client.connected());
    client.send(bytes);
    const QByteArray reply = client.receive();
    QVERIFY2(errorOf(reply).contains(error), reply.constData());
    if (closes) {
        QVERIFY(client.closedWithin(5000));
    } else {
        client.send(Test::frame(request("EchoString", "[\"aynı bağlantı\"]")));
        QCOMPARE(client.receive(), QByteArray(R"({"result":["aynı bağlantı"]})"));
    }

    RawClient fresh(m_server.port());
    fresh.send(Test::frame(request("EchoString", "[\"yeni\"]")));
    QCOMPARE(fresh.receive(), QByteArray(R"({"result":["yeni"]})"));
}

void tst_CallFramework::requestInPieces()
{
    RawClient client(m_server.port());
    const QByteArray bytes = Test::frame(request("ReverseString", "[\"parça\"]"));
    for (const char byte : bytes) {
        client.send(QByteArray(1, byte));
        QTest::qWait(2);
    }
    QCOMPARE(client.receive(), QByteArray(R"({"result":["açrap"]})"));
}

// A request that starts and then stops arriving is answered with a time-out and closed.
void tst_CallFramework::stalledRequest()
{
    RawClient client(m_server.port());
    const QByteArray bytes = Test::frame(request("EchoString", "[\"yarım\"]"));
    client.send(bytes.left(10));
    const QByteArray reply = client.receive();
    QCOMPARE(errorOf(reply), QStringLiteral("Zaman aşımı: istek 1 saniye içinde tamamlanmadı"));
    QVERIFY(client.closedWithin(5000));
}

void tst_CallFramework::idleConnectionIsClosed()
{
    RawClient client(m_server.port());
    client.send(Test::frame(request("EchoString", "[\"bir\"]")));
    QVERIFY(!client.receive().isEmpty());
    QVERIFY(client.closedWithin(10000));   // --idle-timeout 1500
}

// Connections are served side by side: a slow call does not hold up the others.
void tst_CallFramework::manyConnectionsAtOnce()
{
    RawClient slow(m_server.port());
    slow.send(Test::frame(request("SepetSecimGuncelle", "[-1,1500]")));
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < 24; ++i) {
        clients.push_back(std::make_unique<RawClient>(m_server.port()));
        clients.back()->send(Test::frame(request("EchoString", "[\"" + QByteArray::number(i)
                                                                   + "\"]")));
    }
    for (int i = 0; i < 24; ++i)
        QCOMPARE(clients[std::size_t(i)]->receive(),
                 "{\"result\":[\"" + QByteArray::number(i) + "\"]}");
    QCOMPARE(slow.receive(), QByteArray(R"({"result":[]})"));
}

void tst_CallFramework::logsOneLinePerCall()
{
    RawClient client(m_server.port());
    client.send(Test::frame(request("EchoString", "[\"günlük\"]")));
    client.receive();
    client.send(Test::frame(request("KargolarVer", "[\"x\"]")));
    client.receive();
    QTRY_VERIFY_WITH_TIMEOUT(m_server.errors().contains(u"TServerMethods1.KargolarVer"), 20000);
    const QStringList lines = m_server.errors().split(u'\n');
    const auto echo = std::find_if(lines.begin(), lines.end(), [](const QString &l) {
        return l.contains(u" TServerMethods1.EchoString ") && l.endsWith(u" ms");
    });
    QVERIFY(echo != lines.end());
    QVERIFY(echo->contains(u"127.0.0.1:"));
    QVERIFY(m_server.errors().contains(
        u"TServerMethods1.KargolarVer: \"gn\" parametresi (0. sıra) tamsayı olmalı"));
}

void tst_CallFramework::stopsCleanlyOnSigterm()
{
#ifdef Q_OS_WIN
    QSKIP("no SIGTERM on Windows");
#else
    Test::TestServer server;
    QVERIFY(server.start());
    RawClient idle(server.port());   // an open connection does not hold the shutdown up
    QVERIFY(idle.connected());
    QCOMPARE(server.stop(), 0);
    QVERIFY(server.errors().contains(u"mervak-server durdu"));
#endif
}

void tst_CallFramework::dispatcherNotImplemented()
{
    Server::HandlerRegistry registry;
    Server::Dispatcher dispatcher(registry);
    const auto outcome = dispatcher.handle(request("PandelorVer", "[]"));
    QCOMPARE(errorOf(outcome.reply),
             QStringLiteral("TServerMethods1.PandelorVer: bu yöntem bu sunucuda uygulanmamış"));
    QVERIFY(!outcome.closeConnection);
}

void tst_CallFramework::dispatcherHandlerFailures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("error");
    QTest::newRow("RemoteError") << 0 << "Stok bulunamadı";
    QTest::newRow("std exception") << 1 << "TServerMethods1.KurlariAl: kur servisi yok";
    QTest::newRow("missing out parameter") << 2 << "TServerMethods1.KurlariAl: sunucu iç hatası";
    QTest::newRow("anything else") << 3 << "TServerMethods1.KurlariAl: sunucu iç hatası";
}

// Whatever a handler does wrong ends as an error reply, and the call after it is served.
void tst_CallFramework::dispatcherHandlerFailures()
{
    QFETCH(int, kind);
    QFETCH(QString, error);
    Server::HandlerRegistry registry;
    registry.registerHandler(u"KurlariAl", [kind](const Wire::Request &, Wire::ReplyWriter &out) {
        switch (kind) {
        case 0: throw RemoteError(QStringLiteral("Stok bulunamadı"));
        case 1: throw std::runtime_error("kur servisi yok");
        case 2: out.setDouble(u"usd", 1); break;   // eur and the result never set
        default: throw 42;
        }
    });
    Server::Dispatcher dispatcher(registry);
    const auto outcome = dispatcher.handle(request("KurlariAl", "[null,null]"));
    QVERIFY2(errorOf(outcome.reply).startsWith(error), outcome.reply.constData());
    QCOMPARE(outcome.error, errorOf(outcome.reply));
    QCOMPARE(outcome.command, QStringLiteral("TServerMethods1.KurlariAl"));
}

void tst_CallFramework::dispatcherRefusesReplyOverFrameSize()
{
    Server::HandlerRegistry registry;
    registry.registerHandler(u"EchoString", [](const Wire::Request &, Wire::ReplyWriter &out) {
        out.resultString(QString(qsizetype(Wire::MaxFrameSize), u'x'));
    });
    Server::Dispatcher dispatcher(registry);
    const auto outcome = dispatcher.handle(request("EchoString", "[\"x\"]"));
    QCOMPARE(errorOf(outcome.reply),
             QStringLiteral("TServerMethods1.EchoString: yanıt 67108864 baytlık çerçeve sınırını "
                            "aşıyor"));
}

void tst_CallFramework::registryRefusesUnknownNames()
{
    Server::HandlerRegistry registry;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             registry.registerHandler(u"StokAraGetir2", {}));
    registry.registerHandler(u"EchoString", [](const Wire::Request &, Wire::ReplyWriter &out) {
        out.resultString(QStringLiteral("bir"));
    });
    registry.registerHandler(u"EchoString", [](const Wire::Request &, Wire::ReplyWriter &out) {
        out.resultString(QStringLiteral("iki"));
    });
    Server::Dispatcher dispatcher(registry);
    QCOMPARE(dispatcher.handle(request("EchoString", "[\"x\"]")).reply,
             QByteArray(R"({"result":["iki"]})"));
}

QTEST_GUILESS_MAIN(tst_CallFramework)
#include "tst_callframework.moc"
