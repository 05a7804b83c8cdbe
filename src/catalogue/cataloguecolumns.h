// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "gridcolumn.h"

#include <QList>

namespace Mervak {

// The stock list (cxGrid1DBTableView1), 35 columns in display order, keyed by the column
// names the user-type switches use ("cxGrid1DBTableView1KALAN", ...).
QList<GridColumn> StockListColumns();
// The new-product list (cxGridDBTableView5).
QList<GridColumn> NewProductColumns();
// The campaign list (cxGridDBTableViewkampanyali).
QList<GridColumn> CampaignColumns();

// Keys of the stock list's columns that the layout switches between narrow and wide.
namespace StockColumn {
inline constexpr char Oem1[] = "cxGrid1DBTableView1OEM1";
inline constexpr char Oem2[] = "cxGrid1DBTableView1OEM2";
inline constexpr char Oem3[] = "cxGrid1DBTableView1OEM3";
inline constexpr char Name[] = "cxGrid1DBTableView1ADI";
inline constexpr char ListPrice[] = "cxGrid1DBTableView1LISTEFIYAT1";
inline constexpr char CampaignPrice[] = "cxGrid1DBTableView1KAMPFIYAT";
inline constexpr char NetPrice[] = "cxGrid1DBTableView1NETFIYAT";
inline constexpr char VatIncluded[] = "cxGrid1DBTableView1KDVDAHIL";
inline constexpr char PriceBlock[] = "cxGrid1DBTableView1FiyatBilgisi";
} // namespace StockColumn

} // namespace Mervak
