#pragma once

#include "core/amount.h"
#include "core/entry.h"

#include <QStringList>

namespace pomiro {

// An empty amount and "\" alone (how a zero amount is written) add nothing; they are not faults.
// Blanks alone are typed text like any other.
bool isZeroText(const QString &text);

// What one period of some entries adds up to.
struct PeriodTotal
{
    Amount sum;
    // A text or the sum went beyond the Amount range: there is no total to show.
    bool overflow = false;
    // The names of the entries whose text for the period cannot be read, in their order; they are
    // left out of the sum.
    QStringList leftOut;
};

// The total of the period `period` (0 is a day) over `entries`, or over those whose place in
// `chosen` is true when it is not empty: zero texts count 0, a text that cannot be read is left out
// and its entry named.
PeriodTotal periodTotal(const Entries &entries, int period, const QList<bool> &chosen = {});

} // namespace pomiro
