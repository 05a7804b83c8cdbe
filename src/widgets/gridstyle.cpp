// SPDX-License-Identifier: LicenseRef-Mervak
#include "gridstyle.h"

namespace Mervak {

namespace {

QFont arialBold()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

} // namespace

GridStyle GridStyle::mainWindow()
{
    GridStyle style;
    style.headerFont = arialBold();
    return style;
}

GridStyle GridStyle::skin()
{
    GridStyle style;
    style.content = QColor(255, 255, 255);
    style.alternate = QColor(246, 242, 251);
    style.header = QColor(98, 52, 145);
    style.headerText = QColor(255, 255, 255);
    style.headerLine = QColor(128, 88, 172);
    style.selection = QColor(221, 207, 242);
    style.selectionText = QColor(0, 0, 0);
    style.indicator = QColor(98, 52, 145);
    style.indicatorFocus = QColor(255, 196, 61);
    style.gridLine = QColor(226, 219, 236);
    style.groupRow = QColor(234, 226, 246);
    style.groupText = QColor(62, 30, 100);
    style.footer = QColor(240, 235, 248);
    style.footerText = QColor(40, 20, 70);
    style.headerFont = arialBold();
    return style;
}

} // namespace Mervak
