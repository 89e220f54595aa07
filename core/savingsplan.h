#pragma once

#include "core/amount.h"
#include "core/entry.h"

#include <QList>
#include <QStringList>
#include <array>
#include <optional>

namespace pomiro {

// Putting aside every month what some entries cost in a year, in a plan with a fixed yearly
// return. The monthly amount is the entries' １年 total ÷ 12, not rounded; it is put aside at the
// end of each month, and the plan earns the yearly rate ÷ 12 each month:
//   V(0) = 0, V(m) = V(m-1) x (1 + rate / 12) + monthly.
// Figures are whole yen, each rounded once, half away from zero.

// The years the plan is shown for.
inline constexpr std::array<int, 6> kPlanYears = {1, 3, 5, 10, 20, 30};

// The plan's yearly rate in tenths of a percent (3.0 % is 30), as the window offers it.
inline constexpr int kLowestRate = 0;
inline constexpr int kHighestRate = 200;

// What the chosen entries put aside: their １年 total, counted as the list totals it.
struct PlanBase
{
    Amount yearly;
    bool overflow = false;
    // Entries whose １年 text cannot be read; they are left out.
    QStringList leftOut;

    // Whether there is anything to put aside: a total above zero.
    bool hasSaving() const { return !overflow && yearly > Amount{}; }
};

PlanBase planBase(const Entries &chosen);

// One row of the plan: after `years` years, what was put aside and what the plan holds. None
// where a figure lies beyond the Amount range.
struct PlanRow
{
    int years = 0;
    std::optional<Amount> saved;
    std::optional<Amount> grown;
    // grown - saved, of the two figures as shown, so that every row adds up.
    std::optional<Amount> gain;
};

// What was put aside after `months` months of yearly ÷ 12 each: yearly x months ÷ 12.
std::optional<Amount> savedAfter(Amount yearly, int months);

// V(months) at `rate` tenths of a percent a year, for a positive `yearly`.
std::optional<Amount> grownAfter(Amount yearly, int rate, int months);

// The plan at the end of every year from 0 to `years`, found in one walk through the months: the
// row at index y is the plan after y years.
QList<PlanRow> planByYear(Amount yearly, int rate, int years);

// The rows for kPlanYears; `yearly` must be above zero.
QList<PlanRow> planRows(Amount yearly, int rate);

} // namespace pomiro
