// SPDX-License-Identifier: LicenseRef-Mervak
#include "dataset.h"

#include "displayformat.h"

#include <QTimeZone>

#include <cmath>

namespace Mervak {

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

struct TypeName { FieldType type; const char *name; };
constexpr TypeName kTypeNames[] = {
    {FieldType::String, "string"},   {FieldType::Integer, "integer"},
    {FieldType::LargeInt, "largeint"}, {FieldType::Float, "double"},
    {FieldType::Currency, "currency"}, {FieldType::Bcd, "bcd"},
    {FieldType::Boolean, "boolean"}, {FieldType::Date, "date"},
    {FieldType::Time, "time"},       {FieldType::DateTime, "datetime"},
    {FieldType::Blob, "blob"},
};

} // namespace

QString fieldTypeName(FieldType type)
{
    for (const auto &t : kTypeNames) {
        if (t.type == type)
            return QString::fromLatin1(t.name);
    }
    return {};
}

bool fieldTypeFromName(const QString &name, FieldType *type)
{
    for (const auto &t : kTypeNames) {
        if (name == QLatin1String(t.name)) {
            *type = t.type;
            return true;
        }
    }
    return false;
}

double toDayCount(const QDate &d)
{
    return double(kDayZero.daysTo(d));
}

double toDayCount(const QDateTime &dt)
{
    const double days = double(kDayZero.daysTo(dt.date()));
    const double frac = dt.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the day zero the fraction counts away from zero as well.
    return days < 0 ? days - frac : days + frac;
}

QDateTime fromDayCount(double days)
{
    const double whole = std::trunc(days);
    const double frac = std::fabs(days - whole);
    qint64 ms = qint64(std::llround(frac * kMsPerDay));
    qint64 day = qint64(whole);
    if (ms >= qint64(kMsPerDay)) {
        ms -= qint64(kMsPerDay);
        day += days < 0 ? -1 : 1;
    }
    return QDateTime(kDayZero.addDays(day), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

DataSet::DataSet(QObject *parent)
    : QObject(parent)
{}

DataSet::~DataSet() = default;

DataSet::Storage DataSet::storageOf(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return Storage::String;
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Boolean:
        return Storage::Int;
    case FieldType::Blob:
        return Storage::Blob;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return Storage::Double;
    }
    return Storage::String;
}

void DataSet::clear()
{
    m_columns.clear();
    m_rowCount = 0;
    m_cursor = -1;
    cancel();
    m_active = false;
    notifyReset();
}

void DataSet::clearRows()
{
    for (Column &c : m_columns) {
        c.doubles.clear();
        c.ints.clear();
        c.strings.clear();
        c.blobs.clear();
        c.nulls.clear();
    }
    m_rowCount = 0;
    m_cursor = -1;
    cancel();
    notifyReset();
}

int DataSet::addField(const QString &name, FieldType type, int size)
{
    Column c;
    c.def.name = name;
    c.def.type = type;
    c.def.size = size;
    const auto n = std::size_t(m_rowCount);
    switch (storageOf(type)) {
    case Storage::Double: c.doubles.assign(n, 0.0); break;
    case Storage::Int: c.ints.assign(n, 0); break;
    case Storage::String: c.strings.assign(n, QString()); break;
    case Storage::Blob: c.blobs.assign(n, QByteArray()); break;
    }
    c.nulls.assign(n, 1);
    m_columns.push_back(std::move(c));
    notifyReset();
    return int(m_columns.size()) - 1;
}

int DataSet::fieldIndex(const QString &name) const
{
    for (int i = 0; i < int(m_columns.size()); ++i) {
        if (m_columns[std::size_t(i)].def.name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

FieldDef *DataSet::findField(const QString &name)
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : &m_columns[std::size_t(i)].def;
}

QStringList DataSet::fieldNames() const
{
    QStringList names;
    for (const Column &c : m_columns)
        names << c.def.name;
    return names;
}

void DataSet::setDisplayFormat(int column, const QString &format)
{
    m_columns[std::size_t(column)].def.displayFormat = format;
    notifyReset();
}

void DataSet::reserve(int rows)
{
    for (Column &c : m_columns) {
        const auto n = std::size_t(rows);
        switch (storageOf(c.def.type)) {
        case Storage::Double: c.doubles.reserve(n); break;
        case Storage::Int: c.ints.reserve(n); break;
        case Storage::String: c.strings.reserve(n); break;
        case Storage::Blob: c.blobs.reserve(n); break;
        }
        c.nulls.reserve(n);
    }
}

int DataSet::appendRow()
{
    for (Column &c : m_columns) {
        switch (storageOf(c.def.type)) {
        case Storage::Double: c.doubles.push_back(0.0); break;
        case Storage::Int: c.ints.push_back(0); break;
        case Storage::String: c.strings.emplace_back(); break;
        case Storage::Blob: c.blobs.emplace_back(); break;
        }
        c.nulls.push_back(1);
    }
    ++m_rowCount;
    m_active = true;
    notifyReset();
    return m_rowCount - 1;
}

int DataSet::appendRows(int count)
{
    const int first = m_rowCount;
    if (count <= 0)
        return first;
    const auto n = std::size_t(m_rowCount) + std::size_t(count);
    for (Column &c : m_columns) {
        switch (storageOf(c.def.type)) {
        case Storage::Double: c.doubles.resize(n, 0.0); break;
        case Storage::Int: c.ints.resize(n, 0); break;
        case Storage::String: c.strings.resize(n); break;
        case Storage::Blob: c.blobs.resize(n); break;
        }
        c.nulls.resize(n, 1);
    }
    m_rowCount += count;
    m_active = true;
    notifyReset();
    return first;
}

void DataSet::takeContent(DataSet &source)
{
    if (&source == this)
        return;
    cancel();
    m_columns = std::move(source.m_columns);
    source.m_columns.clear();
    m_rowCount = std::exchange(source.m_rowCount, 0);
    m_active = std::exchange(source.m_active, false);
    m_cursor = -1;
    source.m_cursor = -1;
    source.cancel();
    source.notifyReset();
    notifyReset();
}

void DataSet::removeRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    for (Column &c : m_columns) {
        const auto at = std::ptrdiff_t(row);
        switch (storageOf(c.def.type)) {
        case Storage::Double: c.doubles.erase(c.doubles.begin() + at); break;
        case Storage::Int: c.ints.erase(c.ints.begin() + at); break;
        case Storage::String: c.strings.erase(c.strings.begin() + at); break;
        case Storage::Blob: c.blobs.erase(c.blobs.begin() + at); break;
        }
        c.nulls.erase(c.nulls.begin() + at);
    }
    --m_rowCount;
    if (m_cursor >= m_rowCount)
        m_cursor = m_rowCount - 1;
    notifyReset();
}

bool DataSet::isNull(int row, int column) const
{
    return m_columns[std::size_t(column)].nulls[std::size_t(row)] != 0;
}

void DataSet::setNull(int row, int column)
{
    Column &c = m_columns[std::size_t(column)];
    const auto r = std::size_t(row);
    c.nulls[r] = 1;
    switch (storageOf(c.def.type)) {
    case Storage::Double: c.doubles[r] = 0.0; break;
    case Storage::Int: c.ints[r] = 0; break;
    case Storage::String: c.strings[r].clear(); break;
    case Storage::Blob: c.blobs[r].clear(); break;
    }
    notifyRow(row);
}

void DataSet::setString(int row, int column, const QString &value)
{
    setString(row, column, QString(value));   // QString copies share their data
}

void DataSet::setString(int row, int column, QString &&value)
{
    Column &c = m_columns[std::size_t(column)];
    if (storageOf(c.def.type) != Storage::String) {
        setValue(row, column, value);
        return;
    }
    c.strings[std::size_t(row)] = std::move(value);
    c.nulls[std::size_t(row)] = 0;
    notifyRow(row);
}

namespace {

// Bulk load of one column's slice: values marked null keep the row's null.
template<typename T, typename Source>
void moveLoaded(std::vector<T> &column, std::vector<quint8> &columnNulls, int first, int count,
                Source *values, const bool *nulls)
{
    T *out = column.data() + first;
    quint8 *outNulls = columnNulls.data() + first;
    for (int i = 0; i < count; ++i) {
        if (nulls[i])
            continue;
        out[i] = std::move(values[i]);
        outNulls[i] = 0;
    }
}

} // namespace

void DataSet::loadColumn(int column, int first, int count, const double *values,
                         const bool *nulls)
{
    Column &c = m_columns[std::size_t(column)];
    if (storageOf(c.def.type) != Storage::Double) {
        for (int i = 0; i < count; ++i) {
            if (!nulls[i])
                setDouble(first + i, column, values[i]);
        }
        return;
    }
    moveLoaded(c.doubles, c.nulls, first, count, values, nulls);
}

void DataSet::loadColumn(int column, int first, int count, const qint64 *values,
                         const bool *nulls)
{
    Column &c = m_columns[std::size_t(column)];
    if (storageOf(c.def.type) != Storage::Int || c.def.type == FieldType::Boolean) {
        for (int i = 0; i < count; ++i) {
            if (!nulls[i])
                setInt(first + i, column, values[i]);
        }
        return;
    }
    moveLoaded(c.ints, c.nulls, first, count, values, nulls);
}

void DataSet::loadColumn(int column, int first, int count, QString *values, const bool *nulls)
{
    Column &c = m_columns[std::size_t(column)];
    if (storageOf(c.def.type) != Storage::String) {
        for (int i = 0; i < count; ++i) {
            if (!nulls[i])
                setString(first + i, column, values[i]);
        }
        return;
    }
    moveLoaded(c.strings, c.nulls, first, count, values, nulls);
}

void DataSet::loadColumn(int column, int first, int count, QByteArray *values,
                         const bool *nulls)
{
    Column &c = m_columns[std::size_t(column)];
    if (storageOf(c.def.type) != Storage::Blob) {
        for (int i = 0; i < count; ++i) {
            if (!nulls[i])
                setBlob(first + i, column, values[i]);
        }
        return;
    }
    moveLoaded(c.blobs, c.nulls, first, count, values, nulls);
}

void DataSet::setInt(int row, int column, qint64 value)
{
    Column &c = m_columns[std::size_t(column)];
    switch (storageOf(c.def.type)) {
    case Storage::Int: c.ints[std::size_t(row)] = c.def.type == FieldType::Boolean ? (value != 0) : value; break;
    case Storage::Double: c.doubles[std::size_t(row)] = double(value); break;
    case Storage::String: c.strings[std::size_t(row)] = QString::number(value); break;
    case Storage::Blob: c.blobs[std::size_t(row)] = QByteArray::number(value); break;
    }
    c.nulls[std::size_t(row)] = 0;
    notifyRow(row);
}

void DataSet::setDouble(int row, int column, double value)
{
    Column &c = m_columns[std::size_t(column)];
    switch (storageOf(c.def.type)) {
    case Storage::Double: c.doubles[std::size_t(row)] = value; break;
    case Storage::Int:
        c.ints[std::size_t(row)] = c.def.type == FieldType::Boolean ? (value != 0)
                                                                      : qint64(std::llround(value));
        break;
    case Storage::String: c.strings[std::size_t(row)] = QString::number(value, 'g', 15); break;
    case Storage::Blob: c.blobs[std::size_t(row)] = QByteArray::number(value, 'g', 15); break;
    }
    c.nulls[std::size_t(row)] = 0;
    notifyRow(row);
}

void DataSet::setBool(int row, int column, bool value)
{
    setInt(row, column, value ? 1 : 0);
}

void DataSet::setBlob(int row, int column, const QByteArray &value)
{
    Column &c = m_columns[std::size_t(column)];
    if (storageOf(c.def.type) != Storage::Blob) {
        setString(row, column, QString::fromUtf8(value));
        return;
    }
    c.blobs[std::size_t(row)] = value;
    c.nulls[std::size_t(row)] = 0;
    notifyRow(row);
}

void DataSet::setValue(int row, int column, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        setNull(row, column);
        return;
    }
    const FieldType type = m_columns[std::size_t(column)].def.type;
    switch (type) {
    case FieldType::String:
        setString(row, column, value.toString());
        return;
    case FieldType::Integer:
    case FieldType::LargeInt:
        setInt(row, column, value.toLongLong());
        return;
    case FieldType::Boolean:
        setInt(row, column, value.toBool() ? 1 : 0);
        return;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
        setDouble(row, column, value.toDouble());
        return;
    case FieldType::Date:
        if (value.metaType().id() == QMetaType::QDate) {
            setDouble(row, column, toDayCount(value.toDate()));
            return;
        }
        if (value.metaType().id() == QMetaType::QDateTime) {
            setDouble(row, column, std::trunc(toDayCount(value.toDateTime())));
            return;
        }
        setDouble(row, column, value.toDouble());
        return;
    case FieldType::Time:
        if (value.metaType().id() == QMetaType::QTime) {
            setDouble(row, column, value.toTime().msecsSinceStartOfDay() / kMsPerDay);
            return;
        }
        setDouble(row, column, value.toDouble());
        return;
    case FieldType::DateTime:
        if (value.metaType().id() == QMetaType::QDateTime) {
            setDouble(row, column, toDayCount(value.toDateTime()));
            return;
        }
        if (value.metaType().id() == QMetaType::QDate) {
            setDouble(row, column, toDayCount(value.toDate()));
            return;
        }
        setDouble(row, column, value.toDouble());
        return;
    case FieldType::Blob:
        setBlob(row, column, value.toByteArray());
        return;
    }
}

QString DataSet::stringAt(int row, int column) const
{
    const Column &c = m_columns[std::size_t(column)];
    const auto r = std::size_t(row);
    if (c.nulls[r])
        return {};
    switch (c.def.type) {
    case FieldType::String: return c.strings[r];
    case FieldType::Integer:
    case FieldType::LargeInt: return QString::number(c.ints[r]);
    case FieldType::Boolean: return c.ints[r] ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd: return QString::number(c.doubles[r], 'g', 15);
    case FieldType::Date: return fromDayCount(c.doubles[r]).date().toString(Qt::ISODate);
    case FieldType::Time: return fromDayCount(c.doubles[r]).time().toString(Qt::ISODate);
    case FieldType::DateTime: return fromDayCount(c.doubles[r]).toString(Qt::ISODate);
    case FieldType::Blob: return QString::fromUtf8(c.blobs[r]);
    }
    return {};
}

qint64 DataSet::intAt(int row, int column) const
{
    const Column &c = m_columns[std::size_t(column)];
    const auto r = std::size_t(row);
    if (c.nulls[r])
        return 0;
    switch (storageOf(c.def.type)) {
    case Storage::Int: return c.ints[r];
    case Storage::Double: return qint64(std::llround(c.doubles[r]));
    case Storage::String: return c.strings[r].trimmed().toLongLong();
    case Storage::Blob: return 0;
    }
    return 0;
}

double DataSet::doubleAt(int row, int column) const
{
    const Column &c = m_columns[std::size_t(column)];
    const auto r = std::size_t(row);
    if (c.nulls[r])
        return 0.0;
    switch (storageOf(c.def.type)) {
    case Storage::Double: return c.doubles[r];
    case Storage::Int: return double(c.ints[r]);
    case Storage::String: return c.strings[r].trimmed().toDouble();
    case Storage::Blob: return 0.0;
    }
    return 0.0;
}

bool DataSet::boolAt(int row, int column) const
{
    return intAt(row, column) != 0;
}

QByteArray DataSet::blobAt(int row, int column) const
{
    const Column &c = m_columns[std::size_t(column)];
    if (storageOf(c.def.type) == Storage::Blob)
        return c.blobs[std::size_t(row)];
    return stringAt(row, column).toUtf8();
}

QVariant DataSet::value(int row, int column) const
{
    const Column &c = m_columns[std::size_t(column)];
    const auto r = std::size_t(row);
    if (c.nulls[r])
        return {};
    switch (c.def.type) {
    case FieldType::String: return c.strings[r];
    case FieldType::Integer: return int(c.ints[r]);
    case FieldType::LargeInt: return c.ints[r];
    case FieldType::Boolean: return c.ints[r] != 0;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd: return c.doubles[r];
    case FieldType::Date: return fromDayCount(c.doubles[r]).date();
    case FieldType::Time: return fromDayCount(c.doubles[r]).time();
    case FieldType::DateTime: return fromDayCount(c.doubles[r]);
    case FieldType::Blob: return c.blobs[r];
    }
    return {};
}

QString DataSet::displayText(int row, int column) const
{
    const Column &c = m_columns[std::size_t(column)];
    const auto r = std::size_t(row);
    if (c.nulls[r])
        return {};
    switch (c.def.type) {
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
        if (!c.def.displayFormat.isEmpty())
            return formatFloat(c.def.displayFormat, c.doubles[r]);
        return QLocale().toString(c.doubles[r], 'g', 15);
    case FieldType::Date:
        return QLocale().toString(fromDayCount(c.doubles[r]).date(), QLocale::ShortFormat);
    case FieldType::Time:
        return QLocale().toString(fromDayCount(c.doubles[r]).time(), QLocale::ShortFormat);
    case FieldType::DateTime:
        return QLocale().toString(fromDayCount(c.doubles[r]), QLocale::ShortFormat);
    case FieldType::Blob:
        return {};
    default:
        return stringAt(row, column);
    }
}

int DataSet::compare(int rowA, int rowB, int column) const
{
    const Column &c = m_columns[std::size_t(column)];
    const auto a = std::size_t(rowA);
    const auto b = std::size_t(rowB);
    if (c.nulls[a] || c.nulls[b])
        return int(c.nulls[b]) - int(c.nulls[a]);
    switch (storageOf(c.def.type)) {
    case Storage::Double:
        return c.doubles[a] < c.doubles[b] ? -1 : (c.doubles[a] > c.doubles[b] ? 1 : 0);
    case Storage::Int:
        return c.ints[a] < c.ints[b] ? -1 : (c.ints[a] > c.ints[b] ? 1 : 0);
    case Storage::String:
        return QString::localeAwareCompare(c.strings[a], c.strings[b]);
    case Storage::Blob:
        return c.blobs[a].size() < c.blobs[b].size() ? -1 : (c.blobs[a].size() > c.blobs[b].size() ? 1 : 0);
    }
    return 0;
}

void DataSet::setRecNo(int row)
{
    m_cursor = (row >= 0 && row < m_rowCount) ? row : (row < 0 ? -1 : m_rowCount);
    if (m_disableCount == 0)
        Q_EMIT cursorMoved(m_cursor);
}

bool DataSet::first()
{
    setRecNo(m_rowCount > 0 ? 0 : -1);
    return m_rowCount > 0;
}

bool DataSet::next()
{
    if (m_cursor < m_rowCount)
        setRecNo(m_cursor + 1);
    return !eof();
}

bool DataSet::locate(const QString &fieldName, const QVariant &value)
{
    const int column = fieldIndex(fieldName);
    if (column < 0)
        return false;
    const Column &c = m_columns[std::size_t(column)];
    const Storage storage = storageOf(c.def.type);
    for (int row = 0; row < m_rowCount; ++row) {
        const auto r = std::size_t(row);
        if (c.nulls[r])
            continue;
        bool match = false;
        switch (storage) {
        case Storage::Int: match = c.ints[r] == value.toLongLong(); break;
        case Storage::Double: match = c.doubles[r] == value.toDouble(); break;
        case Storage::String: match = c.strings[r] == value.toString(); break;
        case Storage::Blob: match = c.blobs[r] == value.toByteArray(); break;
        }
        if (match) {
            setRecNo(row);
            return true;
        }
    }
    return false;
}

QVariant DataSet::fieldValue(const QString &fieldName) const
{
    const int column = fieldIndex(fieldName);
    if (column < 0 || eof())
        return {};
    if (m_editRow == m_cursor && m_editTouched[std::size_t(column)])
        return m_editBuffer[std::size_t(column)];
    return value(m_cursor, column);
}

void DataSet::edit()
{
    if (eof())
        return;
    m_editRow = m_cursor;
    m_editBuffer.assign(m_columns.size(), QVariant());
    m_editTouched.assign(m_columns.size(), false);
}

void DataSet::setFieldValue(const QString &fieldName, const QVariant &value)
{
    const int column = fieldIndex(fieldName);
    if (column < 0 || m_editRow < 0)
        return;
    m_editBuffer[std::size_t(column)] = value;
    m_editTouched[std::size_t(column)] = true;
}

void DataSet::post()
{
    if (m_editRow < 0)
        return;
    const int row = m_editRow;
    m_editRow = -1;
    const bool wasDisabled = m_disableCount > 0;
    ++m_disableCount;    // one notification for the whole row
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_editTouched[i])
            setValue(row, int(i), m_editBuffer[i]);
    }
    --m_disableCount;
    m_editBuffer.clear();
    m_editTouched.clear();
    if (!wasDisabled)
        Q_EMIT rowChanged(row);
}

void DataSet::cancel()
{
    m_editRow = -1;
    m_editBuffer.clear();
    m_editTouched.clear();
}

void DataSet::disableControls()
{
    ++m_disableCount;
}

void DataSet::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0) {
        m_pendingReset = false;
        Q_EMIT reset();
    }
}

void DataSet::notifyReset()
{
    if (m_disableCount > 0) {
        m_pendingReset = true;
        return;
    }
    Q_EMIT reset();
}

void DataSet::notifyRow(int row)
{
    if (m_disableCount == 0)
        Q_EMIT rowChanged(row);
}

qint64 DataSet::memoryUsage() const
{
    qint64 bytes = sizeof(*this);
    for (const Column &c : m_columns) {
        bytes += sizeof(Column);
        bytes += qint64(c.doubles.capacity() * sizeof(double));
        bytes += qint64(c.ints.capacity() * sizeof(qint64));
        bytes += qint64(c.strings.capacity() * sizeof(QString));
        bytes += qint64(c.nulls.capacity());
        for (const QString &s : c.strings) {
            if (!s.isEmpty())
                bytes += qint64(s.capacity()) * 2 + 16;   // payload plus the shared header
        }
        for (const QByteArray &b : c.blobs)
            bytes += b.capacity() + 16;
    }
    return bytes;
}

} // namespace Mervak
