#pragma once

#include "core/amount.h"
#include "core/entry.h"

#include <QList>
#include <QStringList>
#include <array>
#include <optional>

namespace pomiro {

// Putting aside every month what some entries cost in a year, in a plan with a fixed yearly
// return. The monthly amount is the entries' １年 total ÷ 12, not rounded, or a whole amount a
// month; it is put aside at the end of each month, on top of what the plan holds at its start, and
// the plan earns the yearly rate ÷ 12 each month:
//   V(0) = start, V(m) = V(m-1) x (1 + rate / 12) + monthly.
// Figures are whole yen, each rounded once, half away from zero. A taxed plan shows what would be
// left of V were it taken out then: V - tax, the tax being 20.315 % of the gain V - saved (of the
// two in whole yen, when above zero), itself rounded to whole yen.

// The years the plan is shown for.
inline constexpr std::array<int, 6> kPlanYears = {1, 3, 5, 10, 20, 30};

// The plan's yearly rate in tenths of a percent (3.0 % is 30), as the window offers it.
inline constexpr int kLowestRate = 0;
inline constexpr int kHighestRate = 200;

// The tax on a plan's gain, 20.315 %, in hundred-thousandths.
inline constexpr qint64 kTaxRatePerHundredThousand = 20315;

// What a plan is made of.
struct PlanTerms
{
    // What is put aside in a year: 12 x the monthly amount, which need not be whole yen.
    Amount yearly;
    // What the plan holds at its start; it counts as put aside.
    Amount start;
    // The yearly rate in tenths of a percent.
    int rate = 0;
    // Whether the plan shows what would be left after the tax on its gain.
    bool taxed = false;
};

// Whether a plan runs on the terms: no amount below zero, a rate from kLowestRate to kHighestRate.
// On others the plan has no figures.
bool validTerms(const PlanTerms &terms);

// The yearly amount of a plan that puts aside `monthly` each month: 12 x `monthly`; none below
// zero or beyond the Amount range.
std::optional<Amount> yearlyOf(Amount monthly);

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
    // What the plan shows: after tax when the plan is taxed.
    std::optional<Amount> grown;
    // grown - saved, of the two figures as shown, so that every row adds up.
    std::optional<Amount> gain;
};

// What was put aside after `months` months: start + yearly x months ÷ 12.
std::optional<Amount> savedAfter(const PlanTerms &terms, int months);
std::optional<Amount> savedAfter(Amount yearly, int months);

// What the plan shows after `months` months: V(months), after tax when taxed.
std::optional<Amount> grownAfter(const PlanTerms &terms, int months);
// Untaxed and from nothing, for a positive `yearly` at `rate` tenths of a percent a year.
std::optional<Amount> grownAfter(Amount yearly, int rate, int months);

// The plan at the end of every year from 0 to `years`, found in one walk through the months: the
// row at index y is the plan after y years. Empty on terms validTerms() refuses.
QList<PlanRow> planByYear(const PlanTerms &terms, int years);
QList<PlanRow> planByYear(Amount yearly, int rate, int years);

// The rows for kPlanYears.
QList<PlanRow> planRows(const PlanTerms &terms);
// Untaxed and from nothing; `yearly` must be above zero.
QList<PlanRow> planRows(Amount yearly, int rate);

} // namespace pomiro
