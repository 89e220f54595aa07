#pragma once

#include "core/datafile.h"
#include "core/entry.h"

namespace pomiro {

// The program-wide data both windows share: the entries, their data file and the daily base.
// main() owns the one instance; the windows get a reference to it.
struct Pomiro
{
    Entries entries;
    DataFile dataFile;
    // The amount per day from which the ten period amounts are computed; set by Enter in an
    // amount field and read right after.
    double dailyBase = 0.0;
};

} // namespace pomiro
