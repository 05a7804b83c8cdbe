// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "dataset.h"
#include "store.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>

namespace Mervak::Server::Sql {

// Parameters: dates travel as ISO text, null dates as NULL.
QVariant dateParam(const QDate &date);
QVariant stampParam(const QDateTime &stamp);
QDate toDate(const QVariant &value);
QDateTime toStamp(const QVariant &value);

/*!
    One prepared statement with positional parameters. Every failure becomes a StoreError
    with a general text; the database's own message goes to the log only.
*/
class Query
{
public:
    Query(const QSqlDatabase &db, const QString &statement);

    Query &bind(const QVariant &value);
    // A null QString is stored as an empty text, never as NULL.
    Query &bind(const QString &value)
    {
        return bind(QVariant(value.isNull() ? QString::fromLatin1("") : value));
    }
    Query &bind(int value) { return bind(QVariant(value)); }
    Query &bind(qint64 value) { return bind(QVariant(value)); }
    Query &bind(double value) { return bind(QVariant(value)); }
    Query &bind(bool value) { return bind(QVariant(value ? 1 : 0)); }
    Query &bind(const QDate &value) { return bind(dateParam(value)); }
    Query &bind(const QDateTime &value) { return bind(stampParam(value)); }
    Query &bind(const QByteArray &value) { return bind(QVariant(value)); }

    Query &exec();
    // Ready for the next run of the same prepared statement.
    Query &reset() { m_bound = 0; return *this; }
    bool next() { return m_query.next(); }
    // Ends the reading: a statement left open holds its snapshot, and a later write on the
    // same connection would then fail at once instead of waiting for the lock.
    void finish() { m_query.finish(); }

    QVariant value(int column) const { return m_query.value(column); }
    int toInt(int column) const { return m_query.value(column).toInt(); }
    qint64 toInt64(int column) const { return m_query.value(column).toLongLong(); }
    double toDouble(int column) const { return m_query.value(column).toDouble(); }
    QString toString(int column) const { return m_query.value(column).toString(); }
    QDate toDate(int column) const { return Sql::toDate(m_query.value(column)); }
    QDateTime toStamp(int column) const { return Sql::toStamp(m_query.value(column)); }
    QByteArray toBytes(int column) const { return m_query.value(column).toByteArray(); }
    bool isNull(int column) const { return m_query.value(column).isNull(); }

    qint64 lastInsertId() const;
    int rowsAffected() const { return m_query.numRowsAffected(); }

    // The first column of the first row, or fallback when there is no row.
    QVariant scalar(const QVariant &fallback = {});

private:
    QSqlQuery m_query;
    QString m_statement;
    int m_bound = 0;
};

// Runs a statement without parameters (schema, pragmas).
void execute(const QSqlDatabase &db, const QString &statement);

/*!
    A write transaction: BEGIN IMMEDIATE takes the write lock at once, so two writers
    never deadlock on a lock upgrade; the destructor rolls back unless commit() ran.
*/
class Transaction
{
public:
    explicit Transaction(const QSqlDatabase &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    QSqlDatabase m_db;
    bool m_done = false;
};

struct Column
{
    const char16_t *name;
    FieldType type;
    int size = 0;
};

/*!
    Builds a result table: the columns are declared once, cells are set by field name.
*/
class Table
{
public:
    explicit Table(std::initializer_list<Column> columns);
    Table(const Column *columns, int count);

    int column(QStringView name) const;
    int addRow() { return m_data->appendRow(); }
    int rowCount() const { return m_data->rowCount(); }

    void set(int row, QStringView name, const QString &value);
    void set(int row, QStringView name, const char16_t *value) { set(row, name, QString::fromUtf16(value)); }
    void set(int row, QStringView name, int value);
    void set(int row, QStringView name, qint64 value);
    void set(int row, QStringView name, double value);
    void set(int row, QStringView name, bool value);
    void set(int row, QStringView name, const QDate &value);
    void set(int row, QStringView name, const QDateTime &value);
    void set(int row, QStringView name, const QByteArray &value);
    void setNull(int row, QStringView name);

    DataSet &data() { return *m_data; }
    DataSetPtr take();

private:
    DataSetPtr m_data;
    QHash<QString, int> m_index;
    mutable QHash<const QChar *, std::pair<int, qsizetype>> m_byAddress;   // index, length
};

} // namespace Mervak::Server::Sql
