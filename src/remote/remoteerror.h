// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

#include <stdexcept>

namespace Mervak {

/*!
    A failed server call: the server's error text, or the client's own text for a transport
    failure. Callers show message() as it is. On the server, a handler throws it to answer
    with exactly that text.
*/
class RemoteError : public std::runtime_error
{
public:
    explicit RemoteError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}

    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A failure of the transport itself (no connection, a time-out, a reply that cannot be read)
// rather than an error the server reported. The connection is closed when it is raised.
class TransportError : public RemoteError
{
public:
    using RemoteError::RemoteError;
};

} // namespace Mervak
