// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "tservermethods1client.h"

#include <functional>

namespace Mervak {

class ServerConnection;

/*!
    The remote call sequence, the one way the program calls the server:
    1. copy the session record with Kopyala (when a session is given);
    2. pick the connection: the given one itself, or a clone of it that belongs to this
       call alone (Auto: a clone on worker threads, the connection itself on the
       user-interface thread);
    3. check-open it with ConnectCheck (run) or open it directly (runDirect);
    4. create a TServerMethods1Client on it;
    5. run the body, which calls the method(s) and consumes the results at once;
    6. free the client, close the connection, free the clone and an unused session copy,
       on every path.

    The body gets the client and the session copy (nullptr without a session). The copy is
    for one call: a method that takes the session frees it. A body that calls two such
    methods makes the second copy with copySession(). Failures of the call leave as
    RemoteError carrying the server's text, after everything was released.
*/
class RemoteCall
{
public:
    enum class Use { Auto, Itself, Clone };
    using Body = std::function<void(TServerMethods1Client &client, TSonucBilgisi *sessionCopy)>;

    // False when ConnectCheck could not open the connection; nothing was called then.
    static bool run(ServerConnection &connection, const TSonucBilgisi *session, int reportFlag,
                    const Body &body, Use use = Use::Auto);
    // For the dialogs that open their connection without retries: a failure to open
    // throws like a failed call.
    static void runDirect(ServerConnection &connection, const TSonucBilgisi *session,
                          const Body &body, Use use = Use::Auto);

    static TSonucBilgisi *copySession(const TSonucBilgisi &session);
};

} // namespace Mervak
