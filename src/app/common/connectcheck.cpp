// SPDX-License-Identifier: LicenseRef-Mervak
#include "connectcheck.h"

#include "messagedialog.h"
#include "remoteerror.h"
#include "serverconnection.h"

#include <QThread>

#include <atomic>

namespace Mervak {

namespace {

constexpr int kAttempts = 11;
constexpr int kPauseMs = 500;

std::atomic<int> g_attempts{kAttempts};
std::atomic<int> g_pauseMs{kPauseMs};

} // namespace

bool ConnectCheck(ServerConnection *connection, int reportFlag)
{
    if (connection) {
        connection->close();
        const int attempts = g_attempts;
        for (int attempt = 0; attempt < attempts; ++attempt) {
            try {
                connection->open();
                return true;
            } catch (const RemoteError &e) {
                ShowPlainMessage(e.message());
            }
            connection->close();
            QThread::msleep(ulong(g_pauseMs.load()));
        }
    }
    if (reportFlag == 1)
        ShowMessageDialog(ConnectionFailedMessage, mtError, mbOKOnly, mbOK);
    return false;
}

namespace Testing {

void setConnectCheckTiming(int attempts, int pauseMs)
{
    g_attempts = attempts;
    g_pauseMs = pauseMs;
}

void resetConnectCheckTiming()
{
    g_attempts = kAttempts;
    g_pauseMs = kPauseMs;
}

} // namespace Testing

} // namespace Mervak
