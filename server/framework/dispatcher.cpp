// SPDX-License-Identifier: LicenseRef-Mervak
#include "dispatcher.h"

#include "remoteerror.h"
#include "wireframe.h"

#include <exception>
#include <stdexcept>

namespace Mervak::Server {

QString Dispatcher::notImplementedText(const MethodInfo &method)
{
    return QStringLiteral("%1: bu yöntem bu sunucuda uygulanmamış").arg(method.command);
}

Dispatcher::Outcome Dispatcher::handle(const QByteArray &payload) const
{
    Outcome out;
    Wire::Request request;
    QString error;
    switch (Wire::readRequest(payload, &request, &error)) {
    case Wire::RequestError::Frame:
        out.closeConnection = true;
        [[fallthrough]];
    case Wire::RequestError::Call:
        out.error = error;
        if (request.method)
            out.command = request.method->command;
        out.reply = Wire::errorReply(error);
        return out;
    case Wire::RequestError::None:
        break;
    }

    const MethodInfo &method = *request.method;
    out.command = method.command;
    const Handler *handler = m_registry.handler(method);
    if (!handler) {
        out.error = notImplementedText(method);
        out.reply = Wire::errorReply(out.error);
        return out;
    }
    try {
        Wire::ReplyWriter reply(method);
        (*handler)(request, reply);
        out.reply = reply.finish();
        if (quint64(out.reply.size()) <= Wire::MaxFrameSize)
            return out;
        // Too large for one frame: say so rather than leave the client with a cut connection.
        out.error = QStringLiteral("%1: yanıt %2 baytlık çerçeve sınırını aşıyor")
                        .arg(method.command)
                        .arg(Wire::MaxFrameSize);
    } catch (const RemoteError &e) {
        out.error = e.message();
    } catch (const std::logic_error &e) {
        // A handler that misuses the reply is a fault of this server, not of the caller.
        out.error = QStringLiteral("%1: sunucu iç hatası (%2)")
                        .arg(method.command, QString::fromUtf8(e.what()));
    } catch (const std::exception &e) {
        out.error = QStringLiteral("%1: %2").arg(method.command, QString::fromUtf8(e.what()));
    } catch (...) {
        out.error = QStringLiteral("%1: sunucu iç hatası").arg(method.command);
    }
    out.reply = Wire::errorReply(out.error);
    return out;
}

} // namespace Mervak::Server
