#include "core/recordfile.h"
#include "tests/support/recordjson.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a record file: the reader must never crash; whatever it reads must be what Qt's own
// JSON reader makes of the bytes, keep the rules the program relies on, and come back the same
// through a write and a read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto parsed = pomiro::parseRecordFile(bytes);
    if (!parsed)
        return 0;
    if (pomiro::testing::recordsThroughQtJson(bytes) != *parsed)
        __builtin_trap();
    for (const pomiro::QuitRecord &record : *parsed) {
        if (record.runs.isEmpty() && record.prices.isEmpty())
            __builtin_trap();
        for (qsizetype i = 0; i < record.runs.size(); ++i) {
            const pomiro::QuitRun &run = record.runs[i];
            if (run.end && *run.end < run.start)
                __builtin_trap();
            if (i + 1 < record.runs.size() && (!run.end || record.runs[i + 1].start < *run.end))
                __builtin_trap();
        }
        for (qsizetype i = 1; i < record.prices.size(); ++i)
            if (!(record.prices[i - 1].from < record.prices[i].from))
                __builtin_trap();
    }
    const QByteArray written = pomiro::encodeRecordFile(*parsed);
    const auto again = pomiro::parseRecordFile(written);
    if (!again || *again != *parsed || pomiro::encodeRecordFile(*again) != written)
        __builtin_trap();
    return 0;
}
