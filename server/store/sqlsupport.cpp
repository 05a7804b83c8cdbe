// SPDX-License-Identifier: LicenseRef-Mervak
#include "sqlsupport.h"

#include <QSqlError>
#include <QtGlobal>

namespace Mervak::Server::Sql {

namespace {

const QString kDatabaseError = QStringLiteral("Veritabanı hatası oluştu, lütfen tekrar deneyiniz.");
const QString kDatabaseBusy = QStringLiteral("Sunucu şu anda meşgul, lütfen tekrar deneyiniz.");

[[noreturn]] void fail(const QSqlError &error, const QString &statement)
{
    qWarning("store: %s [%s]", qPrintable(error.text()), qPrintable(statement.simplified()));
    // SQLITE_BUSY (5) and SQLITE_LOCKED (6): another writer held the lock past the timeout.
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("5") || code == QLatin1String("6"))
        throw StoreError(kDatabaseBusy);
    throw StoreError(kDatabaseError);
}

} // namespace

QVariant dateParam(const QDate &date)
{
    return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant();
}

QVariant stampParam(const QDateTime &stamp)
{
    return stamp.isValid() ? QVariant(stamp.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")))
                           : QVariant();
}

QDate toDate(const QVariant &value)
{
    if (value.isNull())
        return {};
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QDateTime toStamp(const QVariant &value)
{
    if (value.isNull())
        return {};
    const QString text = value.toString();
    if (text.size() == 10)
        return QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
    return QDateTime::fromString(text, Qt::ISODate);
}

Query::Query(const QSqlDatabase &db, const QString &statement)
    : m_query(db), m_statement(statement)
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(statement))
        fail(m_query.lastError(), statement);
}

Query &Query::bind(const QVariant &value)
{
    m_query.bindValue(m_bound++, value);
    return *this;
}

Query &Query::exec()
{
    if (!m_query.exec())
        fail(m_query.lastError(), m_statement);
    return *this;
}

qint64 Query::lastInsertId() const
{
    return m_query.lastInsertId().toLongLong();
}

QVariant Query::scalar(const QVariant &fallback)
{
    exec();
    if (!m_query.next())
        return fallback;
    return m_query.value(0);
}

void execute(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        fail(query.lastError(), statement);
}

Transaction::Transaction(const QSqlDatabase &db) : m_db(db)
{
    execute(m_db, QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done) {
        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("ROLLBACK")))
            qWarning("store: rollback failed: %s", qPrintable(query.lastError().text()));
    }
}

void Transaction::commit()
{
    execute(m_db, QStringLiteral("COMMIT"));
    m_done = true;
}

Table::Table(std::initializer_list<Column> columns)
    : Table(columns.begin(), int(columns.size()))
{
}

Table::Table(const Column *columns, int count) : m_data(std::make_unique<DataSet>())
{
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf16(columns[i].name);
        m_index.insert(name, m_data->addField(name, columns[i].type, columns[i].size));
    }
    m_data->open();
}

int Table::column(QStringView name) const
{
    // Names are string literals: their address finds them again without building a QString.
    const auto cached = m_byAddress.constFind(name.data());
    if (cached != m_byAddress.constEnd() && cached->second == name.size())
        return cached->first;
    const int index = m_index.value(name.toString(), -1);
    Q_ASSERT_X(index >= 0, "Table::column", qPrintable(name.toString()));
    m_byAddress.insert(name.data(), {index, name.size()});
    return index;
}

void Table::set(int row, QStringView name, const QString &value)
{
    m_data->setString(row, column(name), value);
}

void Table::set(int row, QStringView name, int value)
{
    set(row, name, qint64(value));
}

void Table::set(int row, QStringView name, qint64 value)
{
    const int c = column(name);
    switch (m_data->field(c).type) {
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
        m_data->setDouble(row, c, double(value));
        break;
    case FieldType::String:
        m_data->setString(row, c, QString::number(value));
        break;
    default:
        m_data->setInt(row, c, value);
        break;
    }
}

void Table::set(int row, QStringView name, double value)
{
    m_data->setDouble(row, column(name), value);
}

void Table::set(int row, QStringView name, bool value)
{
    m_data->setBool(row, column(name), value);
}

void Table::set(int row, QStringView name, const QDate &value)
{
    const int c = column(name);
    if (value.isValid())
        m_data->setValue(row, c, value);
    else
        m_data->setNull(row, c);
}

void Table::set(int row, QStringView name, const QDateTime &value)
{
    const int c = column(name);
    if (value.isValid())
        m_data->setValue(row, c, value);
    else
        m_data->setNull(row, c);
}

void Table::set(int row, QStringView name, const QByteArray &value)
{
    m_data->setBlob(row, column(name), value);
}

void Table::setNull(int row, QStringView name)
{
    m_data->setNull(row, column(name));
}

DataSetPtr Table::take()
{
    m_data->first();
    return std::move(m_data);
}

} // namespace Mervak::Server::Sql
