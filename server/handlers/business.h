// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QMutex>
#include <QString>

#include <optional>

namespace Mervak::Server {

class Store;

struct BusinessOptions
{
    bool demo = false;                  // unknown computers become the demo dealer
    std::optional<int> clientVersion;   // overrides the stored setting for this run
};

/*!
    What the method handlers share: the store and the server's settings. Safe to use from
    every worker thread.
*/
class Business
{
public:
    Business(Store &store, const BusinessOptions &options);

    Store &store() const { return m_store; }
    bool demo() const { return m_options.demo; }

    // The client version the server expects: the option, else the setting, else 2.
    int clientVersion();
    // The user that unknown computers are registered for in demo mode; 0 when none.
    int demoUserId();
    // The distributor's name as documents print it.
    QString company();

private:
    Store &m_store;
    BusinessOptions m_options;
    QMutex m_mutex;
    int m_demoUserId = -1;
};

// The settings keys of the store that the server reads.
inline constexpr char ClientVersionSetting[] = "istemci_surumu";
inline constexpr char CompanySetting[] = "firma_adi";
inline constexpr int DefaultClientVersion = 2;

// The demo installer served for the self-update (a shell script standing in for it).
QByteArray demoInstaller();

} // namespace Mervak::Server
