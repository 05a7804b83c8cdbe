// SPDX-License-Identifier: LicenseRef-Mervak
// Reading replies on the client. A table reply is the client's hottest path (a stock search
// answers tens of thousands of rows): the received bytes are parsed with simdjson (whose
// parser picks the CPU's best instructions at run time) and every cell goes from the parsed
// document straight into the data set's typed columns, read once.
#include "wirecodec.h"

#include "dataset.h"
#include "remoteerror.h"
#include "transferrecord.h"
#include "wireframe.h"
#include "wireparser.h"
#include "wirevalues.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringDecoder>

#include <simdjson.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace dom = simdjson::dom;

namespace Mervak::Wire {

namespace {

// A failure while reading: the Turkish text without the method, which the caller adds.
struct ReadFailure
{
    QString what;
};

[[noreturn]] void fail(const QString &what)
{
    throw ReadFailure{what};
}

[[noreturn]] void fail(simdjson::error_code code)
{
    if (code == simdjson::UTF8_ERROR)
        fail(QStringLiteral("metin UTF-8 değil"));
    fail(QStringLiteral("JSON okunamadı (%1)").arg(QString::fromUtf8(simdjson::error_message(code))));
}

bool isInt32(int64_t v)
{
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

bool readInt64(const dom::element &e, int64_t *out)
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

bool readString(const dom::element &e, std::string_view *out)
{
    if (e.type() != dom::element_type::STRING)
        return false;
    *out = e.get_string().value_unsafe();
    return true;
}

QJsonValue toQJson(const dom::element &e)
{
    const std::string text = simdjson::minify(e);
    // Wrapped in an array so that any value reads back through QJsonDocument.
    QByteArray wrapped;
    wrapped.reserve(qsizetype(text.size()) + 2);
    wrapped += '[';
    wrapped.append(text.data(), qsizetype(text.size()));
    wrapped += ']';
    return QJsonDocument::fromJson(wrapped).array().at(0);
}

// --- strings

/*!
    Makes the QStrings of a loaded column. A stock list has hundreds of thousands of string
    cells, and one heap block per cell made the allocator the bulk of the load. Here the
    strings of a column are written one after another into large blocks of UTF-16, each
    QString pointing at its own part of a block and holding a reference to it: Qt's string
    data (a shared header, a pointer and a size) allows exactly that, and copy-on-write keeps
    the strings independent when one is changed. Each string is followed by a '\0', as
    QString expects. A block is freed with the last string that points into it.

    References are paid in advance, one per code unit of a new block (no string takes less
    than one unit with its '\0'), and the unused ones are given back when the block is
    left: one atomic operation per block instead of one per string, and the count never
    drops below the strings alive.
*/
class StringBlocks
{
public:
    StringBlocks() = default;
    StringBlocks(const StringBlocks &) = delete;
    StringBlocks &operator=(const StringBlocks &) = delete;
    ~StringBlocks() { settle(); }

    QString make(std::string_view utf8)
    {
        // UTF-16 never needs more code units than the UTF-8 text has bytes.
        const qsizetype need = qsizetype(utf8.size()) + 1;
        if (m_free < need)
            newBlock(need);
        char16_t *start = m_next;
        char16_t *end = convert(utf8, start);
        *end = 0;
        const qsizetype length = end - start;
        m_next = end + 1;
        m_free -= length + 1;
        --m_prepaid;
        return QString(QString::DataPointer(m_block.d, start, length));
    }

private:
    static constexpr qsizetype kBlockUnits = 16 * 1024;

    void settle()
    {
        if (m_block.d && m_prepaid > 0)
            m_block.d->ref_.fetchAndSubOrdered(int(m_prepaid));
        m_prepaid = 0;
    }

    void newBlock(qsizetype need)
    {
        settle();
        const qsizetype capacity = std::max(need, kBlockUnits);
        // Our own reference to the new block; the previous one is released here.
        m_block = QString::DataPointer(QTypedArrayData<char16_t>::allocate(capacity), 0);
        m_block.d->ref_.fetchAndAddOrdered(int(capacity));
        m_prepaid = capacity;
        m_next = m_block.data();
        m_free = capacity;
    }

    char16_t *convert(std::string_view s, char16_t *out)
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(s.data());
        const std::size_t n = s.size();
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            quint64 word;
            std::memcpy(&word, bytes + i, 8);
            if (word & 0x8080808080808080ull)
                break;
            for (std::size_t k = 0; k < 8; ++k)
                out[i + k] = char16_t(bytes[i + k]);
        }
        for (; i < n && bytes[i] < 0x80; ++i)
            out[i] = char16_t(bytes[i]);
        if (i == n)
            return out + n;
        // bytes[i] starts a sequence: everything before it was ASCII. The parser has
        // checked that the text is UTF-8.
        QChar *end = m_decoder.appendToBuffer(reinterpret_cast<QChar *>(out + i),
                                              QByteArrayView(s.data() + i, qsizetype(n - i)));
        return reinterpret_cast<char16_t *>(end);
    }

    QString::DataPointer m_block;
    char16_t *m_next = nullptr;
    qsizetype m_free = 0;
    qsizetype m_prepaid = 0;
    QStringDecoder m_decoder{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

/*!
    Shares one QString between the equal values of a column: stock lists repeat a few
    brands, groups, units and discount texts over thousands of rows. A column whose values
    keep being new (codes, barcodes) stops being looked up after a while. Like the blocks,
    each shared value pays its references in batches rather than one atomic operation per
    row; what is left is given back at the end.
*/
class StringColumn
{
public:
    StringColumn() = default;
    StringColumn(const StringColumn &) = delete;
    StringColumn &operator=(const StringColumn &) = delete;
    StringColumn(StringColumn &&) = default;
    ~StringColumn() { stopSharing(); }

    QString get(std::string_view bytes)
    {
        if (!m_sharing)
            return m_blocks.make(bytes);
        const quint32 hash = quickHash(bytes) | 1u;   // 0 marks a free slot
        std::size_t at = hash & (kSlots - 1);
        while (m_hashes[at] != 0) {
            if (m_hashes[at] == hash) {
                Value &v = m_values[std::size_t(m_index[at])];
                if (v.key == bytes)
                    return share(v);
            }
            at = (at + 1) & (kSlots - 1);
        }
        QString value = m_blocks.make(bytes);
        if (m_values.size() >= kMaxDistinct) {
            stopSharing();
        } else {
            m_hashes[at] = hash;
            m_index[at] = qint32(m_values.size());
            m_values.push_back({bytes, value, 0});
        }
        return value;
    }

private:
    static constexpr std::size_t kMaxDistinct = 512;
    static constexpr std::size_t kSlots = 1024;   // a power of two, above kMaxDistinct
    static constexpr int kBatch = 256;

    struct Value
    {
        std::string_view key;   // points into the parsed document, which outlives this
        QString held;           // one reference of our own
        int prepaid;            // references paid for rows still to come
    };

    QString share(Value &v)
    {
        QString::DataPointer &data = v.held.data_ptr();
        if (v.prepaid == 0) {
            data.d->ref_.fetchAndAddOrdered(kBatch);
            v.prepaid = kBatch;
        }
        --v.prepaid;
        return QString(QString::DataPointer(data.d, data.ptr, data.size));
    }

    void stopSharing()
    {
        for (Value &v : m_values) {
            if (v.prepaid > 0)
                v.held.data_ptr().d->ref_.fetchAndSubOrdered(v.prepaid);
            v.prepaid = 0;
        }
        m_values.clear();
        m_hashes.clear();
        m_index.clear();
        m_sharing = false;
    }

    // Column values are short; the first and last eight bytes and the length tell them
    // apart well enough, and equal hashes are compared in full.
    static quint32 quickHash(std::string_view s)
    {
        const std::size_t n = s.size();
        quint64 a = 0, b = 0;
        if (n >= 8) {
            std::memcpy(&a, s.data(), 8);
            std::memcpy(&b, s.data() + n - 8, 8);
        } else {
            for (std::size_t i = 0; i < n; ++i)
                a |= quint64(static_cast<unsigned char>(s[i])) << (8 * i);
        }
        quint64 h = (a ^ (b * 0x9E3779B97F4A7C15ull) ^ n) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        return quint32(h ^ (h >> 32));
    }

    StringBlocks m_blocks;
    std::vector<quint32> m_hashes = std::vector<quint32>(kSlots, 0);
    std::vector<qint32> m_index = std::vector<qint32>(kSlots, 0);
    std::vector<Value> m_values;
    bool m_sharing = true;
};

// --- tables

QString tableError(const QString &what)
{
    return QStringLiteral("tablo: %1").arg(what);
}

struct ColumnSpec
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0;
};

std::vector<ColumnSpec> readColumns(const dom::element &value)
{
    std::vector<ColumnSpec> columns;
    QSet<QString> names;
    dom::array array;
    if (value.get_array().get(array))
        fail(tableError(QStringLiteral("\"columns\" dizisi yok")));
    for (dom::element item : array) {
        const int at = int(columns.size());
        dom::object obj;
        if (item.get_object().get(obj))
            fail(tableError(QStringLiteral("%1. sütun nesne değil").arg(at)));
        ColumnSpec spec;
        std::string_view name, type;
        if (obj.at_key("name").get_string().get(name) || name.empty())
            fail(tableError(QStringLiteral("%1. sütunun adı yok").arg(at)));
        spec.name = toQString(name);
        if (obj.at_key("type").get_string().get(type)
            || !fieldTypeFromName(toQString(type), &spec.type))
            fail(tableError(QStringLiteral("%1 sütununun türü geçersiz").arg(spec.name)));
        const auto size = obj.at_key("size");
        if (size.error() == simdjson::SUCCESS) {
            int64_t n = 0;
            if (!readInt64(size.value_unsafe(), &n) || n < 0 || !isInt32(n))
                fail(tableError(QStringLiteral("%1 sütununun genişliği geçersiz").arg(spec.name)));
            spec.size = int(n);
        }
        const QString folded = spec.name.toCaseFolded();
        if (names.contains(folded))
            fail(tableError(QStringLiteral("%1 sütunu iki kez var").arg(spec.name)));
        names.insert(folded);
        columns.push_back(std::move(spec));
    }
    return columns;
}

/*!
    Reads rows into a data set, each cell once. The document comes row by row and the data
    set keeps its values column by column, so a block of rows is read into small per-column
    buffers first and then handed over one column at a time, which keeps both in the cache.
*/
class RowLoader
{
public:
    RowLoader(const std::vector<ColumnSpec> &columns, DataSet &table)
        : m_columns(columns)
        , m_table(table)
        , m_strings(columns.size())
    {
        m_buffers.reserve(columns.size());
        for (const ColumnSpec &c : columns)
            m_buffers.emplace_back(c.type);
    }

    void readRows(const dom::element &value)
    {
        dom::array rows;
        if (value.get_array().get(rows))
            fail(tableError(QStringLiteral("\"rows\" dizisi yok")));
        m_table.reserve(int(std::min<std::size_t>(rows.size(), INT_MAX)));
        const std::size_t width = m_columns.size();
        for (dom::element rowValue : rows) {
            const int rowIndex = m_table.rowCount() + m_inBlock;
            dom::array cells;
            if (rowValue.get_array().get(cells))
                fail(tableError(QStringLiteral("%1. satır dizi değil").arg(rowIndex)));
            std::size_t c = 0;
            for (dom::element cell : cells) {
                if (c == width)
                    break;
                if (!readCell(cell, c))
                    fail(tableError(QStringLiteral("%1. satırın %2 değeri %3 olmalı")
                                        .arg(rowIndex)
                                        .arg(m_columns[c].name,
                                             fieldTypeName(m_columns[c].type))));
                ++c;
            }
            if (c != width || cells.size() != width)
                fail(tableError(QStringLiteral("%1. satırda %2 değer bekleniyordu")
                                    .arg(rowIndex)
                                    .arg(width)));
            if (++m_inBlock == kBlockRows)
                flush();
        }
        flush();
    }

private:
    static constexpr int kBlockRows = 128;

    // Only the storage its field class needs, so that the buffers of all columns stay small
    // enough for the cache.
    struct Buffer
    {
        explicit Buffer(FieldType type)
        {
            switch (type) {
            case FieldType::String: strings.resize(kBlockRows); break;
            case FieldType::Blob: blobs.resize(kBlockRows); break;
            case FieldType::Integer:
            case FieldType::LargeInt:
            case FieldType::Boolean: ints.resize(kBlockRows); break;
            default: doubles.resize(kBlockRows); break;
            }
        }
        std::vector<double> doubles;
        std::vector<qint64> ints;
        std::vector<QString> strings;
        std::vector<QByteArray> blobs;
        std::array<bool, kBlockRows> nulls{};
    };

    bool readCell(const dom::element &cell, std::size_t column)
    {
        Buffer &b = m_buffers[column];
        const auto r = std::size_t(m_inBlock);
        b.nulls[r] = cell.is_null();
        if (b.nulls[r])
            return true;
        std::string_view text;
        int64_t n = 0;
        switch (m_columns[column].type) {
        case FieldType::String:
            if (!readString(cell, &text))
                return false;
            b.strings[r] = m_strings[column].get(text);
            return true;
        case FieldType::Integer:
            if (!readInt64(cell, &n) || !isInt32(n))
                return false;
            b.ints[r] = n;
            return true;
        case FieldType::LargeInt:
            if (!readInt64(cell, &n))
                return false;
            b.ints[r] = n;
            return true;
        case FieldType::Boolean:
            if (!cell.is_bool())
                return false;
            b.ints[r] = cell.get_bool().value_unsafe() ? 1 : 0;
            return true;
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::Bcd:
            return readNumber(cell, &b.doubles[r]);
        case FieldType::Date:
            return readString(cell, &text) && parseDate(text, &b.doubles[r]);
        case FieldType::Time:
            return readString(cell, &text) && parseTime(text, &b.doubles[r]);
        case FieldType::DateTime:
            return readString(cell, &text) && parseDateTime(text, &b.doubles[r]);
        case FieldType::Blob: {
            if (!readString(cell, &text))
                return false;
            std::optional<QByteArray> bytes = fromBase64(text);
            if (!bytes)
                return false;
            b.blobs[r] = std::move(*bytes);
            return true;
        }
        }
        return false;
    }

    void flush()
    {
        if (m_inBlock == 0)
            return;
        // Rows are added a block at a time, right before they are written.
        const int first = m_table.appendRows(m_inBlock);
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            Buffer &b = m_buffers[c];
            const int column = int(c);
            switch (m_columns[c].type) {
            case FieldType::String:
                m_table.loadColumn(column, first, m_inBlock, b.strings.data(), b.nulls.data());
                break;
            case FieldType::Integer:
            case FieldType::LargeInt:
                m_table.loadColumn(column, first, m_inBlock, b.ints.data(), b.nulls.data());
                break;
            case FieldType::Boolean:
                for (int r = 0; r < m_inBlock; ++r) {
                    if (!b.nulls[std::size_t(r)])
                        m_table.setBool(first + r, column, b.ints[std::size_t(r)] != 0);
                }
                break;
            case FieldType::Blob:
                m_table.loadColumn(column, first, m_inBlock, b.blobs.data(), b.nulls.data());
                break;
            default:
                m_table.loadColumn(column, first, m_inBlock, b.doubles.data(), b.nulls.data());
                break;
            }
        }
        m_inBlock = 0;
    }

    const std::vector<ColumnSpec> &m_columns;
    DataSet &m_table;
    std::vector<Buffer> m_buffers;
    std::vector<StringColumn> m_strings;
    int m_inBlock = 0;
};

std::unique_ptr<DataSet> readTable(const dom::element &value)
{
    dom::object obj;
    if (value.get_object().get(obj))
        fail(tableError(QStringLiteral("nesne bekleniyordu")));
    dom::element columnsValue, rowsValue;
    if (obj.at_key("columns").get(columnsValue))
        fail(tableError(QStringLiteral("\"columns\" dizisi yok")));
    if (obj.at_key("rows").get(rowsValue))
        fail(tableError(QStringLiteral("\"rows\" dizisi yok")));
    const std::vector<ColumnSpec> columns = readColumns(columnsValue);
    auto table = std::make_unique<DataSet>();
    table->disableControls();
    for (const ColumnSpec &c : columns)
        table->addField(c.name, c.type, c.size);
    RowLoader(columns, *table).readRows(rowsValue);
    table->open();
    table->enableControls();
    return table;
}

} // namespace

// One value of "result", read as its declared kind.
struct ReplyValue
{
    bool null = false;
    QString text;
    qint64 integer = 0;
    double real = 0;
    bool flag = false;
    std::unique_ptr<TransferRecord> record;
    std::unique_ptr<DataSet> table;
    std::optional<QByteArray> stream;
    std::optional<QJsonArray> array;
};

struct ReplyReader::Private
{
    const MethodInfo &method;
    std::vector<ReplyValue> values;

    explicit Private(const MethodInfo &m) : method(m) {}

    const ParamInfo &paramAt(int pos) const
    {
        int slot = 0;
        for (const ParamInfo &p : method.params) {
            if (p.isOut() && slot++ == pos)
                return p;
        }
        return method.result;
    }

    [[noreturn]] void wrongKind(const ParamInfo &p) const
    {
        ParamInfo shown = p;
        shown.direction = ParamDirection::In;   // name what the value must be, not "null"
        fail(QStringLiteral("%1 değeri %2 olmalı").arg(p.name, expectedKindText(shown)));
    }

    ReplyValue read(const dom::element &v, const ParamInfo &p) const
    {
        ReplyValue out;
        std::string_view text;
        int64_t n = 0;
        switch (p.kind) {
        case ParamKind::String:
            if (!readString(v, &text))
                wrongKind(p);
            out.text = toQString(text);
            break;
        case ParamKind::Integer:
        case ParamKind::Int64:
            if (!readInt64(v, &n) || (p.kind == ParamKind::Integer && !isInt32(n)))
                wrongKind(p);
            out.integer = n;
            break;
        case ParamKind::Double:
            if (!readNumber(v, &out.real))
                wrongKind(p);
            break;
        case ParamKind::Boolean:
            if (!v.is_bool())
                wrongKind(p);
            out.flag = v.get_bool().value_unsafe();
            break;
        case ParamKind::Record: {
            if ((out.null = v.is_null()))
                break;
            if (!v.is_object())
                wrongKind(p);
            QString why;
            out.record = recordFromJson(toQJson(v), &why);
            if (out.record && out.record->typeName() != p.recordType)
                fail(wrongRecordTypeMessage(p.recordType, out.record->typeName()));
            if (!out.record)
                fail(why.isEmpty() ? QStringLiteral("kayıt okunamadı") : why);
            break;
        }
        case ParamKind::DataPacket:
        case ParamKind::Reader:
            out.table = readTable(v);
            break;
        case ParamKind::Stream: {
            if ((out.null = v.is_null()))
                break;
            dom::object obj;
            if (v.get_object().get(obj))
                wrongKind(p);
            if (obj.at_key("stream").get_string().get(text))
                fail(QStringLiteral("akış nesnesinde \"stream\" metni yok"));
            out.stream = fromBase64(text);
            if (!out.stream)
                fail(QStringLiteral("akış base64 değil"));
            break;
        }
        case ParamKind::JsonArray:
            if ((out.null = v.is_null()))
                break;
            if (!v.is_array())
                wrongKind(p);
            out.array = toQJson(v).toArray();
            break;
        default:
            wrongKind(p);
        }
        return out;
    }

    void readResult(const dom::element &v)
    {
        dom::array result;
        if (v.get_array().get(result))
            fail(QStringLiteral("\"result\" dizisi yok"));
        const std::size_t count = result.size();
        if (count != std::size_t(method.replySize()))
            fail(QStringLiteral("%1 değer bekleniyordu, %2 geldi")
                     .arg(method.replySize())
                     .arg(count));
        int pos = 0;
        for (dom::element item : result)
            values.push_back(read(item, paramAt(pos++)));
    }

    ReplyValue &at(int pos)
    {
        if (pos < 0 || pos >= int(values.size()))
            throw std::logic_error("reply position out of range");
        return values[std::size_t(pos)];
    }
};

ReplyReader::ReplyReader(const MethodInfo &method, const QByteArray &payload)
    : d(std::make_unique<Private>(method))
{
    ParserLease lease;
    try {
        dom::element doc;
        if (const auto code = lease.parse(payload, &doc))
            fail(code);
        dom::object root;
        if (doc.get_object().get(root))
            fail(QStringLiteral("JSON nesnesi bekleniyordu"));
        dom::element value;
        if (root.at_key("error").get(value) == simdjson::SUCCESS) {
            std::string_view text;
            if (!readString(value, &text))
                fail(QStringLiteral("\"error\" metin değil"));
            throw RemoteError(toQString(text));
        }
        if (root.at_key("result").get(value))
            fail(QStringLiteral("\"result\" dizisi yok"));
        d->readResult(value);
    } catch (const ReadFailure &f) {
        throw TransportError(QStringLiteral("Sunucudan gelen yanıt okunamadı (%1): %2")
                              .arg(method.command, f.what));
    }
}

ReplyReader::~ReplyReader() = default;

QString ReplyReader::string(int pos) const
{
    return d->at(pos).text;
}

int ReplyReader::integer(int pos) const
{
    return int(d->at(pos).integer);
}

qint64 ReplyReader::int64(int pos) const
{
    return d->at(pos).integer;
}

double ReplyReader::real(int pos) const
{
    return d->at(pos).real;
}

bool ReplyReader::boolean(int pos) const
{
    return d->at(pos).flag;
}

std::unique_ptr<TransferRecord> ReplyReader::record(int pos) const
{
    return std::move(d->at(pos).record);
}

void ReplyReader::table(int pos, DataSet &into) const
{
    ReplyValue &v = d->at(pos);
    if (!v.table)
        throw std::logic_error("table taken twice or not a table");
    into.takeContent(*v.table);
    v.table.reset();
}

std::optional<QByteArray> ReplyReader::stream(int pos) const
{
    return std::move(d->at(pos).stream);
}

std::optional<QJsonArray> ReplyReader::jsonArray(int pos) const
{
    return std::move(d->at(pos).array);
}

} // namespace Mervak::Wire
