// SPDX-License-Identifier: LicenseRef-Mervak
#include "callserver.h"

#include "calllog.h"
#include "socketclose.h"
#include "wireframe.h"

#include <QElapsedTimer>
#include <QRunnable>
#include <QTcpSocket>
#include <QThread>

#include <algorithm>

namespace Mervak::Server {

namespace {

constexpr int kWriteTimeoutMs = 60000;

class Connection : public QRunnable
{
public:
    Connection(qintptr descriptor, const ServerConfig &config, const Dispatcher &dispatcher,
               const std::atomic<bool> &stopping)
        : m_descriptor(descriptor)
        , m_config(config)
        , m_dispatcher(dispatcher)
        , m_stopping(stopping)
    {}

    ~Connection() override
    {
        if (!m_started)   // dropped from the queue at shutdown
            closeDescriptor(m_descriptor);
    }

    void run() override
    {
        m_started = true;
        QTcpSocket socket;
        if (!socket.setSocketDescriptor(m_descriptor)) {
            closeDescriptor(m_descriptor);
            return;
        }
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        const QString peer = socket.peerAddress().toString() + u':'
                             + QString::number(socket.peerPort());

        Wire::ReadOptions options;
        options.firstByteTimeoutMs = m_config.idleTimeoutMs;
        options.silenceTimeoutMs = m_config.readTimeoutMs;
        options.cancelled = [this] { return m_stopping.load(); };

        for (;;) {
            QByteArray payload;
            quint32 announced = 0;
            const Wire::ReadStatus status = Wire::readFrame(socket, options, &payload,
                                                            &announced);
            QElapsedTimer timer;
            timer.start();
            if (status == Wire::ReadStatus::Ok) {
                const Dispatcher::Outcome outcome = m_dispatcher.handle(payload);
                payload.clear();
                const bool sent = Wire::writeFrame(socket, outcome.reply, kWriteTimeoutMs);
                logCall(peer, outcome.command, timer.nsecsElapsed() / 1e6,
                        sent ? outcome.error
                             : outcome.error + QStringLiteral(" (yanıt gönderilemedi)"));
                if (!sent)
                    break;
                if (outcome.closeConnection) {
                    closeAfterReply(socket);
                    return;
                }
                continue;
            }
            QString error;
            if (status == Wire::ReadStatus::BadLength) {
                error = announced == 0
                            ? QStringLiteral("Geçersiz çerçeve: uzunluk 0")
                            : QStringLiteral("Geçersiz çerçeve: uzunluk %1 bayt, en çok %2 bayt "
                                             "olabilir")
                                  .arg(announced)
                                  .arg(Wire::MaxFrameSize);
            } else if (status == Wire::ReadStatus::Stalled) {
                error = QStringLiteral("Zaman aşımı: istek %1 saniye içinde tamamlanmadı")
                            .arg(std::max(1, m_config.readTimeoutMs / 1000));
            }
            if (!error.isEmpty()) {
                Wire::writeFrame(socket, Wire::errorReply(error), kWriteTimeoutMs);
                logCall(peer, QString(), timer.nsecsElapsed() / 1e6, error);
                closeAfterReply(socket);
                return;
            }
            if (status == Wire::ReadStatus::Broken)
                logCall(peer, QString(), 0, QStringLiteral("bağlantı çerçeve ortasında koptu"));
            break;   // closed by the client, idle, or the server stops
        }
        socket.abort();
    }

private:
    // The reply to a bad frame goes out first; the rest of what the client sent is read
    // and dropped for a moment, because closing with unread data would reset the
    // connection and could take the reply with it.
    void closeAfterReply(QTcpSocket &socket)
    {
        socket.flush();
        shutdownSending(socket.socketDescriptor());
        QElapsedTimer timer;
        timer.start();
        qint64 drained = 0;
        while (timer.elapsed() < 2000 && drained < qint64(Wire::MaxFrameSize)
               && socket.state() == QAbstractSocket::ConnectedState && !m_stopping) {
            if (socket.waitForReadyRead(100))
                drained += socket.read(64 * 1024).size();
        }
        socket.abort();
    }

    qintptr m_descriptor;
    bool m_started = false;
    const ServerConfig &m_config;
    const Dispatcher &m_dispatcher;
    const std::atomic<bool> &m_stopping;
};

} // namespace

CallServer::CallServer(const ServerConfig &config, const HandlerRegistry &registry,
                       QObject *parent)
    : QTcpServer(parent)
    , m_config(config)
    , m_dispatcher(registry)
{
    const int threads = config.threads > 0
                            ? config.threads
                            : std::max(8, 4 * QThread::idealThreadCount());
    m_pool.setMaxThreadCount(threads);
    // Threads are kept: handlers may hold per-thread resources such as database connections.
    m_pool.setExpiryTimeout(-1);
}

CallServer::~CallServer()
{
    stop();
}

bool CallServer::start(QString *error)
{
    if (!listen(m_config.listenAddress, m_config.listenPort)) {
        *error = QStringLiteral("%1:%2 dinlenemiyor: %3")
                     .arg(m_config.listenAddress.toString())
                     .arg(m_config.listenPort)
                     .arg(errorString());
        return false;
    }
    return true;
}

void CallServer::stop()
{
    close();
    m_stopping = true;
    m_pool.clear();   // connections not started yet are dropped with their sockets
    m_pool.waitForDone();
}

void CallServer::incomingConnection(qintptr socketDescriptor)
{
    if (m_stopping) {
        closeDescriptor(socketDescriptor);
        return;
    }
    auto *connection = new Connection(socketDescriptor, m_config, m_dispatcher, m_stopping);
    connection->setAutoDelete(true);
    m_pool.start(connection);
}

} // namespace Mervak::Server
