// SPDX-License-Identifier: LicenseRef-Mervak
#include "transferrecord.h"

#include "baglantiu.h"
#include "mobilstokunit.h"

#include <cmath>
#include <limits>

namespace Mervak {

namespace {

template <typename T>
std::unique_ptr<TransferRecord> makeRecord()
{
    return std::make_unique<T>();
}

struct KnownRecord
{
    QString (*typeName)();
    std::unique_ptr<TransferRecord> (*create)();
};

template <typename T>
constexpr KnownRecord known()
{
    return {&T::staticTypeName, &makeRecord<T>};
}

// Every class the other side may name in "type".
constexpr KnownRecord KnownRecords[] = {
    known<TSonucBilgisi>(),
    known<TSiparisDipAyrinti>(),
    known<TTusSonuclari>(),
    known<TMobilStok>(),
    known<TMobilStoklar>(),
    known<TMobilSepet>(),
    known<TMobilSepetler>(),
    known<TMobilCariBilgisi>(),
    known<TAcilisEkran>(),
    known<TAcilisEkranlar>(),
    known<TAcilisEkranlariki>(),
};

// A JSON number that is a whole number; JSON has no separate integer kind.
bool wholeNumber(const QJsonValue &v, double *number)
{
    if (!v.isDouble())
        return false;
    *number = v.toDouble();
    return std::isfinite(*number) && std::trunc(*number) == *number;
}

// An "id" or "ref": a whole number in 32-bit range (a larger one cannot be converted safely).
bool recordNumber(const QJsonValue &v, qint64 *number)
{
    double d = 0;
    if (!wholeNumber(v, &d) || d < std::numeric_limits<int>::min()
        || d > std::numeric_limits<int>::max())
        return false;
    *number = qint64(d);
    return true;
}

} // namespace

void TransferRecord::writeJson(JsonWriter &w) const
{
    writeRecord(w, this);
}

QByteArray TransferRecord::toJson() const
{
    return recordToJson(this);
}

void RecordWriter::writeRecord(const TransferRecord *record)
{
    if (!record) {
        m_w.null();
        return;
    }
    m_w.beginObject();
    m_w.key(u"type");
    m_w.value(record->typeName());
    m_w.key(u"id");
    m_w.value(m_nextId++);
    m_w.key(u"fields");
    m_w.beginObject();
    record->writeFields(*this);
    m_w.endObject();
    m_w.endObject();
}

bool RecordReader::readRecord(const QJsonValue &value, std::unique_ptr<TransferRecord> &record,
                              QString *error)
{
    using RecordIo::fail;
    record.reset();
    if (value.isNull())
        return true;
    if (!value.isObject())
        return fail(error, QStringLiteral("Kayıt bir JSON nesnesi olmalı."));
    const QJsonObject object = value.toObject();

    const QJsonValue typeValue = object.value(u"type");
    if (!typeValue.isString())
        return fail(error, QStringLiteral("Kaydın \"type\" bilgisi eksik ya da metin değil."));
    const QString type = typeValue.toString();

    const QJsonValue refValue = object.value(u"ref");
    if (!refValue.isUndefined()) {
        qint64 ref = 0;
        if (!recordNumber(refValue, &ref))
            return fail(error, QStringLiteral("%1 kaydının \"ref\" bilgisi tam sayı değil.")
                                   .arg(type));
        const auto it = m_byId.find(ref);
        if (it == m_byId.end())
            return fail(error, QStringLiteral("%1 kaydı, daha önce okunmamış %2 numaralı "
                                              "kayda başvuruyor.")
                                   .arg(type)
                                   .arg(ref));
        if (it->second->typeName() != type)
            return fail(error, QStringLiteral("%1 numaralı kayıt %2 türünde, %3 değil.")
                                   .arg(ref)
                                   .arg(it->second->typeName(), type));
        record = it->second->clone();
        return true;
    }

    std::unique_ptr<TransferRecord> created = createRecord(type);
    if (!created)
        return fail(error, QStringLiteral("Bilinmeyen kayıt türü: \"%1\".").arg(type));

    // Without an id the object simply cannot be referred to later.
    const QJsonValue idValue = object.value(u"id");
    qint64 id = 0;
    const bool hasId = !idValue.isUndefined();
    if (hasId && !recordNumber(idValue, &id))
        return fail(error,
                    QStringLiteral("%1 kaydının \"id\" bilgisi tam sayı değil.").arg(type));

    const QJsonValue fieldsValue = object.value(u"fields");
    if (!fieldsValue.isUndefined() && !fieldsValue.isObject())
        return fail(error, QStringLiteral("%1 kaydının \"fields\" bilgisi bir JSON nesnesi "
                                          "değil.")
                               .arg(type));
    if (!created->readFields(fieldsValue.toObject(), *this, error))
        return false;

    // Registered once complete: a ref to an enclosing object would be a cycle.
    if (hasId && !m_byId.emplace(id, created->clone()).second)
        return fail(error, QStringLiteral("%1 numaralı kayıt iki kez var.").arg(id));
    record = std::move(created);
    return true;
}

QByteArray recordToJson(const TransferRecord *record)
{
    JsonWriter w;
    writeRecord(w, record);
    return w.take();
}

void writeRecord(JsonWriter &w, const TransferRecord *record)
{
    RecordWriter out(w);
    out.writeRecord(record);
}

std::unique_ptr<TransferRecord> recordFromJson(const QJsonValue &value, QString *error)
{
    if (error)
        error->clear();
    RecordReader in;
    std::unique_ptr<TransferRecord> record;
    if (!in.readRecord(value, record, error))
        return nullptr;
    return record;
}

std::unique_ptr<TransferRecord> createRecord(QStringView typeName)
{
    for (const KnownRecord &k : KnownRecords) {
        if (k.typeName() == typeName)
            return k.create();
    }
    return nullptr;
}

QString wrongRecordTypeMessage(const QString &expected, const QString &found)
{
    return QStringLiteral("%1 türünde kayıt beklenirken %2 geldi.").arg(expected, found);
}

namespace RecordIo {

QString FieldSite::text() const
{
    return owner->typeName() + u'.' + field.toString();
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

void write(RecordWriter &out, const QString &value)
{
    out.json().value(value);
}

void write(RecordWriter &out, int value)
{
    out.json().value(value);
}

void write(RecordWriter &out, double value)
{
    out.json().value(value);
}

void write(RecordWriter &out, bool value)
{
    out.json().value(value);
}

bool read(const QJsonValue &v, QString &out, RecordReader &, const FieldSite &site,
          QString *error)
{
    if (!v.isString())
        return fail(error, QStringLiteral("%1 alanı metin olmalı.").arg(site.text()));
    out = v.toString();
    return true;
}

bool read(const QJsonValue &v, int &out, RecordReader &, const FieldSite &site, QString *error)
{
    if (!v.isDouble())
        return fail(error, QStringLiteral("%1 alanı tam sayı olmalı.").arg(site.text()));
    double number = 0;
    if (!wholeNumber(v, &number))
        return fail(error, QStringLiteral("%1 alanı tam sayı olmalı; %2 geldi.")
                               .arg(site.text())
                               .arg(v.toDouble()));
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return fail(error, QStringLiteral("%1 alanındaki %2 sayısı 32 bitlik tam sayı "
                                          "sınırlarının dışında.")
                               .arg(site.text())
                               .arg(number, 0, 'f', 0));
    out = int(number);
    return true;
}

bool read(const QJsonValue &v, double &out, RecordReader &, const FieldSite &site,
          QString *error)
{
    if (!v.isDouble())
        return fail(error, QStringLiteral("%1 alanı sayı olmalı.").arg(site.text()));
    out = v.toDouble();
    return true;
}

bool read(const QJsonValue &v, bool &out, RecordReader &, const FieldSite &site, QString *error)
{
    if (!v.isBool())
        return fail(error, QStringLiteral("%1 alanı true ya da false olmalı.").arg(site.text()));
    out = v.toBool();
    return true;
}

QString notAnArrayMessage(const FieldSite &site)
{
    return QStringLiteral("%1 alanı kayıt dizisi olmalı.").arg(site.text());
}

QString nullElementMessage(const FieldSite &site)
{
    return QStringLiteral("%1 dizisinde boş (null) kayıt olamaz.").arg(site.text());
}

} // namespace RecordIo

} // namespace Mervak
