// SPDX-License-Identifier: LicenseRef-Mervak
#include "testserver.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpServer>

TestServer::~TestServer()
{
    stop();
}

QString TestServer::executable()
{
    return QStringLiteral(MERVAK_SERVER_EXE);
}

bool TestServer::admin(const QString &db, const QStringList &arguments, QString *output)
{
    QProcess p;
    p.start(executable(), QStringList{QStringLiteral("--db"), db} + arguments);
    if (!p.waitForFinished(60000))
        return false;
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool TestServer::start(const QString &db, const QStringList &extraArguments)
{
    m_port = 0;
    m_httpPort = 0;
    m_log.clear();
    m_process.start(executable(), QStringList{QStringLiteral("--db"), db,
                                              QStringLiteral("--listen"),
                                              QStringLiteral("127.0.0.1:0"),
                                              QStringLiteral("--http"),
                                              QStringLiteral("127.0.0.1:0")}
                                      + extraArguments);
    if (!m_process.waitForStarted(10000))
        return false;
    static const QRegularExpression listening(QStringLiteral("LISTENING (\\d+)"));
    static const QRegularExpression http(QStringLiteral("HTTP [^\\s:]+:(\\d+)"));
    QString out;
    QDeadlineTimer deadline(60000);
    while ((m_port == 0 || m_httpPort == 0) && !deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running)
            break;
        m_process.waitForReadyRead(200);
        out += QString::fromUtf8(m_process.readAllStandardOutput());
        m_log += QString::fromUtf8(m_process.readAllStandardError());
        if (const auto m = listening.match(out); m.hasMatch())
            m_port = quint16(m.captured(1).toUInt());
        if (const auto m = http.match(m_log); m.hasMatch())
            m_httpPort = quint16(m.captured(1).toUInt());
    }
    return m_port != 0 && m_httpPort != 0;
}

void TestServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString TestServer::httpBase() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_httpPort);
}

quint16 unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
