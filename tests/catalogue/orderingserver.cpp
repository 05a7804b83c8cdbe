// SPDX-License-Identifier: LicenseRef-Mervak
#include "orderingserver.h"

#include "remotecall.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

namespace Mervak::Test {

OrderingServer::~OrderingServer()
{
    stop();
}

bool OrderingServer::start(int items)
{
    if (!m_dir.isValid())
        return false;
    const QString db = m_dir.filePath(QStringLiteral("demo.db"));
    const QString server = QStringLiteral(MERVAK_SERVER_PATH);
    QProcess generate;
    generate.start(server, {QStringLiteral("--db"), db, QStringLiteral("demo-generate"),
                            QStringLiteral("--items"), QString::number(items)});
    if (!generate.waitForFinished(300000) || generate.exitCode() != 0) {
        m_stderr = QString::fromUtf8(generate.readAllStandardError());
        return false;
    }

    m_process.start(server, {QStringLiteral("--db"), db, QStringLiteral("--demo"),
                             QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                             QStringLiteral("--http"), QStringLiteral("127.0.0.1:0")});
    if (!m_process.waitForStarted(10000))
        return false;
    QByteArray out;
    QDeadlineTimer deadline(120000);
    while (!out.contains('\n') && !deadline.hasExpired()
           && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(200);
        out += m_process.readAllStandardOutput();
    }
    static const QRegularExpression listening(QStringLiteral("^LISTENING (\\d+)"));
    const QRegularExpressionMatch match = listening.match(QString::fromUtf8(out));
    if (!match.hasMatch())
        return false;
    m_port = quint16(match.captured(1).toUInt());
    m_bagc.HostName = QStringLiteral("127.0.0.1");
    m_bagc.Port = QString::number(m_port);
    return true;
}

void OrderingServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(20000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString OrderingServer::errors()
{
    m_stderr += QString::fromUtf8(m_process.readAllStandardError());
    return m_stderr;
}

TSonucBilgisi OrderingServer::session(const QString &computerId)
{
    TSonucBilgisi result;
    RemoteCall::run(m_bagc, nullptr, 0, [&](TServerMethods1Client &client, TSonucBilgisi *) {
        if (TSonucBilgisi *found = client.BuyukGetir(computerId))
            result.Kopyala(*found);
    }, RemoteCall::Use::Clone);
    return result;
}

} // namespace Mervak::Test
