// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QDate>
#include <QString>

namespace Mervak::Server {

class Store;

struct DemoOptions
{
    int items = 3000;            // catalogue size; 100000 for the benchmarks
    QDate today;                 // null: the current date
    quint32 seed = 20261211;     // the same seed gives the same distributor
};

// The sign-in of the demo: every unknown computer becomes this dealer in demo mode.
inline constexpr char DemoUserName[] = "DEMO";
inline constexpr char DemoPassword[] = "DEMO";

/*!
    Fills an empty store with a believable distributor: representatives, dealers with their
    discounts, users and computers, a spare-parts catalogue with pictures, delivery and
    cargo choices, a year of orders shipped and invoiced through the store's own operations
    (so every price, order and balance agrees wherever it shows), collections (some by
    card), payments, current baskets, announcements, adverts, banners and documents.
*/
class DemoGenerator
{
public:
    explicit DemoGenerator(Store &store, const DemoOptions &options = {});

    // Throws StoreError when the store already holds a catalogue.
    void run();

    // Names of the demo users by type, for the README and the tests.
    static QString userName(int userType);

private:
    Store &m_store;
    DemoOptions m_options;
};

} // namespace Mervak::Server
