// SPDX-License-Identifier: LicenseRef-Mervak
#include "handlers_p.h"

#include "servermethods.h"

namespace Mervak::Server {

void Registrar::add(const char *method, Handler handler)
{
    Q_ASSERT_X(ServerMethods::find(QString::fromLatin1(method)), "Registrar::add", method);
    m_handlers.push_back({QString::fromLatin1(method),
                          [handler = std::move(handler)](const Wire::Request &request,
                                                         Wire::ReplyWriter &reply) {
                              try {
                                  handler(MethodArgs(request), reply);
                              } catch (const StoreError &error) {
                                  throw RemoteError(error.text());
                              }
                          }});
}

void Registrar::add(std::initializer_list<const char *> methods, const Handler &handler)
{
    for (const char *method : methods)
        add(method, handler);
}

UserInfo sessionUser(Business &business, const TSonucBilgisi &session)
{
    const std::optional<UserInfo> user = business.store().userById(session.FSirano);
    if (!user || !user->active)
        throw RemoteError(QStringLiteral("Kullanıcı bulunamadı veya pasif."));
    return *user;
}

std::vector<NamedHandler> businessHandlers(Business &business)
{
    Registrar r;
    addCatalogueHandlers(r, business);
    addOrderHandlers(r, business);
    addAccountHandlers(r, business);
    addPromotionHandlers(r, business);
    return r.take();
}

} // namespace Mervak::Server
