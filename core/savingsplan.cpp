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

// The plan's value month by month as the formula goes, carried as 12 x V(m) x kScale.
class PlanValue
{
public:
    // For a non-negative `yearly` and `rate`.
    PlanValue(Amount yearly, int rate)
        : m_monthly(Wide(yearly.units) * kScale),
          m_growth(kMonthsPerYear * kRateDenominator + rate) // (1 + rate / 12) x 12000
    {}

    // One more month: the month's interest, then its amount.
    void addMonth()
    {
        if (!m_fits)
            return;
        m_value = m_value * m_growth / (kMonthsPerYear * kRateDenominator) + m_monthly;
        // Beyond this the value has left the Amount range for good (it only grows), and one more
        // month of growth must not overflow the wide type.
        m_fits = m_value <= kLimit;
    }

    // Whether the value may still be within the Amount range.
    bool fits() const { return m_fits; }

    // What the plan holds now in whole yen; none beyond the Amount range.
    std::optional<Amount> grown() const
    {
        return m_fits ? wholeYen(m_value, kMonthsPerYear * kScale) : std::nullopt;
    }

private:
    static constexpr Wide kLimit =
        Wide(std::numeric_limits<qint64>::max()) * kMonthsPerYear * kScale;

    Wide m_monthly;
    Wide m_growth;
    Wide m_value = 0;
    bool m_fits = true;
};

PlanRow planRow(int years, std::optional<Amount> saved, std::optional<Amount> grown)
{
    PlanRow row{years, saved, grown, std::nullopt};
    if (saved && grown)
        row.gain = Amount{grown->units - saved->units};
    return row;
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
    PlanValue value(yearly, rate);
    for (int month = 0; month < months && value.fits(); ++month)
        value.addMonth();
    return value.grown();
}

QList<PlanRow> planByYear(Amount yearly, int rate, int years)
{
    QList<PlanRow> rows;
    if (yearly.units < 0 || rate < 0)
        return rows;
    PlanValue value(yearly, rate);
    for (int year = 0; year <= years; ++year) {
        if (year > 0)
            for (int month = 0; month < kMonthsPerYear; ++month)
                value.addMonth();
        rows << planRow(year, savedAfter(yearly, year * kMonthsPerYear), value.grown());
    }
    return rows;
}

QList<PlanRow> planRows(Amount yearly, int rate)
{
    const QList<PlanRow> byYear = planByYear(yearly, rate, kPlanYears.back());
    QList<PlanRow> rows;
    for (const int years : kPlanYears)
        rows << byYear.value(years, PlanRow{years, std::nullopt, std::nullopt, std::nullopt});
    return rows;
}

} // namespace pomiro
