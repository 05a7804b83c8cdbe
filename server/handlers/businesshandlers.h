// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "wirecodec.h"

#include <QString>

#include <functional>
#include <vector>

namespace Mervak::Server {

class Business;

using MethodHandler = std::function<void(const Wire::Request &request, Wire::ReplyWriter &reply)>;

struct NamedHandler
{
    QString method;          // "StokAraGetir"
    MethodHandler handler;   // throws RemoteError with the text for the client
};

/*!
    The handlers of the server methods, one per method of TServerMethods1 except those the
    call framework answers itself (EchoString, ReverseString and the callback method
    MobilStokaraGeri). Each decodes its parameters, asks the store and writes the reply.
*/
std::vector<NamedHandler> businessHandlers(Business &business);

} // namespace Mervak::Server
