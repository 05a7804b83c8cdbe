// SPDX-License-Identifier: LicenseRef-Mervak
#include "await.h"

#include "messagedialog.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

#include <stdexcept>

namespace Mervak {

TAwait::TAwait(std::function<void()> work)
    : FAsync(std::move(work))
{
}

void TAwait::Await(std::function<void()> completion, QObject *context)
{
    // The guard is only read on the user-interface thread; copying it on the worker is safe.
    QPointer<QObject> guard(context);
    const bool hasContext = context != nullptr;
    // The running task holds this object, and with it both steps, until the completion ran.
    auto self = shared_from_this();
    BackgroundPool()->start([self, completion = std::move(completion), guard, hasContext]() mutable {
        std::exception_ptr error;
        try {
            if (self->FAsync)
                self->FAsync();
        } catch (...) {
            error = std::current_exception();
        }
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(app, [self, completion = std::move(completion), guard,
                                        hasContext, error] {
            if (hasContext && guard.isNull())
                return;
            try {
                if (completion)
                    completion();
            } catch (...) {
                ShowDefaultError(std::current_exception());
            }
            if (error)
                ShowDefaultError(error);
        }, Qt::QueuedConnection);
    });
}

IAwaitPtr BeginAsync(std::function<void()> work)
{
    return std::make_shared<TAwait>(std::move(work));
}

QThreadPool *BackgroundPool()
{
    static QThreadPool *pool = [] {
        auto p = new QThreadPool;
        p->setMaxThreadCount(BackgroundPoolSize);
        p->setObjectName(QStringLiteral("BackgroundPool"));
        return p;
    }();
    return pool;
}

bool IsUiThread()
{
    QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void RunOnUiThread(const std::function<void()> &change)
{
    if (IsUiThread() || !QCoreApplication::instance()) {
        change();
        return;
    }
    std::exception_ptr error;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&change, &error] {
        try {
            change();
        } catch (...) {
            error = std::current_exception();
        }
    }, Qt::BlockingQueuedConnection);
    if (error)
        std::rethrow_exception(error);
}

QString ErrorText(std::exception_ptr error)
{
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (const QString &text) {
        return text;
    } catch (...) {
        return QStringLiteral("Bilinmeyen hata");
    }
}

void ShowDefaultError(const QString &text)
{
    ShowMessageDialog(text, mtError, mbOKOnly, mbOK);
}

void ShowDefaultError(std::exception_ptr error)
{
    ShowDefaultError(ErrorText(error));
}

void RunGuarded(const std::function<void()> &body)
{
    try {
        body();
    } catch (...) {
        ShowDefaultError(std::current_exception());
    }
}

} // namespace Mervak
