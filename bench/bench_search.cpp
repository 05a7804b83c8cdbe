// SPDX-License-Identifier: LicenseRef-Mervak
// The stock search of a 100,000-item demo catalogue that returns a few thousand rows: the
// time from Enter in the search edit to the rows shown, and the longest stall of the
// user-interface thread meanwhile (measured by a 1 ms timer on that thread).
#include "basketpage.h"
#include "datagrid.h"
#include "dataset.h"
#include "gridview.h"
#include "itementry.h"
#include "messagedialog.h"
#include "orderingserver.h"
#include "stocklistpage.h"
#include "testshell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Mervak;

namespace {

constexpr int CatalogueItems = 100000;
const char *const SearchWord = "FREN BALATASI";

struct Setup
{
    Test::OrderingServer server;
    std::unique_ptr<TestShell> shell;
    ItemEntry *entry = nullptr;
    StockListPage *page = nullptr;
    BasketPage *basket = nullptr;
};

Setup *g_setup = nullptr;

void BM_SearchEnterToRows(benchmark::State &state)
{
    Setup &s = *g_setup;
    QLineEdit *edit = s.shell->searchEdit();
    DataGrid *grid = s.page->cxGrid1();
    double worstStall = 0;
    double totalMs = 0;
    int rows = 0;
    for (auto _ : state) {
        // Start from an empty list, as after "Temizle".
        s.page->SpeedButton1Click();
        edit->setText(QString::fromLatin1(SearchWord));
        QCoreApplication::processEvents();

        QElapsedTimer clock;
        QElapsedTimer sinceTick;
        double stall = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            stall = qMax(stall, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        QEventLoop loop;
        QObject::connect(s.page, &StockListPage::searchFinished, &loop, &QEventLoop::quit);

        clock.start();
        sinceTick.start();
        ticker.start(1);
        QTest::keyClick(edit, Qt::Key_Return);
        loop.exec();
        // The rows are on the screen once the grid has painted them.
        grid->view()->viewport()->repaint();
        const double ms = clock.nsecsElapsed() / 1e6;
        stall = qMax(stall, sinceTick.nsecsElapsed() / 1e6);
        ticker.stop();

        state.SetIterationTime(ms / 1000.0);
        worstStall = qMax(worstStall, stall);
        totalMs += ms;
        rows = grid->rowCount();
    }
    state.counters["rows"] = rows;
    state.counters["enter_to_rows_ms"] = totalMs / double(state.iterations());
    state.counters["longest_ui_stall_ms"] = worstStall;
}

BENCHMARK(BM_SearchEnterToRows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    Setup setup;
    std::fprintf(stderr, "Demo catalogue of %d items is being generated...\n", CatalogueItems);
    if (!setup.server.start(CatalogueItems)) {
        std::fprintf(stderr, "mervak-server did not start: %s\n",
                     qPrintable(setup.server.errors()));
        return 1;
    }
    setMessageDialogHook([](const ShownMessage &m) {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return int(mrOk);
    });
    setup.shell = std::make_unique<TestShell>();
    setup.shell->setConnection(&setup.server.bagc());
    setup.shell->session().Kopyala(setup.server.session());
    setup.entry = new ItemEntry(*setup.shell, setup.shell.get());
    setup.page = new StockListPage(*setup.shell, *setup.entry);
    setup.basket = new BasketPage(*setup.shell, *setup.entry);
    setup.entry->setBasketLink(setup.basket);
    setup.shell->placePage(TabPage::StokListesi, setup.page);
    setup.shell->placePage(TabPage::Sepet, setup.basket);
    setup.shell->resize(1600, 900);
    setup.shell->show();
    if (!QTest::qWaitForWindowExposed(setup.shell.get()))
        std::fprintf(stderr, "the window was not shown\n");
    g_setup = &setup;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_setup = nullptr;
    setMessageDialogHook({});
    return 0;
}
