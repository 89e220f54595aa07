// What the savings window does for a full table: open it for all 300 entries and draw it, and
// redraw it after a change of the rate, also with a start, a target and the tax. Each must stay
// under one frame (16 ms).

#include "bench/sampleentries.h"
#include "platform/settings.h"
#include "savings_window/savingschart.h"
#include "savings_window/savingswindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace pomiro;
using pomiro::bench::fullTable;

namespace {

// Build, compute and paint once: what the menu item costs until the window is on screen.
void BM_OpenSavings300(benchmark::State &state)
{
    for (auto _ : state) {
        SavingsWindow window(fullTable(), true, QString());
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_OpenSavings300)->Unit(benchmark::kMillisecond);

// One step of the rate: the plan computed again, the table and the chart redrawn.
void BM_RateStep300(benchmark::State &state)
{
    SavingsWindow window(fullTable(), true, QString());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    auto *rate = window.findChild<QDoubleSpinBox *>("rate");
    double percent = 0;
    for (auto _ : state) {
        percent = percent >= 20 ? 0 : percent + 0.5;
        rate->setValue(percent);
        window.repaint();
        // A copy: Benchmark 1.8 deprecates keeping a const value.
        auto shownRate = window.findChild<SavingsChart *>()->plan().rate;
        benchmark::DoNotOptimize(shownRate);
    }
}
BENCHMARK(BM_RateStep300)->Unit(benchmark::kMillisecond);

// A window with a start, a target and the tax: each step of the rate also finds the month the
// target is reached and what a month reaches it; each step of the years finds that amount again.
void BM_GoalStep300(benchmark::State &state)
{
    SavingsWindow window(fullTable(), true, QString(), nullptr, Amount::fromYen(120'000));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    auto *target = window.findChild<QLineEdit *>("target");
    // Decades away at the lower rates, so that the search for the month runs long.
    target->setText(QStringLiteral("50億"));
    emit target->editingFinished();
    window.findChild<QCheckBox *>("taxed")->setChecked(true);
    auto *rate = window.findChild<QDoubleSpinBox *>("rate");
    auto *years = window.findChild<QSpinBox *>("goalYears");
    double percent = 0;
    for (auto _ : state) {
        percent = percent >= 20 ? 0 : percent + 0.5;
        rate->setValue(percent);
        years->setValue(years->value() % kGoalYearsMax + 1);
        window.repaint();
        auto sentence = window.report().neededSentence;
        benchmark::DoNotOptimize(sentence);
    }
}
BENCHMARK(BM_GoalStep300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pomiro::setSettingsNames();
    // The rate the window remembers goes to a folder of the run's own.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
