// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "publicaddress.h"
#include "serverconnection.h"

#include <QString>

#include <memory>

namespace Mervak {

struct SessionFetchInput
{
    std::shared_ptr<ServerConnection> connection;   // the login's own clone, not open
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
    The login's session fetch, on a worker: BuyukGetir for the computer ID on the login's
    clone of the connection (silent connect-check), then the machine identity filled in.
    Any failure, a missing record included, answers ok = false.
*/
SessionFetchResult FetchSession(const SessionFetchInput &input);

} // namespace Mervak
