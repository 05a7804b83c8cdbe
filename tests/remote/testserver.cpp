// SPDX-License-Identifier: LicenseRef-Mervak
#include "testserver.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

namespace Mervak::Test {

TestServer::~TestServer()
{
    stop();
}

bool TestServer::start(const QStringList &extraArguments)
{
    QStringList arguments{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                          QStringLiteral("--http"), QStringLiteral("127.0.0.1:0"),
                          QStringLiteral("--db"), m_dir.filePath(QStringLiteral("test.sqlite")),
                          QStringLiteral("--test-methods")};
    arguments += extraArguments;
    m_process.start(QStringLiteral(MERVAK_SERVER_PATH), arguments);
    if (!m_process.waitForStarted(10000)) {
        m_stderr = m_process.errorString();
        return false;
    }
    QDeadlineTimer deadline(30000);
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running
           && !deadline.hasExpired())
        m_process.waitForReadyRead(100);
    const QByteArray line = m_process.readLine().trimmed();
    if (!line.startsWith("LISTENING ")) {
        m_process.waitForFinished(1000);
        m_stderr += QString::fromUtf8(line) + u'\n'
                    + QString::fromUtf8(m_process.readAllStandardError());
        return false;
    }
    m_port = quint16(line.mid(10).toUInt());
    return m_port != 0;
}

int TestServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitCode();
    m_process.terminate();
    if (!m_process.waitForFinished(15000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return -1;
    }
    m_stderr += QString::fromUtf8(m_process.readAllStandardError());
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QString TestServer::errors()
{
    m_stderr += QString::fromUtf8(m_process.readAllStandardError());
    return m_stderr;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QByteArray frame(const QByteArray &payload)
{
    QByteArray header(4, Qt::Uninitialized);
    qToBigEndian(quint32(payload.size()), header.data());
    return header + payload;
}

QByteArray rawExchange(quint16 port, const QByteArray &bytes, bool *closedByServer)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(bytes);
    socket.waitForBytesWritten(5000);
    QByteArray received;
    QDeadlineTimer deadline(10000);
    bool closed = false;
    while (!deadline.hasExpired()) {
        if (received.size() >= 4) {
            const quint32 n = qFromBigEndian<quint32>(received.constData());
            if (received.size() >= qsizetype(4 + n))
                break;
        }
        if (!socket.waitForReadyRead(100) && socket.state() != QAbstractSocket::ConnectedState) {
            received += socket.readAll();
            closed = true;
            break;
        }
        received += socket.readAll();
    }
    if (closedByServer) {
        // After an answer to a bad frame the server closes its side.
        if (!closed) {
            QDeadlineTimer wait(5000);
            while (socket.state() == QAbstractSocket::ConnectedState && !wait.hasExpired())
                socket.waitForReadyRead(100);
            closed = socket.state() != QAbstractSocket::ConnectedState;
        }
        *closedByServer = closed;
    }
    if (received.size() < 4)
        return {};
    return received.mid(4, qFromBigEndian<quint32>(received.constData()));
}

} // namespace Mervak::Test
