// SPDX-License-Identifier: LicenseRef-Mervak
#include "shellwindow.h"

#include "datagrid.h"

namespace Mervak {

void ApplyColumnSwitches(DataGrid &grid, const QHash<QString, ColumnSwitch> &switches)
{
    for (auto it = switches.cbegin(); it != switches.cend(); ++it) {
        if (grid.columnIndex(it.key()) < 0)
            continue;
        grid.setColumnShown(it.key(), it.value().visible);
        grid.setColumnOffered(it.key(), it.value().inChooser);
    }
}

} // namespace Mervak
