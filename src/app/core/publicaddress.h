// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

namespace Mervak {

struct PublicAddressRequest
{
    QString service;             // base address; the request is GET <service>/ip
    int connectTimeoutMs = 15000;
    int readTimeoutMs = 1500;
    int attempts = 5;            // then the address counts as empty
    int retryPauseMs = 1000;

    static PublicAddressRequest fromDeployment();
};

/*!
    Asks the what-is-my-IP service for this machine's public address and answers it trimmed.
    A failed attempt (no connection, a time-out, an answer other than 200, an answer that is
    not an IP address) is repeated after the pause; after the last attempt the answer is
    empty. Blocking: call it on a worker.
*/
QString FetchPublicAddress(const PublicAddressRequest &request);

} // namespace Mervak
