// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

namespace Mervak {

class ServerConnection;

inline const QString ConnectionFailedMessage =
    QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

/*!
    Check-opens a connection before a call: closes it, then tries to open it, up to 11
    times. Each failed attempt shows its error text in a plain message box and pauses
    500 ms; from a worker thread the box appears on the user-interface thread while the
    worker waits, so attempts, boxes and pauses keep their order. With reportFlag 1 a final
    failure adds the error dialog ConnectionFailedMessage. Answers whether the connection
    is open; a connection that could not be opened is left closed.
*/
bool ConnectCheck(ServerConnection *connection, int reportFlag);

namespace Testing {
// Tests shorten the attempts and the pause; the program never changes them.
void setConnectCheckTiming(int attempts, int pauseMs);
void resetConnectCheckTiming();
} // namespace Testing

} // namespace Mervak
