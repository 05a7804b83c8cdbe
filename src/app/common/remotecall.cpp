// SPDX-License-Identifier: LicenseRef-Mervak
#include "remotecall.h"

#include "connectcheck.h"
#include "serverconnection.h"

#include <QCoreApplication>
#include <QThread>

#include <memory>

namespace Mervak {

namespace {

bool onUserInterfaceThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

enum class Opening { Check, Direct };

bool sequence(ServerConnection &given, const TSonucBilgisi *session, int reportFlag,
              const RemoteCall::Body &body, RemoteCall::Use use, Opening opening)
{
    const bool clone = use == RemoteCall::Use::Clone
                       || (use == RemoteCall::Use::Auto && !onUserInterfaceThread());
    std::unique_ptr<ServerConnection> cloned = clone ? given.clone() : nullptr;
    ServerConnection &connection = clone ? *cloned : given;

    // Closes the connection on every path; the clone goes with its unique_ptr.
    struct Closer
    {
        ServerConnection &c;
        ~Closer() { c.close(); }
    } closer{connection};

    if (opening == Opening::Check) {
        if (!ConnectCheck(&connection, reportFlag))
            return false;
    } else {
        connection.close();
        connection.open();
    }

    std::unique_ptr<TSonucBilgisi> copy(session ? RemoteCall::copySession(*session) : nullptr);
    TServerMethods1Client client(&connection);
    try {
        body(client, copy.get());
    } catch (...) {
        if (client.hasConsumed(copy.get()))
            copy.release();   // already freed by the client
        throw;
    }
    if (client.hasConsumed(copy.get()))
        copy.release();
    return true;
}

} // namespace

bool RemoteCall::run(ServerConnection &connection, const TSonucBilgisi *session, int reportFlag,
                     const Body &body, Use use)
{
    return sequence(connection, session, reportFlag, body, use, Opening::Check);
}

void RemoteCall::runDirect(ServerConnection &connection, const TSonucBilgisi *session,
                           const Body &body, Use use)
{
    sequence(connection, session, 0, body, use, Opening::Direct);
}

TSonucBilgisi *RemoteCall::copySession(const TSonucBilgisi &session)
{
    auto *copy = new TSonucBilgisi;
    copy->Kopyala(session);
    return copy;
}

} // namespace Mervak
