// SPDX-License-Identifier: LicenseRef-Mervak
#include "wirecodec.h"

#include "dataset.h"
#include "remoteerror.h"
#include "transferrecord.h"
#include "wireframe.h"
#include "wireparser.h"
#include "wirevalues.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>

#include <simdjson.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace dom = simdjson::dom;

namespace Mervak::Wire {

namespace {

std::size_t elementCount(const dom::array &a)
{
    std::size_t n = a.size();
    if (n < 0xFFFFFF)
        return n;
    n = 0;
    for (auto it = a.begin(); it != a.end(); ++it)
        ++n;
    return n;
}

QJsonValue toQJson(const dom::element &e)
{
    const std::string text = simdjson::minify(e);
    // Wrapped in an array so that any value, also null, reads back through QJsonDocument.
    QByteArray wrapped;
    wrapped.reserve(qsizetype(text.size()) + 2);
    wrapped += '[';
    wrapped.append(text.data(), qsizetype(text.size()));
    wrapped += ']';
    return QJsonDocument::fromJson(wrapped).array().at(0);
}

// --- numbers

bool readInt32(const dom::element &e, qint64 *out)
{
    if (e.type() != dom::element_type::INT64)
        return false;
    const int64_t v = e.get_int64().value_unsafe();
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return false;
    *out = v;
    return true;
}

bool readInt64(const dom::element &e, qint64 *out)
{
    if (e.type() != dom::element_type::INT64)
        return false;
    *out = e.get_int64().value_unsafe();
    return true;
}

bool readNumber(const dom::element &e, double *out)
{
    switch (e.type()) {
    case dom::element_type::INT64:
        *out = double(e.get_int64().value_unsafe());
        return true;
    case dom::element_type::UINT64:
        *out = double(e.get_uint64().value_unsafe());
        return true;
    case dom::element_type::DOUBLE:
        *out = e.get_double().value_unsafe();
        return std::isfinite(*out);
    default:
        return false;
    }
}

// --- request values

QString paramError(const MethodInfo &m, int index, const QString &what)
{
    return QStringLiteral("%1: \"%2\" parametresi (%3. sıra) %4")
        .arg(m.command, m.params[std::size_t(index)].name)
        .arg(index)
        .arg(what);
}

} // namespace

QString expectedKindText(const ParamInfo &param)
{
    if (param.isOut())
        return QStringLiteral("null");
    switch (param.kind) {
    case ParamKind::String: return QStringLiteral("metin");
    case ParamKind::Integer: return QStringLiteral("tamsayı");
    case ParamKind::Int64: return QStringLiteral("64 bitlik tamsayı");
    case ParamKind::Double: return QStringLiteral("sayı");
    case ParamKind::Boolean: return QStringLiteral("true ya da false");
    case ParamKind::Record: return QStringLiteral("%1 kaydı ya da null").arg(param.recordType);
    case ParamKind::DataPacket:
    case ParamKind::Reader: return QStringLiteral("tablo");
    case ParamKind::Stream: return QStringLiteral("akış ya da null");
    case ParamKind::JsonArray: return QStringLiteral("dizi ya da null");
    case ParamKind::Callback:
    case ParamKind::Object:
    case ParamKind::None: return QStringLiteral("null");
    }
    return {};
}

// --- RequestWriter

RequestWriter::RequestWriter(const MethodInfo &method)
    : m_method(method)
{
    m_w.beginObject();
    m_w.key(u"method");
    m_w.value(m_method.command);
    m_w.key(u"params");
    m_w.beginArray();
}

void RequestWriter::addString(const QString &value)
{
    m_w.value(value);
    ++m_count;
}

void RequestWriter::addInteger(int value)
{
    m_w.value(qint64(value));
    ++m_count;
}

void RequestWriter::addInt64(qint64 value)
{
    m_w.value(value);
    ++m_count;
}

void RequestWriter::addDouble(double value)
{
    if (!std::isfinite(value)) {
        const QString name = m_count < int(m_method.params.size())
                                 ? m_method.params[std::size_t(m_count)].name
                                 : QString();
        throw RemoteError(QStringLiteral("%1: \"%2\" parametresi geçerli bir sayı değil")
                              .arg(m_method.command, name));
    }
    m_w.value(value);
    ++m_count;
}

void RequestWriter::addBoolean(bool value)
{
    m_w.value(value);
    ++m_count;
}

void RequestWriter::addRecord(const TransferRecord *record)
{
    writeRecord(m_w, record);
    ++m_count;
}

void RequestWriter::addNull()
{
    m_w.null();
    ++m_count;
}

QByteArray RequestWriter::finish()
{
    if (m_count != int(m_method.params.size()))
        throw std::logic_error("request values do not match the declared parameters");
    m_w.endArray();
    m_w.endObject();
    return m_w.take();
}

// --- readRequest

RequestError readRequest(const QByteArray &payload, Request *request, QString *error)
{
    ParserLease parser;
    dom::element doc;
    if (const auto code = parser.parse(payload, &doc)) {
        *error = code == simdjson::UTF8_ERROR
                     ? QStringLiteral("Geçersiz istek: metin UTF-8 değil")
                     : QStringLiteral("Geçersiz istek: JSON okunamadı (%1)")
                           .arg(QString::fromUtf8(simdjson::error_message(code)));
        return RequestError::Frame;
    }
    dom::object obj;
    if (doc.get_object().get(obj)) {
        *error = QStringLiteral("Geçersiz istek: JSON nesnesi bekleniyordu");
        return RequestError::Frame;
    }
    std::string_view methodText;
    if (obj.at_key("method").get_string().get(methodText)) {
        *error = QStringLiteral("Geçersiz istek: \"method\" metni yok");
        return RequestError::Frame;
    }
    const MethodInfo *method = ServerMethods::findCommand(toQString(methodText));
    if (!method) {
        *error = QStringLiteral("Bilinmeyen yöntem: %1").arg(toQString(methodText));
        return RequestError::Call;
    }
    request->method = method;
    dom::array params;
    if (obj.at_key("params").get_array().get(params)) {
        *error = QStringLiteral("%1: \"params\" dizisi yok").arg(method->command);
        return RequestError::Call;
    }
    const std::size_t count = elementCount(params);
    if (count != method->params.size()) {
        *error = QStringLiteral("%1: %2 parametre bekleniyordu, %3 geldi")
                     .arg(method->command)
                     .arg(method->params.size())
                     .arg(count);
        return RequestError::Call;
    }

    request->args.clear();
    request->args.resize(count);
    int i = 0;
    for (dom::element value : params) {
        const ParamInfo &p = method->params[std::size_t(i)];
        ArgValue &arg = request->args[std::size_t(i)];
        bool ok = true;
        qint64 n = 0;
        double d = 0;
        if (p.kind == ParamKind::Callback) {
            *error = QStringLiteral("%1: \"%2\" geri çağırma parametresi bu sunucuda "
                                    "desteklenmiyor")
                         .arg(method->command, p.name);
            return RequestError::Call;
        }
        if (p.isOut() || p.kind == ParamKind::Object) {
            ok = value.is_null();
        } else {
            switch (p.kind) {
            case ParamKind::String:
                ok = value.is_string();
                if (ok)
                    arg = toQString(value.get_string().value_unsafe());
                break;
            case ParamKind::Integer:
                ok = readInt32(value, &n);
                arg = n;
                break;
            case ParamKind::Int64:
                ok = readInt64(value, &n);
                arg = n;
                break;
            case ParamKind::Double:
                ok = readNumber(value, &d);
                arg = d;
                break;
            case ParamKind::Boolean:
                ok = value.is_bool();
                if (ok)
                    arg = value.get_bool().value_unsafe();
                break;
            case ParamKind::Record: {
                ok = value.is_null() || value.is_object();
                if (!ok || value.is_null())
                    break;
                QString why;
                std::unique_ptr<TransferRecord> record = recordFromJson(toQJson(value), &why);
                if (record && record->typeName() != p.recordType)
                    why = wrongRecordTypeMessage(p.recordType, record->typeName());
                else if (!record && why.isEmpty())
                    why = QStringLiteral("kayıt okunamadı");
                if (!record || record->typeName() != p.recordType) {
                    *error = QStringLiteral("%1: \"%2\" parametresi (%3. sıra): %4")
                                 .arg(method->command, p.name)
                                 .arg(i)
                                 .arg(why);
                    return RequestError::Call;
                }
                arg = std::move(record);
                break;
            }
            default:
                ok = false;
            }
        }
        if (!ok) {
            *error = paramError(*method, i,
                                QStringLiteral("%1 olmalı").arg(expectedKindText(p)));
            return RequestError::Call;
        }
        ++i;
    }
    return RequestError::None;
}

// --- ReplyWriter

ReplyWriter::ReplyWriter(const MethodInfo &method)
    : m_method(method)
    , m_slots(std::size_t(method.replySize()))
    , m_set(std::size_t(method.replySize()), false)
{}

int ReplyWriter::outSlot(QStringView name, ParamKind kind) const
{
    int slot = 0;
    for (const ParamInfo &p : m_method.params) {
        if (!p.isOut())
            continue;
        if (p.name == name) {
            if (p.kind != kind)
                throw std::logic_error(QStringLiteral("%1: out parameter %2 is %3")
                                           .arg(m_method.command, p.name, paramKindName(p.kind))
                                           .toStdString());
            return slot;
        }
        ++slot;
    }
    throw std::logic_error(QStringLiteral("%1 has no out parameter %2")
                               .arg(m_method.command, name.toString())
                               .toStdString());
}

int ReplyWriter::resultSlot(ParamKind kind) const
{
    const ParamKind declared = m_method.result.kind;
    const bool fits = declared == kind || (isTableKind(declared) && isTableKind(kind));
    if (!fits)
        throw std::logic_error(QStringLiteral("%1: the result is %2, not %3")
                                   .arg(m_method.command, paramKindName(declared),
                                        paramKindName(kind))
                                   .toStdString());
    return m_method.outCount;
}

void ReplyWriter::put(int slot, QByteArray json)
{
    m_slots[std::size_t(slot)] = std::move(json);
    m_set[std::size_t(slot)] = true;
}

namespace {

template <typename F>
QByteArray json(F write)
{
    JsonWriter w;
    write(w);
    return w.take();
}

} // namespace

void ReplyWriter::setString(QStringView outName, const QString &value)
{
    put(outSlot(outName, ParamKind::String), json([&](JsonWriter &w) { w.value(value); }));
}

void ReplyWriter::setInteger(QStringView outName, int value)
{
    put(outSlot(outName, ParamKind::Integer), QByteArray::number(value));
}

void ReplyWriter::setInt64(QStringView outName, qint64 value)
{
    put(outSlot(outName, ParamKind::Int64), QByteArray::number(value));
}

void ReplyWriter::setDouble(QStringView outName, double value)
{
    if (!std::isfinite(value))
        throw std::logic_error("out parameter is not a finite number");
    put(outSlot(outName, ParamKind::Double), json([&](JsonWriter &w) { w.value(value); }));
}

void ReplyWriter::setBoolean(QStringView outName, bool value)
{
    put(outSlot(outName, ParamKind::Boolean), value ? "true" : "false");
}

void ReplyWriter::resultString(const QString &value)
{
    put(resultSlot(ParamKind::String), json([&](JsonWriter &w) { w.value(value); }));
}

void ReplyWriter::resultInteger(int value)
{
    put(resultSlot(ParamKind::Integer), QByteArray::number(value));
}

void ReplyWriter::resultBoolean(bool value)
{
    put(resultSlot(ParamKind::Boolean), value ? "true" : "false");
}

void ReplyWriter::resultRecord(const TransferRecord *record)
{
    const int slot = resultSlot(ParamKind::Record);
    if (record && record->typeName() != m_method.result.recordType)
        throw std::logic_error(QStringLiteral("%1: the result is %2, not %3")
                                   .arg(m_method.command, m_method.result.recordType,
                                        record->typeName())
                                   .toStdString());
    put(slot, recordToJson(record));
}

void ReplyWriter::resultTable(const DataSet &table)
{
    put(resultSlot(m_method.result.kind == ParamKind::Reader ? ParamKind::Reader
                                                             : ParamKind::DataPacket),
        json([&](JsonWriter &w) { writeTable(w, table); }));
}

void ReplyWriter::resultStream(const std::optional<QByteArray> &bytes)
{
    const int slot = resultSlot(ParamKind::Stream);
    put(slot, bytes ? json([&](JsonWriter &w) { writeStream(w, *bytes); }) : "null");
}

void ReplyWriter::resultJsonArray(const std::optional<QJsonArray> &array)
{
    const int slot = resultSlot(ParamKind::JsonArray);
    put(slot, array ? QJsonDocument(*array).toJson(QJsonDocument::Compact) : "null");
}

QStringList ReplyWriter::missing() const
{
    QStringList names;
    int slot = 0;
    for (const ParamInfo &p : m_method.params) {
        if (!p.isOut())
            continue;
        if (!m_set[std::size_t(slot)])
            names << p.name;
        ++slot;
    }
    if (m_method.hasResult() && !m_set[std::size_t(slot)])
        names << m_method.result.name;
    return names;
}

QByteArray ReplyWriter::finish() const
{
    const QStringList notSet = missing();
    if (!notSet.isEmpty())
        throw std::logic_error(QStringLiteral("%1: reply without %2")
                                   .arg(m_method.command, notSet.join(u", "))
                                   .toStdString());
    qsizetype size = 16;
    for (const QByteArray &s : m_slots)
        size += s.size() + 1;
    QByteArray out;
    out.reserve(size);
    out += "{\"result\":[";
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (i > 0)
            out += ',';
        out += m_slots[i];
    }
    out += "]}";
    return out;
}

QByteArray errorReply(const QString &text)
{
    JsonWriter w;
    w.beginObject();
    w.key(u"error");
    w.value(text);
    w.endObject();
    return w.take();
}

void writeStream(JsonWriter &w, const QByteArray &bytes)
{
    w.beginObject();
    w.key(u"stream");
    w.raw('"' + bytes.toBase64() + '"');
    w.endObject();
}

void writeTable(JsonWriter &w, const DataSet &table)
{
    const int columns = table.fieldCount();
    w.beginObject();
    w.key(u"columns");
    w.beginArray();
    for (int c = 0; c < columns; ++c) {
        const FieldDef &f = table.field(c);
        w.beginObject();
        w.key(u"name");
        w.value(f.name);
        w.key(u"type");
        w.value(fieldTypeName(f.type));
        if (f.type == FieldType::String && f.size > 0) {
            w.key(u"size");
            w.value(f.size);
        }
        w.endObject();
    }
    w.endArray();
    w.key(u"rows");
    w.beginArray();
    for (int r = 0; r < table.rowCount(); ++r) {
        w.beginArray();
        for (int c = 0; c < columns; ++c) {
            if (table.isNull(r, c)) {
                w.null();
                continue;
            }
            switch (table.field(c).type) {
            case FieldType::String:
                w.value(table.stringAt(r, c));
                break;
            case FieldType::Integer:
            case FieldType::LargeInt:
                w.value(table.intAt(r, c));
                break;
            case FieldType::Float:
            case FieldType::Currency:
            case FieldType::Bcd:
                w.value(table.doubleAt(r, c));
                break;
            case FieldType::Boolean:
                w.value(table.boolAt(r, c));
                break;
            case FieldType::Date:
                w.value(dateText(fromDayCount(table.doubleAt(r, c)).date()));
                break;
            case FieldType::Time:
                w.value(timeText(fromDayCount(table.doubleAt(r, c)).time()));
                break;
            case FieldType::DateTime: {
                const QDateTime dt = fromDayCount(table.doubleAt(r, c));
                w.value(dateText(dt.date()) + u'T' + timeText(dt.time()));
                break;
            }
            case FieldType::Blob:
                w.raw('"' + table.blobAt(r, c).toBase64() + '"');
                break;
            }
        }
        w.endArray();
    }
    w.endArray();
    w.endObject();
}

} // namespace Mervak::Wire
