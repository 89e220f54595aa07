// The costs of the window-free core against the floor of merely reading and decoding the bytes.

#include "bench/sampleentries.h"
#include "core/cp932.h"
#include "core/datafile.h"
#include "core/period.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace Qt::StringLiterals;

// A folder with a full data file of the sample entries.
class FullDataFile
{
public:
    FullDataFile()
    {
        pomiro::DataFile file(QDir(m_dir.path()));
        pomiro::Entries empty;
        if (!file.load(empty) || !file.rewrite(pomiro::bench::fullTable()))
            std::fprintf(stderr, "could not write the data file\n");
    }

    QString folder() const { return m_dir.path(); }
    QString path() const { return pomiro::DataFile(QDir(m_dir.path())).path(); }

private:
    QTemporaryDir m_dir;
};

FullDataFile &fullDataFile()
{
    static FullDataFile file;
    return file;
}

void BM_ReadAndDecodeFile(benchmark::State &state)
{
    const QString path = fullDataFile().path();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the data file");
            break;
        }
        const auto text = pomiro::cp932::decode(file.readAll());
        benchmark::DoNotOptimize(text.ok());
    }
}
BENCHMARK(BM_ReadAndDecodeFile);

void BM_LoadDataFile(benchmark::State &state)
{
    pomiro::DataFile file{QDir(fullDataFile().folder())};
    auto table = std::make_unique<pomiro::Entries>();
    for (auto _ : state) {
        const auto report = file.load(*table);
        benchmark::DoNotOptimize(report.ok());
    }
    if (table->size() != pomiro::kMaxEntries)
        state.SkipWithError("the data file did not load in full");
}
BENCHMARK(BM_LoadDataFile);

void BM_EnteredAmountToTenTexts(benchmark::State &state)
{
    const QString entered = u"10,000"_s;
    for (auto _ : state) {
        const auto base = pomiro::dailyBaseFromEntry(entered, 2);
        const auto texts = pomiro::periodAmountTexts(*base);
        benchmark::DoNotOptimize(texts.ok());
    }
}
BENCHMARK(BM_EnteredAmountToTenTexts);

// Whether a run went to its end: Benchmark 1.8 replaced the run's error_occurred with skipped.
template <typename Run> bool ranInFull(const Run &run)
{
    if constexpr (requires { run.skipped; })
        return !run.skipped;
    else
        return !run.error_occurred;
}

// Keeps the seconds per iteration of each run so that main can print the load's cost over the
// floor of reading and decoding the same bytes.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (ranInFull(run) && run.iterations > 0)
                seconds[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
        }
    }

    std::map<std::string, double> seconds;
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

    const auto floor = reporter.seconds.find("BM_ReadAndDecodeFile");
    const auto load = reporter.seconds.find("BM_LoadDataFile");
    if (floor != reporter.seconds.end() && load != reporter.seconds.end() && floor->second > 0)
        std::printf("load / read-and-decode: %.2f\n", load->second / floor->second);
    return 0;
}
