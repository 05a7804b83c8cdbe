// SPDX-License-Identifier: LicenseRef-Mervak
#include "wirevalues.h"

namespace Mervak::Wire {

namespace {

constexpr qint64 kJulianDayZero = 2415019;   // 30 December 1899, day 0 of the day counts
constexpr double kMsPerDay = 86400000.0;

inline bool digits(std::string_view s, std::size_t at, std::size_t count, int *out)
{
    int v = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        const char c = s[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *out = v;
    return true;
}

QString twoDigits(int v)
{
    return QString::number(v).rightJustified(2, u'0');
}

} // namespace

bool parseDate(std::string_view s, double *days)
{
    int y, m, d;
    if (s.size() != 10 || s[4] != '-' || s[7] != '-' || !digits(s, 0, 4, &y)
        || !digits(s, 5, 2, &m) || !digits(s, 8, 2, &d))
        return false;
    const QDate date(y, m, d);
    if (!date.isValid())
        return false;
    *days = double(date.toJulianDay() - kJulianDayZero);
    return true;
}

bool parseTime(std::string_view s, double *fraction)
{
    int h, m, sec, ms = 0;
    if (s.size() < 8 || s[2] != ':' || s[5] != ':' || !digits(s, 0, 2, &h)
        || !digits(s, 3, 2, &m) || !digits(s, 6, 2, &sec) || h > 23 || m > 59 || sec > 59)
        return false;
    if (s.size() > 8) {
        const std::size_t n = s.size() - 9;
        if (s[8] != '.' || n < 1 || n > 3 || !digits(s, 9, n, &ms))
            return false;
        for (std::size_t i = n; i < 3; ++i)
            ms *= 10;
    }
    *fraction = (((h * 60 + m) * 60 + sec) * 1000.0 + ms) / kMsPerDay;
    return true;
}

bool parseDateTime(std::string_view s, double *value)
{
    double days, fraction;
    if (s.size() < 19 || s[10] != 'T' || !parseDate(s.substr(0, 10), &days)
        || !parseTime(s.substr(11), &fraction))
        return false;
    // Before the day zero the time of day counts away from zero, as in toDayCount.
    *value = days < 0 ? days - fraction : days + fraction;
    return true;
}

QString dateText(const QDate &d)
{
    return QString::number(d.year()).rightJustified(4, u'0') + u'-' + twoDigits(d.month())
           + u'-' + twoDigits(d.day());
}

QString timeText(const QTime &t)
{
    QString text = twoDigits(t.hour()) + u':' + twoDigits(t.minute()) + u':'
                   + twoDigits(t.second());
    if (t.msec() != 0)
        text += u'.' + QString::number(t.msec()).rightJustified(3, u'0');
    return text;
}

bool isBase64(std::string_view s)
{
    if (s.size() % 4 != 0)
        return false;
    std::size_t padding = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '=') {
            if (i + 2 < s.size())
                return false;
            ++padding;
            continue;
        }
        if (padding > 0)
            return false;
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
                        || c == '+' || c == '/';
        if (!ok)
            return false;
    }
    return true;
}

std::optional<QByteArray> fromBase64(std::string_view s)
{
    if (!isBase64(s))
        return std::nullopt;
    const auto raw = QByteArray::fromRawData(s.data(), qsizetype(s.size()));
    auto decoded = QByteArray::fromBase64Encoding(raw, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return std::move(*decoded);
}

} // namespace Mervak::Wire
