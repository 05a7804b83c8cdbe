// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace Mervak {

class DataGrid;
class DataSet;
class ServerConnection;
class TSonucBilgisi;

/*!
    The load of one tab page's list, the way every tab page does it: on the trigger the busy
    indicator is shown, the grid (or the search edit) disabled, the grid's view detached and
    the data set's controls disabled; the load routine runs on a worker; the completion step
    reattaches, enables, runs the page's own finishing, hides the indicator and reports a
    failure the load routine answered with "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!".

    The load routine gets everything it talks to the server with from \a prepare, which runs
    on the user-interface thread at the trigger: there it clones the main connection and
    copies the session record, so that the worker never reads what the user-interface thread
    may change meanwhile (a change of customer, for example).

    A trigger while the previous load of the same page still runs is queued, not ignored:
    the running load may have read the server before the change that caused the new
    trigger (a line added to the basket), so its result can be stale. Triggers that come in
    while one is already queued fold into it, so at most one more load follows, and never
    two loads fill the data set at the same time.
*/
class TabLoad : public QObject
{
    Q_OBJECT

public:
    // Runs on a worker; answers true when the load failed (the page's "hata").
    using Work = std::function<bool()>;
    // Runs on the user-interface thread at the trigger and returns the work step.
    using Prepare = std::function<Work()>;
    // The page's own finishing, on the user-interface thread; \a failed is the answer of
    // the load routine (false also when it ended by an error it did not catch).
    using Finish = std::function<void(bool failed)>;

    explicit TabLoad(QObject *parent = nullptr);

    void setBusyIndicator(QWidget *indicator) { m_busy = indicator; }
    // The control disabled during the load: the grid, or the search edit for the search.
    void setDisabledControl(QWidget *control) { m_disabled = control; }
    // The data set the load fills; its controls stay disabled until the completion step.
    void setDataSet(DataSet *dataSet) { m_dataSet = dataSet; }
    // How the grid's view is unbound from and bound again to its data set.
    void setViewBinding(std::function<void()> detach, std::function<void()> attach);
    // The usual case: \a grid is disabled, detached and held in an update bracket.
    void setGrid(DataGrid *grid);
    void setPrepare(Prepare prepare) { m_prepare = std::move(prepare); }
    // The load routine gets its own clone of \a connection and its own copy of \a session,
    // both made at the trigger; it calls the server through RemoteCall on them.
    using Load = std::function<bool(ServerConnection &connection, const TSonucBilgisi &session)>;
    void setLoad(ServerConnection *connection, const TSonucBilgisi *session, Load load);
    void setWork(Work work);
    void setFinish(Finish finish) { m_finish = std::move(finish); }
    // Pages whose connect-check reports its own failure show no message of their own.
    void setReportFailure(bool report) { m_reportFailure = report; }

    bool isRunning() const { return m_running; }
    bool isQueued() const { return m_queued; }

    // Starts a load, or queues one when a load of this page is still running.
    void trigger();

Q_SIGNALS:
    void started();
    // After the completion step (and its failure message) has run.
    void finished(bool failed);

private:
    void start();
    void complete(bool failed);

    QPointer<QWidget> m_busy;
    QPointer<QWidget> m_disabled;
    DataSet *m_dataSet = nullptr;
    std::function<void()> m_detach;
    std::function<void()> m_attach;
    Prepare m_prepare;
    Finish m_finish;
    bool m_reportFailure = true;
    bool m_running = false;
    bool m_queued = false;
};

} // namespace Mervak
