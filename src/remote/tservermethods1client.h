// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "dataset.h"
#include "mobilstokunit.h"
#include "servermethods.h"
#include "wirecodec.h"

#include <QIODevice>
#include <QJsonArray>
#include <QString>

#include <memory>
#include <vector>

class QObject;

namespace Mervak {

class ServerConnection;

// The callback argument of MobilStokaraGeri. Our transport does not carry callbacks: the
// argument travels as null and the server refuses the call.
class RemoteCallback;

/*!
    The server methods of TServerMethods1 as ordinary operations, one per method, named,
    ordered and typed as the methods (the declarations are generated from the server-method
    table). Each call is one request and its reply on the client's open connection.

    Ownership, when the client owns its instances (the one-argument constructor):
    - record arguments are the client's from the call on and are freed right after they
      were written, also when the call fails: pass a copy, never the session itself;
    - object results (records, tables without a target, streams, JSON arrays) stay the
      client's until the same method is called again through it or it is destroyed;
      copy what must live longer.
    Without ownership, arguments are left alone and object results are the caller's.

    A table result is loaded into a data set: the caller's `into` (its content replaced, the
    caller keeps it) or else one the client keeps as above. Every failure throws RemoteError:
    the server's text, or the client's Turkish text for a transport failure.
*/
class TServerMethods1Client
{
public:
    // Refuses a connection that is null or not open.
    explicit TServerMethods1Client(ServerConnection *connection);
    TServerMethods1Client(ServerConnection *connection, bool instanceOwner);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client &) = delete;
    TServerMethods1Client &operator=(const TServerMethods1Client &) = delete;

    bool instanceOwner() const { return m_instanceOwner; }
    // Whether a record argument given to this client was freed by it (the address is only
    // compared, never used), so that a caller knows whether its copy still needs freeing.
    bool hasConsumed(const TransferRecord *record) const;

#include "tservermethods1client_methods.inc"

private:
    // Frees a record argument on every path when the client owns its instances.
    class RecordArgument
    {
    public:
        RecordArgument(TServerMethods1Client &client, TransferRecord *record)
            : m_client(client)
            , m_record(client.m_instanceOwner ? record : nullptr)
        {}
        ~RecordArgument() { converted(); }
        RecordArgument(const RecordArgument &) = delete;
        RecordArgument &operator=(const RecordArgument &) = delete;
        void converted()
        {
            if (!m_record)
                return;
            m_client.m_consumed.push_back(m_record);
            delete m_record;
            m_record = nullptr;
        }

    private:
        TServerMethods1Client &m_client;
        TransferRecord *m_record;
    };

    // The objects the last call of a method left with the client.
    struct Results
    {
        std::unique_ptr<TransferRecord> record;
        std::unique_ptr<DataSet> table;
        std::unique_ptr<QIODevice> stream;
        std::unique_ptr<QJsonArray> array;
    };

    void beginCall(const MethodInfo &method);
    std::unique_ptr<Wire::ReplyReader> execute(const MethodInfo &method,
                                               const QByteArray &request);
    TransferRecord *keepRecord(const MethodInfo &method, Wire::ReplyReader &reply, int pos);
    DataSet *keepTable(const MethodInfo &method, Wire::ReplyReader &reply, int pos,
                       DataSet *into);
    QIODevice *keepStream(const MethodInfo &method, Wire::ReplyReader &reply, int pos);
    QJsonArray *keepJsonArray(const MethodInfo &method, Wire::ReplyReader &reply, int pos);

    ServerConnection *m_connection;
    bool m_instanceOwner;
    std::vector<Results> m_results;   // by MethodInfo::index
    std::vector<const void *> m_consumed;
};

} // namespace Mervak
