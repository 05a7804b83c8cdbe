// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

namespace Mervak::Server {

// One line per call on standard error: time, peer, method ("-" when the frame could not be
// read), duration and the error text when there was one. Safe from every thread.
void logCall(const QString &peer, const QString &method, double milliseconds,
             const QString &error = QString());

// Turns the log off (tests of the framework in-process) or on.
void setCallLogEnabled(bool enabled);

} // namespace Mervak::Server
