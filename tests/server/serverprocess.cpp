// SPDX-License-Identifier: LicenseRef-Mervak
#include "serverprocess.h"

#include "remoteerror.h"
#include "wireframe.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpSocket>

namespace Mervak::Test {

ServerProcess::~ServerProcess()
{
    stop();
}

QString ServerProcess::executable()
{
    return QStringLiteral(MERVAK_SERVER_EXECUTABLE);
}

bool ServerProcess::start(const QString &dbFile, const QStringList &extraArguments)
{
    QStringList arguments{QStringLiteral("--db"), dbFile, QStringLiteral("--listen"),
                          QStringLiteral("127.0.0.1:0"), QStringLiteral("--http"),
                          QStringLiteral("127.0.0.1:0")};
    arguments << extraArguments;
    m_process.start(executable(), arguments);
    if (!m_process.waitForStarted(10000))
        return false;
    // The first line of standard output is "LISTENING <port>"; the web port comes on
    // standard error as "HTTP <address>:<port>" before it.
    QByteArray out;
    QDeadlineTimer deadline(120000);
    while (!out.contains('\n') && !deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running)
            break;
        m_process.waitForReadyRead(200);
        out += m_process.readAllStandardOutput();
    }
    m_stderr += QString::fromUtf8(m_process.readAllStandardError());
    static const QRegularExpression listening(QStringLiteral("^LISTENING (\\d+)"));
    const QRegularExpressionMatch match = listening.match(QString::fromUtf8(out));
    if (!match.hasMatch())
        return false;
    m_port = quint16(match.captured(1).toUInt());
    static const QRegularExpression http(QStringLiteral("HTTP [^\\s]*:(\\d+)"));
    const QRegularExpressionMatch web = http.match(m_stderr);
    if (web.hasMatch())
        m_httpPort = quint16(web.captured(1).toUInt());
    return true;
}

void ServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(20000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString ServerProcess::errorOutput()
{
    m_stderr += QString::fromUtf8(m_process.readAllStandardError());
    return m_stderr;
}

int ServerProcess::run(const QStringList &arguments, QString *output)
{
    QProcess process;
    process.start(executable(), arguments);
    if (!process.waitForFinished(120000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput())
                  + QString::fromUtf8(process.readAllStandardError());
    return process.exitCode();
}

void addArg(Wire::RequestWriter &w, const QString &value) { w.addString(value); }
void addArg(Wire::RequestWriter &w, const char *value) { w.addString(QString::fromUtf8(value)); }
void addArg(Wire::RequestWriter &w, int value) { w.addInteger(value); }
void addArg(Wire::RequestWriter &w, double value) { w.addDouble(value); }
void addArg(Wire::RequestWriter &w, bool value) { w.addBoolean(value); }
void addArg(Wire::RequestWriter &w, const TransferRecord *record) { w.addRecord(record); }
void addArg(Wire::RequestWriter &w, const TSonucBilgisi &session) { w.addRecord(&session); }
void addArg(Wire::RequestWriter &w, Out) { w.addNull(); }

std::unique_ptr<Wire::ReplyReader> sendRequest(quint16 port, const MethodInfo &method,
                                               const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(10000))
        throw RemoteError(QStringLiteral("no connection to the server"));
    if (!Wire::writeFrame(socket, request, 30000))
        throw RemoteError(QStringLiteral("request not sent"));
    QByteArray payload;
    Wire::ReadOptions options;
    options.firstByteTimeoutMs = 120000;
    if (Wire::readFrame(socket, options, &payload) != Wire::ReadStatus::Ok)
        throw RemoteError(QStringLiteral("no reply from the server"));
    socket.disconnectFromHost();
    return std::make_unique<Wire::ReplyReader>(method, payload);
}

std::unique_ptr<DataSet> table(const Wire::ReplyReader &reply, int pos)
{
    auto data = std::make_unique<DataSet>();
    reply.table(pos, *data);
    return data;
}

TSonucBilgisi session(quint16 port, const QString &computerId)
{
    const auto reply = call(port, "BuyukGetir", computerId);
    std::unique_ptr<TransferRecord> record = reply->record(0);
    auto *typed = dynamic_cast<TSonucBilgisi *>(record.get());
    if (!typed)
        throw RemoteError(QStringLiteral("BuyukGetir answered no session"));
    return *typed;
}

} // namespace Mervak::Test
