// What the record window costs at its most: 300 entries, each with a record of 50 runs and 50
// price changes. Reading the record file, and opening the window and drawing it, must each stay
// under one frame (16 ms).

#include "bench/sampleentries.h"
#include "bench/samplerecords.h"
#include "core/datafile.h"
#include "core/entrystore.h"
#include "core/recordstore.h"
#include "platform/stephistory.h"
#include "record_window/recordwindow.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace pomiro;

namespace {

// A folder with the data file and the record file as a user with the most of both has them.
struct FullFolder
{
    QTemporaryDir dir;
    EntryStore entries{QDir(dir.path())};
    RecordStore records{QDir(dir.path())};

    FullFolder()
    {
        QFile data(QDir(dir.path()).filePath(QString::fromUtf16(kDataFileName)));
        QFile recordFile(QDir(dir.path()).filePath(QString::fromUtf16(kRecordFileName)));
        QByteArray lines;
        for (const Entry &entry : bench::fullTable())
            lines += *encodeEntryLine(entry);
        if (!data.open(QIODevice::WriteOnly) || data.write(lines) != lines.size() ||
            !recordFile.open(QIODevice::WriteOnly) ||
            recordFile.write(encodeRecordFile(bench::fullRecords())) < 0)
            qFatal("the sample files could not be written");
        data.close();
        recordFile.close();
        if (!entries.load() || !records.load() || records.records().size() != bench::kRecords)
            qFatal("the sample files did not read in full");
    }
};

void BM_LoadRecordFile(benchmark::State &state)
{
    FullFolder folder;
    for (auto _ : state) {
        RecordStore records{QDir(folder.dir.path())};
        benchmark::DoNotOptimize(records.load().ok());
    }
}
BENCHMARK(BM_LoadRecordFile)->Unit(benchmark::kMillisecond);

// Build, work out every figure and paint once: what Ctrl+R costs until the window is on screen.
void BM_OpenRecordWindow300(benchmark::State &state)
{
    FullFolder folder;
    StepHistory steps;
    for (auto _ : state) {
        RecordWindow window(folder.entries, folder.records, steps, 0, folder.dir.path());
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_OpenRecordWindow300)->Unit(benchmark::kMillisecond);

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
