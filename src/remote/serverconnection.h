// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "servermethods.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QTcpSocket;

namespace Mervak {

/*!
    The connection to the application server (the main window's bagc and its clones). It
    keeps the settings; open() makes one TCP connection for a call sequence and close()
    ends it. Nothing stays open between call sequences.

    The settings other than HostName, Port and the two time-outs are carried for the
    callers that read them; the transport has no use for them.

    A connection is used by one thread at a time, from open() to close(); its blocking
    socket needs no event loop, so it works on worker threads. Background tasks work on a
    clone of their own.
*/
class ServerConnection
{
public:
    ServerConnection();
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    // A new connection with the same settings, not open, for one call sequence.
    std::unique_ptr<ServerConnection> clone() const;

    // Connects; throws TransportError with a Turkish text when that fails or takes longer
    // than the connect time-out. Opening an open connection does nothing.
    void open();
    void close();
    bool isOpen() const;

    // One request and its reply on the open connection. Throws TransportError (and closes
    // the connection) when the request cannot be sent or no whole reply arrives in time.
    QByteArray exchange(const MethodInfo &method, const QByteArray &request);

    // --- settings
    QString ConnectionName = QStringLiteral("DataSnapCONNECTION");
    QString DriverName = QStringLiteral("DataSnap");
    bool LoginPrompt = false;
    QString DriverUnit = QStringLiteral("Data.DBXDataSnap");
    QString CommunicationProtocol = QStringLiteral("tcp/ip");
    QString Port = QStringLiteral("9090");
    QString HostName;
    QString DatasnapContext = QStringLiteral("datasnap/");
    QString Filters = QStringLiteral("{}");
    QString DSProxyPort = QStringLiteral("8090");

    int connectTimeoutMs = 10000;   // connecting, host name look-up included
    int callTimeoutMs = 60000;      // longest wait for the next bytes of a reply

private:
    std::unique_ptr<QTcpSocket> m_socket;
};

} // namespace Mervak
