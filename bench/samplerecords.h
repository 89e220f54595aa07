#pragma once

// The quit records at their most: one for each of the 300 sample entries (sampleentries.h, the
// same names), each of 50 runs and 50 price changes.

#include "core/quitrecord.h"

namespace pomiro::bench {

inline constexpr int kRecords = 300;
inline constexpr int kRunsPerRecord = 50;
inline constexpr int kPricesPerRecord = 50;
inline const QDate kRecordsToday(2026, 9, 1);

// Runs of about two months apart over the years before the day, the last one going on, and a
// price change inside every run.
inline QuitRecords fullRecords()
{
    QuitRecords records;
    for (int i = 0; i < kRecords; ++i) {
        QuitRecord record;
        record.name = QStringLiteral("毎朝のコーヒー、%1杯目").arg(i + 1);
        QDate start = kRecordsToday.addDays(-qint64(kRunsPerRecord) * 70);
        for (int r = 0; r < kRunsPerRecord; ++r) {
            const QDate end = start.addDays(40 + (i + r) % 20);
            record.runs.append({start, end, Amount{qint64(1'000'000 + i * 12'345 + r)}});
            if (r < kPricesPerRecord)
                record.prices.append({start.addDays(10), Amount{qint64(2'000'000 + r)}});
            start = end.addDays(10);
        }
        record.runs.last().end.reset();
        records.append(record);
    }
    return records;
}

} // namespace pomiro::bench
