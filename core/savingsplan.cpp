#include "core/savingsplan.h"

#include "core/periodtotal.h"
#include "core/planwalk.h"

#include <limits>

namespace pomiro {

namespace {

constexpr int kMonthsPerYear = 12;
// The rate's unit, tenths of a percent, as a fraction of one: 30 / 1000 is 3.0 %.
constexpr qint64 kRateDenominator = 1000;
constexpr qint64 kTaxDenominator = 100'000;

__extension__ typedef __int128 Wide;

// The plan's value is carried as 12 x V in Amount units, scaled by this: monthly x 12 is the
// yearly total, an exact number of units, and the scale keeps what the monthly interest leaves
// below a unit: its truncation costs less than 10^-17 yen a month, and even what grows from it at
// 20.0 % over 50 years stays below 10^-10 yen.
constexpr Wide kScale = 1'000'000'000'000;

// Whole yen for a non-negative count of `denominator`-ths of a unit, rounded half away from zero.
Wide roundedYen(Wide value, Wide denominator)
{
    const Wide perYen = denominator * Amount::kUnitsPerYen;
    return (value + perYen / 2) / perYen;
}

// Whole yen as an Amount; none beyond its range.
std::optional<Amount> amountOfYen(Wide yen)
{
    if (yen > std::numeric_limits<qint64>::max() / Amount::kUnitsPerYen)
        return std::nullopt;
    return Amount::fromYen(static_cast<qint64>(yen));
}

// What was put aside after `months`, in whole yen, for terms without amounts below zero.
Wide savedYen(const PlanTerms &terms, int months)
{
    return roundedYen(Wide(terms.start.units) * kMonthsPerYear + Wide(terms.yearly.units) * months,
                      kMonthsPerYear);
}

PlanRow planRow(int years, std::optional<Amount> saved, std::optional<Amount> grown)
{
    PlanRow row{years, saved, grown, std::nullopt};
    if (saved && grown)
        row.gain = Amount{grown->units - saved->units};
    return row;
}

PlanTerms untaxedFromNothing(Amount yearly, int rate)
{
    return PlanTerms{yearly, Amount{}, rate, false};
}

// The walk carries the value up to twice the Amount range. What is left after tax is never below
// 79.685 % of the value, so beyond this it is beyond the range after tax too; and the value only
// grows, so it stays beyond. One more month of growth from here stays far within the wide type.
constexpr Wide kCarriedLimit =
    2 * Wide(std::numeric_limits<qint64>::max()) * kMonthsPerYear * kScale;

} // namespace

PlanWalk::PlanWalk(const PlanTerms &terms)
    : m_terms(terms), m_monthly(Wide(terms.yearly.units) * kScale),
      m_growth(kMonthsPerYear * kRateDenominator + terms.rate), // (1 + rate / 12) x 12000
      m_value(Wide(terms.start.units) * kMonthsPerYear * kScale)
{}

void PlanWalk::addMonth()
{
    ++m_months;
    if (!m_carried)
        return;
    m_value = m_value * m_growth / (kMonthsPerYear * kRateDenominator) + m_monthly;
    m_carried = m_value <= kCarriedLimit;
}

std::optional<PlanWalk::Wide> PlanWalk::shownYen() const
{
    if (!m_carried)
        return std::nullopt;
    const Wide held = roundedYen(m_value, kMonthsPerYear * kScale);
    if (!m_terms.taxed)
        return held;
    const Wide gain = held - savedYen(m_terms, m_months);
    if (gain <= 0)
        return held;
    return held - (gain * kTaxRatePerHundredThousand + kTaxDenominator / 2) / kTaxDenominator;
}

std::optional<Amount> PlanWalk::shown() const
{
    const auto yen = shownYen();
    return yen ? amountOfYen(*yen) : std::nullopt;
}

bool PlanWalk::reaches(Amount target) const
{
    const auto yen = shownYen();
    return !yen || *yen * Amount::kUnitsPerYen >= target.units;
}

bool validTerms(const PlanTerms &terms)
{
    return terms.yearly.units >= 0 && terms.start.units >= 0 && terms.rate >= kLowestRate &&
           terms.rate <= kHighestRate;
}

std::optional<Amount> yearlyOf(Amount monthly)
{
    if (monthly.units < 0 || monthly.units > std::numeric_limits<qint64>::max() / kMonthsPerYear)
        return std::nullopt;
    return Amount{monthly.units * kMonthsPerYear};
}

PlanBase planBase(const Entries &chosen)
{
    const PeriodTotal total = periodTotal(chosen, periodOfYears(1));
    return {total.sum, total.overflow, total.leftOut};
}

std::optional<Amount> savedAfter(const PlanTerms &terms, int months)
{
    if (!validTerms(terms) || months < 0)
        return std::nullopt;
    return amountOfYen(savedYen(terms, months));
}

std::optional<Amount> savedAfter(Amount yearly, int months)
{
    return savedAfter(untaxedFromNothing(yearly, kLowestRate), months);
}

std::optional<Amount> grownAfter(const PlanTerms &terms, int months)
{
    if (!validTerms(terms) || months < 0)
        return std::nullopt;
    PlanWalk walk(terms);
    while (walk.months() < months && walk.carried())
        walk.addMonth();
    return walk.shown();
}

std::optional<Amount> grownAfter(Amount yearly, int rate, int months)
{
    return grownAfter(untaxedFromNothing(yearly, rate), months);
}

QList<PlanRow> planByYear(const PlanTerms &terms, int years)
{
    QList<PlanRow> rows;
    if (!validTerms(terms))
        return rows;
    PlanWalk walk(terms);
    for (int year = 0; year <= years; ++year) {
        while (walk.months() < year * kMonthsPerYear)
            walk.addMonth();
        rows << planRow(year, savedAfter(terms, walk.months()), walk.shown());
    }
    return rows;
}

QList<PlanRow> planByYear(Amount yearly, int rate, int years)
{
    return planByYear(untaxedFromNothing(yearly, rate), years);
}

QList<PlanRow> planRows(const PlanTerms &terms)
{
    const QList<PlanRow> byYear = planByYear(terms, kPlanYears.back());
    QList<PlanRow> rows;
    for (const int years : kPlanYears)
        rows << byYear.value(years, PlanRow{years, std::nullopt, std::nullopt, std::nullopt});
    return rows;
}

QList<PlanRow> planRows(Amount yearly, int rate)
{
    return planRows(untaxedFromNothing(yearly, rate));
}

} // namespace pomiro
