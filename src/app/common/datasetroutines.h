// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

namespace Mervak {

class DataSet;

// Every field of the exact Float class (not Currency or Bcd) shows "#,###,##0.00".
void ApplyMoneyFormat(DataSet &dataSet);
bool HasRows(const DataSet &dataSet);
// Leaves the cursor on the first row whose SEC is 1, or after the last row when none is.
bool HasSelectedRows(DataSet &dataSet);

// Money to two decimals, halves away from zero; used after every multiplication or addition
// of amounts.
double RoundToCents(double value);

} // namespace Mervak
