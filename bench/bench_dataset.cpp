// SPDX-License-Identifier: LicenseRef-Mervak
// Filling a stock-search sized data set: 50,000 rows of 37 columns, the shape of the stock list.
#include "dataset.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace Mervak;

namespace {

constexpr int kRows = 50000;

void addStockFields(DataSet &ds)
{
    // 12 strings, 10 integers, 14 doubles, 1 date: the mix of a stock-search reply.
    for (int i = 0; i < 12; ++i)
        ds.addField(QStringLiteral("S%1").arg(i), FieldType::String, 40);
    for (int i = 0; i < 10; ++i)
        ds.addField(QStringLiteral("I%1").arg(i), FieldType::Integer);
    for (int i = 0; i < 14; ++i)
        ds.addField(QStringLiteral("D%1").arg(i), FieldType::Float);
    ds.addField(QStringLiteral("TARIH"), FieldType::Date);
}

void fill(DataSet &ds)
{
    ds.disableControls();
    ds.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        const int row = ds.appendRow();
        int c = 0;
        for (int i = 0; i < 12; ++i, ++c)
            ds.setString(row, c, QStringLiteral("PARCA-%1-%2").arg(r).arg(i));
        for (int i = 0; i < 10; ++i, ++c)
            ds.setInt(row, c, r * 10 + i);
        for (int i = 0; i < 14; ++i, ++c)
            ds.setDouble(row, c, r * 1.25 + i);
        ds.setDouble(row, c, 46000.0 + r % 365);
    }
    ds.enableControls();
}

void BM_FillStockDataSet(benchmark::State &state)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        DataSet ds;
        addStockFields(ds);
        fill(ds);
        bytes = ds.memoryUsage();
        benchmark::DoNotOptimize(ds.rowCount());
    }
    state.counters["bytes_per_row"] = double(bytes) / kRows;
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_FillStockDataSet)->Unit(benchmark::kMillisecond);

void BM_SortKeyCompare(benchmark::State &state)
{
    DataSet ds;
    addStockFields(ds);
    fill(ds);
    std::vector<int> order(kRows);
    for (auto _ : state) {
        for (int i = 0; i < kRows; ++i)
            order[std::size_t(i)] = i;
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return ds.compare(a, b, 14) > 0; });
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(BM_SortKeyCompare)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
