// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The reference server as the shell tests use it: its own database file, free loopback
// ports for the calls and the web side, read from what it prints at start.
class TestServer
{
public:
    TestServer() = default;
    ~TestServer();

    // Runs an administration command on the database (the server is not started).
    bool admin(const QString &db, const QStringList &arguments, QString *output = nullptr);
    bool start(const QString &db, const QStringList &extraArguments = {});
    void stop();

    quint16 port() const { return m_port; }
    quint16 httpPort() const { return m_httpPort; }
    QString httpBase() const;   // "http://127.0.0.1:<port>"
    QString log() const { return m_log; }

    static QString executable();

private:
    QProcess m_process;
    quint16 m_port = 0;
    quint16 m_httpPort = 0;
    QString m_log;
};

// A loopback port where nothing listens (taken and freed again).
quint16 unusedPort();
