// SPDX-License-Identifier: LicenseRef-Mervak
#include "jsonwriter.h"

#include <cmath>
#include <charconv>
#include <cstdio>

namespace Mervak {

void JsonWriter::separator()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back())
            m_out += ',';
        m_first.back() = false;
    }
}

void JsonWriter::beginObject()
{
    separator();
    m_out += '{';
    m_first.push_back(true);
}

void JsonWriter::endObject()
{
    m_out += '}';
    m_first.pop_back();
}

void JsonWriter::beginArray()
{
    separator();
    m_out += '[';
    m_first.push_back(true);
}

void JsonWriter::endArray()
{
    m_out += ']';
    m_first.pop_back();
}

void JsonWriter::key(QStringView name)
{
    separator();
    appendString(m_out, name);
    m_out += ':';
    m_afterKey = true;
}

void JsonWriter::value(const QString &text)
{
    value(QStringView(text));
}

void JsonWriter::value(QStringView text)
{
    separator();
    appendString(m_out, text);
}

void JsonWriter::value(qint64 number)
{
    separator();
    m_out += QByteArray::number(number);
}

void JsonWriter::value(double number)
{
    separator();
    if (!std::isfinite(number)) {
        m_out += "null";
        return;
    }
    // Shortest text that reads back to the same double.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, number);
    m_out.append(buf, int(res.ptr - buf));
}

void JsonWriter::value(bool flag)
{
    separator();
    m_out += flag ? "true" : "false";
}

void JsonWriter::null()
{
    separator();
    m_out += "null";
}

void JsonWriter::raw(const QByteArray &json)
{
    separator();
    m_out += json;
}

QByteArray JsonWriter::take()
{
    m_first.clear();
    m_afterKey = false;
    return std::exchange(m_out, QByteArray());
}

void JsonWriter::appendString(QByteArray &out, QStringView text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", c);
                out += esc;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

} // namespace Mervak
