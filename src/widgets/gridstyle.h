// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QColor>
#include <QFont>

namespace Mervak {

/*!
    Colours and fonts of a grid. mainWindow() holds the five shared styles of the main
    window's lists (content grey, white alternate rows, dark header with white bold text,
    light blue selection, dark row indicator); skin() is the product's purple theme for the
    dialog grids that use a skin instead of the shared styles.
*/
struct GridStyle
{
    QColor content{239, 239, 239};        // background and content
    QColor alternate{255, 255, 255};      // the other rows
    QColor text{0, 0, 0};
    QColor header{61, 65, 74};
    QColor headerText{255, 255, 255};
    QColor headerLine{92, 97, 108};
    QColor selection{210, 240, 249};
    QColor selectionText{0, 0, 0};
    QColor indicator{66, 66, 66};
    QColor indicatorFocus{150, 110, 200};
    QColor gridLine{255, 255, 255};
    QColor groupRow{222, 214, 236};
    QColor groupText{48, 28, 80};
    QColor footer{228, 228, 232};
    QColor footerText{30, 30, 40};
    QColor accent{255, 196, 61};          // an active header filter
    QFont headerFont;                     // Arial 13 px bold

    static GridStyle mainWindow();
    static GridStyle skin();
};

} // namespace Mervak
