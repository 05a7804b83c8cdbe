// SPDX-License-Identifier: LicenseRef-Mervak
#include "datasetroutines.h"

#include "dataset.h"
#include "displayformat.h"

namespace Mervak {

void ApplyMoneyFormat(DataSet &dataSet)
{
    for (int i = 0; i < dataSet.fieldCount(); ++i) {
        if (dataSet.field(i).type == FieldType::Float)
            dataSet.setDisplayFormat(i, QString::fromLatin1(MoneyFormat));
    }
}

bool HasRows(const DataSet &dataSet)
{
    return dataSet.isOpen() && dataSet.rowCount() != 0;
}

bool HasSelectedRows(DataSet &dataSet)
{
    if (!HasRows(dataSet))
        return false;
    const int sec = dataSet.fieldIndex(QStringLiteral("SEC"));
    if (sec < 0)
        return false;
    for (dataSet.first(); !dataSet.eof(); dataSet.next()) {
        if (dataSet.intAt(dataSet.recNo(), sec) == 1)
            return true;
    }
    return false;
}

double RoundToCents(double value)
{
    return roundDecimal(value, 2);
}

} // namespace Mervak
