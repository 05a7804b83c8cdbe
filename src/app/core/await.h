// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

class QThreadPool;

namespace Mervak {

/*!
    A background pair: a work step for a worker thread of the shared pool and a completion
    step for the user-interface thread. BeginAsync stores the work step; Await starts it and
    returns at once. The completion step runs on the thread of \a context (the user-interface
    thread) whatever the work step did; when the work step ended by an error it did not
    catch, that error is shown by ShowDefaultError right after the completion step.

    The completion step is dropped when \a context is gone by then, so a closed dialog is
    never touched from a late completion.
*/
class IAwait
{
public:
    virtual ~IAwait() = default;
    virtual void Await(std::function<void()> completion, QObject *context = nullptr) = 0;
};

using IAwaitPtr = std::shared_ptr<IAwait>;

class TAwait final : public IAwait, public std::enable_shared_from_this<TAwait>
{
public:
    explicit TAwait(std::function<void()> work);
    void Await(std::function<void()> completion, QObject *context = nullptr) override;

private:
    std::function<void()> FAsync;
};

IAwaitPtr BeginAsync(std::function<void()> work);

// The pool every background pair runs on. Several loads may wait at the same time on
// connect attempts (each shows its messages and pauses), so the pool is wider than the
// two cores of a small office machine.
QThreadPool *BackgroundPool();
inline constexpr int BackgroundPoolSize = 8;

/*!
    Hands \a change to the user-interface thread and waits until it has run there. Called on
    the user-interface thread itself it simply runs \a change. An error thrown by \a change is
    carried back and rethrown in the calling worker, as if the change had run there.
*/
void RunOnUiThread(const std::function<void()> &change);

// True on the thread of the application object.
bool IsUiThread();

/*!
    The program's default error display: a message box with the error text, the way an error
    that nothing caught reaches the user. Any thread.
*/
void ShowDefaultError(const QString &text);
void ShowDefaultError(std::exception_ptr error);
QString ErrorText(std::exception_ptr error);

/*!
    Runs an event handler's body and shows an error it lets through with ShowDefaultError,
    since no error may travel through Qt's event loop.
*/
void RunGuarded(const std::function<void()> &body);

} // namespace Mervak
