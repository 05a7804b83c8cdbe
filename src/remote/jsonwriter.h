// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace Mervak {

/*!
    Writes compact JSON text in the order the members are given. The wire contract fixes
    member order (records: "type", "id", "fields"; fields in declaration order), which a
    QJsonObject would sort away, so every JSON we send is written through this class.
*/
class JsonWriter
{
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(QStringView name);

    void value(const QString &text);
    void value(QStringView text);
    void value(const char *latin1) = delete;   // say QStringLiteral or QLatin1String
    void value(qint64 number);
    void value(int number) { value(qint64(number)); }
    void value(double number);                 // finite numbers only; others write null
    void value(bool flag);
    void null();
    void raw(const QByteArray &json);          // an already valid JSON value

    const QByteArray &text() const { return m_out; }
    QByteArray take();

    static void appendString(QByteArray &out, QStringView text);

private:
    void separator();

    QByteArray m_out;
    std::vector<bool> m_first;   // per open container: no member written yet
    bool m_afterKey = false;
};

} // namespace Mervak
