// SPDX-License-Identifier: LicenseRef-Mervak
#include "tservermethods1client.h"

#include "remoteerror.h"
#include "serverconnection.h"

#include <QBuffer>

#include <algorithm>

namespace Mervak {

TServerMethods1Client::TServerMethods1Client(ServerConnection *connection)
    : TServerMethods1Client(connection, true)
{}

TServerMethods1Client::TServerMethods1Client(ServerConnection *connection, bool instanceOwner)
    : m_connection(connection)
    , m_instanceOwner(instanceOwner)
    , m_results(ServerMethods::all().size())
{
    if (!connection || !connection->isOpen())
        throw RemoteError(QStringLiteral(
            "Connection cannot be nil.  Make sure the connection has been opened."));
}

TServerMethods1Client::~TServerMethods1Client() = default;

bool TServerMethods1Client::hasConsumed(const TransferRecord *record) const
{
    return std::find(m_consumed.begin(), m_consumed.end(), record) != m_consumed.end();
}

void TServerMethods1Client::beginCall(const MethodInfo &method)
{
    // The previous call's objects go when the same method runs again.
    m_results[std::size_t(method.index)] = Results();
}

std::unique_ptr<Wire::ReplyReader> TServerMethods1Client::execute(const MethodInfo &method,
                                                                  const QByteArray &request)
{
    const QByteArray reply = m_connection->exchange(method, request);
    try {
        return std::make_unique<Wire::ReplyReader>(method, reply);
    } catch (const TransportError &) {
        // A reply we cannot read leaves the connection in an unknown state.
        m_connection->close();
        throw;
    }
}

TransferRecord *TServerMethods1Client::keepRecord(const MethodInfo &method,
                                                  Wire::ReplyReader &reply, int pos)
{
    std::unique_ptr<TransferRecord> record = reply.record(pos);
    TransferRecord *raw = record.get();
    if (m_instanceOwner)
        m_results[std::size_t(method.index)].record = std::move(record);
    else
        record.release();
    return raw;
}

DataSet *TServerMethods1Client::keepTable(const MethodInfo &method, Wire::ReplyReader &reply,
                                          int pos, DataSet *into)
{
    if (into) {
        reply.table(pos, *into);
        return into;
    }
    auto table = std::make_unique<DataSet>();
    reply.table(pos, *table);
    DataSet *raw = table.get();
    if (m_instanceOwner)
        m_results[std::size_t(method.index)].table = std::move(table);
    else
        table.release();
    return raw;
}

QIODevice *TServerMethods1Client::keepStream(const MethodInfo &method, Wire::ReplyReader &reply,
                                             int pos)
{
    std::optional<QByteArray> bytes = reply.stream(pos);
    if (!bytes)
        return nullptr;
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(*bytes);
    buffer->open(QIODevice::ReadOnly);
    QIODevice *raw = buffer.get();
    if (m_instanceOwner)
        m_results[std::size_t(method.index)].stream = std::move(buffer);
    else
        buffer.release();
    return raw;
}

QJsonArray *TServerMethods1Client::keepJsonArray(const MethodInfo &method,
                                                 Wire::ReplyReader &reply, int pos)
{
    std::optional<QJsonArray> array = reply.jsonArray(pos);
    if (!array)
        return nullptr;
    auto kept = std::make_unique<QJsonArray>(std::move(*array));
    QJsonArray *raw = kept.get();
    if (m_instanceOwner)
        m_results[std::size_t(method.index)].array = std::move(kept);
    else
        kept.release();
    return raw;
}

} // namespace Mervak
