// What the list window does with a full table (open, a selection click, a sort, copy, CSV),
// against the floor of filling a bare QTableWidget of the same size. Each should stay well under
// one frame (16 ms).

#include "bench/sampleentries.h"
#include "core/csv.h"
#include "list_window/entrylistmodel.h"
#include "list_window/frozentableview.h"
#include "list_window/listexport.h"
#include "list_window/listreport.h"
#include "list_window/listwindow.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace pomiro;
using pomiro::bench::fullTable;

namespace {

// Build, fill and total: what the list button costs before the window is drawn.
void BM_OpenList300(benchmark::State &state)
{
    for (auto _ : state) {
        ListWindow window(fullTable());
        benchmark::DoNotOptimize(
            window.findChild<QAbstractItemView *>("grid")->model()->index(302, 10).data());
    }
}
BENCHMARK(BM_OpenList300)->Unit(benchmark::kMillisecond);

// The window and its four views alone, with no rows to fill.
void BM_OpenListEmpty(benchmark::State &state)
{
    const pomiro::Entries empty;
    for (auto _ : state) {
        ListWindow window(empty);
        benchmark::DoNotOptimize(
            window.findChild<QAbstractItemView *>("grid")->model()->index(2, 10).data());
    }
}
BENCHMARK(BM_OpenListEmpty)->Unit(benchmark::kMillisecond);

// The same, shown and drawn once.
void BM_OpenAndShowList300(benchmark::State &state)
{
    for (auto _ : state) {
        ListWindow window(fullTable());
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_OpenAndShowList300)->Unit(benchmark::kMillisecond);

// One mouse click on an entry row: toggle and recount all 300 rows.
void BM_ClickRow300(benchmark::State &state)
{
    ListWindow window(fullTable());
    window.show();
    auto *grid = window.findChild<FrozenTableView *>("grid");
    const QPoint at = grid->cellCentre(grid->model()->index(3, 2));
    QWidget *target = grid->childAt(at);
    const QPoint local = target->mapFrom(grid, at);
    for (auto _ : state)
        QTest::mouseClick(target, Qt::LeftButton, {}, local);
}
BENCHMARK(BM_ClickRow300)->Unit(benchmark::kMicrosecond);

// The model's share of a click, without any widget.
void BM_ToggleRow300Model(benchmark::State &state)
{
    EntryListModel model(fullTable());
    for (auto _ : state)
        model.toggleRow(3);
}
BENCHMARK(BM_ToggleRow300Model)->Unit(benchmark::kMicrosecond);

// A click on a column's title: the 300 rows sorted by a period's amount, largest first, and the
// grid shown in that order.
void BM_SortByColumn300(benchmark::State &state)
{
    ListWindow window(fullTable());
    window.show();
    auto *grid = window.findChild<FrozenTableView *>("grid");
    Qt::SortOrder order = Qt::DescendingOrder;
    for (auto _ : state) {
        grid->sortByColumn(5, order);
        order = order == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder;
        benchmark::DoNotOptimize(grid->model()->index(0, 5).data());
    }
}
BENCHMARK(BM_SortByColumn300)->Unit(benchmark::kMicrosecond);

// The same with every other row selected: the selection moves with its entries.
void BM_SortByColumn300HalfSelected(benchmark::State &state)
{
    ListWindow window(fullTable());
    window.show();
    auto *grid = window.findChild<FrozenTableView *>("grid");
    auto *model = window.findChild<EntryListModel *>();
    for (int row = 0; row < model->entryCount(); row += 2)
        model->toggleRow(row);
    Qt::SortOrder order = Qt::DescendingOrder;
    for (auto _ : state) {
        grid->sortByColumn(5, order);
        order = order == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder;
        benchmark::DoNotOptimize(grid->model()->index(0, 5).data());
    }
}
BENCHMARK(BM_SortByColumn300HalfSelected)->Unit(benchmark::kMicrosecond);

// The menu's コピー: the report of all 300 rows and its tab-separated text, as it goes on the
// clipboard.
void BM_CopyList300(benchmark::State &state)
{
    const EntryListModel model(fullTable());
    for (auto _ : state)
        benchmark::DoNotOptimize(tabSeparated(makeListReport(model)));
}
BENCHMARK(BM_CopyList300)->Unit(benchmark::kMicrosecond);

// The menu's CSV で保存, before the file is written: the report and its CP932 bytes.
void BM_CsvList300(benchmark::State &state)
{
    const EntryListModel model(fullTable());
    for (auto _ : state)
        benchmark::DoNotOptimize(csv::encodeCp932(makeListReport(model).table()));
}
BENCHMARK(BM_CsvList300)->Unit(benchmark::kMicrosecond);

// The floor: a bare QTableWidget of 304 x 11 cells filled with the same texts.
void BM_FillBareTableWidget(benchmark::State &state)
{
    const pomiro::Entries &table = fullTable();
    for (auto _ : state) {
        QTableWidget widget(int(table.size()) + 4, 11);
        for (int row = 1; row <= table.size(); ++row) {
            const pomiro::Entry &entry = table[row - 1];
            widget.setItem(row, 0, new QTableWidgetItem(entry.name));
            for (int col = 1; col <= pomiro::kPeriodCount; ++col)
                widget.setItem(row, col, new QTableWidgetItem(entry.amount(col - 1)));
        }
        benchmark::DoNotOptimize(widget.item(300, 10));
    }
}
BENCHMARK(BM_FillBareTableWidget)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
