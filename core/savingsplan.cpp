#include "core/savingsplan.h"

#include "core/periodtotal.h"

#include <limits>

namespace pomiro {

namespace {

constexpr int kMonthsPerYear = 12;
// The rate's unit, tenths of a percent, as a fraction of one: 30 / 1000 is 3.0 %.
constexpr qint64 kRateDenominator = 1000;

__extension__ typedef __int128 Wide;

// The plan's value is carried as 12 x V in Amount units, scaled by this: monthly x 12 is the
// yearly total, an exact number of units, and the scale keeps what the monthly interest leaves
// below a unit (its truncation costs less than 10^-9 yen over 30 years).
constexpr Wide kScale = 1'000'000'000;

// Whole yen for a non-negative count of `denominator`-ths of a unit, rounded half away from zero;
// none beyond the Amount range.
std::optional<Amount> wholeYen(Wide value, Wide denominator)
{
    const Wide perYen = denominator * Amount::kUnitsPerYen;
    const Wide yen = (value + perYen / 2) / perYen;
    if (yen > std::numeric_limits<qint64>::max() / Amount::kUnitsPerYen)
        return std::nullopt;
    return Amount::fromYen(static_cast<qint64>(yen));
}

} // namespace

PlanBase planBase(const Entries &chosen)
{
    const PeriodTotal total = periodTotal(chosen, periodOfYears(1));
    return {total.sum, total.overflow, total.leftOut};
}

std::optional<Amount> savedAfter(Amount yearly, int months)
{
    if (yearly.units < 0 || months < 0)
        return std::nullopt;
    return wholeYen(Wide(yearly.units) * months, kMonthsPerYear);
}

std::optional<Amount> grownAfter(Amount yearly, int rate, int months)
{
    if (yearly.units < 0 || months < 0 || rate < 0)
        return std::nullopt;
    // 12 x V(m) x kScale, month by month as the formula goes.
    const Wide monthly = Wide(yearly.units) * kScale;
    const Wide growth = kMonthsPerYear * kRateDenominator + rate; // (1 + rate / 12) x 12000
    // Beyond this the value has left the Amount range for good (it only grows), and one more
    // month of growth must not overflow the wide type.
    const Wide limit = Wide(std::numeric_limits<qint64>::max()) * kMonthsPerYear * kScale;
    Wide value = 0;
    for (int month = 0; month < months; ++month) {
        value = value * growth / (kMonthsPerYear * kRateDenominator) + monthly;
        if (value > limit)
            return std::nullopt;
    }
    return wholeYen(value, kMonthsPerYear * kScale);
}

QList<PlanRow> planRows(Amount yearly, int rate)
{
    QList<PlanRow> rows;
    for (const int years : kPlanYears) {
        PlanRow row{years, savedAfter(yearly, years * kMonthsPerYear),
                    grownAfter(yearly, rate, years * kMonthsPerYear), std::nullopt};
        if (row.saved && row.grown)
            row.gain = Amount{row.grown->units - row.saved->units};
        rows << row;
    }
    return rows;
}

} // namespace pomiro
