// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "dispatcher.h"
#include "serverconfig.h"

#include <QTcpServer>
#include <QThreadPool>

#include <atomic>

namespace Mervak::Server {

/*!
    Accepts connections and serves each on a thread of its pool: one call sequence per
    connection, request and reply in turn, until the client closes it. The accepting thread
    only hands sockets over, so a slow call never holds up the others.
*/
class CallServer : public QTcpServer
{
    Q_OBJECT

public:
    CallServer(const ServerConfig &config, const HandlerRegistry &registry,
               QObject *parent = nullptr);
    ~CallServer() override;

    bool start(QString *error);
    // Stops accepting, lets the calls in progress finish and ends the connections.
    void stop();

    int threadCount() const { return m_pool.maxThreadCount(); }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    ServerConfig m_config;
    Dispatcher m_dispatcher;
    QThreadPool m_pool;
    std::atomic<bool> m_stopping{false};
};

} // namespace Mervak::Server
