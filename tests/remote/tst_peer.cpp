// SPDX-License-Identifier: LicenseRef-Mervak
// The client against a peer that misbehaves: every case ends in an error with a Turkish
// text naming the method, within the time-outs, and the connection is closed.
#include "remoteerror.h"
#include "serverconnection.h"
#include "tservermethods1client.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

using namespace Mervak;

namespace {

enum class Behaviour { CloseMidFrame, ShortFrameThenSilence, Garbage, NotJson, NeverAnswers,
                       CloseAtOnce, ZeroLength, HalfHeader };

// A one-connection server on its own thread that reads the request and then misbehaves.
class BadPeer : public QThread
{
public:
    explicit BadPeer(Behaviour behaviour) : m_behaviour(behaviour)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
        probe.close();
        start();
        m_ready.acquire();
    }
    ~BadPeer() override
    {
        m_stop = true;
        wait();
    }
    quint16 port() const { return m_port; }

protected:
    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, m_port);
        m_ready.release();
        if (!server.waitForNewConnection(10000))
            return;
        QTcpSocket *socket = server.nextPendingConnection();
        if (m_behaviour == Behaviour::CloseAtOnce) {
            socket->abort();
            return;
        }
        socket->waitForReadyRead(5000);   // the request
        socket->readAll();
        auto header = [](quint32 n) {
            QByteArray b(4, Qt::Uninitialized);
            qToBigEndian(n, b.data());
            return b;
        };
        switch (m_behaviour) {
        case Behaviour::CloseMidFrame:
            socket->write(header(100) + QByteArray(R"({"result":["ya)"));
            socket->waitForBytesWritten(1000);
            socket->disconnectFromHost();
            break;
        case Behaviour::ShortFrameThenSilence:
            socket->write(header(100) + QByteArray(R"({"result":["ya)"));
            break;
        case Behaviour::Garbage:
            socket->write("HTTP/1.1 400 Bad Request\r\n\r\n");
            break;
        case Behaviour::NotJson: {
            const QByteArray text = "merhaba";
            socket->write(header(quint32(text.size())) + text);
            break;
        }
        case Behaviour::ZeroLength:
            socket->write(header(0));
            break;
        case Behaviour::HalfHeader:
            socket->write(QByteArray(2, '\0'));
            socket->waitForBytesWritten(1000);
            socket->disconnectFromHost();
            break;
        case Behaviour::NeverAnswers:
        case Behaviour::CloseAtOnce:
            break;
        }
        if (socket->state() == QAbstractSocket::ConnectedState)
            socket->waitForBytesWritten(1000);
        while (!m_stop && socket->state() == QAbstractSocket::ConnectedState)
            socket->waitForReadyRead(50);
    }

private:
    Behaviour m_behaviour;
    quint16 m_port = 0;
    QSemaphore m_ready;
    std::atomic<bool> m_stop{false};
};

} // namespace

class tst_Peer : public QObject
{
    Q_OBJECT

private slots:
    void misbehavingPeer_data();
    void misbehavingPeer();
};

void tst_Peer::misbehavingPeer_data()
{
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("callTimeoutMs");
    const QString closed = QStringLiteral(
        "Sunucu bağlantıyı yanıt tamamlanmadan kapattı (TServerMethods1.EchoString)");
    const QString silent = QStringLiteral(
        "Sunucu 1 saniye içinde yanıt vermedi (TServerMethods1.EchoString)");
    // A peer that acts gets time enough to act on a busy machine; a silent one does not.
    const int acting = 10000;
    const int silence = 400;
    QTest::newRow("closes mid-frame") << int(Behaviour::CloseMidFrame) << closed << acting;
    QTest::newRow("closes in the header") << int(Behaviour::HalfHeader) << closed << acting;
    // The request may already fail to go out when the peer has reset the connection.
    QTest::newRow("closes at once") << int(Behaviour::CloseAtOnce)
                                    << closed + u'|'
                                           + QStringLiteral("İstek sunucuya gönderilemedi "
                                                            "(TServerMethods1.EchoString)")
                                    << acting;
    QTest::newRow("short frame, then silence")
        << int(Behaviour::ShortFrameThenSilence) << silent << silence;
    QTest::newRow("never answers") << int(Behaviour::NeverAnswers) << silent << silence;
    QTest::newRow("garbage")
        << int(Behaviour::Garbage)
        << "Sunucudan gelen yanıt okunamadı (TServerMethods1.EchoString): geçersiz uzunluk "
               + QString::number(qFromBigEndian<quint32>("HTTP"))
        << acting;
    QTest::newRow("zero length")
        << int(Behaviour::ZeroLength)
        << "Sunucudan gelen yanıt okunamadı (TServerMethods1.EchoString): geçersiz uzunluk 0"
        << acting;
    QTest::newRow("not JSON")
        << int(Behaviour::NotJson)
        << "Sunucudan gelen yanıt okunamadı (TServerMethods1.EchoString): JSON okunamadı"
        << acting;
}

void tst_Peer::misbehavingPeer()
{
    QFETCH(int, behaviour);
    QFETCH(QString, error);
    QFETCH(int, callTimeoutMs);
    BadPeer peer(Behaviour{behaviour});
    ServerConnection connection;
    connection.HostName = QStringLiteral("127.0.0.1");
    connection.Port = QString::number(peer.port());
    connection.callTimeoutMs = callTimeoutMs;
    connection.open();
    TServerMethods1Client client(&connection);
    try {
        client.EchoString(QStringLiteral("merhaba"));
        QFAIL("no error");
    } catch (const TransportError &e) {
        const QStringList accepted = error.split(u'|');
        QVERIFY2(std::any_of(accepted.begin(), accepted.end(),
                             [&](const QString &a) { return e.message().startsWith(a); }),
                 qPrintable(e.message()));
    }
    QVERIFY(!connection.isOpen());
}

QTEST_GUILESS_MAIN(tst_Peer)
#include "tst_peer.moc"
