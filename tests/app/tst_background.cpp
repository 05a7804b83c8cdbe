// SPDX-License-Identifier: LicenseRef-Mervak
// Background pairs, the synchronous hand-over and the tab load pattern.
#include "await.h"
#include "baglantiu.h"
#include "connectcheck.h"
#include "datagrid.h"
#include "dataset.h"
#include "messagedialog.h"
#include "remotecall.h"
#include "serverconnection.h"
#include "tabload.h"

#include <QApplication>
#include <QLabel>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <stdexcept>

using namespace Mervak;

class tst_Background : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void completionRunsOnUiThreadAfterWork();
    void uncaughtErrorShownAfterCompletion();
    void completionDroppedWithItsContext();
    void handOverWaitsForUiThread();
    void handOverCarriesErrorBack();

    void tabLoadStates_data();
    void tabLoadStates();
    void tabLoadUncaughtError();
    void tabLoadTriggeredAgainWhileRunning();
    void tabLoadPreparesOnUiThread();
    void tabLoadWithGrid();
    void tabLoadServerUnreachable();

private:
    QList<ShownMessage> m_messages;
    QStringList m_events;   // completion steps and messages in the order they happened
};

void tst_Background::init()
{
    m_messages.clear();
    m_events.clear();
    setMessageDialogHook([this](const ShownMessage &m) {
        m_messages << m;
        m_events << QStringLiteral("message:") + m.text;
        return int(mrOk);
    });
}

void tst_Background::cleanup()
{
    setMessageDialogHook({});
    BackgroundPool()->waitForDone();
}

void tst_Background::completionRunsOnUiThreadAfterWork()
{
    QThread *workThread = nullptr;
    QThread *completionThread = nullptr;
    std::atomic<bool> workDone = false;
    bool workDoneSeenByCompletion = false;
    bool completed = false;

    BeginAsync([&] {
        workThread = QThread::currentThread();
        workDone = true;
    })->Await([&] {
        completionThread = QThread::currentThread();
        workDoneSeenByCompletion = workDone;
        completed = true;
    });
    // Await returns at once: the completion needs the event loop.
    QVERIFY(!completed);
    QTRY_VERIFY(completed);
    QVERIFY(workThread != QThread::currentThread());
    QCOMPARE(completionThread, QThread::currentThread());
    QVERIFY(workDoneSeenByCompletion);
    QVERIFY(m_messages.isEmpty());
}

// An error the work step does not catch must not be lost: the completion step still runs
// (it hides the busy animation and reattaches grids) and the error text follows it.
void tst_Background::uncaughtErrorShownAfterCompletion()
{
    bool completed = false;
    BeginAsync([] {
        throw std::runtime_error("Sunucu hatası: tablo yok");
    })->Await([&] {
        completed = true;
        m_events << QStringLiteral("completion");
    });
    QTRY_COMPARE(m_messages.size(), 1);
    QVERIFY(completed);
    QCOMPARE(m_events, (QStringList{QStringLiteral("completion"),
                                    QStringLiteral("message:Sunucu hatası: tablo yok")}));
    QCOMPARE(m_messages.first().type, mtError);
}

void tst_Background::completionDroppedWithItsContext()
{
    auto context = new QObject;
    QSemaphore gate;
    bool completed = false;
    BeginAsync([&] { gate.acquire(); })->Await([&] { completed = true; }, context);
    delete context;
    gate.release();
    BackgroundPool()->waitForDone();
    QTest::qWait(50);
    QCoreApplication::processEvents();
    QVERIFY(!completed);
}

void tst_Background::handOverWaitsForUiThread()
{
    QThread *changeThread = nullptr;
    QString seenAfterHandOver;
    auto label = std::make_unique<QLabel>();
    bool completed = false;
    BeginAsync([&] {
        RunOnUiThread([&] {
            changeThread = QThread::currentThread();
            label->setText(QStringLiteral("Firma: DEMO"));
        });
        // The worker goes on only after the change was made.
        seenAfterHandOver = label->text();
    })->Await([&] { completed = true; });
    QTRY_VERIFY(completed);
    QCOMPARE(changeThread, QThread::currentThread());
    QCOMPARE(seenAfterHandOver, QStringLiteral("Firma: DEMO"));
}

void tst_Background::handOverCarriesErrorBack()
{
    QString caught;
    bool completed = false;
    BeginAsync([&] {
        try {
            RunOnUiThread([] { throw std::runtime_error("etiket yok"); });
        } catch (const std::exception &e) {
            caught = QString::fromUtf8(e.what());
        }
    })->Await([&] { completed = true; });
    QTRY_VERIFY(completed);
    QCOMPARE(caught, QStringLiteral("etiket yok"));
    QVERIFY(m_messages.isEmpty());
}

struct Page
{
    QWidget grid;
    QLabel busy;
    DataSet data;
    TabLoad load;
    int attached = 1;
};

void tst_Background::tabLoadStates_data()
{
    QTest::addColumn<bool>("failed");
    QTest::addColumn<bool>("report");
    QTest::addColumn<int>("failureMessages");
    QTest::newRow("success") << false << true << 0;
    QTest::newRow("caught failure") << true << true << 1;
    // The basket: its connect-check reported already, no message of its own.
    QTest::newRow("caught failure, reported elsewhere") << true << false << 0;
}

// While the load runs the user cannot click into the grid, sees the busy animation and the
// grid shows nothing of the half-filled data set; afterwards all is back, the page's own
// finishing has run and a caught failure is reported once, after that finishing.
void tst_Background::tabLoadStates()
{
    QFETCH(bool, failed);
    QFETCH(bool, report);
    QFETCH(int, failureMessages);

    Page page;
    page.data.addField(QStringLiteral("STOK_KODU"), FieldType::String);
    page.data.open();
    page.busy.hide();
    page.load.setBusyIndicator(&page.busy);
    page.load.setDisabledControl(&page.grid);
    page.load.setDataSet(&page.data);
    page.load.setViewBinding([&] { --page.attached; }, [&] { ++page.attached; });
    page.load.setReportFailure(report);

    QSemaphore gate;
    int resets = 0;
    connect(&page.data, &DataSet::reset, this, [&] { ++resets; });
    page.load.setWork([&] {
        gate.acquire();
        const int row = page.data.appendRow();
        page.data.setString(row, 0, QStringLiteral("ABC-123"));
        return failed;
    });
    bool finishFailed = !failed;
    bool busyVisibleInFinish = false;
    page.load.setFinish([&](bool f) {
        finishFailed = f;
        busyVisibleInFinish = !page.busy.isHidden();
        m_events << QStringLiteral("finish");
    });
    QSignalSpy finished(&page.load, &TabLoad::finished);

    page.load.trigger();
    QVERIFY(page.load.isRunning());
    QVERIFY(!page.busy.isHidden());
    QVERIFY(!page.grid.isEnabled());
    QCOMPARE(page.attached, 0);
    QVERIFY(page.data.controlsDisabled());

    gate.release();
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), failed);
    QVERIFY(!page.load.isRunning());
    QVERIFY(page.busy.isHidden());
    QVERIFY(page.grid.isEnabled());
    QCOMPARE(page.attached, 1);
    QVERIFY(!page.data.controlsDisabled());
    QCOMPARE(resets, 1);   // the view reloads whole once, at the reattach
    QCOMPARE(finishFailed, failed);
    QVERIFY(busyVisibleInFinish);
    QCOMPARE(m_messages.size(), failureMessages);
    if (failureMessages) {
        QCOMPARE(m_messages.first().text,
                 QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QCOMPARE(m_messages.first().type, mtError);
        QCOMPARE(m_events.first(), QStringLiteral("finish"));
    }
}

// A server error that the load routine lets pass: the grid is usable again before the
// error text appears, and no connection-failure message follows.
void tst_Background::tabLoadUncaughtError()
{
    Page page;
    page.load.setBusyIndicator(&page.busy);
    page.load.setDisabledControl(&page.grid);
    page.load.setDataSet(&page.data);
    page.load.setWork([]() -> bool { throw std::runtime_error("KampanyaliVer2: erişim hatası"); });
    bool gridEnabledAtMessage = false;
    setMessageDialogHook([&](const ShownMessage &m) {
        m_messages << m;
        gridEnabledAtMessage = page.grid.isEnabled() && page.busy.isHidden();
        return int(mrOk);
    });
    QSignalSpy finished(&page.load, &TabLoad::finished);
    page.load.trigger();
    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(m_messages.first().text, QStringLiteral("KampanyaliVer2: erişim hatası"));
    QVERIFY(gridEnabledAtMessage);
    QVERIFY(!page.data.controlsDisabled());
}

// Showing a page again while its load still runs queues one more load instead of starting a
// second fill of the same data set; further triggers in the meantime fold into that one.
void tst_Background::tabLoadTriggeredAgainWhileRunning()
{
    Page page;
    page.load.setBusyIndicator(&page.busy);
    page.load.setDisabledControl(&page.grid);
    page.load.setDataSet(&page.data);
    std::atomic<int> running = 0;
    std::atomic<int> maxRunning = 0;
    std::atomic<int> loads = 0;
    QSemaphore gate;
    page.load.setWork([&] {
        const int now = ++running;
        maxRunning = std::max(maxRunning.load(), now);
        gate.acquire();
        ++loads;
        --running;
        return false;
    });
    QSignalSpy finished(&page.load, &TabLoad::finished);
    QSignalSpy started(&page.load, &TabLoad::started);

    page.load.trigger();
    page.load.trigger();
    page.load.trigger();
    QCOMPARE(started.size(), 1);
    QVERIFY(page.load.isQueued());

    gate.release();
    QTRY_COMPARE(finished.size(), 1);
    QTRY_COMPARE(started.size(), 2);   // the queued load starts after the first completed
    QVERIFY(!page.busy.isHidden());
    QVERIFY(!page.grid.isEnabled());
    gate.release();
    QTRY_COMPARE(finished.size(), 2);
    QTest::qWait(50);
    QCOMPARE(started.size(), 2);
    QCOMPARE(loads.load(), 2);
    QCOMPARE(maxRunning.load(), 1);
    QVERIFY(page.busy.isHidden());
    QVERIFY(page.grid.isEnabled());
}

// The connection clone and the session copy are made where the session is owned, at the
// trigger, so that a change of customer during a load cannot tear the copy.
void tst_Background::tabLoadPreparesOnUiThread()
{
    TabLoad load;
    QThread *prepareThread = nullptr;
    QThread *workThread = nullptr;
    QString session = QStringLiteral("CARI-1");
    load.setPrepare([&]() -> TabLoad::Work {
        prepareThread = QThread::currentThread();
        const QString copy = session;
        return [copy, &workThread] {
            workThread = QThread::currentThread();
            return copy != QStringLiteral("CARI-1");
        };
    });
    QSignalSpy finished(&load, &TabLoad::finished);
    load.trigger();
    session = QStringLiteral("CARI-2");
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(prepareThread, QThread::currentThread());
    QVERIFY(workThread && workThread != QThread::currentThread());
}

// With the real grid: detached and disabled while the worker fills the data set (it shows no
// rows and reads nothing), attached again with the new rows afterwards.
void tst_Background::tabLoadWithGrid()
{
    DataSet data;
    data.addField(QStringLiteral("STOK_KODU"), FieldType::String);
    data.open();
    DataGrid grid;
    grid.setColumns({{.field = QStringLiteral("STOK_KODU"), .caption = QStringLiteral("Kod")}});
    grid.setDataSet(&data);
    grid.resize(300, 200);
    grid.show();
    TabLoad load;
    load.setGrid(&grid);
    load.setDataSet(&data);
    QSemaphore gate;
    load.setWork([&] {
        gate.acquire();
        for (int i = 0; i < 3; ++i)
            data.setString(data.appendRow(), 0, QStringLiteral("K%1").arg(i));
        return false;
    });
    QSignalSpy finished(&load, &TabLoad::finished);
    load.trigger();
    QVERIFY(!grid.isAttached());
    QVERIFY(!grid.isEnabled());
    QVERIFY(grid.isUpdating());
    gate.release();
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(grid.isAttached());
    QVERIFY(grid.isEnabled());
    QVERIFY(!grid.isUpdating());
    QCOMPARE(grid.rowCount(), 3);
}

// Showing a page while the server cannot be reached: each connect attempt shows its error
// text, then the page's one failure message; the grid is usable again and the data set
// keeps what it held.
void tst_Background::tabLoadServerUnreachable()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    ServerConnection bagc;
    bagc.HostName = QStringLiteral("127.0.0.1");
    bagc.Port = QString::number(probe.serverPort());
    probe.close();
    TSonucBilgisi sbilgi;

    DataSet data;
    data.addField(QStringLiteral("STOK_KODU"), FieldType::String);
    data.open();
    data.setString(data.appendRow(), 0, QStringLiteral("ONCEKI"));
    QWidget grid;
    QLabel busy;
    TabLoad load;
    load.setBusyIndicator(&busy);
    load.setDisabledControl(&grid);
    load.setDataSet(&data);
    load.setLoad(&bagc, &sbilgi, [&](ServerConnection &connection, const TSonucBilgisi &session) {
        const bool opened = RemoteCall::run(connection, &session, 0,
                                            [&](TServerMethods1Client &client, TSonucBilgisi *s) {
            client.YenilerVer2(s->CARINO(), &data);
        });
        return !opened;
    });
    Testing::setConnectCheckTiming(3, 10);
    QSignalSpy finished(&load, &TabLoad::finished);
    load.trigger();
    QTRY_COMPARE(finished.size(), 1);
    Testing::resetConnectCheckTiming();

    QCOMPARE(finished.first().first().toBool(), true);
    QCOMPARE(m_messages.size(), 4);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(m_messages.at(i).type, mtCustom);
    QCOMPARE(m_messages.last().text,
             QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    QVERIFY(grid.isEnabled());
    QVERIFY(busy.isHidden());
    QCOMPARE(data.rowCount(), 1);
    QCOMPARE(data.stringAt(0, 0), QStringLiteral("ONCEKI"));
    QVERIFY(bagc.HostName == QStringLiteral("127.0.0.1") && !bagc.isOpen());
}

QTEST_MAIN(tst_Background)
#include "tst_background.moc"
