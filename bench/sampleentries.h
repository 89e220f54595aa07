#pragma once

// The entries the benchmarks measure with: 300 (the most the data file holds), each with a
// Japanese name and the ten amount texts of its own daily base.

#include "core/entry.h"
#include "core/period.h"

namespace pomiro::bench {

inline const Entries &fullTable()
{
    static const Entries table = [] {
        Entries entries;
        for (int i = 1; i <= kMaxEntries; ++i)
            entries.append(
                {QStringLiteral("毎朝のコーヒー、%1杯目").arg(i), *periodAmountTexts(i * 10.5)});
        return entries;
    }();
    return table;
}

} // namespace pomiro::bench
