// SPDX-License-Identifier: LicenseRef-Mervak
#include "serverconnection.h"

#include "remoteerror.h"
#include "wireframe.h"

#include <QTcpSocket>

namespace Mervak {

namespace {

QString seconds(int ms)
{
    return QString::number(std::max(1, (ms + 999) / 1000));
}

QString connectFailure(const QTcpSocket &socket, int timeoutMs)
{
    switch (socket.error()) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("bağlantı reddedildi");
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("sunucu adı bulunamadı");
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("bağlantı %1 saniye içinde kurulamadı").arg(seconds(timeoutMs));
    case QAbstractSocket::NetworkError:
        return QStringLiteral("ağa ulaşılamıyor");
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("sunucu bağlantıyı kapattı");
    default:
        return socket.errorString();
    }
}

} // namespace

ServerConnection::ServerConnection() = default;

ServerConnection::~ServerConnection()
{
    close();
}

std::unique_ptr<ServerConnection> ServerConnection::clone() const
{
    auto copy = std::make_unique<ServerConnection>();
    copy->ConnectionName = ConnectionName;
    copy->DriverName = DriverName;
    copy->LoginPrompt = LoginPrompt;
    copy->DriverUnit = DriverUnit;
    copy->CommunicationProtocol = CommunicationProtocol;
    copy->Port = Port;
    copy->HostName = HostName;
    copy->DatasnapContext = DatasnapContext;
    copy->Filters = Filters;
    copy->DSProxyPort = DSProxyPort;
    copy->connectTimeoutMs = connectTimeoutMs;
    copy->callTimeoutMs = callTimeoutMs;
    return copy;
}

void ServerConnection::open()
{
    if (isOpen())
        return;
    close();
    const QString host = HostName.trimmed();
    if (host.isEmpty())
        throw TransportError(QStringLiteral("Sunucuya bağlanılamadı: sunucu adresi belirtilmemiş"));
    bool ok = false;
    const uint port = Port.trimmed().toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        throw TransportError(QStringLiteral("Sunucuya bağlanılamadı: geçersiz port \"%1\"")
                                 .arg(Port));
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(host, quint16(port));
    if (!socket->waitForConnected(connectTimeoutMs)) {
        const QString why = connectFailure(*socket, connectTimeoutMs);
        socket->abort();
        throw TransportError(QStringLiteral("Sunucuya bağlanılamadı (%1:%2): %3")
                                 .arg(host)
                                 .arg(port)
                                 .arg(why));
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket = std::move(socket);
}

void ServerConnection::close()
{
    if (!m_socket)
        return;
    m_socket->abort();
    m_socket.reset();
}

bool ServerConnection::isOpen() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

QByteArray ServerConnection::exchange(const MethodInfo &method, const QByteArray &request)
{
    if (!isOpen()) {
        close();
        throw TransportError(QStringLiteral("Sunucu bağlantısı açık değil (%1)")
                                 .arg(method.command));
    }
    if (!Wire::writeFrame(*m_socket, request, callTimeoutMs)) {
        close();
        throw TransportError(QStringLiteral("İstek sunucuya gönderilemedi (%1)")
                                 .arg(method.command));
    }
    Wire::ReadOptions options;
    options.firstByteTimeoutMs = callTimeoutMs;
    options.silenceTimeoutMs = callTimeoutMs;
    QByteArray reply;
    quint32 announced = 0;
    const Wire::ReadStatus status = Wire::readFrame(*m_socket, options, &reply, &announced);
    QString why;
    switch (status) {
    case Wire::ReadStatus::Ok:
        return reply;
    case Wire::ReadStatus::Idle:
    case Wire::ReadStatus::Stalled:
        why = QStringLiteral("Sunucu %1 saniye içinde yanıt vermedi (%2)")
                  .arg(seconds(callTimeoutMs), method.command);
        break;
    case Wire::ReadStatus::BadLength:
        why = QStringLiteral("Sunucudan gelen yanıt okunamadı (%1): geçersiz uzunluk %2")
                  .arg(method.command)
                  .arg(announced);
        break;
    case Wire::ReadStatus::Closed:
    case Wire::ReadStatus::Broken:
    case Wire::ReadStatus::Cancelled:
        why = QStringLiteral("Sunucu bağlantıyı yanıt tamamlanmadan kapattı (%1)")
                  .arg(method.command);
        break;
    }
    close();
    throw TransportError(why);
}

} // namespace Mervak
