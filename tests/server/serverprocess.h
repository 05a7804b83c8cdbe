// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "dataset.h"
#include "servermethods.h"
#include "wirecodec.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace Mervak::Test {

/*!
    The real mervak-server on free loopback ports, with the database and options given.
    Stopped (SIGTERM, then waited for) when destroyed.
*/
class ServerProcess
{
public:
    ServerProcess() = default;
    ~ServerProcess();

    bool start(const QString &dbFile, const QStringList &extraArguments = {});
    void stop();

    quint16 port() const { return m_port; }
    quint16 httpPort() const { return m_httpPort; }
    QString errorOutput();      // everything the server wrote on standard error so far

    static QString executable();
    // Runs the executable once (administration commands); returns the exit code.
    static int run(const QStringList &arguments, QString *output = nullptr);

private:
    QProcess m_process;
    quint16 m_port = 0;
    quint16 m_httpPort = 0;
    QString m_stderr;
};

// An out parameter's place in a request.
struct Out {};

void addArg(Wire::RequestWriter &w, const QString &value);
void addArg(Wire::RequestWriter &w, const char *value);
void addArg(Wire::RequestWriter &w, int value);
void addArg(Wire::RequestWriter &w, double value);
void addArg(Wire::RequestWriter &w, bool value);
void addArg(Wire::RequestWriter &w, const TransferRecord *record);
void addArg(Wire::RequestWriter &w, const TSonucBilgisi &session);
void addArg(Wire::RequestWriter &w, Out);

// Sends one request on a connection of its own and returns the reply; an error reply
// throws RemoteError with the server's text.
std::unique_ptr<Wire::ReplyReader> sendRequest(quint16 port, const MethodInfo &method,
                                               const QByteArray &request);

template <typename... Args>
std::unique_ptr<Wire::ReplyReader> call(quint16 port, const char *method, const Args &...args)
{
    const MethodInfo *info = ServerMethods::find(QString::fromLatin1(method));
    if (!info)
        throw std::logic_error(std::string("unknown method ") + method);
    Wire::RequestWriter w(*info);
    (addArg(w, args), ...);
    return sendRequest(port, *info, w.finish());
}

// The text of the error reply a call gets; empty when it succeeds.
template <typename... Args>
QString callError(quint16 port, const char *method, const Args &...args)
{
    try {
        call(port, method, args...);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

// A table result at position pos of the reply.
std::unique_ptr<DataSet> table(const Wire::ReplyReader &reply, int pos);

// The session record the server keeps for a computer.
TSonucBilgisi session(quint16 port, const QString &computerId);

} // namespace Mervak::Test
