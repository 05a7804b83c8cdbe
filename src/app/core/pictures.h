// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QPixmap>
#include <QSize>

namespace Mervak::Pictures {

// The distributor's logo for the header: white on the purple of the header.
QPixmap Logo(const QSize &size = QSize(350, 100));
// The login window's background, with the logo in its upper part.
QPixmap LoginBackground(const QSize &size = QSize(368, 550));

// The tab pictures, 32 x 32, by their index in the tab image list.
enum TabPicture {
    TabStatement = 1,      // "Cari Ekstre"
    TabPreviousOrders = 3, // "Önceki Siparişler"
    TabCampaign = 6,       // "Kampanyalı Stoklar"
    TabBalances = 7,       // "Bakiyeler"
    TabNewStock = 10,      // "Yeni Stoklar"
    TabCardPayment = 12,   // "Sanal Pos"
    TabBasket = 15,        // "Sepet"
    TabStockList = 17,     // "Stok Listesi"
    TabAnnouncements = 20  // "Duyurular"
};
QPixmap TabImage(int index);

// The general menu button's picture, 48 x 48.
QPixmap MenuButton();
// Search bar: the search icon, "Ara" and "Temizle".
QPixmap SearchIcon(int size = 24);
QPixmap ClearIcon(int size = 20);

} // namespace Mervak::Pictures
