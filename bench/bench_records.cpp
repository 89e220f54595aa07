// The quit records at their most: 300 records of 50 runs and 50 price changes each, read from the
// file's bytes and worked out for the list, as the list does when it opens.

#include "bench/samplerecords.h"
#include "core/quitrecord.h"
#include "core/recordfile.h"

#include <QJsonDocument>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

using pomiro::bench::fullRecords;
using pomiro::bench::kRecords;
using pomiro::bench::kRecordsToday;
const QDate kToday = kRecordsToday;

const QByteArray &fileBytes()
{
    static const QByteArray bytes = pomiro::encodeRecordFile(fullRecords());
    return bytes;
}

void BM_ParseRecordFile(benchmark::State &state)
{
    const QByteArray &bytes = fileBytes(); // made before the clock runs
    for (auto _ : state) {
        const auto records = pomiro::parseRecordFile(bytes);
        benchmark::DoNotOptimize(records.ok());
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_ParseRecordFile)->Unit(benchmark::kMillisecond);

void BM_EveryRecordsFigures(benchmark::State &state)
{
    const pomiro::QuitRecords records = fullRecords();
    for (auto _ : state) {
        QList<pomiro::RecordFigures> figures;
        figures.reserve(records.size());
        for (const pomiro::QuitRecord &record : records)
            figures.append(pomiro::recordFigures(record, kToday));
        benchmark::DoNotOptimize(pomiro::overallTotal(figures).ok());
    }
}
BENCHMARK(BM_EveryRecordsFigures)->Unit(benchmark::kMillisecond);

// What opening the list costs the records: the file's bytes to every record's figures.
void BM_ParseAndFigureEveryRecord(benchmark::State &state)
{
    const QByteArray &bytes = fileBytes();
    for (auto _ : state) {
        const auto records = pomiro::parseRecordFile(bytes);
        if (!records || records->size() != kRecords) {
            state.SkipWithError("the record file did not read in full");
            break;
        }
        QList<pomiro::RecordFigures> figures;
        figures.reserve(records->size());
        for (const pomiro::QuitRecord &record : *records)
            figures.append(pomiro::recordFigures(record, kToday));
        benchmark::DoNotOptimize(pomiro::overallTotal(figures).ok());
    }
}
BENCHMARK(BM_ParseAndFigureEveryRecord)->Unit(benchmark::kMillisecond);

// The floor of the same bytes through Qt's JSON reader into a document, before any record.
void BM_QJsonDocumentOfTheSameBytes(benchmark::State &state)
{
    const QByteArray &bytes = fileBytes();
    for (auto _ : state) {
        const QJsonDocument document = QJsonDocument::fromJson(bytes);
        benchmark::DoNotOptimize(document.isObject());
    }
}
BENCHMARK(BM_QJsonDocumentOfTheSameBytes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
