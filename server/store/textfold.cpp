// SPDX-License-Identifier: LicenseRef-Mervak
#include "textfold.h"

namespace Mervak::Server {

QString foldTurkish(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case 0x011F: case 0x011E: out += u'G'; break;    // ğ Ğ
        case 0x00FC: case 0x00DC: out += u'U'; break;    // ü Ü
        case 0x015F: case 0x015E: out += u'S'; break;    // ş Ş
        case 0x00F6: case 0x00D6: out += u'O'; break;    // ö Ö
        case 0x00E7: case 0x00C7: out += u'C'; break;    // ç Ç
        case 0x0131: case 0x0130: out += u'I'; break;    // ı İ
        case 0x00E2: case 0x00C2: out += u'A'; break;    // â Â
        case 0x00EE: case 0x00CE: out += u'I'; break;    // î Î
        case 0x00FB: case 0x00DB: out += u'U'; break;    // û Û
        default: out += c.toUpper(); break;
        }
    }
    return out;
}

QString compactCode(const QString &text)
{
    const QString folded = foldTurkish(text);
    QString out;
    out.reserve(folded.size());
    for (const QChar c : folded) {
        if (c.isLetterOrNumber())
            out += c;
    }
    return out;
}

QString likeContains(const QString &text)
{
    QString out = QStringLiteral("%");
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            out += u'\\';
        out += c;
    }
    out += u'%';
    return out;
}

} // namespace Mervak::Server
