// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QLocale>
#include <QString>

namespace Mervak {

inline constexpr char MoneyFormat[] = "#,###,##0.00";        // amounts in grids and totals
inline constexpr char MoneyFormatTwoDigits[] = "#,###,##00.00"; // a few grand totals
inline constexpr char MoneyFormatNoZero[] = "#,###,##.00";

/*!
    Formats \a value by a picture such as "#,###,##0.00": a comma anywhere before the
    decimal point turns on thousands grouping, the zeros before the point give the least
    number of integer digits, the characters after it the number of decimals. Digits and
    separators come from \a locale. Halves round away from zero on the value's 15
    significant decimal digits, so 1.005 shows as 1.01 as a person would expect.
*/
QString formatFloat(const QString &format, double value, const QLocale &locale = QLocale());

/*!
    Rounds \a value to \a decimals places, halves away from zero, working on the value's
    15 significant decimal digits (0.125 -> 0.13, -0.125 -> -0.13, 1.005 -> 1.01).
*/
double roundDecimal(double value, int decimals);

} // namespace Mervak
