// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

namespace Mervak {

/*!
    The two process-wide settings of the session: the application server's host name and the
    base address (ending with "/") of the distributor's web pages. Empty at start; the login
    sets them to the public values, or to those inside the distributor's network when the
    machine's public address is the distributor's own. Any thread may read them.
*/
QString ServerHost();
void setServerHost(const QString &host);
QString WebBase();
void setWebBase(const QString &base);

} // namespace Mervak
