// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QPixmap>

namespace Mervak {

// The stock pictures of the grids. The status pictures are indexed by the stock status code
// the server sends (DURUM), so the status legend of the main window can show the same ones.
enum class GridPicture {
    None = -1,
    StatusOutOfStock = 0,   // "Yok"
    StatusInStock = 1,      // "Stok mevcut"
    StatusCallUs = 2,       // "Telefon Açınız"
    StatusOnTheWay = 3,     // "Yolda"
    StatusSpecialOrder = 4, // "Özel Sipariş"
    StatusInSupply = 5,     // "Tedarik Sürecinde"
    HasPicture,             // the item has a picture
    Yes,
    No,
    CheckOn,
    CheckOff
};

// Drawn once per size and cached; call on the user-interface thread only.
QPixmap gridPixmap(GridPicture picture, int size = 24);

// The picture of a stock status code 0-5; a null pixmap for any other value.
QPixmap statusPixmap(int code, int size = 24);

} // namespace Mervak
