// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

// Shared by the handler source files only.

#include "business.h"
#include "businesshandlers.h"
#include "methodargs.h"
#include "remoteerror.h"
#include "store.h"

#include <functional>
#include <vector>

namespace Mervak::Server {

using Handler = std::function<void(const MethodArgs &args, Wire::ReplyWriter &reply)>;

class Registrar
{
public:
    // Adds the handler for one method; refusals of the store become error replies.
    void add(const char *method, Handler handler);
    // Adds the same handler under several names (variants of one method).
    void add(std::initializer_list<const char *> methods, const Handler &handler);

    std::vector<NamedHandler> take() { return std::move(m_handlers); }

private:
    std::vector<NamedHandler> m_handlers;
};

void addCatalogueHandlers(Registrar &r, Business &business);
void addOrderHandlers(Registrar &r, Business &business);
void addAccountHandlers(Registrar &r, Business &business);
void addPromotionHandlers(Registrar &r, Business &business);

// The active user a session record stands for.
UserInfo sessionUser(Business &business, const TSonucBilgisi &session);

} // namespace Mervak::Server
