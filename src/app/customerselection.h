// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

class QWidget;

namespace Mervak {

class ServerConnection;
class TSonucBilgisi;

/*!
    Lets a sales representative (user types 1 and 2) choose the customer account to work
    for; the login and the button "Başka Cari Seç" both come here. Answers true when a
    customer was chosen (the session record then names it), false when the choice was
    cancelled.
*/
bool RunCustomerSelection(QWidget *parent, ServerConnection &bag, TSonucBilgisi &bilgi);

} // namespace Mervak
