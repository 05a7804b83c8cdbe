// SPDX-License-Identifier: LicenseRef-Mervak
#include "signalwatcher.h"

#include <QMetaObject>
#include <QPointer>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace Mervak::Server {

namespace {

QPointer<SignalWatcher> g_watcher;

#ifdef Q_OS_WIN
BOOL WINAPI consoleHandler(DWORD)
{
    if (g_watcher)
        QMetaObject::invokeMethod(g_watcher.data(), &SignalWatcher::stopRequested,
                                  Qt::QueuedConnection);
    return TRUE;
}
#else
// The handler only writes a byte; the notifier reads it on the watcher's thread.
int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_pipe[0], &byte, 1);
}
#endif

} // namespace

SignalWatcher::SignalWatcher(QObject *parent)
    : QObject(parent)
{
    g_watcher = this;
    install();
}

SignalWatcher::~SignalWatcher()
{
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(consoleHandler, FALSE);
#else
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
#endif
    g_watcher = nullptr;
}

void SignalWatcher::install()
{
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(consoleHandler, TRUE);
#else
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const auto got = ::read(g_pipe[1], &byte, 1);
        Q_EMIT stopRequested();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
#endif
}

} // namespace Mervak::Server
