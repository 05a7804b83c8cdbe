// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "serverconnection.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace Mervak::Test {

/*!
    The reference server with a generated demo distributor in a database of its own, on a
    free loopback port, and the main connection pointed at it. Stopped when destroyed.
*/
class OrderingServer
{
public:
    ~OrderingServer();

    // Generates the demo data (items: catalogue size) and starts the server in demo mode.
    bool start(int items = 600);
    void stop();
    quint16 port() const { return m_port; }
    QString errors();

    // The main connection bagc, set to the server.
    ServerConnection &bagc() { return m_bagc; }
    // The session of a demo computer ("DEMO-TIP0" is the dealer) through BuyukGetir.
    TSonucBilgisi session(const QString &computerId = QStringLiteral("DEMO-TIP0"));

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_stderr;
    ServerConnection m_bagc;
};

} // namespace Mervak::Test
