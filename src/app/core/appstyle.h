// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QColor>
#include <QString>

class QApplication;

namespace Mervak {

// The colours of the "Amethyst Kamri" look, shared by the style sheet and the painted parts.
namespace AppColors {
inline const QColor HeaderDark(0x35, 0x18, 0x50);
inline const QColor HeaderLight(0x6a, 0x35, 0x8e);
inline const QColor TabNormal(0x5d, 0x2f, 0x7c);
inline const QColor TabHot(0x7d, 0x45, 0xa3);
inline const QColor TabSelected(0x9b, 0x5c, 0xc4);
inline const QColor TabBorder(0x2b, 0x12, 0x42);
inline const QColor TabText(Qt::white);
inline const QColor TabCount(0xe0, 0x10, 0x10);
inline const QColor Window(0xf4, 0xf1, 0xf8);
inline const QColor Legend(67, 76, 88);
// Grids: content, every other row, header, selection, row indicator.
inline const QColor GridContent(239, 239, 239);
inline const QColor GridAlternate(255, 255, 255);
inline const QColor GridHeader(61, 65, 74);
inline const QColor GridSelection(210, 240, 249);
inline const QColor GridIndicator(66, 66, 66);
} // namespace AppColors

// The style sheet of the program.
QString AppStyleSheet();

/*!
    Applies the visual style to the whole program: the Fusion base style, the palette and the
    style sheet. Answers false (and the program goes on in the plain style) when the base
    style is missing.
*/
bool ApplyAppStyle(QApplication &app);

} // namespace Mervak
