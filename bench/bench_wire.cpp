// SPDX-License-Identifier: LicenseRef-Mervak
// Decoding a stock-search reply (50,000 rows of 37 columns, about 17 MB) into a data set,
// next to merely parsing the same bytes with simdjson. The goal is at most 3 times the parse.
#include "dataset.h"
#include "servermethods.h"
#include "wirecodec.h"
#include "wireframe.h"

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstdio>
#include <cstring>
#include <map>

using namespace Mervak;

namespace {

constexpr int kRows = 50000;

struct Column
{
    const char *name;
    FieldType type;
};

// The fields of the stock list, in the order of the stock search.
constexpr Column kColumns[] = {
    {"STOK_STOKNO", FieldType::Integer}, {"DURUM", FieldType::Integer},
    {"OEM1", FieldType::String},        {"OEM2", FieldType::String},
    {"OEM3", FieldType::String},        {"OEM4", FieldType::String},
    {"OEMNO", FieldType::String},       {"BARKOD", FieldType::String},
    {"BARKOD_BARKODNO", FieldType::Integer}, {"ADI", FieldType::String},
    {"DIGERADI", FieldType::String},    {"FINISHKOD", FieldType::String},
    {"URETICIKODU", FieldType::String}, {"DPKOD", FieldType::String},
    {"PKOD", FieldType::String},        {"RESIM", FieldType::Integer},
    {"OZELKOD1", FieldType::Integer},   {"BIRIM", FieldType::String},
    {"MARKA", FieldType::String},       {"MODEL", FieldType::String},
    {"ANAGRUP", FieldType::String},     {"KALAN", FieldType::Float},
    {"ALINANSIPARIS", FieldType::Float}, {"VERILENSIPARIS", FieldType::Float},
    {"KDV", FieldType::Float},          {"LISTEFIYAT1", FieldType::Float},
    {"FIYAT", FieldType::Float},        {"KAMPFIYAT", FieldType::Float},
    {"NETFIYAT", FieldType::Float},     {"KDVDAHIL", FieldType::Float},
    {"INDIRIMYAZI", FieldType::String}, {"IND1", FieldType::Float},
    {"IND2", FieldType::Float},         {"IND3", FieldType::Float},
    {"IND4", FieldType::Float},         {"Y", FieldType::Integer},
    {"K", FieldType::Integer},
};
static_assert(std::size(kColumns) == 37);

const char *const kBrands[] = {"KORVAL", "SAMVO", "BRENIK", "YALDOR", "FERMOZ", "PANDELOR"};
const char *const kModels[] = {"DOBLO 1.3 MJET", "LINEA 1.4", "MEGANE II 1.5 DCI",
                               "FOCUS 1.6 TDCI", "CORSA C 1.2", "TRANSIT 2.4 TDCI"};
const char *const kGroups[] = {"FREN SİSTEMİ", "SÜSPANSİYON", "MOTOR", "ELEKTRİK",
                               "FİLTRE", "ŞANZIMAN", "KAPORTA"};
const char *const kNames[] = {"FREN BALATASI ÖN", "AMORTİSÖR ARKA SOL", "YAĞ FİLTRESİ",
                              "DEBRİYAJ SETİ", "ROT BAŞI SAĞ", "RADYATÖR", "BUJİ TAKIMI"};

QByteArray makeReply()
{
    DataSet ds;
    for (const Column &c : kColumns)
        ds.addField(QString::fromLatin1(c.name), c.type,
                    c.type == FieldType::String ? 40 : 0);
    ds.disableControls();
    ds.reserve(kRows);
    quint32 seed = 12345;
    auto rnd = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFF;
    };
    for (int r = 0; r < kRows; ++r) {
        const int row = ds.appendRow();
        const QString code = QStringLiteral("%1-%2").arg(rnd() % 9000 + 1000).arg(r);
        const double price = (rnd() % 500000) / 100.0 + 1.0;
        const double ind1 = double(rnd() % 40);
        const double net = price * (100.0 - ind1) / 100.0;
        int c = 0;
        ds.setInt(row, c++, 100000 + r);                                  // STOK_STOKNO
        ds.setInt(row, c++, int(rnd() % 6));                              // DURUM
        for (int i = 0; i < 4; ++i)                                       // OEM1..4
            ds.setString(row, c++, QStringLiteral("77%1%2").arg(rnd(), 7, 10, QChar(u'0')).arg(i));
        ds.setString(row, c++, QStringLiteral("77%1").arg(rnd(), 8, 10, QChar(u'0'))); // OEMNO
        ds.setString(row, c++, QStringLiteral("869%1").arg(1000000000 + r)); // BARKOD
        ds.setInt(row, c++, r + 1);                                       // BARKOD_BARKODNO
        const QString model = QString::fromUtf8(kModels[rnd() % 6]);
        ds.setString(row, c++, QString::fromUtf8(kNames[rnd() % 7]) + u' ' + model + u' '
                                   + code);                              // ADI
        ds.setString(row, c++, QString::fromUtf8(kNames[rnd() % 7]) + u' '
                                   + QString::fromUtf8(kGroups[rnd() % 7])); // DIGERADI
        ds.setString(row, c++, QStringLiteral("F%1").arg(rnd() % 1000)); // FINISHKOD
        ds.setString(row, c++, code);                                     // URETICIKODU
        ds.setString(row, c++, QStringLiteral("DP%1").arg(rnd() % 100));  // DPKOD
        ds.setString(row, c++, QStringLiteral("P%1").arg(r));             // PKOD
        ds.setInt(row, c++, int(rnd() % 2));                              // RESIM
        ds.setInt(row, c++, int(rnd() % 24) + 1);                         // OZELKOD1
        ds.setString(row, c++, QStringLiteral("ADET"));                   // BIRIM
        ds.setString(row, c++, QString::fromUtf8(kBrands[rnd() % 6]));   // MARKA
        ds.setString(row, c++, QString::fromUtf8(kModels[rnd() % 6]));   // MODEL
        ds.setString(row, c++, QString::fromUtf8(kGroups[rnd() % 7]));   // ANAGRUP
        ds.setDouble(row, c++, double(rnd() % 300));                      // KALAN
        ds.setDouble(row, c++, double(rnd() % 20));                       // ALINANSIPARIS
        ds.setDouble(row, c++, double(rnd() % 20));                       // VERILENSIPARIS
        ds.setDouble(row, c++, 20.0);                                     // KDV
        ds.setDouble(row, c++, price);                                    // LISTEFIYAT1
        ds.setDouble(row, c++, price);                                    // FIYAT
        ds.setDouble(row, c++, rnd() % 5 == 0 ? price * 0.9 : 0.0);       // KAMPFIYAT
        ds.setDouble(row, c++, net);                                      // NETFIYAT
        ds.setDouble(row, c++, net * 1.2);                                // KDVDAHIL
        const double ind2 = double(rnd() % 10);
        ds.setString(row, c++, QStringLiteral("%%1 + %%2").arg(ind1).arg(ind2)); // INDIRIMYAZI
        ds.setDouble(row, c++, ind1);                                     // IND1
        ds.setDouble(row, c++, ind2);                                     // IND2
        ds.setDouble(row, c++, 0.0);                                      // IND3
        ds.setDouble(row, c++, 0.0);                                      // IND4
        ds.setInt(row, c++, int(rnd() % 2));                              // Y
        ds.setInt(row, c++, int(rnd() % 2));                              // K
    }
    ds.enableControls();

    Wire::ReplyWriter reply(*ServerMethods::find(u"StokAraGetir"));
    reply.resultTable(ds);
    const QByteArray text = reply.finish();
    // As a frame arrives: with spare room after the payload for the parser.
    QByteArray padded(text.size() + Wire::PayloadPadding, '\0');
    std::memcpy(padded.data(), text.constData(), std::size_t(text.size()));
    padded.resize(text.size());
    return padded;
}

const QByteArray &reply()
{
    static const QByteArray bytes = makeReply();
    return bytes;
}

void BM_ParseOnly(benchmark::State &state)
{
    const QByteArray &bytes = reply();
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element doc;
        const auto error = parser
                               .parse(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                      std::size_t(bytes.size()), false)
                               .get(doc);
        if (error)
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["MB"] = bytes.size() / 1e6;
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);

void BM_DecodeStockReply(benchmark::State &state)
{
    const QByteArray &bytes = reply();
    const MethodInfo &method = *ServerMethods::find(u"StokAraGetir");
    for (auto _ : state) {
        DataSet ds;
        Wire::ReplyReader reader(method, bytes);
        reader.table(0, ds);
        if (ds.rowCount() != kRows || ds.fieldCount() != 37)
            state.SkipWithError("wrong table");
        benchmark::DoNotOptimize(ds.rowCount());
        state.PauseTiming();   // freeing the data set is not part of the decode
        ds.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeStockReply)->Unit(benchmark::kMillisecond);

// Prints the ratio of the two after the usual table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration)
                m_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto parse = m_times.find("BM_ParseOnly");
        const auto decode = m_times.find("BM_DecodeStockReply");
        if (parse != m_times.end() && decode != m_times.end() && parse->second > 0) {
            // CPU time: the build machine is shared, and both are single-threaded.
            std::printf("decode %.2f ms, parse only %.2f ms (CPU time): decode/parse = %.2f "
                        "(goal <= 3)\n",
                        decode->second, parse->second, decode->second / parse->second);
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
