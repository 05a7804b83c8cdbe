// SPDX-License-Identifier: LicenseRef-Mervak
#include "handlerregistry.h"

#include <stdexcept>

namespace Mervak::Server {

HandlerRegistry::HandlerRegistry()
    : m_handlers(std::size_t(ServerMethods::all().size()))
{}

void HandlerRegistry::registerHandler(QStringView method, Handler handler)
{
    const MethodInfo *info = ServerMethods::find(method);
    if (!info)
        throw std::invalid_argument("no server method named " + method.toString().toStdString());
    m_handlers[std::size_t(info->index)] = std::move(handler);
}

bool HandlerRegistry::hasHandler(QStringView method) const
{
    const MethodInfo *info = ServerMethods::find(method);
    return info && handler(*info);
}

const Handler *HandlerRegistry::handler(const MethodInfo &method) const
{
    const Handler &h = m_handlers[std::size_t(method.index)];
    return h ? &h : nullptr;
}

} // namespace Mervak::Server
