// SPDX-License-Identifier: LicenseRef-Mervak
#include "textrules.h"

#include <QLocale>

namespace Mervak {

TSonuc SplitTabCaption(const QString &caption)
{
    TSonuc result;
    const int eq = caption.indexOf(u'=');
    if (eq < 0) {
        result.baslik = caption.left(100);
        return result;
    }
    result.baslik = caption.mid(eq + 1, 100);
    bool ok = false;
    const QString count = caption.left(eq).trimmed();
    const int n = count.toInt(&ok, 10);
    // A fractional or non-numeric count ("2.5", "abc") shows no count at all.
    result.sayi = ok ? n : 0;
    return result;
}

QChar FoldTurkishLetter(QChar ch)
{
    switch (ch.unicode()) {
    case 0x011F: return u'g';   // ğ
    case 0x00FC: return u'u';   // ü
    case 0x015F: return u's';   // ş
    case 0x00F6: return u'o';   // ö
    case 0x00E7: return u'c';   // ç
    case 0x011E: return u'G';   // Ğ
    case 0x00DC: return u'U';   // Ü
    case 0x015E: return u'S';   // Ş
    case 0x0130: return u'I';   // İ
    case 0x00D6: return u'O';   // Ö
    case 0x00C7: return u'C';   // Ç
    case 0x0131: return u'I';   // ı
    default: return ch;
    }
}

QString FoldTurkish(const QString &text)
{
    QString out = text;
    for (QChar &ch : out)
        ch = FoldTurkishLetter(ch);
    return out;
}

QString SearchText(const QString &text)
{
    // Folded first, so "i" never becomes the dotted capital of a Turkish locale.
    return QLocale::c().toUpper(FoldTurkish(text));
}

QString CommaText(const QStringList &lines)
{
    QStringList parts;
    parts.reserve(lines.size());
    for (const QString &line : lines) {
        bool quote = false;
        for (const QChar ch : line) {
            if (ch.unicode() <= u' ' || ch == u',' || ch == u'"') {
                quote = true;
                break;
            }
        }
        if (quote) {
            QString inner = line;
            inner.replace(u'"', QStringLiteral("\"\""));
            parts << u'"' + inner + u'"';
        } else {
            parts << line;
        }
    }
    return parts.join(u',');
}

std::optional<QByteArray> HexToBytes(const QString &hex)
{
    QByteArray out;
    out.reserve(hex.size() / 2 + 1);
    auto digit = [](QChar c) -> int {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') return u - u'0';
        if (u >= u'a' && u <= u'f') return u - u'a' + 10;
        if (u >= u'A' && u <= u'F') return u - u'A' + 10;
        return -1;
    };
    const int n = int(hex.size());
    for (int i = 0; i < n; i += 2) {
        const int hi = digit(hex.at(i));
        if (hi < 0)
            return std::nullopt;
        if (i + 1 == n) {
            out.append(char(hi));
            break;
        }
        const int lo = digit(hex.at(i + 1));
        if (lo < 0)
            return std::nullopt;
        out.append(char(hi * 16 + lo));
    }
    return out;
}

QString BytesToHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString UrlEncode(const QString &url)
{
    // Everything a URL may carry literally stays; the rest goes out as UTF-8 percent bytes.
    static const QByteArray keep = ":/?#[]@!$&'()*+,;=-._~%";
    const QByteArray utf8 = url.toUtf8();
    QString out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')
                           || (b < 0x80 && keep.contains(c));
        if (plain)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("%%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

} // namespace Mervak
