// SPDX-License-Identifier: LicenseRef-Mervak
#include "baglantiu.h"
#include "mobilstokunit.h"
#include "transferrecord.h"

#include <QJsonDocument>
#include <QTest>

using namespace Mervak;

namespace {

// Fills every field through the class's own table with a value unlike its default, so a
// field that is dropped or misread on the way shows up as a difference.
template <typename T>
void fillRecord(T &record, int seed);

void fillValue(QString &v, int i)
{
    v = QStringLiteral("Değer \"%1\"\nğüşıöç ĞÜŞİÖÇ \\ /").arg(i);
}
void fillValue(int &v, int i) { v = (i % 2) ? -i * 1000003 : i; }
void fillValue(double &v, int i) { v = i + 0.1 + 0.2; }   // not a short decimal
void fillValue(bool &v, int) { v = !v; }

template <typename E>
void fillValue(QList<E> &list, int i)
{
    E first;
    E second;
    fillRecord(first, i * 100);
    fillRecord(second, i * 100 + 50);
    list = {first, second};
}

template <typename T>
void fillRecord(T &record, int seed)
{
    int i = seed;
    for (const auto &f : T::fields()) {
        ++i;
        std::visit([&](auto m) { fillValue(record.*m, i); }, f.member);
    }
}

template <typename T>
std::unique_ptr<TransferRecord> filled(int seed)
{
    auto record = std::make_unique<T>();
    fillRecord(*record, seed);
    return record;
}

struct RecordClass
{
    const char *typeName;
    std::unique_ptr<TransferRecord> (*filled)(int seed);
};

const RecordClass AllClasses[] = {
    {"baglantiu.TSonucBilgisi", &filled<TSonucBilgisi>},
    {"baglantiu.TSiparisDipAyrinti", &filled<TSiparisDipAyrinti>},
    {"baglantiu.TTusSonuclari", &filled<TTusSonuclari>},
    {"mobilstokunit.TMobilStok", &filled<TMobilStok>},
    {"mobilstokunit.TMobilStoklar", &filled<TMobilStoklar>},
    {"mobilstokunit.TMobilSepet", &filled<TMobilSepet>},
    {"mobilstokunit.TMobilSepetler", &filled<TMobilSepetler>},
    {"mobilstokunit.TMobilCariBilgisi", &filled<TMobilCariBilgisi>},
    {"mobilstokunit.TAcilisEkran", &filled<TAcilisEkran>},
    {"mobilstokunit.TAcilisEkranlar", &filled<TAcilisEkranlar>},
    {"mobilstokunit.TAcilisEkranlariki", &filled<TAcilisEkranlariki>},
};

QJsonValue parse(const QByteArray &json)
{
    // Wrapped in an array so that any JSON value, null included, can be parsed.
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson("[" + json + "]", &err);
    if (err.error != QJsonParseError::NoError)
        qWarning() << "bad JSON in test:" << err.errorString() << json;
    return doc.array().at(0);
}

template <typename T>
void checkKopyala()
{
    T source;
    fillRecord(source, 7);
    T copy;
    copy.Kopyala(source);
    QVERIFY(copy == source);

    // The copy does not follow later changes of the source.
    T other;
    fillRecord(other, 90);
    source.Kopyala(other);
    QVERIFY(source == other);
    QVERIFY(!(copy == source));
    T expected;
    fillRecord(expected, 7);
    QVERIFY(copy == expected);
}

} // namespace

class tst_Records : public QObject
{
    Q_OBJECT

private slots:
    void freshSessionRecordText();
    void freshStockRecordDefaults();
    void roundTrip_data();
    void roundTrip();
    void screensHolderNumbersElements();
    void writeRecordStartsEachValueAtOne();
    void refReading();
    void refusals_data();
    void refusals();
    void integerLimitsAccepted();
    void missingAndReorderedFields();
    void typedReading();
    void kopyala();
};

// The server reads this text; it is written here by hand from the field table, in field
// order, with the constructor defaults (MusteriTipi and Version 1, not 0).
void tst_Records::freshSessionRecordText()
{
    const QByteArray expected =
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{)"
        R"("FBILGISAYARID":"","FSaticiMail":"","FSirano":0,"FCariAdi":"","FSIFRE":"",)"
        R"("FSaticiNo":0,"FCARINO":0,"FAKTIF":0,"FKullanicimail":"","FADI":"",)"
        R"("FSaticiTelefon":"","Fcarikod":"","FVarmi":false,"FSaticiAdi":"",)"
        R"("FBilgiSayarAdi":"","FDisip":"","FIcip":"","FBilgisayarKullanici":"",)"
        R"("FMusteriTipi":1,"FVersion":1}})";
    const TSonucBilgisi fresh;
    QCOMPARE(recordToJson(&fresh), expected);
    QCOMPARE(fresh.toJson(), expected);
}

void tst_Records::freshStockRecordDefaults()
{
    const TMobilStok fresh;
    QCOMPARE(fresh.Birim(), QStringLiteral("ADET"));
    QCOMPARE(fresh.KDV(), 20.0);
    const QByteArray json = recordToJson(&fresh);
    QVERIFY2(json.contains(R"("FBirim":"ADET")"), json);
    QVERIFY2(json.contains(R"("FKDV":20,)"), json);
    QVERIFY2(json.startsWith(R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FStokNo":0,)"),
             json);
}

void tst_Records::roundTrip_data()
{
    QTest::addColumn<QString>("typeName");
    for (const RecordClass &c : AllClasses)
        QTest::newRow(c.typeName) << QString::fromLatin1(c.typeName);
}

// Every class the server may send: written, read back, and written again to the same text.
void tst_Records::roundTrip()
{
    QFETCH(QString, typeName);
    const RecordClass *cls = nullptr;
    for (const RecordClass &c : AllClasses) {
        if (typeName == QLatin1String(c.typeName))
            cls = &c;
    }
    QVERIFY(cls);

    const std::unique_ptr<TransferRecord> fresh = createRecord(typeName);
    QVERIFY2(fresh, "createRecord does not know the class");
    QCOMPARE(fresh->typeName(), typeName);

    const std::unique_ptr<TransferRecord> original = cls->filled(1);
    QVERIFY(!original->sameFields(*fresh));

    const QByteArray json = recordToJson(original.get());
    QString error;
    const std::unique_ptr<TransferRecord> back = recordFromJson(parse(json), &error);
    QVERIFY2(back, qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(back->typeName(), typeName);
    QVERIFY(back->sameFields(*original));
    QCOMPARE(recordToJson(back.get()), json);

    // The default instance survives the trip too (empty lists, zero numbers).
    const std::unique_ptr<TransferRecord> freshBack =
        recordFromJson(parse(recordToJson(fresh.get())), &error);
    QVERIFY2(freshBack, qPrintable(error));
    QVERIFY(freshBack->sameFields(*fresh));
}

void tst_Records::screensHolderNumbersElements()
{
    TAcilisEkran a;
    a.setSiraNo(1);
    a.setResim(QStringLiteral("FFD8"));
    a.setBaslik(QStringLiteral("Kampanya"));
    TAcilisEkran b;
    b.setSiraNo(2);
    b.setArama(QStringLiteral("fren balata"));
    TAcilisEkran c;
    c.setSiraNo(3);

    TAcilisEkranlariki holder;
    holder.setEkranlar({a, b, c});
    QCOMPARE(holder.Ekranlar().size(), 3);

    const QByteArray expected =
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
        R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":)"
        R"({"FSiraNo":1,"FResim":"FFD8","FBaslik":"Kampanya","FArama":""}},)"
        R"({"type":"mobilstokunit.TAcilisEkran","id":3,"fields":)"
        R"({"FSiraNo":2,"FResim":"","FBaslik":"","FArama":"fren balata"}},)"
        R"({"type":"mobilstokunit.TAcilisEkran","id":4,"fields":)"
        R"({"FSiraNo":3,"FResim":"","FBaslik":"","FArama":""}}]}})";
    QCOMPARE(recordToJson(&holder), expected);

    QString error;
    const auto back = recordFromJson<TAcilisEkranlariki>(parse(expected), &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->Ekranlar().size(), 3);
    QCOMPARE(back->Ekranlar().at(1).Arama(), QStringLiteral("fren balata"));
    QVERIFY(*back == holder);

    // The setter replaces the whole array.
    holder.setEkranlar({c});
    QCOMPARE(holder.Ekranlar().size(), 1);
    QCOMPARE(holder.Ekranlar().at(0).SiraNo(), 3);
    holder.setEkranlar({});
    QCOMPARE(recordToJson(&holder),
             QByteArray(R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,)"
                        R"("fields":{"FEkranlar":[]}})"));
}

// Each record written into an ongoing writer is a value of its own: ids start at 1 again.
void tst_Records::writeRecordStartsEachValueAtOne()
{
    TTusSonuclari counters;
    counters.setAlindi(4);
    JsonWriter w;
    w.beginArray();
    writeRecord(w, &counters);
    writeRecord(w, nullptr);
    writeRecord(w, &counters);
    w.endArray();
    const QByteArray one = R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{"FAlindi":4,)"
                           R"("FOnaylandi":0,"FParcaliHazirlandi":0,"FSevkEdildi":0,)"
                           R"("FHazirlandi":0,"FGoruldu":0}})";
    QCOMPARE(w.text(), "[" + one + ",null," + one + "]");
    QCOMPARE(recordToJson(nullptr), QByteArray("null"));

    QString error = QStringLiteral("old");
    QVERIFY(!recordFromJson(QJsonValue(QJsonValue::Null), &error));
    QVERIFY(error.isEmpty());
}

void tst_Records::refReading()
{
    const QByteArray json =
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
        R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":5,"FBaslik":"Yeni"}},)"
        R"({"type":"mobilstokunit.TAcilisEkran","ref":2},)"
        R"({"type":"mobilstokunit.TAcilisEkran","id":3,"fields":{"FSiraNo":6}}]}})";
    QString error;
    const auto holder = recordFromJson<TAcilisEkranlariki>(parse(json), &error);
    QVERIFY2(holder, qPrintable(error));
    const QList<TAcilisEkran> screens = holder->Ekranlar();
    QCOMPARE(screens.size(), 3);
    QVERIFY(screens.at(1) == screens.at(0));
    QCOMPARE(screens.at(1).SiraNo(), 5);
    QCOMPARE(screens.at(1).Baslik(), QStringLiteral("Yeni"));
    QCOMPARE(screens.at(2).SiraNo(), 6);

    // The resolved copy is an object of its own.
    TAcilisEkranlariki changed = *holder;
    QList<TAcilisEkran> list = changed.Ekranlar();
    list[1].setSiraNo(9);
    changed.setEkranlar(list);
    QCOMPARE(changed.Ekranlar().at(0).SiraNo(), 5);
    QCOMPARE(holder->Ekranlar().at(1).SiraNo(), 5);
}

void tst_Records::refusals_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("mentions");   // part of the error text

    const QByteArray session = R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":)";
    const QByteArray holder =
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":)";

    QTest::newRow("unknown type") << QByteArray(R"({"type":"baglantiu.TYokBoyle","id":1,)"
                                                R"("fields":{}})")
                                  << "baglantiu.TYokBoyle";
    QTest::newRow("class in the wrong unit")
        << QByteArray(R"({"type":"mobilstokunit.TSonucBilgisi","id":1,"fields":{}})")
        << "mobilstokunit.TSonucBilgisi";
    QTest::newRow("no unit") << QByteArray(R"({"type":"TSonucBilgisi","id":1,"fields":{}})")
                             << "TSonucBilgisi";
    QTest::newRow("type missing") << QByteArray(R"({"id":1,"fields":{}})") << "type";
    QTest::newRow("type not a string") << QByteArray(R"({"type":7,"id":1,"fields":{}})")
                                       << "type";
    QTest::newRow("not an object") << QByteArray(R"("baglantiu.TSonucBilgisi")") << "nesne";
    QTest::newRow("fields not an object") << session + "[]}" << "fields";
    QTest::newRow("id not whole") << QByteArray(R"({"type":"baglantiu.TTusSonuclari",)"
                                                R"("id":1.5,"fields":{}})")
                                  << "id";

    QTest::newRow("number for a string") << session + R"({"FADI":12}})" << "FADI";
    QTest::newRow("null for a string") << session + R"({"FADI":null}})" << "FADI";
    QTest::newRow("string for an integer") << session + R"({"FCARINO":"12"}})" << "FCARINO";
    QTest::newRow("bool for an integer") << session + R"({"FCARINO":true}})" << "FCARINO";
    QTest::newRow("number for a boolean") << session + R"({"FVarmi":0}})" << "FVarmi";
    QTest::newRow("string for a boolean") << session + R"({"FVarmi":"true"}})" << "FVarmi";
    QTest::newRow("string for a double")
        << QByteArray(R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FKDV":"20"}})")
        << "FKDV";
    QTest::newRow("string for a date")
        << QByteArray(R"({"type":"mobilstokunit.TMobilSepet","id":1,"fields":)"
                      R"({"FTARIH":"2024-01-02"}})")
        << "FTARIH";

    QTest::newRow("fraction for an integer") << session + R"({"FMusteriTipi":1.5}})"
                                             << "FMusteriTipi";
    QTest::newRow("integer above 32 bits") << session + R"({"FCARINO":2147483648}})"
                                           << "FCARINO";
    QTest::newRow("integer below 32 bits") << session + R"({"FCARINO":-2147483649}})"
                                           << "FCARINO";
    QTest::newRow("huge integer") << session + R"({"FSirano":1e300}})" << "FSirano";

    QTest::newRow("object for an array") << holder + "{}}}" << "FEkranlar";
    QTest::newRow("null element") << holder + "[null]}}" << "FEkranlar";
    QTest::newRow("element of another class")
        << holder + R"([{"type":"mobilstokunit.TMobilStok","id":2,"fields":{}}]}})"
        << "mobilstokunit.TAcilisEkran";
    QTest::newRow("unknown element class")
        << holder + R"([{"type":"mobilstokunit.TEkran","id":2,"fields":{}}]}})"
        << "mobilstokunit.TEkran";
    QTest::newRow("bad field inside an element")
        << holder + R"([{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":"1"}}]}})"
        << "mobilstokunit.TAcilisEkran.FSiraNo";

    QTest::newRow("ref to nothing")
        << holder + R"([{"type":"mobilstokunit.TAcilisEkran","ref":5}]}})" << "5";
    QTest::newRow("ref to the enclosing object")
        << holder + R"([{"type":"mobilstokunit.TAcilisEkran","ref":1}]}})" << "1";
    QTest::newRow("ref with another type")
        << holder + R"([{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{}},)"
                    R"({"type":"mobilstokunit.TMobilStok","ref":2}]}})"
        << "mobilstokunit.TMobilStok";
    QTest::newRow("ref not whole")
        << holder + R"([{"type":"mobilstokunit.TAcilisEkran","ref":"2"}]}})" << "ref";
    QTest::newRow("huge id") << QByteArray(R"({"type":"baglantiu.TTusSonuclari",)"
                                           R"("id":1e300,"fields":{}})")
                             << "id";
    QTest::newRow("huge ref")
        << holder + R"([{"type":"mobilstokunit.TAcilisEkran","ref":1e300}]}})" << "ref";
    QTest::newRow("id used twice")
        << holder + R"([{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{}},)"
                    R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{}}]}})"
        << "2";
}

// A record that cannot be read is refused with a reason, never taken as zeros or defaults.
void tst_Records::refusals()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, mentions);
    const QJsonValue value = parse(json);
    QVERIFY(!value.isUndefined());
    QString error;
    QVERIFY(!recordFromJson(value, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(mentions), qPrintable(error));
    QVERIFY(!recordFromJson(value, nullptr));   // no error text wanted: still refused
}

void tst_Records::integerLimitsAccepted()
{
    QString error;
    const auto r = recordFromJson<TTusSonuclari>(
        parse(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":)"
              R"({"FAlindi":2147483647,"FOnaylandi":-2147483648,"FGoruldu":3.0}})"),
        &error);
    QVERIFY2(r, qPrintable(error));
    QCOMPARE(r->Alindi(), 2147483647);
    QCOMPARE(r->Onaylandi(), int(-2147483648LL));
    QCOMPARE(r->Goruldu(), 3);
}

void tst_Records::missingAndReorderedFields()
{
    QString error;
    // Missing fields keep the constructor defaults; unknown ones are passed over.
    const auto partial = recordFromJson<TSonucBilgisi>(
        parse(R"({"fields":{"FVersion":2,"FYeniAlan":"x","FCARINO":5},"id":1,)"
              R"("type":"baglantiu.TSonucBilgisi"})"),
        &error);
    QVERIFY2(partial, qPrintable(error));
    QCOMPARE(partial->CARINO(), 5);
    QCOMPARE(partial->Version(), 2);
    QCOMPARE(partial->MusteriTipi(), 1);
    QCOMPARE(partial->Varmi(), false);
    QVERIFY(partial->ADI().isEmpty());

    const auto noFields = recordFromJson<TMobilStok>(
        parse(R"({"type":"mobilstokunit.TMobilStok","id":1})"), &error);
    QVERIFY2(noFields, qPrintable(error));
    QVERIFY(*noFields == TMobilStok());

    // All fields in reverse order read the same as in table order.
    TMobilCariBilgisi original;
    fillRecord(original, 3);
    const QJsonObject written = parse(recordToJson(&original)).toObject();
    const QJsonObject fields = written.value(u"fields").toObject();
    QByteArray reversed = R"({"type":"mobilstokunit.TMobilCariBilgisi","id":1,"fields":{)";
    const QStringList keys = fields.keys();
    for (qsizetype i = keys.size() - 1; i >= 0; --i) {
        JsonWriter::appendString(reversed, keys.at(i));
        reversed += ':';
        reversed += QJsonDocument(QJsonArray{fields.value(keys.at(i))})
                        .toJson(QJsonDocument::Compact)
                        .mid(1)
                        .chopped(1);
        if (i > 0)
            reversed += ',';
    }
    reversed += "}}";
    const auto back = recordFromJson<TMobilCariBilgisi>(parse(reversed), &error);
    QVERIFY2(back, qPrintable(error));
    QVERIFY(*back == original);
}

void tst_Records::typedReading()
{
    TTusSonuclari counters;
    QString error;
    QVERIFY(!recordFromJson<TSonucBilgisi>(parse(recordToJson(&counters)), &error));
    QVERIFY2(error.contains(QStringLiteral("baglantiu.TSonucBilgisi"))
                 && error.contains(QStringLiteral("baglantiu.TTusSonuclari")),
             qPrintable(error));

    QVERIFY(!recordFromJson<TSonucBilgisi>(QJsonValue(QJsonValue::Null), &error));
    QVERIFY(error.isEmpty());
}

// Kopyala gives an equal instance that does not change with its source afterwards.
void tst_Records::kopyala()
{
    checkKopyala<TSonucBilgisi>();
    checkKopyala<TSiparisDipAyrinti>();
    checkKopyala<TTusSonuclari>();
    checkKopyala<TMobilStok>();
    checkKopyala<TMobilSepet>();
    checkKopyala<TMobilCariBilgisi>();
    if (QTest::currentTestFailed())
        return;

    // The machine values travel with the session copy as well.
    TSonucBilgisi server;
    server.setBILGISAYARID(QStringLiteral("ABC123"));
    server.setIcip(QStringLiteral("10.0.0.5"));
    TSonucBilgisi session;
    session.Kopyala(server);
    QCOMPARE(session.BILGISAYARID(), QStringLiteral("ABC123"));
    QCOMPARE(session.Icip(), QStringLiteral("10.0.0.5"));
}

QTEST_GUILESS_MAIN(tst_Records)
#include "tst_records.moc"
