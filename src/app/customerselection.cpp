// SPDX-License-Identifier: LicenseRef-Mervak
#include "customerselection.h"

#include "baglantiu.h"
#include "serverconnection.h"

namespace Mervak {

bool RunCustomerSelection(QWidget *, ServerConnection &, TSonucBilgisi &)
{
    // Until the selection window exists the representative works for the customer the
    // server's session record names.
    return true;
}

} // namespace Mervak
