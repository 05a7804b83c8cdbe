// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "jsonwriter.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <memory>
#include <span>
#include <unordered_map>
#include <variant>

namespace Mervak {

class RecordReader;
class RecordWriter;

/*!
    A plain data record that travels to and from the server as
    {"type":"unit.Class","id":N,"fields":{...}}. The server holds classes of the same names
    with the same fields, so unit, class and field names are part of the wire contract.

    Concrete records derive from TransferRecordBase<T>, which drives writing, reading,
    comparing and copying from the class's one field table.
*/
class TransferRecord
{
public:
    virtual ~TransferRecord() = default;

    virtual QString unitName() const = 0;
    virtual QString className() const = 0;
    QString typeName() const { return unitName() + u'.' + className(); }

    virtual std::unique_ptr<TransferRecord> clone() const = 0;
    // Same class and every field equal.
    virtual bool sameFields(const TransferRecord &other) const = 0;

    // The whole record as one top-level JSON value (ids numbered from 1).
    void writeJson(JsonWriter &w) const;
    QByteArray toJson() const;

    // The members of "fields": written in table order; read in any order, absent ones kept.
    virtual void writeFields(RecordWriter &out) const = 0;
    virtual bool readFields(const QJsonObject &fields, RecordReader &in, QString *error) = 0;

protected:
    TransferRecord() = default;
    TransferRecord(const TransferRecord &) = default;
    TransferRecord &operator=(const TransferRecord &) = default;
};

// Writes the records of one top-level JSON value; numbers them in the order they are written.
class RecordWriter
{
public:
    explicit RecordWriter(JsonWriter &w) : m_w(w) {}

    void writeRecord(const TransferRecord *record);   // nullptr writes null
    JsonWriter &json() { return m_w; }

private:
    JsonWriter &m_w;
    int m_nextId = 1;
};

// Reads the records of one top-level JSON value and resolves {"type":...,"ref":N} to a copy
// of the object read earlier with that id.
class RecordReader
{
public:
    // JSON null gives true and a null record.
    bool readRecord(const QJsonValue &value, std::unique_ptr<TransferRecord> &record,
                    QString *error);

private:
    std::unordered_map<qint64, std::unique_ptr<TransferRecord>> m_byId;
};

QByteArray recordToJson(const TransferRecord *record);              // "null" for nullptr
void writeRecord(JsonWriter &w, const TransferRecord *record);      // into an ongoing writer
// JSON null gives nullptr and an empty error; a failure gives nullptr and the reason.
std::unique_ptr<TransferRecord> recordFromJson(const QJsonValue &value, QString *error);
// A new default instance of a known "unit.Class"; nullptr when the name is unknown.
std::unique_ptr<TransferRecord> createRecord(QStringView typeName);

QString wrongRecordTypeMessage(const QString &expected, const QString &found);

template <typename T>
std::unique_ptr<T> recordFromJson(const QJsonValue &value, QString *error)
{
    std::unique_ptr<TransferRecord> record = recordFromJson(value, error);
    if (!record)
        return nullptr;
    if (auto *typed = dynamic_cast<T *>(record.get())) {
        record.release();
        return std::unique_ptr<T>(typed);
    }
    if (error)
        *error = wrongRecordTypeMessage(T::staticTypeName(), record->typeName());
    return nullptr;
}

// Reading and writing of single field values; the overloads pick the JSON form by C++ type.
namespace RecordIo {

struct FieldSite
{
    const TransferRecord *owner;
    QStringView field;
    QString text() const;   // "unit.Class.FField", for messages
};

bool fail(QString *error, const QString &message);

void write(RecordWriter &out, const QString &value);
void write(RecordWriter &out, int value);
void write(RecordWriter &out, double value);
void write(RecordWriter &out, bool value);

bool read(const QJsonValue &v, QString &out, RecordReader &, const FieldSite &site,
          QString *error);
bool read(const QJsonValue &v, int &out, RecordReader &, const FieldSite &site,
          QString *error);
bool read(const QJsonValue &v, double &out, RecordReader &, const FieldSite &site,
          QString *error);
bool read(const QJsonValue &v, bool &out, RecordReader &, const FieldSite &site,
          QString *error);

QString notAnArrayMessage(const FieldSite &site);
QString nullElementMessage(const FieldSite &site);

template <typename E>
void write(RecordWriter &out, const QList<E> &list)
{
    out.json().beginArray();
    for (const E &element : list)
        out.writeRecord(&element);
    out.json().endArray();
}

// An array of records; null stands for an empty array. Elements must be of class E.
template <typename E>
bool read(const QJsonValue &v, QList<E> &out, RecordReader &in, const FieldSite &site,
          QString *error)
{
    if (v.isNull()) {
        out.clear();
        return true;
    }
    if (!v.isArray())
        return fail(error, notAnArrayMessage(site));
    const QJsonArray array = v.toArray();
    QList<E> elements;
    elements.reserve(array.size());
    for (const QJsonValue &item : array) {
        std::unique_ptr<TransferRecord> record;
        if (!in.readRecord(item, record, error))
            return false;
        if (!record)
            return fail(error, nullElementMessage(site));
        auto *element = dynamic_cast<E *>(record.get());
        if (!element)
            return fail(error, wrongRecordTypeMessage(E::staticTypeName(), record->typeName()));
        elements.append(std::move(*element));
    }
    out = std::move(elements);
    return true;
}

} // namespace RecordIo

/*!
    Base of every concrete record class T. T provides
      static constexpr const char16_t *UnitName, *ClassName;
      static std::span<const Field> fields();   // the field table, in wire order
    and the Elements are the record classes T holds in array fields (QList<E>).
*/
template <typename T, typename... Elements>
class TransferRecordBase : public TransferRecord
{
public:
    using Member = std::variant<QString T::*, int T::*, double T::*, bool T::*,
                                QList<Elements> T::*...>;
    struct Field
    {
        QStringView name;
        Member member;
    };

    static QString staticTypeName()
    {
        return QStringView(T::UnitName).toString() + u'.' + QStringView(T::ClassName).toString();
    }

    QString unitName() const override { return QStringView(T::UnitName).toString(); }
    QString className() const override { return QStringView(T::ClassName).toString(); }

    std::unique_ptr<TransferRecord> clone() const override
    {
        return std::make_unique<T>(self());
    }

    bool sameFields(const TransferRecord &other) const override
    {
        const auto *that = dynamic_cast<const T *>(&other);
        if (!that)
            return false;
        for (const Field &f : T::fields()) {
            const bool equal = std::visit([&](auto m) { return self().*m == that->*m; },
                                          f.member);
            if (!equal)
                return false;
        }
        return true;
    }

    void writeFields(RecordWriter &out) const override
    {
        for (const Field &f : T::fields()) {
            out.json().key(f.name);
            std::visit([&](auto m) { RecordIo::write(out, self().*m); }, f.member);
        }
    }

    bool readFields(const QJsonObject &fields, RecordReader &in, QString *error) override
    {
        for (const Field &f : T::fields()) {
            const auto it = fields.constFind(f.name);
            if (it == fields.constEnd())
                continue;
            const RecordIo::FieldSite site{this, f.name};
            const bool ok = std::visit(
                [&](auto m) { return RecordIo::read(*it, self().*m, in, site, error); },
                f.member);
            if (!ok)
                return false;
        }
        return true;
    }

    friend bool operator==(const T &a, const T &b) { return a.sameFields(b); }

protected:
    // Every value of source into this instance (the Kopyala of the classes that have one).
    void copyFields(const T &source)
    {
        for (const Field &f : T::fields())
            std::visit([&](auto m) { self().*m = source.*m; }, f.member);
    }

private:
    T &self() { return static_cast<T &>(*this); }
    const T &self() const { return static_cast<const T &>(*this); }
};

} // namespace Mervak

// Getter named as the property, setter that only stores; the field is F<Name>.
#define MERVAK_RECORD_PROPERTY(Type, Name) \
    Type Name() const { return F##Name; } \
    void set##Name(const Type &value) { F##Name = value; }
