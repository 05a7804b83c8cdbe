// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "handlerregistry.h"

#include <QByteArray>
#include <QString>

namespace Mervak::Server {

/*!
    Answers one request frame: reads it, finds the method's handler, runs it and writes the
    reply. Never throws; every failure becomes an error reply. Used by the connections and,
    without sockets, by the tests of the framework.
*/
class Dispatcher
{
public:
    explicit Dispatcher(const HandlerRegistry &registry) : m_registry(registry) {}

    struct Outcome
    {
        QByteArray reply;
        bool closeConnection = false;   // the frame itself was unreadable
        QString command;                // "TServerMethods1.X", empty when unknown
        QString error;                  // the error text sent, empty on success
    };

    Outcome handle(const QByteArray &payload) const;

    static QString notImplementedText(const MethodInfo &method);

private:
    const HandlerRegistry &m_registry;
};

} // namespace Mervak::Server
