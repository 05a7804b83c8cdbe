// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "handlerregistry.h"

namespace Mervak::Server {

// EchoString and ReverseString, the two general methods every server answers.
void registerBuiltinHandlers(HandlerRegistry &registry);

/*!
    Fixed answers for the tests of the protocol and the client (--test-methods): every kind
    of value, out parameters, records both ways, streams with right and wrong sizes, an
    error and a slow call. They replace any other handler of the same methods.
*/
void registerTestHandlers(HandlerRegistry &registry);

} // namespace Mervak::Server
