// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "jsonwriter.h"
#include "servermethods.h"
#include "transferrecord.h"

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace Mervak {

class DataSet;

namespace Wire {

// Turkish name of what a kind must look like on the wire, for error texts ("metin", ...).
QString expectedKindText(const ParamInfo &param);

// --- requests: the client writes them, the server reads them

/*!
    Writes {"method":"TServerMethods1.<Name>","params":[...]}; the caller adds one value per
    declared parameter, in declared order (null for out parameters).
*/
class RequestWriter
{
public:
    explicit RequestWriter(const MethodInfo &method);

    void addString(const QString &value);
    void addInteger(int value);
    void addInt64(qint64 value);
    void addDouble(double value);     // throws RemoteError when the value is not finite
    void addBoolean(bool value);
    void addRecord(const TransferRecord *record);   // nullptr travels as null
    void addNull();                   // out parameters, callbacks, objects

    // Throws std::logic_error when the values do not match the declared parameters.
    QByteArray finish();

private:
    const MethodInfo &m_method;
    JsonWriter m_w;
    int m_count = 0;
};

// One decoded in-parameter; out, callback and object parameters are monostate.
using ArgValue = std::variant<std::monostate, QString, qint64, double, bool,
                              std::unique_ptr<TransferRecord>>;

struct Request
{
    const MethodInfo *method = nullptr;
    std::vector<ArgValue> args;     // one per declared parameter
};

enum class RequestError {
    None,
    Frame,   // the frame itself is unreadable: answer, then close the connection
    Call     // a readable request for a call we refuse: answer and go on
};

// Reads a request frame received by readFrame (payload keeps its padding). On failure the
// reply text is in *error.
RequestError readRequest(const QByteArray &payload, Request *request, QString *error);

// --- replies: the server writes them, the client reads them

/*!
    Collects the out parameters (by name) and the result of one call, and writes
    {"result":[...]}. Each setter throws std::logic_error when the name or kind does not
    match the method: that is a fault of the handler, not of the caller.
*/
class ReplyWriter
{
public:
    explicit ReplyWriter(const MethodInfo &method);

    const MethodInfo &method() const { return m_method; }

    void setString(QStringView outName, const QString &value);
    void setInteger(QStringView outName, int value);
    void setInt64(QStringView outName, qint64 value);
    void setDouble(QStringView outName, double value);
    void setBoolean(QStringView outName, bool value);

    void resultString(const QString &value);
    void resultInteger(int value);
    void resultBoolean(bool value);
    void resultRecord(const TransferRecord *record);          // nullptr: no record
    void resultTable(const DataSet &table);
    void resultStream(const std::optional<QByteArray> &bytes);  // nullopt: no stream
    void resultJsonArray(const std::optional<QJsonArray> &array);

    // Names of the out parameters and "Result" not set yet.
    QStringList missing() const;
    // Throws std::logic_error when something is missing.
    QByteArray finish() const;

private:
    int outSlot(QStringView name, ParamKind kind) const;
    int resultSlot(ParamKind kind) const;
    void put(int slot, QByteArray json);

    const MethodInfo &m_method;
    std::vector<QByteArray> m_slots;
    std::vector<bool> m_set;
};

QByteArray errorReply(const QString &text);

void writeTable(JsonWriter &w, const DataSet &table);
void writeStream(JsonWriter &w, const QByteArray &bytes);

/*!
    A reply received for a method. The constructor parses it and checks its shape and the
    kinds of its plain values; the values are then read by their position in "result" (the
    out parameters in declared order, then the result). Tables, records, streams and arrays
    are checked as they are read.

    Every failure throws RemoteError: with the server's own text for an error reply, with a
    Turkish text naming the method for a reply that cannot be read.
*/
class ReplyReader
{
public:
    ReplyReader(const MethodInfo &method, const QByteArray &payload);
    ~ReplyReader();
    ReplyReader(const ReplyReader &) = delete;
    ReplyReader &operator=(const ReplyReader &) = delete;

    QString string(int pos) const;
    int integer(int pos) const;
    qint64 int64(int pos) const;
    double real(int pos) const;
    bool boolean(int pos) const;
    std::unique_ptr<TransferRecord> record(int pos) const;   // nullptr for null
    // Replaces the content of into with the table; into is left as it was on failure.
    void table(int pos, DataSet &into) const;
    std::optional<QByteArray> stream(int pos) const;
    std::optional<QJsonArray> jsonArray(int pos) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Wire
} // namespace Mervak
