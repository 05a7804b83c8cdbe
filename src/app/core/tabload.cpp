// SPDX-License-Identifier: LicenseRef-Mervak
#include "tabload.h"

#include "await.h"
#include "baglantiu.h"
#include "datagrid.h"
#include "dataset.h"
#include "messagedialog.h"
#include "serverconnection.h"

#include <memory>

namespace Mervak {

const char ConnectionFailedText[] = "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!";

TabLoad::TabLoad(QObject *parent)
    : QObject(parent)
{
}

void TabLoad::setViewBinding(std::function<void()> detach, std::function<void()> attach)
{
    m_detach = std::move(detach);
    m_attach = std::move(attach);
}

void TabLoad::setGrid(DataGrid *grid)
{
    m_disabled = grid;
    QPointer<DataGrid> guard(grid);
    setViewBinding(
        [guard] {
            if (guard) {
                guard->detach();
                guard->beginUpdate();
            }
        },
        [guard] {
            if (guard) {
                guard->attach();
                guard->endUpdate();
            }
        });
}

void TabLoad::setLoad(ServerConnection *connection, const TSonucBilgisi *session, Load load)
{
    m_prepare = [connection, session, load = std::move(load)]() -> Work {
        std::shared_ptr<ServerConnection> clone(connection->clone());
        auto copy = std::make_shared<TSonucBilgisi>();
        copy->Kopyala(*session);
        return [clone, copy, load] { return load(*clone, *copy); };
    };
}

void TabLoad::setWork(Work work)
{
    m_prepare = [work = std::move(work)] { return work; };
}

void TabLoad::trigger()
{
    if (m_running) {
        m_queued = true;
        return;
    }
    start();
}

void TabLoad::start()
{
    m_running = true;
    Work work;
    try {
        if (m_prepare)
            work = m_prepare();
    } catch (...) {
        m_running = false;
        ShowDefaultError(std::current_exception());
        return;
    }

    if (m_busy)
        m_busy->show();
    if (m_disabled)
        m_disabled->setEnabled(false);
    if (m_detach)
        m_detach();
    if (m_dataSet)
        m_dataSet->disableControls();
    Q_EMIT started();

    auto failed = std::make_shared<bool>(false);
    BeginAsync([work, failed] {
        if (work)
            *failed = work();
    })->Await([this, failed] { complete(*failed); }, this);
}

void TabLoad::complete(bool failed)
{
    if (m_dataSet)
        m_dataSet->enableControls();
    if (m_attach)
        m_attach();
    if (m_disabled)
        m_disabled->setEnabled(true);
    if (m_finish)
        m_finish(failed);
    if (m_busy)
        m_busy->hide();
    if (failed && m_reportFailure)
        ShowMessageDialog(QString::fromUtf8(ConnectionFailedText), mtError, mbOKOnly, mbOK);

    m_running = false;
    Q_EMIT finished(failed);
    if (m_queued) {
        m_queued = false;
        // Queued, so that this completion step has returned before the next load begins.
        QMetaObject::invokeMethod(this, &TabLoad::trigger, Qt::QueuedConnection);
    }
}

} // namespace Mervak
