// SPDX-License-Identifier: LicenseRef-Mervak
// ConnectCheck's attempts, messages and final dialog, and the remote call sequence
// (RemoteCall) against the real server. Dialogs are answered through the message hook.
#include "connectcheck.h"
#include "messagedialog.h"
#include "remotecall.h"
#include "remoteerror.h"
#include "serverconnection.h"
#include "testserver.h"

#include <QTcpServer>
#include <QtConcurrent>
#include <QtTest>

using namespace Mervak;

namespace {

struct Shown
{
    ShownMessage message;
    bool onUiThread = false;
};

} // namespace

class tst_ConnectCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void nothingListening_data();
    void nothingListening();
    void acceptsAtTheThirdAttempt();
    void messagesShowOnTheUiThreadWhileAWorkerWaits();

    void remoteCallRunsTheSequence();
    void remoteCallCopiesTheSession();
    void remoteCallWithoutServerCallsNothing();
    void remoteCallCarriesTheServerText();
    void remoteCallOnAWorkerUsesAClone();
    void remoteCallDirectThrowsWhenItCannotOpen();

private:
    QList<Shown> m_shown;
    Test::TestServer m_server;
};

void tst_ConnectCheck::initTestCase()
{
    QVERIFY2(m_server.start(), qPrintable(m_server.errors()));
}

void tst_ConnectCheck::cleanupTestCase()
{
    m_server.stop();
}

void tst_ConnectCheck::init()
{
    m_shown.clear();
    Testing::setConnectCheckTiming(11, 5);
    setMessageDialogHook([this](const ShownMessage &m) {
        m_shown.append({m, QThread::currentThread() == qApp->thread()});
        return int(mrOk);
    });
}

void tst_ConnectCheck::cleanup()
{
    setMessageDialogHook({});
    Testing::resetConnectCheckTiming();
}

// Eleven attempts, each with its own message; the final dialog only when asked.
void tst_ConnectCheck::nothingListening_data()
{
    QTest::addColumn<int>("reportFlag");
    QTest::addColumn<bool>("finalDialog");
    QTest::newRow("reporting") << 1 << true;
    QTest::newRow("silent") << 0 << false;
    QTest::newRow("other flag is silent") << 2 << false;
}

void tst_ConnectCheck::nothingListening()
{
    QFETCH(int, reportFlag);
    QFETCH(bool, finalDialog);
    ServerConnection connection;
    connection.HostName = QStringLiteral("127.0.0.1");
    connection.Port = QString::number(Test::freePort());
    QVERIFY(!ConnectCheck(&connection, reportFlag));
    QVERIFY(!connection.isOpen());

    QCOMPARE(m_shown.size(), 11 + (finalDialog ? 1 : 0));
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(m_shown[i].message.type, mtCustom);
        QCOMPARE(m_shown[i].message.text,
                 QStringLiteral("Sunucuya bağlanılamadı (127.0.0.1:%1): bağlantı reddedildi")
                     .arg(connection.Port));
    }
    if (finalDialog) {
        QCOMPARE(m_shown.last().message.text,
                 QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QCOMPARE(m_shown.last().message.type, mtError);
        QCOMPARE(m_shown.last().message.buttons, mbOKOnly);
    }
}

// The server starts listening while the second message is on the screen: two messages,
// the third attempt opens, no final dialog.
void tst_ConnectCheck::acceptsAtTheThirdAttempt()
{
    const quint16 port = Test::freePort();
    QTcpServer late;
    setMessageDialogHook([&](const ShownMessage &m) {
        m_shown.append({m, true});
        if (m_shown.size() == 2)
            late.listen(QHostAddress::LocalHost, port);
        return int(mrOk);
    });
    ServerConnection connection;
    connection.HostName = QStringLiteral("127.0.0.1");
    connection.Port = QString::number(port);
    QVERIFY(ConnectCheck(&connection, 1));
    QVERIFY(connection.isOpen());
    QCOMPARE(m_shown.size(), 2);
}

void tst_ConnectCheck::messagesShowOnTheUiThreadWhileAWorkerWaits()
{
    Testing::setConnectCheckTiming(3, 5);
    ServerConnection connection;
    connection.HostName = QStringLiteral("127.0.0.1");
    connection.Port = QString::number(Test::freePort());
    QFuture<bool> done = QtConcurrent::run([&] { return ConnectCheck(&connection, 1); });
    QTRY_VERIFY_WITH_TIMEOUT(done.isFinished(), 30000);
    QVERIFY(!done.result());
    QCOMPARE(m_shown.size(), 4);
    for (const Shown &s : std::as_const(m_shown))
        QVERIFY(s.onUiThread);
}

void tst_ConnectCheck::remoteCallRunsTheSequence()
{
    ServerConnection bagc;
    bagc.HostName = QStringLiteral("127.0.0.1");
    bagc.Port = QString::number(m_server.port());
    QString answer;
    QVERIFY(RemoteCall::run(bagc, nullptr, 1, [&](TServerMethods1Client &c, TSonucBilgisi *s) {
        QVERIFY(!s);
        answer = c.EchoString(QStringLiteral("sıra"));
    }));
    QCOMPARE(answer, QStringLiteral("sıra"));
    QVERIFY(!bagc.isOpen());   // closed again after the call
    QVERIFY(m_shown.isEmpty());
}

// The body gets a copy of the session, which the method frees; the session stays intact.
void tst_ConnectCheck::remoteCallCopiesTheSession()
{
    ServerConnection bagc;
    bagc.HostName = QStringLiteral("127.0.0.1");
    bagc.Port = QString::number(m_server.port());
    TSonucBilgisi sbilgi;
    sbilgi.setBILGISAYARID(QStringLiteral("OTURUM-1"));
    sbilgi.setCariAdi(QStringLiteral("Öz Yedek Parça"));
    QVERIFY(RemoteCall::run(bagc, &sbilgi, 1, [&](TServerMethods1Client &c, TSonucBilgisi *s) {
        QVERIFY(s && s != &sbilgi);
        c.CikisGonder(s);
    }));
    QCOMPARE(sbilgi.CariAdi(), QStringLiteral("Öz Yedek Parça"));

    TSonucBilgisi back;
    QVERIFY(RemoteCall::run(bagc, &sbilgi, 1, [&](TServerMethods1Client &c, TSonucBilgisi *) {
        // A body that does not pass the copy on: the sequence frees it.
        back.Kopyala(*c.BuyukGetir(QStringLiteral("OTURUM-1")));
    }));
    QVERIFY(back.sameFields(sbilgi));
}

void tst_ConnectCheck::remoteCallWithoutServerCallsNothing()
{
    Testing::setConnectCheckTiming(2, 1);
    ServerConnection bagc;
    bagc.HostName = QStringLiteral("127.0.0.1");
    bagc.Port = QString::number(Test::freePort());
    bool called = false;
    QVERIFY(!RemoteCall::run(bagc, nullptr, 1,
                             [&](TServerMethods1Client &, TSonucBilgisi *) { called = true; }));
    QVERIFY(!called);
    QCOMPARE(m_shown.size(), 3);
    QCOMPARE(m_shown.last().message.text, ConnectionFailedMessage);
}

void tst_ConnectCheck::remoteCallCarriesTheServerText()
{
    ServerConnection bagc;
    bagc.HostName = QStringLiteral("127.0.0.1");
    bagc.Port = QString::number(m_server.port());
    TSonucBilgisi sbilgi;
    try {
        RemoteCall::run(bagc, &sbilgi, 1, [](TServerMethods1Client &c, TSonucBilgisi *s) {
            c.SepetSayisi(s);
        });
        QFAIL("no error");
    } catch (const RemoteError &e) {
        QCOMPARE(e.message(), QStringLiteral("Sepet sayısı okunamadı: deneme hatası"));
    }
    QVERIFY(!bagc.isOpen());
}

// Background work never touches the connection it was given: it works on a clone.
void tst_ConnectCheck::remoteCallOnAWorkerUsesAClone()
{
    ServerConnection bagc;
    bagc.HostName = QStringLiteral("127.0.0.1");
    bagc.Port = QString::number(m_server.port());
    QFuture<QString> result = QtConcurrent::run([&] {
        QString answer;
        RemoteCall::run(bagc, nullptr, 0, [&](TServerMethods1Client &c, TSonucBilgisi *) {
            answer = c.ReverseString(QStringLiteral("işçi"));
        });
        return answer;
    });
    QTRY_VERIFY_WITH_TIMEOUT(result.isFinished(), 30000);
    QCOMPARE(result.result(), QStringLiteral("içşi"));
    QVERIFY(!bagc.isOpen());
}

void tst_ConnectCheck::remoteCallDirectThrowsWhenItCannotOpen()
{
    ServerConnection bagc;
    bagc.HostName = QStringLiteral("127.0.0.1");
    bagc.Port = QString::number(Test::freePort());
    QVERIFY_THROWS_EXCEPTION(TransportError,
                             RemoteCall::runDirect(bagc, nullptr,
                                                   [](TServerMethods1Client &, TSonucBilgisi *) {}));
    QVERIFY(m_shown.isEmpty());   // no retries, no messages
}

QTEST_MAIN(tst_ConnectCheck)
#include "tst_connectcheck.moc"
