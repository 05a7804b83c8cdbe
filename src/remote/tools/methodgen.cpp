// SPDX-License-Identifier: LicenseRef-Mervak
// Writes the typed operations of TServerMethods1Client from the server-method table, so that
// the client has one operation per server method and cannot drift from the table the server
// dispatches through. Run by the build: methodgen <declarations.inc> <definitions.cpp>
#include "servermethods.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

using namespace Mervak;

namespace {

QString inType(const ParamInfo &p)
{
    switch (p.kind) {
    case ParamKind::String: return QStringLiteral("const QString &");
    case ParamKind::Integer: return QStringLiteral("int ");
    case ParamKind::Int64: return QStringLiteral("qint64 ");
    case ParamKind::Double: return QStringLiteral("double ");
    case ParamKind::Boolean: return QStringLiteral("bool ");
    case ParamKind::Record: return p.recordClass + QStringLiteral(" *");
    case ParamKind::Callback: return QStringLiteral("RemoteCallback *");
    case ParamKind::Object: return QStringLiteral("QObject *");
    default: return {};
    }
}

QString outType(const ParamInfo &p)
{
    switch (p.kind) {
    case ParamKind::String: return QStringLiteral("QString &");
    case ParamKind::Integer: return QStringLiteral("int &");
    case ParamKind::Int64: return QStringLiteral("qint64 &");
    case ParamKind::Double: return QStringLiteral("double &");
    case ParamKind::Boolean: return QStringLiteral("bool &");
    default: return {};
    }
}

QString resultType(const ParamInfo &r)
{
    switch (r.kind) {
    case ParamKind::None: return QStringLiteral("void");
    case ParamKind::String: return QStringLiteral("QString");
    case ParamKind::Integer: return QStringLiteral("int");
    case ParamKind::Boolean: return QStringLiteral("bool");
    case ParamKind::Record: return r.recordClass + QStringLiteral(" *");
    case ParamKind::DataPacket:
    case ParamKind::Reader: return QStringLiteral("DataSet *");
    case ParamKind::Stream: return QStringLiteral("QIODevice *");
    case ParamKind::JsonArray: return QStringLiteral("QJsonArray *");
    default: return {};
    }
}

// "DataSet *" + "Name" without a space after a pointer or reference.
QString join(const QString &type, const QString &name)
{
    return type.endsWith(u'*') || type.endsWith(u'&') || type.endsWith(u' ')
               ? type + name
               : type + u' ' + name;
}

QString parameterList(const MethodInfo &m, bool withDefaults)
{
    QStringList parts;
    for (const ParamInfo &p : m.params)
        parts << join(p.isOut() ? outType(p) : inType(p), p.name);
    if (isTableKind(m.result.kind))
        parts << (withDefaults ? QStringLiteral("DataSet *into = nullptr")
                               : QStringLiteral("DataSet *into"));
    return parts.join(QStringLiteral(", "));
}

QString kindComment(const MethodInfo &m)
{
    QStringList parts;
    for (const ParamInfo &p : m.params) {
        QString kind = p.kind == ParamKind::Record ? p.recordClass : paramKindName(p.kind);
        parts << (p.isOut() ? QStringLiteral("out ") : QString()) + p.name + u':' + u' ' + kind;
    }
    QString result = m.result.kind == ParamKind::Record ? m.result.recordClass
                                                        : paramKindName(m.result.kind);
    return QStringLiteral("// %1(%2)%3")
        .arg(m.name, parts.join(QStringLiteral("; ")),
             result.isEmpty() ? QString() : QStringLiteral(": ") + result);
}

QString definition(const MethodInfo &m)
{
    QString out;
    QTextStream s(&out);
    const QString ret = resultType(m.result);
    s << kindComment(m) << "\n";
    s << join(ret, QStringLiteral("TServerMethods1Client::")) << m.name << "("
      << parameterList(m, false) << ")\n{\n";
    s << "    const MethodInfo &method = ServerMethods::at(" << m.index << ");\n";
    // Record arguments belong to the client from here on when it owns its instances.
    for (const ParamInfo &p : m.params) {
        if (!p.isOut() && p.kind == ParamKind::Record)
            s << "    RecordArgument " << p.name << "Owned(*this, " << p.name << ");\n";
    }
    s << "    beginCall(method);\n";
    s << "    Wire::RequestWriter request(method);\n";
    for (const ParamInfo &p : m.params) {
        if (p.isOut()) {
            s << "    request.addNull();\n";
            continue;
        }
        switch (p.kind) {
        case ParamKind::String: s << "    request.addString(" << p.name << ");\n"; break;
        case ParamKind::Integer: s << "    request.addInteger(" << p.name << ");\n"; break;
        case ParamKind::Int64: s << "    request.addInt64(" << p.name << ");\n"; break;
        case ParamKind::Double: s << "    request.addDouble(" << p.name << ");\n"; break;
        case ParamKind::Boolean: s << "    request.addBoolean(" << p.name << ");\n"; break;
        case ParamKind::Record:
            s << "    request.addRecord(" << p.name << ");\n";
            s << "    " << p.name << "Owned.converted();\n";
            break;
        case ParamKind::Callback:
        case ParamKind::Object:
            s << "    Q_UNUSED(" << p.name << ")\n";
            s << "    request.addNull();\n";
            break;
        default: break;
        }
    }
    s << "    const auto reply = execute(method, request.finish());\n";
    const int resultPos = m.outCount;
    switch (m.result.kind) {
    case ParamKind::None: break;
    case ParamKind::String:
        s << "    const QString result = reply->string(" << resultPos << ");\n";
        break;
    case ParamKind::Integer:
        s << "    const int result = reply->integer(" << resultPos << ");\n";
        break;
    case ParamKind::Boolean:
        s << "    const bool result = reply->boolean(" << resultPos << ");\n";
        break;
    case ParamKind::Record:
        s << "    auto *result = static_cast<" << m.result.recordClass << " *>(keepRecord(method, *reply, "
          << resultPos << "));\n";
        break;
    case ParamKind::DataPacket:
    case ParamKind::Reader:
        s << "    DataSet *result = keepTable(method, *reply, " << resultPos << ", into);\n";
        break;
    case ParamKind::Stream:
        s << "    QIODevice *result = keepStream(method, *reply, " << resultPos << ");\n";
        break;
    case ParamKind::JsonArray:
        s << "    QJsonArray *result = keepJsonArray(method, *reply, " << resultPos << ");\n";
        break;
    default: break;
    }
    int pos = 0;
    for (const ParamInfo &p : m.params) {
        if (!p.isOut())
            continue;
        const char *reader = "";
        switch (p.kind) {
        case ParamKind::String: reader = "string"; break;
        case ParamKind::Integer: reader = "integer"; break;
        case ParamKind::Int64: reader = "int64"; break;
        case ParamKind::Double: reader = "real"; break;
        case ParamKind::Boolean: reader = "boolean"; break;
        default: break;
        }
        s << "    " << p.name << " = reply->" << reader << "(" << pos++ << ");\n";
    }
    if (m.result.kind != ParamKind::None)
        s << "    return result;\n";
    s << "}\n";
    return out;
}

bool write(const QString &path, const QString &text)
{
    // Unchanged output keeps its time stamp, so nothing is rebuilt for nothing.
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == text.toUtf8())
        return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: methodgen <declarations.inc> <definitions.cpp>\n");
        return 2;
    }
    if (!ServerMethods::tableErrors().isEmpty()) {
        for (const QString &e : ServerMethods::tableErrors())
            std::fprintf(stderr, "server-method table: %s\n", qPrintable(e));
        return 1;
    }
    const QString header = QStringLiteral(
        "// Generated by methodgen from the server-method table; do not edit.\n");

    QString declarations = header;
    for (const MethodInfo &m : ServerMethods::all()) {
        declarations += kindComment(m) + u'\n';
        declarations += join(resultType(m.result), m.name) + u'(' + parameterList(m, true)
                        + QStringLiteral(");\n");
    }

    QString definitions = header;
    definitions += QStringLiteral("#include \"tservermethods1client.h\"\n\n"
                                  "namespace Mervak {\n\n");
    for (const MethodInfo &m : ServerMethods::all())
        definitions += definition(m) + u'\n';
    definitions += QStringLiteral("} // namespace Mervak\n");

    if (!write(QString::fromLocal8Bit(argv[1]), declarations)
        || !write(QString::fromLocal8Bit(argv[2]), definitions)) {
        std::fprintf(stderr, "methodgen: cannot write the output\n");
        return 1;
    }
    return 0;
}
