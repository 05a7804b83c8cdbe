// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace Mervak::Test {

/*!
    mervak-server started on a free loopback port with its test methods and a database file
    of its own; the port is read from the first line of its output. Stopped with SIGTERM
    when destroyed.
*/
class TestServer
{
public:
    ~TestServer();

    bool start(const QStringList &extraArguments = {});
    int stop();   // the exit code, -1 when it did not end by itself
    quint16 port() const { return m_port; }
    QString errors();   // what it wrote on standard error so far

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_stderr;
};

// A free loopback port at the moment of asking.
quint16 freePort();

// One raw exchange on a connection of its own: sends bytes, reads until the peer closes
// or a whole frame arrived; the payload of that frame, or empty.
QByteArray rawExchange(quint16 port, const QByteArray &bytes, bool *closedByServer = nullptr);
QByteArray frame(const QByteArray &payload);

} // namespace Mervak::Test
