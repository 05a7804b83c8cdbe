// SPDX-License-Identifier: LicenseRef-Mervak
#include "socketclose.h"

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace Mervak::Server {

void closeDescriptor(qintptr descriptor)
{
    if (descriptor < 0)
        return;
#ifdef Q_OS_WIN
    ::closesocket(SOCKET(descriptor));
#else
    ::close(int(descriptor));
#endif
}

void shutdownSending(qintptr descriptor)
{
    if (descriptor < 0)
        return;
#ifdef Q_OS_WIN
    ::shutdown(SOCKET(descriptor), SD_SEND);
#else
    ::shutdown(int(descriptor), SHUT_WR);
#endif
}

} // namespace Mervak::Server
