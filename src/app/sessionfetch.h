// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "publicaddress.h"

#include <QString>

namespace Mervak {

struct SessionFetchInput
{
    QString host;
    int port = 9090;
    QString computerId;
    QString publicAddress;                 // found by the login's first phase
    PublicAddressRequest addressRequest;   // for the second look-up
};

struct SessionFetchResult
{
    bool ok = false;
    TSonucBilgisi session;
};

/*!
    The login's session fetch, on a worker: BuyukGetir for the computer ID on a connection of
    its own (silent connect-check), then the machine identity filled in. Any failure answers
    ok = false.
*/
SessionFetchResult FetchSession(const SessionFetchInput &input);

} // namespace Mervak
