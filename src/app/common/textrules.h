// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace Mervak {

// A tab caption of the form count "=" title, split for the tab painter.
struct TSonuc
{
    QString baslik;    // the title, at most 100 characters
    int sayi = 0;      // the count; 0 when the caption has none or it is not a whole number
};
TSonuc SplitTabCaption(const QString &caption);

// Turkish letters to their plain Latin capitals-to-be ("ğ" -> "g", "İ" -> "I", "ı" -> "I"),
// applied before the search edit upper-cases its text.
QChar FoldTurkishLetter(QChar ch);
QString FoldTurkish(const QString &text);
// What the search edit holds after typing `text`: folded, then upper-cased.
QString SearchText(const QString &text);

// Lines joined by "," with a line quoted (inner quotes doubled) when it holds a blank or a
// control character, a comma or a double quote.
QString CommaText(const QStringList &lines);

// Pictures travel as hexadecimal text, two digits per byte; a last single digit is one byte
// of its own value. Text that is not hexadecimal gives no bytes.
std::optional<QByteArray> HexToBytes(const QString &hex);
QString BytesToHex(const QByteArray &bytes);

// A complete URL with spaces and non-ASCII characters percent-encoded as UTF-8; the scheme,
// host, "/", "?", "&" and "=" stay as they are.
QString UrlEncode(const QString &url);

} // namespace Mervak
