// SPDX-License-Identifier: LicenseRef-Mervak
#include "displayformat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Mervak {

namespace {

// Decimal digits of |value| rounded to `decimals` places: integer part and fraction part.
struct DecimalDigits
{
    std::string integer;   // no leading zeros; empty for zero
    std::string fraction;  // exactly `decimals` digits
    bool negative = false;
};

DecimalDigits roundedDigits(double value, int decimals)
{
    DecimalDigits out;
    if (!std::isfinite(value) || value == 0.0) {
        out.fraction.assign(std::size_t(decimals), '0');
        return out;
    }
    out.negative = value < 0;
    // 15 significant digits, as the value was meant when typed or computed in cents.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string mantissa;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            mantissa.push_back(*p);
    }
    const int exponent = std::atoi(p + 1);
    // Position of the decimal point within `mantissa` is exponent + 1.
    int pointPos = exponent + 1;
    std::string digits = mantissa;
    if (pointPos <= 0) {
        digits.insert(0, std::size_t(-pointPos + 1), '0');
        pointPos = 1;
    }
    const int keep = pointPos + decimals;      // digits kept
    if (keep < int(digits.size())) {
        const bool roundUp = digits[std::size_t(keep)] >= '5';
        digits.resize(std::size_t(std::max(keep, 0)));
        if (roundUp) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (digits[std::size_t(i)] == '9') {
                    digits[std::size_t(i)] = '0';
                } else {
                    ++digits[std::size_t(i)];
                    break;
                }
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            }
        }
    } else {
        digits.append(std::size_t(keep - int(digits.size())), '0');
    }
    out.integer = digits.substr(0, std::size_t(pointPos));
    out.fraction = digits.substr(std::size_t(pointPos));
    const auto firstNonZero = out.integer.find_first_not_of('0');
    out.integer = firstNonZero == std::string::npos ? std::string() : out.integer.substr(firstNonZero);
    if (out.integer.empty() && out.fraction.find_first_not_of('0') == std::string::npos)
        out.negative = false;   // no "-0,00"
    return out;
}

} // namespace

double roundDecimal(double value, int decimals)
{
    const DecimalDigits d = roundedDigits(value, decimals);
    // Rebuilt in the C locale: no group separator can ever reach the conversion.
    std::string text = (d.negative ? "-" : "") + (d.integer.empty() ? std::string("0") : d.integer);
    if (!d.fraction.empty())
        text += "." + d.fraction;
    return std::strtod(text.c_str(), nullptr);
}

QString formatFloat(const QString &format, double value, const QLocale &locale)
{
    if (format.isEmpty())
        return locale.toString(value, 'g', 15);

    const int point = format.indexOf(u'.');
    const QString intPart = point < 0 ? format : format.left(point);
    const QString fracPart = point < 0 ? QString() : format.mid(point + 1);
    const bool grouping = intPart.contains(u',');
    const int minIntDigits = int(intPart.count(u'0'));
    const int decimals = int(fracPart.count(u'0') + fracPart.count(u'#'));

    const DecimalDigits d = roundedDigits(value, decimals);
    QString integer = QString::fromLatin1(d.integer.c_str());
    if (integer.size() < minIntDigits)
        integer.prepend(QString(minIntDigits - integer.size(), u'0'));

    const QString zero = locale.zeroDigit();
    QString grouped;
    const QString group = locale.groupSeparator();
    for (int i = 0; i < integer.size(); ++i) {
        if (grouping && i > 0 && (integer.size() - i) % 3 == 0)
            grouped += group;
        grouped += zero == u"0" ? QString(integer.at(i))
                                : locale.toString(integer.at(i).digitValue());
    }
    QString text = grouped;
    if (decimals > 0) {
        QString fraction = QString::fromLatin1(d.fraction.c_str());
        // '#' decimals drop trailing zeros beyond the mandatory '0' ones.
        const int mandatory = int(fracPart.count(u'0'));
        while (fraction.size() > mandatory && fraction.endsWith(u'0'))
            fraction.chop(1);
        if (!fraction.isEmpty())
            text += locale.decimalPoint() + fraction;
    }
    if (d.negative)
        text.prepend(locale.negativeSign());
    return text;
}

} // namespace Mervak
