// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

#include <optional>
#include <string_view>

// The text forms of table values on the wire, shared by the writing and the reading side.
namespace Mervak::Wire {

inline QString toQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// "YYYY-MM-DD" to whole days since 30 December 1899.
bool parseDate(std::string_view s, double *days);
// "HH:MM:SS", "HH:MM:SS.z" to "HH:MM:SS.zzz" as a fraction of a day.
bool parseTime(std::string_view s, double *fraction);
// "YYYY-MM-DDTHH:MM:SS[.zzz]" as a day count.
bool parseDateTime(std::string_view s, double *value);

QString dateText(const QDate &d);   // "2026-12-11"
QString timeText(const QTime &t);   // "14:05:00", with ".zzz" when there are milliseconds

bool isBase64(std::string_view s);  // standard alphabet, padded to a multiple of 4
std::optional<QByteArray> fromBase64(std::string_view s);

} // namespace Mervak::Wire
