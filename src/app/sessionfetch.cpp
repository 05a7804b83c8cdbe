// SPDX-License-Identifier: LicenseRef-Mervak
#include "sessionfetch.h"

namespace Mervak {

SessionFetchResult FetchSession(const SessionFetchInput &)
{
    // The server connection is not part of the build yet: the fetch answers failure, so the
    // login reports "Bağlantı Kurulamadı !".
    return {};
}

} // namespace Mervak
