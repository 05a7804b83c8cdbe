// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace Mervak {

// How a parameter or a result travels. Tables come in two declared forms (a whole data
// packet or a forward reader); both travel the same way and land in a DataSet.
enum class ParamKind {
    None,        // "no result"
    String,
    Integer,     // 32-bit signed
    Int64,
    Double,
    Boolean,
    Record,      // a transfer record, or null
    Callback,    // only MobilStokaraGeri; not carried by our transport
    Object,      // an opaque object argument (DSServerModuleCreate's Sender); always null
    DataPacket,
    Reader,
    Stream,
    JsonArray
};

enum class ParamDirection { In, Out };

QString paramKindName(ParamKind kind);          // "string", "integer", ... as in the table
bool isTableKind(ParamKind kind);               // DataPacket or Reader

struct ParamInfo
{
    QString name;
    ParamKind kind = ParamKind::None;
    ParamDirection direction = ParamDirection::In;
    QString recordClass;     // "TSonucBilgisi" for Record, else empty
    QString recordType;      // "baglantiu.TSonucBilgisi" for Record, else empty

    bool isOut() const { return direction == ParamDirection::Out; }
};

struct MethodInfo
{
    int index = -1;                   // position in ServerMethods::all()
    QString name;                     // "SepetEkle2"
    QString command;                  // "TServerMethods1.SepetEkle2"
    std::vector<ParamInfo> params;    // declared order
    ParamInfo result;                 // kind None when the method has no result
    int outCount = 0;

    bool hasResult() const { return result.kind != ParamKind::None; }
    // Elements of a reply's "result" array: the out parameters, then the result.
    int replySize() const { return outCount + (hasResult() ? 1 : 0); }
    int paramIndex(QStringView paramName) const;   // -1 when absent
};

/*!
    The one table of the server methods of TServerMethods1: names, parameters in their
    declared order with kinds and directions, and results. The client's typed operations
    are generated from it at build time and the server dispatches through it, so client and
    server cannot drift apart.
*/
class ServerMethods
{
public:
    static constexpr int MethodCount = 107;
    static inline const QString ClassName = QStringLiteral("TServerMethods1");

    static const std::vector<MethodInfo> &all();
    static const MethodInfo &at(int index) { return all()[std::size_t(index)]; }
    static const MethodInfo *find(QStringView name);          // "EchoString"
    static const MethodInfo *findCommand(QStringView command); // "TServerMethods1.EchoString"

    // "baglantiu.TSonucBilgisi" for "TSonucBilgisi"; empty for an unknown class.
    static QString recordTypeOf(QStringView recordClass);

    // Errors found while reading the table text; empty when the table is sound.
    static const QStringList &tableErrors();
};

} // namespace Mervak
