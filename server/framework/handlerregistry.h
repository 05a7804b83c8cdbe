// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "wirecodec.h"

#include <QStringView>

#include <functional>
#include <vector>

namespace Mervak::Server {

/*!
    A server method's business: reads the decoded in-parameters (already checked against
    the method table) and fills the out parameters and the result. It throws RemoteError
    with the text the caller should see when the call cannot be done.
*/
using Handler = std::function<void(const Wire::Request &request, Wire::ReplyWriter &reply)>;

/*!
    The handlers by server method. Filled before the server starts accepting calls and only
    read afterwards, from every call thread at once. A method without a handler answers
    that it is not implemented on this server.
*/
class HandlerRegistry
{
public:
    HandlerRegistry();

    // Replaces an earlier handler of the same method. Throws std::invalid_argument for a
    // name that is not in the method table.
    void registerHandler(QStringView method, Handler handler);
    bool hasHandler(QStringView method) const;
    const Handler *handler(const MethodInfo &method) const;

private:
    std::vector<Handler> m_handlers;   // by MethodInfo::index
};

} // namespace Mervak::Server
