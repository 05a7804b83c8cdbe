// SPDX-License-Identifier: LicenseRef-Mervak
// The grid on a 100,000-row stock list: attaching the data set, painting one screen of rows
// after a jump (what a scroll costs), sorting, filtering and the footer.
#include "datagrid.h"
#include "displayformat.h"
#include "gridproxymodel.h"
#include "gridview.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Mervak;

namespace {

constexpr int kRows = 100000;

std::unique_ptr<DataSet> stockList()
{
    auto ds = std::make_unique<DataSet>();
    ds->addField("STOK_STOKNO", FieldType::Integer);
    ds->addField("DURUM", FieldType::Integer);
    ds->addField("BARKOD", FieldType::String);
    ds->addField("ADI", FieldType::String);
    ds->addField("MARKA", FieldType::String);
    ds->addField("Y", FieldType::Integer);
    ds->setDisplayFormat(ds->addField("KDVDAHIL", FieldType::Float), MoneyFormat);
    static const char *brands[] = {"BOSCH", "VALEO", "MAHLE", "SACHS", "FEBI", "NGK", "SKF"};
    QRandomGenerator rnd(1);
    ds->disableControls();
    ds->reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const int r = ds->appendRow();
        ds->setInt(r, 0, i);
        ds->setInt(r, 1, rnd.bounded(6));
        ds->setString(r, 2, QString::number(rnd.generate64() % 10000000000ULL));
        ds->setString(r, 3, QStringLiteral("FREN BALATASI %1 ON TAKIM").arg(rnd.bounded(90000)));
        ds->setString(r, 4, QString::fromLatin1(brands[rnd.bounded(7)]));
        ds->setInt(r, 5, rnd.bounded(2));
        ds->setDouble(r, 6, rnd.bounded(100000) / 100.0);
    }
    ds->enableControls();
    return ds;
}

QList<GridColumn> stockColumns()
{
    return {
        {.field = "DURUM", .caption = "Durum", .kind = ColumnKind::StatusPicture},
        {.field = "BARKOD", .caption = "Barkod", .weight = 2, .kind = ColumnKind::WrappedText},
        {.field = "ADI", .caption = "Açıklama", .weight = 3, .kind = ColumnKind::WrappedText},
        {.field = "MARKA", .caption = "Marka", .weight = 2},
        {.field = "Y", .caption = "Yeni", .kind = ColumnKind::YesNoPicture},
        {.field = "KDVDAHIL", .caption = "KDV Dahil Fiyat", .weight = 3},
    };
}

struct Bench
{
    std::unique_ptr<DataSet> data = stockList();
    DataGrid grid;

    Bench()
    {
        grid.setColumns(stockColumns());
        grid.setFooterVisible(true);
        grid.setFooterSummaries({{.column = "ADI", .kind = SummaryKind::Count},
                                 {.column = "KDVDAHIL", .kind = SummaryKind::Sum}});
        grid.setDataSet(data.get());
        grid.resize(1350, 700);
        grid.show();
        QCoreApplication::processEvents();
        grid.layoutByWeights();
    }
};

void BM_GridAttach(benchmark::State &state)
{
    Bench b;
    for (auto _ : state) {
        b.grid.detach();
        b.grid.attach();
        benchmark::DoNotOptimize(b.grid.rowCount());
    }
}
BENCHMARK(BM_GridAttach)->Unit(benchmark::kMillisecond);

// One screen of rows painted after jumping to another place in the list.
void BM_GridPaintPage(benchmark::State &state)
{
    Bench b;
    b.grid.setRowHeight(40);
    QWidget *viewport = b.grid.view()->viewport();
    QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar *bar = b.grid.view()->verticalScrollBar();
    QRandomGenerator rnd(2);
    for (auto _ : state) {
        bar->setValue(int(rnd.bounded(quint32(bar->maximum() + 1))));
        QPainter painter(&image);
        viewport->render(&painter);
    }
}
BENCHMARK(BM_GridPaintPage)->Unit(benchmark::kMillisecond);

void BM_GridSort(benchmark::State &state)
{
    Bench b;
    const QString key = state.range(0) == 0 ? QStringLiteral("KDVDAHIL") : QStringLiteral("ADI");
    for (auto _ : state) {
        b.grid.sortBy(key);
        b.grid.clearSort();
    }
}
BENCHMARK(BM_GridSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GridFilter(benchmark::State &state)
{
    Bench b;
    for (auto _ : state) {
        b.grid.setColumnFilter("MARKA", {"VALEO"});
        b.grid.clearFilter();
    }
}
BENCHMARK(BM_GridFilter)->Unit(benchmark::kMillisecond);

// A tick in one row: the footer is summed again over every row.
void BM_GridRowChange(benchmark::State &state)
{
    Bench b;
    double value = 1.0;
    for (auto _ : state) {
        b.data->setDouble(500, 6, value);
        value += 1.0;
    }
}
BENCHMARK(BM_GridRowChange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
