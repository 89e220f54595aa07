// The quit records at their most: 300 records of 50 runs and 50 price changes each, read from the
// file's bytes and worked out for the list, as the list does when it opens.

#include "core/quitrecord.h"
#include "core/recordfile.h"

#include <QJsonDocument>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 300;
constexpr int kRunsPerRecord = 50;
constexpr int kPricesPerRecord = 50;

const QDate kToday(2026, 9, 1);

// Runs of about two months apart over the years before today, the last one going on, and a price
// change inside every run.
pomiro::QuitRecords fullRecords()
{
    pomiro::QuitRecords records;
    for (int i = 0; i < kRecords; ++i) {
        pomiro::QuitRecord record;
        record.name = QStringLiteral("毎朝のコーヒー、%1杯目").arg(i + 1);
        QDate start = kToday.addDays(-qint64(kRunsPerRecord) * 70);
        for (int r = 0; r < kRunsPerRecord; ++r) {
            const QDate end = start.addDays(40 + (i + r) % 20);
            record.runs.append({start, end, pomiro::Amount{qint64(1'000'000 + i * 12'345 + r)}});
            if (r < kPricesPerRecord)
                record.prices.append({start.addDays(10), pomiro::Amount{qint64(2'000'000 + r)}});
            start = end.addDays(10);
        }
        record.runs.last().end.reset();
        records.append(record);
    }
    return records;
}

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
