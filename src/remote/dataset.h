// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <cstdint>
#include <vector>

namespace Mervak {

// Field classes of the in-memory data set. The class decides both the storage and the
// display: only Float fields take the money format.
enum class FieldType {
    String,
    Integer,
    LargeInt,
    Float,
    Currency,
    Bcd,
    Boolean,
    Date,
    Time,
    DateTime,
    Blob
};

QString fieldTypeName(FieldType type);                  // "string", "integer", ...
bool fieldTypeFromName(const QString &name, FieldType *type);

// Day count of the date-time convention: whole days since 30 December 1899, the fraction
// being the time of day.
double toDayCount(const QDateTime &dt);
double toDayCount(const QDate &d);
QDateTime fromDayCount(double days);

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0;              // declared width of a string field, 0 when unknown
    QString displayFormat;     // e.g. "#,###,##0.00"; empty: the plain text of the value
};

/*!
    The one table type of the program: typed fields, rows stored column by column,
    a cursor and the "controls disabled" switch the background loads use.

    Values live in per-column vectors of their own type (numbers as doubles or 64-bit
    integers, dates and times as day counts, strings as QString) with a null mark, so a
    50,000-row stock list stays compact and fast to sort and show.

    The data set is not thread-safe. A background load fills it while the grid that
    shows it is detached (disableControls), and reattaches on the user-interface thread.
*/
class DataSet : public QObject
{
    Q_OBJECT

public:
    explicit DataSet(QObject *parent = nullptr);
    ~DataSet() override;

    // --- structure
    void clear();                                  // drop fields and rows, close
    void clearRows();                              // keep fields, drop rows
    int addField(const QString &name, FieldType type, int size = 0);
    int fieldCount() const { return int(m_columns.size()); }
    const FieldDef &field(int column) const { return m_columns[column].def; }
    int fieldIndex(const QString &name) const;    // -1 when absent (case-insensitive)
    FieldDef *findField(const QString &name);
    QStringList fieldNames() const;
    void setDisplayFormat(int column, const QString &format);

    void open() { m_active = true; }
    void close() { m_active = false; }
    bool isOpen() const { return m_active; }

    // --- rows
    int rowCount() const { return m_rowCount; }
    void reserve(int rows);
    int appendRow();                               // a row of nulls; returns its index
    int appendRows(int count);                     // count rows of nulls; index of the first
    // Fields and rows of source replace this one's; source is left empty. Bulk loads build a
    // table aside and swap it in whole, so a failed load leaves the target as it was.
    void takeContent(DataSet &source);
    void removeRow(int row);

    bool isNull(int row, int column) const;
    void setNull(int row, int column);
    void setString(int row, int column, const QString &value);
    void setString(int row, int column, QString &&value);   // bulk loads: no extra copy
    // Bulk loads: the values of one column for rows first .. first + count - 1, where a row
    // whose null mark is set stays null. Strings and blobs are moved out of values. Doubles
    // serve Float, Currency, Bcd and the day counts, integers Integer, LargeInt and Boolean;
    // other fields take the values one by one as the single setters do.
    void loadColumn(int column, int first, int count, const double *values, const bool *nulls);
    void loadColumn(int column, int first, int count, const qint64 *values, const bool *nulls);
    void loadColumn(int column, int first, int count, QString *values, const bool *nulls);
    void loadColumn(int column, int first, int count, QByteArray *values, const bool *nulls);
    void setInt(int row, int column, qint64 value);
    void setDouble(int row, int column, double value);   // Float, Currency, Bcd, and day counts
    void setBool(int row, int column, bool value);
    void setBlob(int row, int column, const QByteArray &value);
    // Any value converted to the field's class; an invalid QVariant stores null.
    void setValue(int row, int column, const QVariant &value);

    QString stringAt(int row, int column) const;   // strings as stored, others as plain text
    qint64 intAt(int row, int column) const;       // 0 for null
    double doubleAt(int row, int column) const;    // 0 for null
    bool boolAt(int row, int column) const;
    QByteArray blobAt(int row, int column) const;
    QVariant value(int row, int column) const;     // typed QVariant; invalid for null
    QString displayText(int row, int column) const; // with the field's display format

    // Orders values of one column for sorting views: -1, 0, 1; nulls first.
    int compare(int rowA, int rowB, int column) const;

    // --- cursor
    int recNo() const { return m_cursor; }         // -1 before the first row
    void setRecNo(int row);
    bool first();
    bool next();
    bool eof() const { return m_cursor < 0 || m_cursor >= m_rowCount; }
    bool locate(const QString &fieldName, const QVariant &value);
    QVariant fieldValue(const QString &fieldName) const;  // at the cursor
    void edit();
    void setFieldValue(const QString &fieldName, const QVariant &value);
    void post();
    void cancel();
    bool isEditing() const { return m_editRow >= 0; }

    // --- views
    // While disabled no signal reaches the views; enabling again tells them to reload whole.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // Rough count of bytes held, for the benchmarks.
    qint64 memoryUsage() const;

Q_SIGNALS:
    void reset();                   // structure or many rows changed
    void rowChanged(int row);       // one row's values changed
    void cursorMoved(int row);

private:
    struct Column {
        FieldDef def;
        std::vector<double> doubles;
        std::vector<qint64> ints;
        std::vector<QString> strings;
        std::vector<QByteArray> blobs;
        std::vector<quint8> nulls;     // 1 = null
    };
    enum class Storage { Double, Int, String, Blob };
    static Storage storageOf(FieldType type);
    void notifyReset();
    void notifyRow(int row);

    std::vector<Column> m_columns;
    int m_rowCount = 0;
    int m_cursor = -1;
    int m_editRow = -1;
    std::vector<QVariant> m_editBuffer;   // pending values of the row in edit, invalid = unchanged
    std::vector<bool> m_editTouched;
    int m_disableCount = 0;
    bool m_pendingReset = false;
    bool m_active = false;
};

} // namespace Mervak
