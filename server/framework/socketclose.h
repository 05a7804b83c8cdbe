// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QtGlobal>

namespace Mervak::Server {

// The two socket calls Qt does not offer, behind one interface for POSIX and Windows.
void closeDescriptor(qintptr descriptor);   // a socket no QTcpSocket has taken
void shutdownSending(qintptr descriptor);   // half-close: our side is done sending

} // namespace Mervak::Server
