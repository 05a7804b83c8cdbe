// SPDX-License-Identifier: LicenseRef-Mervak
#include "sessionfetch.h"

#include "machineidentity.h"
#include "remotecall.h"
#include "remoteerror.h"

namespace Mervak {

SessionFetchResult FetchSession(const SessionFetchInput &input)
{
    SessionFetchResult result;
    if (!input.connection)
        return result;
    try {
        bool found = false;
        const bool opened = RemoteCall::run(
            *input.connection, nullptr, 0,
            [&](TServerMethods1Client &client, TSonucBilgisi *) {
                if (TSonucBilgisi *record = client.BuyukGetir(input.computerId)) {
                    result.session.Kopyala(*record);
                    found = true;
                }
            },
            RemoteCall::Use::Itself);
        if (!opened || !found)
            return result;
    } catch (const std::exception &) {
        return result;
    }

    TSonucBilgisi &s = result.session;
    s.setBilgiSayarAdi(LocalComputerName());
    s.setBilgisayarKullanici(LocalUserName());
    s.setIcip(LocalIpAddress());
    s.setBILGISAYARID(ComputerId());
    // The address is asked once more; when the service does not answer this time, the one
    // found a moment ago stands, so that a signed-in user is not turned away for an empty
    // address.
    const QString again = FetchPublicAddress(input.addressRequest).trimmed();
    s.setDisip(again.isEmpty() ? input.publicAddress : again);
    result.ok = true;
    return result;
}

} // namespace Mervak
