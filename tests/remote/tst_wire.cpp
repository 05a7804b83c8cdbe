// SPDX-License-Identifier: LicenseRef-Mervak
// The method table and the wire codec without sockets: what the client writes, what the
// server accepts, and how replies (tables above all) are read back.
#include "baglantiu.h"
#include "dataset.h"
#include "remoteerror.h"
#include "servermethods.h"
#include "streamreading.h"
#include "wirecodec.h"
#include "wireframe.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QtTest>

#include <cstring>

using namespace Mervak;

namespace {

// A reply as it arrives from a socket: with spare room after it.
QByteArray received(const QByteArray &text)
{
    QByteArray padded(text.size() + Wire::PayloadPadding, '\0');
    std::memcpy(padded.data(), text.constData(), std::size_t(text.size()));
    padded.resize(text.size());
    return padded;
}

const MethodInfo &method(const char16_t *name)
{
    const MethodInfo *m = ServerMethods::find(name);
    Q_ASSERT(m);
    return *m;
}

QString signature(const MethodInfo &m)
{
    QStringList parts;
    for (const ParamInfo &p : m.params)
        parts << (p.isOut() ? QStringLiteral("out ") : QString()) + p.name + u':'
                     + (p.kind == ParamKind::Record ? p.recordClass : paramKindName(p.kind));
    return parts.join(u';') + u'|'
           + (m.result.kind == ParamKind::Record ? m.result.recordClass
                                                 : paramKindName(m.result.kind));
}

void fillAllKinds(DataSet &t)
{
    t.addField(QStringLiteral("ID"), FieldType::Integer);
    t.addField(QStringLiteral("ADI"), FieldType::String, 40);
    t.addField(QStringLiteral("BUYUK"), FieldType::LargeInt);
    t.addField(QStringLiteral("FIYAT"), FieldType::Float);
    t.addField(QStringLiteral("TUTAR"), FieldType::Currency);
    t.addField(QStringLiteral("ORAN"), FieldType::Bcd);
    t.addField(QStringLiteral("SEC"), FieldType::Boolean);
    t.addField(QStringLiteral("TARIH"), FieldType::Date);
    t.addField(QStringLiteral("SAAT"), FieldType::Time);
    t.addField(QStringLiteral("ZAMAN"), FieldType::DateTime);
    t.addField(QStringLiteral("RESIM"), FieldType::Blob);
    int r = t.appendRow();
    t.setInt(r, 0, -2147483647 - 1);
    t.setString(r, 1, QStringLiteral("Şanzıman \"ön\" \\ yağı\n\t😀 çift"));
    t.setInt(r, 2, 9007199254740993LL);   // not representable as a double
    t.setDouble(r, 3, 0.1 + 0.2);
    t.setDouble(r, 4, -1234.56);
    t.setDouble(r, 5, 1e-300);
    t.setBool(r, 6, true);
    t.setValue(r, 7, QDate(1899, 12, 29));            // before the day zero
    t.setValue(r, 8, QTime(23, 59, 59, 999));
    t.setValue(r, 9, QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    t.setBlob(r, 10, QByteArray("\x00\xff\x10 ikili", 10));
    t.appendRow();   // all nulls
    r = t.appendRow();
    t.setInt(r, 0, 2147483647);
    t.setString(r, 1, QString());                      // empty, not null
    t.setInt(r, 2, -5);
    t.setDouble(r, 3, 412.5);
    t.setDouble(r, 4, 0);
    t.setDouble(r, 5, 18);
    t.setBool(r, 6, false);
    t.setValue(r, 7, QDate(2026, 12, 11));
    t.setValue(r, 8, QTime(14, 5, 0));
    t.setValue(r, 9, QDateTime(QDate(2026, 12, 11), QTime(14, 5, 0, 120)));
    t.setBlob(r, 10, QByteArray());
}

QByteArray tableReply(const DataSet &t)
{
    Wire::ReplyWriter reply(method(u"TeslimVer"));
    reply.resultTable(t);
    return received(reply.finish());
}

} // namespace

class tst_Wire : public QObject
{
    Q_OBJECT

private slots:
    void methodTable();
    void signatures_data();
    void signatures();
    void requestText();
    void requestRefusesNonFiniteNumbers();
    void requestsAccepted();
    void requestsRefused_data();
    void requestsRefused();
    void tableRoundTrip();
    void tableIntoTargetReplacesContent();
    void decodedStringsStayIndependent();
    void repeatedValuesShareOneString();
    void outParametersInOrder();
    void errorReplyCarriesServerText();
    void brokenReplies_data();
    void brokenReplies();
    void replyWriterRefusesHandlerFaults();
    void streamReadingRule_data();
    void streamReadingRule();
};

void tst_Wire::methodTable()
{
    QVERIFY2(ServerMethods::tableErrors().isEmpty(),
             qPrintable(ServerMethods::tableErrors().join(u'\n')));
    QCOMPARE(int(ServerMethods::all().size()), 107);
    QSet<QString> names;
    for (const MethodInfo &m : ServerMethods::all()) {
        QVERIFY(!names.contains(m.name));
        names.insert(m.name);
        QCOMPARE(m.command, QStringLiteral("TServerMethods1.") + m.name);
        QCOMPARE(ServerMethods::findCommand(m.command), &m);
    }
    QVERIFY(!ServerMethods::find(u"stokaragetir"));   // names are exact
}

// A sample of the table against the catalogue, picked where order and kinds are easy to get
// wrong: out parameters between in parameters, Int64 and Integer sizes, long lists.
void tst_Wire::signatures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ResimVer5") << "ResimVer5" << "stokno:integer;out boy:int64|stream";
    QTest::newRow("BuyukResimVer") << "BuyukResimVer" << "stokno:integer;out boy:integer|string";
    QTest::newRow("BelgeIndir2")
        << "BelgeIndir2"
        << "sirano:integer;out size:int64;out adi:string;bilgi:TSonucBilgisi|stream";
    QTest::newRow("KurlariAl") << "KurlariAl" << "out usd:double;out eur:double|integer";
    QTest::newRow("SepetEkle2")
        << "SepetEkle2"
        << "bilgim:TSonucBilgisi;carino:integer;stokno:integer;barkod:string;stokadi:string;"
           "miktar:double;kdv:double;fiyat:double;ind1:double;verenid:integer;k:integer;"
           "ind2:double;ind3:double;ind4:double|integer";
    QTest::newRow("MobilStokaraGeri")
        << "MobilStokaraGeri"
        << "kod:string;bilgi:TSonucBilgisi;neresi:integer;nekadar:integer;geri:callback|integer";
    QTest::newRow("DSServerModuleCreate") << "DSServerModuleCreate" << "Sender:object|";
    QTest::newRow("SepetSecimGuncelle") << "SepetSecimGuncelle" << "sirano:integer;secim:integer|";
    QTest::newRow("AcilisEkranlarVer2") << "AcilisEkranlarVer2" << "|TAcilisEkranlariki";
    QTest::newRow("StokAraGetir") << "StokAraGetir" << "kod:string;bilgi:TSonucBilgisi|datapacket";
    QTest::newRow("CarileriVer") << "CarileriVer" << "|jsonarray";
}

void tst_Wire::signatures()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const MethodInfo *m = ServerMethods::find(name);
    QVERIFY(m);
    QCOMPARE(signature(*m).toLower(), expected.toLower());
    if (m->params.size() > 0 && m->params[0].kind == ParamKind::Record)
        QCOMPARE(m->params[0].recordType, QStringLiteral("baglantiu.TSonucBilgisi"));
}

void tst_Wire::requestText()
{
    Wire::RequestWriter echo(method(u"EchoString"));
    echo.addString(QStringLiteral("ağ \"1\""));
    QCOMPARE(echo.finish(),
             QByteArray(R"({"method":"TServerMethods1.EchoString","params":["ağ \"1\""]})"));

    // The record travels in its own position; an out parameter's place is null.
    TSonucBilgisi session;
    session.setCARINO(17);
    Wire::RequestWriter belge(method(u"BelgeIndir2"));
    belge.addInteger(5);
    belge.addNull();
    belge.addNull();
    belge.addRecord(&session);
    const QJsonArray params =
        QJsonDocument::fromJson(belge.finish()).object().value(u"params").toArray();
    QCOMPARE(params.size(), 4);
    QCOMPARE(params[0].toInt(), 5);
    QVERIFY(params[1].isNull() && params[2].isNull());
    QCOMPARE(params[3].toObject().value(u"type").toString(),
             QStringLiteral("baglantiu.TSonucBilgisi"));

    // Too few values for the method is a fault of the caller's code.
    Wire::RequestWriter shortOne(method(u"KargolarVer"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, shortOne.finish());
}

void tst_Wire::requestRefusesNonFiniteNumbers()
{
    Wire::RequestWriter w(method(u"SepetEkle2"));
    w.addNull();
    w.addInteger(1);
    w.addInteger(2);
    w.addString(QString());
    w.addString(QString());
    try {
        w.addDouble(std::numeric_limits<double>::quiet_NaN());
        QFAIL("NaN was written");
    } catch (const RemoteError &e) {
        QVERIFY(e.message().contains(u"miktar"));
    }
}

void tst_Wire::requestsAccepted()
{
    TSonucBilgisi session;
    session.setADI(QStringLiteral("bayi"));
    Wire::RequestWriter w(method(u"SiparisKaydet"));
    w.addRecord(&session);
    w.addInteger(1);
    w.addInteger(2);
    w.addInteger(3);
    w.addString(QStringLiteral("mesaj"));
    w.addInteger(4);
    w.addInteger(5);
    Wire::Request request;
    QString error;
    QCOMPARE(Wire::readRequest(received(w.finish()), &request, &error), Wire::RequestError::None);
    QCOMPARE(request.method, &method(u"SiparisKaydet"));
    QCOMPARE(std::get<QString>(request.args[4]), QStringLiteral("mesaj"));
    QCOMPARE(std::get<qint64>(request.args[6]), 5);
    auto *got = dynamic_cast<TSonucBilgisi *>(
        std::get<std::unique_ptr<TransferRecord>>(request.args[0]).get());
    QVERIFY(got);
    QCOMPARE(got->ADI(), QStringLiteral("bayi"));

    // No session record is a null that still reaches the handler; an integer passes as a
    // Double (dates are day counts).
    const QByteArray nullSession =
        R"({"method":"TServerMethods1.CariEkstreVer2","params":[1,46000,46031.5]})";
    QCOMPARE(Wire::readRequest(received(nullSession), &request, &error), Wire::RequestError::None);
    QCOMPARE(std::get<double>(request.args[1]), 46000.0);
}

void tst_Wire::requestsRefused_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("error");
    const int frame = int(Wire::RequestError::Frame);
    const int call = int(Wire::RequestError::Call);
    QTest::newRow("not UTF-8") << QByteArray("{\"method\":\"\xff\"}") << frame << "UTF-8 değil";
    QTest::newRow("not JSON") << QByteArray("merhaba") << frame << "JSON okunamadı";
    QTest::newRow("array") << QByteArray("[1,2]") << frame << "JSON nesnesi bekleniyordu";
    QTest::newRow("no method") << QByteArray(R"({"params":[]})") << frame << "\"method\" metni yok";
    QTest::newRow("method not text") << QByteArray(R"({"method":5,"params":[]})") << frame
                                     << "\"method\" metni yok";
    QTest::newRow("unknown") << QByteArray(R"({"method":"TServerMethods1.Yok","params":[]})")
                             << call << "Bilinmeyen yöntem: TServerMethods1.Yok";
    QTest::newRow("without class") << QByteArray(R"({"method":"EchoString","params":["a"]})")
                                   << call << "Bilinmeyen yöntem: EchoString";
    QTest::newRow("no params") << QByteArray(R"({"method":"TServerMethods1.EchoString"})") << call
                               << "TServerMethods1.EchoString: \"params\" dizisi yok";
    QTest::newRow("too many")
        << QByteArray(R"({"method":"TServerMethods1.EchoString","params":["a","b"]})") << call
        << "TServerMethods1.EchoString: 1 parametre bekleniyordu, 2 geldi";
    QTest::newRow("number for string")
        << QByteArray(R"({"method":"TServerMethods1.EchoString","params":[5]})") << call
        << "TServerMethods1.EchoString: \"Value\" parametresi (0. sıra) metin olmalı";
    QTest::newRow("null for string")
        << QByteArray(R"({"method":"TServerMethods1.EchoString","params":[null]})") << call
        << "\"Value\" parametresi (0. sıra) metin olmalı";
    QTest::newRow("integer too big")
        << QByteArray(R"({"method":"TServerMethods1.ResimVer5","params":[2147483648,null]})")
        << call << "\"stokno\" parametresi (0. sıra) tamsayı olmalı";
    QTest::newRow("fraction for integer")
        << QByteArray(R"({"method":"TServerMethods1.ResimVer5","params":[1.5,null]})") << call
        << "\"stokno\" parametresi (0. sıra) tamsayı olmalı";
    QTest::newRow("value for out")
        << QByteArray(R"({"method":"TServerMethods1.ResimVer5","params":[1,0]})") << call
        << "\"boy\" parametresi (1. sıra) null olmalı";
    QTest::newRow("text for double")
        << QByteArray(R"({"method":"TServerMethods1.CariEkstreVer2","params":[1,"x",2]})") << call
        << "\"TARIH1\" parametresi (1. sıra) sayı olmalı";
    QTest::newRow("text for boolean")
        << QByteArray(R"({"method":"TServerMethods1.StokAraGetirQRV","params":)"
                      R"(["a","","","","true",false,false,false,null]})")
        << call << "\"_kampanya\" parametresi (4. sıra) true ya da false olmalı";
    QTest::newRow("text for record")
        << QByteArray(R"({"method":"TServerMethods1.CikisGonder","params":["oturum"]})") << call
        << "\"bilgi\" parametresi (0. sıra) baglantiu.TSonucBilgisi kaydı ya da null olmalı";
    QTest::newRow("other record class")
        << QByteArray(R"({"method":"TServerMethods1.CikisGonder","params":)"
                      R"([{"type":"baglantiu.TTusSonuclari","id":1,"fields":{}}]})")
        << call << "\"bilgi\" parametresi (0. sıra):";
    QTest::newRow("callback")
        << QByteArray(R"({"method":"TServerMethods1.MobilStokaraGeri","params":)"
                      R"(["a",null,1,2,null]})")
        << call << "\"geri\" geri çağırma parametresi bu sunucuda desteklenmiyor";
    QTest::newRow("object not null")
        << QByteArray(R"({"method":"TServerMethods1.DSServerModuleCreate","params":[{}]})")
        << call << "\"Sender\" parametresi (0. sıra) null olmalı";
}

void tst_Wire::requestsRefused()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, kind);
    QFETCH(QString, error);
    Wire::Request request;
    QString text;
    QCOMPARE(int(Wire::readRequest(received(payload), &request, &text)), kind);
    QVERIFY2(text.contains(error), qPrintable(text));
}

void tst_Wire::tableRoundTrip()
{
    DataSet sent;
    fillAllKinds(sent);
    Wire::ReplyReader reader(method(u"TeslimVer"), tableReply(sent));
    DataSet got;
    reader.table(0, got);

    QCOMPARE(got.fieldCount(), sent.fieldCount());
    QCOMPARE(got.rowCount(), sent.rowCount());
    QVERIFY(got.isOpen());
    for (int c = 0; c < sent.fieldCount(); ++c) {
        QCOMPARE(got.field(c).name, sent.field(c).name);
        QCOMPARE(got.field(c).type, sent.field(c).type);
        QCOMPARE(got.field(c).size, sent.field(c).size);
        for (int r = 0; r < sent.rowCount(); ++r) {
            QCOMPARE(got.isNull(r, c), sent.isNull(r, c));
            QCOMPARE(got.value(r, c), sent.value(r, c));
        }
    }
    QCOMPARE(got.intAt(0, 2), 9007199254740993LL);
    QCOMPARE(got.doubleAt(0, 3), 0.1 + 0.2);
    QCOMPARE(got.stringAt(0, 1), QStringLiteral("Şanzıman \"ön\" \\ yağı\n\t😀 çift"));
    QVERIFY(!got.isNull(2, 1));
    QVERIFY(got.stringAt(2, 1).isEmpty());
}

void tst_Wire::tableIntoTargetReplacesContent()
{
    DataSet target;
    target.addField(QStringLiteral("ESKI"), FieldType::String);
    target.appendRow();
    QSignalSpy resets(&target, &DataSet::reset);

    DataSet sent;
    fillAllKinds(sent);
    Wire::ReplyReader reader(method(u"TeslimVer"), tableReply(sent));
    reader.table(0, target);
    QCOMPARE(target.fieldIndex(QStringLiteral("ESKI")), -1);
    QCOMPARE(target.rowCount(), 3);
    QVERIFY(!resets.isEmpty());
}

// The strings of a loaded column share storage; each must still behave as a value of its own.
void tst_Wire::decodedStringsStayIndependent()
{
    DataSet sent;
    sent.addField(QStringLiteral("KOD"), FieldType::String);
    for (int i = 0; i < 2000; ++i)
        sent.setString(sent.appendRow(), 0, QStringLiteral("PARCA-%1-ÖZEL").arg(i));
    QString kept;
    {
        auto got = std::make_unique<DataSet>();
        Wire::ReplyReader(method(u"TeslimVer"), tableReply(sent)).table(0, *got);
        kept = got->stringAt(7, 0);
        QString changed = got->stringAt(8, 0);
        changed += QStringLiteral("-EK");
        changed[0] = u'X';
        QCOMPARE(got->stringAt(8, 0), QStringLiteral("PARCA-8-ÖZEL"));
        QCOMPARE(got->stringAt(9, 0), QStringLiteral("PARCA-9-ÖZEL"));
        QCOMPARE(changed, QStringLiteral("XARCA-8-ÖZEL-EK"));
        // Terminated as QString promises.
        const ushort *utf16 = got->stringAt(10, 0).utf16();
        QCOMPARE(utf16[QStringLiteral("PARCA-10-ÖZEL").size()], ushort(0));
        got->setString(11, 0, QStringLiteral("yeni"));
        QCOMPARE(got->stringAt(12, 0), QStringLiteral("PARCA-12-ÖZEL"));
    }
    // The data set is gone; the copy lives on.
    QCOMPARE(kept, QStringLiteral("PARCA-7-ÖZEL"));
    kept.append(u'!');
    QCOMPARE(kept, QStringLiteral("PARCA-7-ÖZEL!"));
}

void tst_Wire::repeatedValuesShareOneString()
{
    DataSet sent;
    sent.addField(QStringLiteral("BIRIM"), FieldType::String);
    for (int i = 0; i < 100; ++i)
        sent.setString(sent.appendRow(), 0, i % 2 ? QStringLiteral("ADET") : QStringLiteral("KOLİ"));
    DataSet got;
    Wire::ReplyReader(method(u"TeslimVer"), tableReply(sent)).table(0, got);
    QCOMPARE(got.stringAt(1, 0).constData(), got.stringAt(99, 0).constData());
    QCOMPARE(got.stringAt(98, 0), QStringLiteral("KOLİ"));
}

void tst_Wire::outParametersInOrder()
{
    const MethodInfo &m = method(u"BelgeIndir");
    Wire::ReplyWriter reply(m);
    reply.resultStream(QByteArray("PDF"));
    reply.setString(u"adi", QStringLiteral("fatura.pdf"));
    reply.setInt64(u"size", 3);
    const QByteArray text = reply.finish();
    QCOMPARE(text, QByteArray(R"({"result":[3,"fatura.pdf",{"stream":"UERG"}]})"));
    Wire::ReplyReader reader(m, received(text));
    QCOMPARE(reader.int64(0), 3);
    QCOMPARE(reader.string(1), QStringLiteral("fatura.pdf"));
    QCOMPARE(reader.stream(2).value(), QByteArray("PDF"));

    Wire::ReplyWriter none(method(u"SepetSecimGuncelle"));
    QCOMPARE(none.finish(), QByteArray(R"({"result":[]})"));
}

void tst_Wire::errorReplyCarriesServerText()
{
    const QString text = QStringLiteral("Sepet bulunamadı \"3\"");
    try {
        Wire::ReplyReader(method(u"SepetVer2"), received(Wire::errorReply(text)));
        QFAIL("no exception");
    } catch (const TransportError &) {
        QFAIL("a server error is not a transport failure");
    } catch (const RemoteError &e) {
        QCOMPARE(e.message(), text);
    }
}

void tst_Wire::brokenReplies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("error");
    const QByteArray columns = R"("columns":[{"name":"A","type":"integer"},)"
                               R"({"name":"B","type":"date"}])";
    auto table = [&](const QByteArray &rows) {
        return QByteArray(R"({"result":[{)") + columns + R"(,"rows":)" + rows + "}]}";
    };
    QTest::newRow("not JSON") << "TeslimVer" << QByteArray("{\"result\":[") << "JSON okunamadı";
    QTest::newRow("not UTF-8") << "EchoString" << QByteArray("{\"result\":[\"\xc3\"]}")
                               << "UTF-8 değil";
    QTest::newRow("array") << "EchoString" << QByteArray("[\"a\"]") << "JSON nesnesi";
    QTest::newRow("neither") << "EchoString" << QByteArray("{}") << "\"result\" dizisi yok";
    QTest::newRow("error not text") << "EchoString" << QByteArray(R"({"error":5})")
                                    << "\"error\" metin değil";
    QTest::newRow("too few") << "KurlariAl" << QByteArray(R"({"result":[1.5,1]})")
                             << "3 değer bekleniyordu, 2 geldi";
    QTest::newRow("string for integer") << "AcilisReklamAdet" << QByteArray(R"({"result":["3"]})")
                                        << "Result değeri tamsayı olmalı";
    QTest::newRow("size not integer") << "ResimVer5" << QByteArray(R"({"result":[1.5,null]})")
                                      << "boy değeri 64 bitlik tamsayı olmalı";
    QTest::newRow("stream not base64")
        << "ResimVer5" << QByteArray(R"({"result":[3,{"stream":"%%%"}]})") << "base64";
    QTest::newRow("record of other class")
        << "BuyukGetir"
        << QByteArray(R"({"result":[{"type":"baglantiu.TTusSonuclari","id":1,"fields":{}}]})")
        << "TTusSonuclari";
    QTest::newRow("table without rows")
        << "TeslimVer" << QByteArray(R"({"result":[{)") + columns + "}]}" << "\"rows\" dizisi yok";
    QTest::newRow("unknown column type")
        << "TeslimVer"
        << QByteArray(R"({"result":[{"columns":[{"name":"A","type":"para"}],"rows":[]}]})")
        << "türü geçersiz";
    QTest::newRow("column twice")
        << "TeslimVer"
        << QByteArray(R"({"result":[{"columns":[{"name":"A","type":"integer"},)"
                      R"({"name":"a","type":"string"}],"rows":[]}]})")
        << "iki kez";
    QTest::newRow("short row") << "TeslimVer" << table(R"([[1,"2026-01-01"],[2]])")
                               << "1. satırda 2 değer bekleniyordu";
    QTest::newRow("long row") << "TeslimVer" << table(R"([[1,"2026-01-01",3]])")
                              << "0. satırda 2 değer bekleniyordu";
    QTest::newRow("bad date") << "TeslimVer" << table(R"([[1,"2026-02-30"]])")
                              << "0. satırın B değeri date olmalı";
    QTest::newRow("float in integer column") << "TeslimVer" << table(R"([[1.5,null]])")
                                             << "A değeri integer olmalı";
    QTest::newRow("late bad row") << "TeslimVer"
                                  << table(R"([[1,null],[2,null],[3,null],[4,"dün"]])")
                                  << "3. satırın B değeri";
}

// A reply that cannot be read is a transport failure naming the method; a table target
// stays as it was.
void tst_Wire::brokenReplies()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, reply);
    QFETCH(QString, error);
    const MethodInfo *m = ServerMethods::find(name);
    QVERIFY(m);
    DataSet target;
    target.addField(QStringLiteral("ESKI"), FieldType::Integer);
    target.setInt(target.appendRow(), 0, 7);
    try {
        Wire::ReplyReader reader(*m, received(reply));
        if (isTableKind(m->result.kind))
            reader.table(m->outCount, target);
        QFAIL("no exception");
    } catch (const TransportError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Sunucudan gelen yanıt okunamadı (")
                                        + m->command + u')'),
                 qPrintable(e.message()));
        QVERIFY2(e.message().contains(error), qPrintable(e.message()));
    }
    QCOMPARE(target.fieldCount(), 1);
    QCOMPARE(target.intAt(0, 0), 7);
}

void tst_Wire::replyWriterRefusesHandlerFaults()
{
    Wire::ReplyWriter reply(method(u"KurlariAl"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, reply.setInteger(u"usd", 1));   // wrong kind
    QVERIFY_THROWS_EXCEPTION(std::logic_error, reply.setDouble(u"try", 1));    // no such name
    QVERIFY_THROWS_EXCEPTION(std::logic_error, reply.resultString(QString())); // wrong result
    reply.setDouble(u"usd", 1);
    QCOMPARE(reply.missing(), QStringList({QStringLiteral("eur"), QStringLiteral("Result")}));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, reply.finish());

    TTusSonuclari other;
    Wire::ReplyWriter record(method(u"BuyukGetir"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, record.resultRecord(&other));
}

void tst_Wire::streamReadingRule_data()
{
    QTest::addColumn<int>("sent");
    QTest::addColumn<qint64>("announced");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("nothing announced") << 500 << qint64(0) << false;
    QTest::newRow("exact") << 3000 << qint64(3000) << true;
    QTest::newRow("exact blocks") << 2048 << qint64(2048) << true;
    QTest::newRow("one byte") << 1 << qint64(1) << true;
    QTest::newRow("short") << 1000 << qint64(1100) << false;
    QTest::newRow("long") << 5000 << qint64(4096) << false;
    QTest::newRow("no stream") << -1 << qint64(10) << false;
}

void tst_Wire::streamReadingRule()
{
    QFETCH(int, sent);
    QFETCH(qint64, announced);
    QFETCH(bool, accepted);
    QByteArray bytes(std::max(sent, 0), 'j');
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(buffer.size());   // wherever a caller left it: read from the start
    const std::optional<QByteArray> got = readAnnouncedStream(sent < 0 ? nullptr : &buffer,
                                                              announced);
    QCOMPARE(got.has_value(), accepted);
    if (accepted)
        QCOMPARE(*got, bytes);
}

QTEST_GUILESS_MAIN(tst_Wire)
#include "tst_wire.moc"
