#include "core/savingsplan.h"

#include "tests/support/cases.h"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using pomiro::Amount;
using pomiro::Entries;
using pomiro::Entry;
using pomiro::grownAfter;
using pomiro::kPlanYears;
using pomiro::planBase;
using pomiro::planByYear;
using pomiro::planRows;
using pomiro::savedAfter;
using pomiro::testing::Described;
using pomiro::testing::whatName;

constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 kUnitsPerYen = Amount::kUnitsPerYen;

// A natural number of any size in 32-bit limbs, least significant first: just enough to evaluate
// the plan's closed form exactly, where 12,200^360 has some 4,900 bits.
class Natural
{
public:
    Natural(std::uint64_t value = 0)
    {
        for (; value != 0; value >>= 32)
            m_limbs.push_back(static_cast<std::uint32_t>(value));
    }

    friend Natural operator+(const Natural &a, const Natural &b)
    {
        Natural sum;
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < std::max(a.m_limbs.size(), b.m_limbs.size()); ++k) {
            carry += std::uint64_t(a.limb(k)) + b.limb(k);
            sum.m_limbs.push_back(static_cast<std::uint32_t>(carry));
            carry >>= 32;
        }
        if (carry != 0)
            sum.m_limbs.push_back(static_cast<std::uint32_t>(carry));
        return sum;
    }

    // a - b for a >= b.
    friend Natural operator-(const Natural &a, const Natural &b)
    {
        Natural difference;
        std::int64_t borrow = 0;
        for (std::size_t k = 0; k < a.m_limbs.size(); ++k) {
            std::int64_t limb = std::int64_t(a.limb(k)) - b.limb(k) - borrow;
            borrow = limb < 0 ? 1 : 0;
            if (limb < 0)
                limb += std::int64_t(1) << 32;
            difference.m_limbs.push_back(static_cast<std::uint32_t>(limb));
        }
        difference.trim();
        return difference;
    }

    friend Natural operator*(const Natural &a, const Natural &b)
    {
        Natural product;
        product.m_limbs.assign(a.m_limbs.size() + b.m_limbs.size(), 0);
        for (std::size_t j = 0; j < a.m_limbs.size(); ++j) {
            std::uint64_t carry = 0;
            for (std::size_t k = 0; k < b.m_limbs.size(); ++k) {
                carry += std::uint64_t(a.m_limbs[j]) * b.m_limbs[k] + product.m_limbs[j + k];
                product.m_limbs[j + k] = static_cast<std::uint32_t>(carry);
                carry >>= 32;
            }
            product.m_limbs[j + b.m_limbs.size()] = static_cast<std::uint32_t>(carry);
        }
        product.trim();
        return product;
    }

    friend std::strong_ordering operator<=>(const Natural &a, const Natural &b)
    {
        if (a.m_limbs.size() != b.m_limbs.size())
            return a.m_limbs.size() <=> b.m_limbs.size();
        for (std::size_t k = a.m_limbs.size(); k-- > 0;) {
            if (a.m_limbs[k] != b.m_limbs[k])
                return a.m_limbs[k] <=> b.m_limbs[k];
        }
        return std::strong_ordering::equal;
    }

    friend bool operator==(const Natural &a, const Natural &b) = default;

private:
    std::uint32_t limb(std::size_t k) const { return k < m_limbs.size() ? m_limbs[k] : 0; }

    void trim()
    {
        while (!m_limbs.empty() && m_limbs.back() == 0)
            m_limbs.pop_back();
    }

    std::vector<std::uint32_t> m_limbs; // no zero limb at the top: zero is empty
};

Natural power(std::uint64_t base, int exponent)
{
    Natural result = 1;
    for (int k = 0; k < exponent; ++k)
        result = result * base;
    return result;
}

// A figure of the plan for one yearly total as numerator x yearly units / denominator, in yen.
struct Fraction
{
    Natural numerator;   // times the yearly total in units
    Natural denominator; // already in yen: units per yen included
};

// Whole yen for the fraction, half away from zero (all figures here are positive): the largest q
// with q x 2d <= 2n + d, found by bisection on exact products. None from 2^62 yen.
std::optional<qint64> roundedYen(const Fraction &figure, qint64 yearlyUnits)
{
    const Natural twoN = figure.numerator * Natural(2 * std::uint64_t(yearlyUnits));
    const Natural twoD = figure.denominator * Natural(2);
    const Natural target = twoN + figure.denominator;
    // Beyond 2^62 yen is far beyond the range anyway; the bisection stays in 64 bits below it.
    constexpr std::uint64_t kCap = std::uint64_t(1) << 62;
    if (Natural(kCap) * twoD <= target)
        return std::nullopt;
    std::uint64_t low = 0; // low x 2d <= target < high x 2d
    std::uint64_t high = kCap;
    while (high - low > 1) {
        const std::uint64_t middle = low + (high - low) / 2;
        if (Natural(middle) * twoD <= target)
            low = middle;
        else
            high = middle;
    }
    return static_cast<qint64>(low);
}

// The same, none when the yen leave the Amount range.
std::optional<qint64> wholeYen(const Fraction &figure, qint64 yearlyUnits)
{
    const auto yen = roundedYen(figure, yearlyUnits);
    if (yen && *yen > kMaxUnits / kUnitsPerYen)
        return std::nullopt;
    return yen;
}

// What was put aside after `months`: yearly x months / 12.
Fraction savedFraction(int months)
{
    return {Natural(std::uint64_t(months)), Natural(12 * kUnitsPerYen)};
}

// The plan's value after `months`, from the closed form of the sum instead of month by month:
//   V(m) = c((1 + i)^m - 1) / i,  c = Y / 12,  i = r / 12,000
//        = Y (G^m - B^m) / (12 r B^(m-1)),  G = 12,000 + r,  B = 12,000.
// At rate 0 it is the sum of the monthly amounts, Y m / 12.
Fraction grownFraction(int rate, int months)
{
    if (rate == 0 || months == 0)
        return savedFraction(months);
    constexpr std::uint64_t kBase = 12'000;
    const std::uint64_t growth = kBase + std::uint64_t(rate);
    return {power(growth, months) - power(kBase, months),
            power(kBase, months - 1) * Natural(12 * std::uint64_t(rate) * kUnitsPerYen)};
}

// The value of a plan with a start, from the closed form as one fraction in yen, for yearlyUnits 1:
//   V(m) = S G^m / B^m + 1,000 Y (G^m - B^m) / (r B^m),  at rate 0 S + Y m / 12.
Fraction grownWithStart(qint64 yearly, qint64 start, int rate, int months)
{
    if (rate == 0)
        return {Natural(12) * Natural(start) + Natural(yearly) * Natural(months),
                Natural(12 * kUnitsPerYen)};
    const Natural growth = power(12'000 + std::uint64_t(rate), months);
    const Natural base = power(12'000, months);
    return {Natural(start) * Natural(rate) * growth +
                Natural(1'000) * Natural(yearly) * (growth - base),
            base * Natural(std::uint64_t(rate) * kUnitsPerYen)};
}

// Whether the figure lies within two billionths of a yen of a half, where a plan that loses
// precision month by month would round the other way.
bool nearAHalf(const Fraction &figure, qint64 yearlyUnits)
{
    const auto yen = wholeYen(figure, yearlyUnits);
    if (!yen)
        return false;
    // 2n + d = q x 2d + rest: the figure is q - 1/2 + rest / 2d, between the halves around q.
    const Natural twoD = figure.denominator * Natural(2);
    const Natural rest = figure.numerator * Natural(2 * std::uint64_t(yearlyUnits)) +
                         figure.denominator - Natural(std::uint64_t(*yen)) * twoD;
    const Natural billion = 1'000'000'000;
    return rest * billion < twoD * Natural(2) || (twoD - rest) * billion < twoD * Natural(2);
}

std::optional<qint64> expectedUnits(const Fraction &figure, qint64 yearlyUnits)
{
    const auto yen = wholeYen(figure, yearlyUnits);
    return yen ? std::optional<qint64>(*yen * kUnitsPerYen) : std::nullopt;
}

std::optional<qint64> unitsOf(std::optional<Amount> amount)
{
    return amount ? std::optional<qint64>(amount->units) : std::nullopt;
}

// "182500.0000 yen a year (1825000000 units) at 3.0 %": what a failure names.
std::string described(qint64 yearlyUnits, int rate)
{
    return std::to_string(yearlyUnits / kUnitsPerYen) + "." +
           std::to_string(yearlyUnits % kUnitsPerYen + kUnitsPerYen).substr(1) + " yen a year (" +
           std::to_string(yearlyUnits) + " units) at " + std::to_string(rate / 10) + "." +
           std::to_string(rate % 10) + " %";
}

// A row of the plan, after `years`, against the closed form.
void expectRowMatchesClosedForm(const pomiro::PlanRow &row, int years, qint64 yearlyUnits, int rate)
{
    const int months = 12 * years;
    const std::string where = described(yearlyUnits, rate) + ", " + std::to_string(years) +
                              (years == 1 ? " year" : " years");
    EXPECT_EQ(row.years, years) << where;
    const auto saved = expectedUnits(savedFraction(months), yearlyUnits);
    const auto grown = expectedUnits(grownFraction(rate, months), yearlyUnits);
    EXPECT_EQ(unitsOf(row.saved), saved) << where;
    EXPECT_EQ(unitsOf(row.grown), grown) << where;
    const auto gain = saved && grown ? std::optional<qint64>(*grown - *saved) : std::nullopt;
    EXPECT_EQ(unitsOf(row.gain), gain) << where;
}

// Every figure of planRows against the closed form; the number of rows compared.
int expectRowsMatchClosedForm(qint64 yearlyUnits, int rate)
{
    const auto rows = planRows(Amount{yearlyUnits}, rate);
    EXPECT_EQ(rows.size(), qsizetype(kPlanYears.size())) << described(yearlyUnits, rate);
    int compared = 0;
    for (qsizetype k = 0; k < rows.size() && k < qsizetype(kPlanYears.size()); ++k) {
        expectRowMatchesClosedForm(rows[k], kPlanYears[std::size_t(k)], yearlyUnits, rate);
        ++compared;
    }
    return compared;
}

// Yearly totals from 1 yen to 10,000,000 yen a month, with monthly amounts that are not whole yen
// and yearly totals with fractions of a yen.
// clang-format off
constexpr qint64 kYearlyUnits[] = {
        120'000,           // 1 yen a month
        120'001,           // and 1/10,000 yen a year
        130'000,           // 13 yen: 1.0833... a month
        12'505'000,        // 1,250.5 yen
        1'234'567'891,     // 123,456.7891 yen
        1'825'000'000,     // 182,500 yen: 15,208.33... a month
        1'825'000'001,
        36'000'000'000,    // 3,600,000 yen
        99'999'999'999,    // 9,999,999.9999 yen
        500'000'000'007,   // 50,000,000.0007 yen
        1'199'999'999'999, // just below
        1'200'000'000'000, // 10,000,000 yen a month
};
// clang-format on

class PlanMatchesClosedForm : public ::testing::TestWithParam<int>
{};

TEST_P(PlanMatchesClosedForm, ToTheYenForEveryAmountAndYear)
{
    const int rate = GetParam();
    int compared = 0;
    for (const qint64 yearly : kYearlyUnits)
        compared += expectRowsMatchClosedForm(yearly, rate);
    // Every amount and every year was compared, none passed over.
    EXPECT_EQ(compared, int(std::size(kYearlyUnits) * kPlanYears.size()));
}

INSTANTIATE_TEST_SUITE_P(EveryHalfPercent, PlanMatchesClosedForm,
                         ::testing::Range(pomiro::kLowestRate, pomiro::kHighestRate + 1, 5),
                         [](const auto &info) {
                             return "Rate" + std::to_string(info.param / 10) + "Point" +
                                    std::to_string(info.param % 10);
                         });

// The reference itself, on figures worked out by hand, so that a fault in it cannot hide one in
// the plan.
TEST(ClosedFormReference, GivesHandWorkedFigures)
{
    // 1,200 yen a year at 12.0 % (1 % a month) for 2 months: 100 + 101 = 201 yen.
    EXPECT_EQ(wholeYen(grownFraction(120, 2), 12'000'000), 201);
    // 3 months: 100 + 101 + 102.01 = 303.01 yen.
    EXPECT_EQ(wholeYen(grownFraction(120, 3), 12'000'000), 303);
    // 0.5 yen a year for 12 months is a tie: away from zero.
    EXPECT_EQ(wholeYen(savedFraction(12), 5'000), 1);
    EXPECT_EQ(wholeYen(savedFraction(12), 4'999), 0);
    EXPECT_EQ(wholeYen(savedFraction(12), kMaxUnits), std::nullopt);
    EXPECT_EQ(wholeYen(savedFraction(12), 9'223'372'036'854'774'999), 922'337'203'685'477);
}

// The near halves below are what they say, so that they keep testing the plan's precision.
TEST(ClosedFormReference, NearHalvesLieWithinTwoBillionthsOfAYen)
{
    EXPECT_TRUE(nearAHalf(grownFraction(200, 360), 62'709'010));
    EXPECT_TRUE(nearAHalf(grownFraction(200, 360), 821'660'577));
    EXPECT_TRUE(nearAHalf(grownFraction(30, 120), 936'708'823));
    EXPECT_TRUE(nearAHalf(grownFraction(30, 120), 563'423'648));
    EXPECT_FALSE(nearAHalf(grownFraction(30, 360), 1'825'000'000));
    EXPECT_TRUE(nearAHalf(savedFraction(12), 5'000)); // an exact tie
}

struct PlanExample : Described
{
    qint64 yearlyUnits;
    int rate;
    int years;
    qint64 savedYen;
    qint64 grownYen;
};

class PlanExamples : public ::testing::TestWithParam<PlanExample>
{};

TEST_P(PlanExamples, ShowTheseFigures)
{
    const PlanExample &c = GetParam();
    const auto rows = planRows(Amount{c.yearlyUnits}, c.rate);
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const pomiro::PlanRow &r) { return r.years == c.years; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(unitsOf(row->saved), c.savedYen * kUnitsPerYen);
    EXPECT_EQ(unitsOf(row->grown), c.grownYen * kUnitsPerYen);
    EXPECT_EQ(unitsOf(row->gain), (c.grownYen - c.savedYen) * kUnitsPerYen);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AtThreePercent, PlanExamples, ::testing::Values(
        PlanExample{{"182,500 yen after 1 year"}, 1'825'000'000, 30, 1, 182'500, 185'030},
        PlanExample{{"182,500 yen after 10 years"}, 1'825'000'000, 30, 10, 1'825'000, 2'125'234},
        PlanExample{{"182,500 yen after 30 years"}, 1'825'000'000, 30, 30, 5'475'000, 8'862'457}),
    whatName);
// clang-format on

// Figures a billionth or two of a yen from a half: they round the right way only when the plan
// keeps well below that month after month.
// clang-format off
INSTANTIATE_TEST_SUITE_P(NearAHalf, PlanExamples, ::testing::Values(
        PlanExample{{"just above a half at 20.0 % after 30 years"}, 62'709'010, 200, 30, 188'127, 12'007'646},
        PlanExample{{"just below a half at 20.0 % after 30 years"}, 821'660'577, 200, 30, 2'464'982, 157'333'195},
        PlanExample{{"just above a half at 3.0 % after 10 years"}, 936'708'823, 30, 10, 936'709, 1'090'809},
        PlanExample{{"just below a half at 3.0 % after 10 years"}, 563'423'648, 30, 10, 563'424, 656'113}),
    whatName);
// clang-format on

// Without interest the plan holds what was put aside; halves go up, as everywhere.
// clang-format off
INSTANTIATE_TEST_SUITE_P(AtNoInterest, PlanExamples, ::testing::Values(
        PlanExample{{"182,500 yen after 30 years"}, 1'825'000'000, 0, 30, 5'475'000, 5'475'000},
        PlanExample{{"1,250.5 yen after 1 year, a tie"}, 12'505'000, 0, 1, 1'251, 1'251},
        PlanExample{{"1,250.5 yen after 3 years, a tie"}, 12'505'000, 0, 3, 3'752, 3'752},
        PlanExample{{"1,250.5 yen after 5 years, a tie"}, 12'505'000, 0, 5, 6'253, 6'253},
        PlanExample{{"1,250.5 yen after 10 years"}, 12'505'000, 0, 10, 12'505, 12'505},
        PlanExample{{"1,250.5 yen after 30 years"}, 12'505'000, 0, 30, 37'515, 37'515},
        PlanExample{{"half a yen after 1 year, a tie"}, 5'000, 0, 1, 1, 1},
        PlanExample{{"just under half a yen after 1 year"}, 4'999, 0, 1, 0, 0},
        PlanExample{{"just under half a yen after 3 years"}, 4'999, 0, 3, 1, 1}),
    whatName);
// clang-format on

TEST(PlanAtNoInterest, GrownIsSavedForEveryYear)
{
    // Monthly amounts that are not whole yen, and ties at .5 yen in some years but not others.
    for (const qint64 yearly : {qint64(1), qint64(5'000), qint64(15'000), qint64(12'505'000),
                                qint64(1'825'000'001), qint64(12'345'678'901)}) {
        for (const auto &row : planRows(Amount{yearly}, 0)) {
            const std::string where = described(yearly, 0) + ", " + std::to_string(row.years);
            ASSERT_TRUE(row.saved && row.grown && row.gain) << where;
            EXPECT_EQ(row.grown->units, row.saved->units) << where;
            EXPECT_EQ(row.gain->units, 0) << where;
        }
    }
}

// 10^14 yen a year fits for 5 years, not for 10.
constexpr qint64 kHugeYearly = 100'000'000'000'000 * kUnitsPerYen;

TEST(PlanRange, RowsBeyondTheRangeHaveNoFigures)
{
    const auto rows = planRows(Amount{kHugeYearly}, 30);
    ASSERT_EQ(rows.size(), qsizetype(kPlanYears.size()));
    for (const auto &row : rows) {
        const bool fits = row.years <= 5;
        EXPECT_EQ(row.saved.has_value(), fits) << row.years;
        EXPECT_EQ(row.grown.has_value(), fits) << row.years;
        EXPECT_EQ(row.gain.has_value(), fits) << row.years;
    }
    EXPECT_EQ(unitsOf(rows.front().saved), kHugeYearly);
    expectRowsMatchClosedForm(kHugeYearly, 30);
}

TEST(PlanRange, GainHasNoFigureWhereGrownHasNone)
{
    // 8 x 10^13 yen a year: 10 years put aside fit, what they grow to at 20.0 % does not.
    constexpr qint64 yearly = 80'000'000'000'000 * kUnitsPerYen;
    const auto rows = planRows(Amount{yearly}, 200);
    ASSERT_EQ(rows.size(), qsizetype(kPlanYears.size()));
    EXPECT_TRUE(rows[2].grown.has_value()); // 5 years
    EXPECT_TRUE(rows[3].saved.has_value()); // 10 years
    EXPECT_FALSE(rows[3].grown.has_value());
    EXPECT_FALSE(rows[3].gain.has_value());
    expectRowsMatchClosedForm(yearly, 200);
}

TEST(PlanRange, RoundingToTheYenCanLeaveTheRange)
{
    // The top whole yen is 922,337,203,685,477; half a yen more rounds past it.
    constexpr qint64 lastToFit = 9'223'372'036'854'774'999;
    const Amount top = Amount::fromYen(922'337'203'685'477);
    EXPECT_EQ(unitsOf(savedAfter(Amount{lastToFit}, 12)), top.units);
    EXPECT_EQ(unitsOf(grownAfter(Amount{lastToFit}, 0, 12)), top.units);
    EXPECT_EQ(unitsOf(savedAfter(Amount{lastToFit + 1}, 12)), std::nullopt);
    EXPECT_EQ(unitsOf(grownAfter(Amount{lastToFit + 1}, 0, 12)), std::nullopt);
}

TEST(PlanRange, TheLargestAmountHasNoFiguresAndNoOverflow)
{
    const Amount largest{kMaxUnits};
    for (const int rate : {pomiro::kLowestRate, 30, pomiro::kHighestRate}) {
        const auto rows = planRows(largest, rate);
        ASSERT_EQ(rows.size(), qsizetype(kPlanYears.size()));
        for (const auto &row : rows) {
            // Even one year rounds to 922,337,203,685,478 yen.
            EXPECT_FALSE(row.saved || row.grown || row.gain) << rate << " " << row.years;
        }
        // A month or eleven of it still fit.
        EXPECT_EQ(unitsOf(grownAfter(largest, rate, 1)),
                  expectedUnits(grownFraction(rate, 1), kMaxUnits));
        EXPECT_TRUE(grownAfter(largest, rate, 1).has_value());
    }
    EXPECT_EQ(unitsOf(savedAfter(largest, 11)), expectedUnits(savedFraction(11), kMaxUnits));
    EXPECT_TRUE(savedAfter(largest, 11).has_value());
    EXPECT_EQ(unitsOf(savedAfter(largest, 360)), std::nullopt);
    EXPECT_EQ(unitsOf(grownAfter(largest, pomiro::kHighestRate, 360)), std::nullopt);
}

TEST(PlanRange, AThousandYearsLeaveTheRangeWithoutOverflow)
{
    // Far past the plan's 30 years the value would outgrow any fixed width; it stays none.
    for (const qint64 yearly : {qint64(1), kMaxUnits}) {
        EXPECT_EQ(unitsOf(grownAfter(Amount{yearly}, pomiro::kHighestRate, 12'000)), std::nullopt)
            << yearly;
    }
    EXPECT_EQ(unitsOf(grownAfter(Amount{kMaxUnits}, 5, 12'000)), std::nullopt);
}

TEST(PlanRange, NoMonthsPutNothingAside)
{
    EXPECT_EQ(unitsOf(savedAfter(Amount{kMaxUnits}, 0)), 0);
    EXPECT_EQ(unitsOf(grownAfter(Amount{kMaxUnits}, pomiro::kHighestRate, 0)), 0);
    EXPECT_EQ(unitsOf(grownAfter(Amount{1'825'000'000}, 30, 0)), 0);
}

// The plan year by year, as the chart draws it: every year from none to the plan's last against
// the closed form, and the table's rows the same figures. For the large totals both figures leave
// the range part way through the plan, what it holds first.
TEST(PlanByYear, EveryYearMatchesTheClosedFormAndTheTable)
{
    const int last = kPlanYears.back();
    const std::pair<qint64, int> totals[] = {
        {1'825'000'000, 30}, {1, 200},
        {12'505'000, 0},     {0, 30},
        {kHugeYearly, 30},   {80'000'000'000'000 * kUnitsPerYen, 200},
        {kMaxUnits, 200}};
    for (const auto &[yearly, rate] : totals) {
        const auto rows = planByYear(Amount{yearly}, rate, last);
        ASSERT_EQ(rows.size(), last + 1) << described(yearly, rate);
        for (int years = 0; years <= last; ++years)
            expectRowMatchesClosedForm(rows[years], years, yearly, rate);
        for (const auto &row : planRows(Amount{yearly}, rate)) {
            EXPECT_EQ(unitsOf(row.saved), unitsOf(rows[row.years].saved)) << row.years;
            EXPECT_EQ(unitsOf(row.grown), unitsOf(rows[row.years].grown)) << row.years;
        }
    }
}

TEST(PlanByYearRange, NothingBelowZero)
{
    EXPECT_TRUE(planByYear(Amount{-1}, 30, kPlanYears.back()).isEmpty());
    EXPECT_TRUE(planByYear(Amount{1'825'000'000}, -1, kPlanYears.back()).isEmpty());
    const auto none = planByYear(Amount{1'825'000'000}, 30, 0);
    ASSERT_EQ(none.size(), 1);
    EXPECT_EQ(unitsOf(none[0].grown), 0);
}

// With a start, taxed or not, against the closed form; the tax is on the difference of the value
// and what was put aside, each in whole yen, and rounded half away from zero.
TEST(PlanWithStart, MatchesTheClosedFormTaxedOrNot)
{
    __extension__ typedef __int128 Wide;
    // Yearly and start in units; the last is beyond the range after a year at 15.0 % before tax.
    const std::pair<qint64, qint64> plans[] = {{1'825'000'000, 0},
                                               {1'825'000'000, 3'000'000'005},
                                               {0, 12'345'678'901},
                                               {7, 5'000},
                                               {0, 800'000'000'000'000 * kUnitsPerYen}};
    const auto units = [](Wide yen) {
        return yen <= kMaxUnits / kUnitsPerYen ? std::optional<qint64>(yen * kUnitsPerYen)
                                               : std::nullopt;
    };
    for (int rate = pomiro::kLowestRate; rate <= pomiro::kHighestRate; rate += 5) {
        for (const auto &[yearly, start] : plans) {
            for (const int m : {12, 36, 60, 120, 240, 360, 61}) { // the table's years, and one more
                const Wide saved =
                    *roundedYen({Natural(12) * Natural(start) + Natural(yearly) * Natural(m),
                                 Natural(12 * kUnitsPerYen)},
                                1);
                const auto held = roundedYen(grownWithStart(yearly, start, rate, m), 1);
                for (const bool taxed : {false, true}) {
                    SCOPED_TRACE(described(yearly, rate) + " from " + std::to_string(start) +
                                 ", months " + std::to_string(m) + (taxed ? " taxed" : ""));
                    const Wide gain = held ? *held - saved : 0;
                    const Wide tax = taxed && gain > 0 ? (gain * 20'315 + 50'000) / 100'000 : 0;
                    const auto shown = held ? units(*held - tax) : std::nullopt;
                    const pomiro::PlanTerms terms{Amount{yearly}, Amount{start}, rate, taxed};
                    EXPECT_EQ(unitsOf(savedAfter(terms, m)), units(saved));
                    EXPECT_EQ(unitsOf(pomiro::grownAfter(terms, m)), shown);
                    if (m % 12 == 0) {
                        EXPECT_EQ(unitsOf(planByYear(terms, m / 12).back().grown), shown);
                    }
                }
            }
        }
    }
    // The last plan is there for this: within the range after tax only.
    const pomiro::PlanTerms large{Amount{}, Amount{plans[4].second}, 150, true};
    EXPECT_TRUE(planRows(large).front().grown && !planRows({{}, large.start, 150}).front().grown);
}

// An entry with the １年 text `year`. The other periods hold texts that would change the total if
// they were counted.
Entry entryWithYear(const QString &name, const QString &year)
{
    Entry entry{name, {}};
    for (int period = 0; period < pomiro::kPeriodCount; ++period)
        entry.amount(period) = period % 2 == 0 ? u"\\99,999,999,999,999,999,999"_s : u"abc"_s;
    entry.amount(4) = year;
    return entry;
}

struct BaseCase : Described
{
    QList<std::pair<QString, QString>> entries; // name, １年 text
    bool overflow;
    std::optional<qint64> yearlyUnits; // none: no total to check, it overflowed
    QStringList leftOut;
    bool hasSaving;
};

class PlanBaseOf : public ::testing::TestWithParam<BaseCase>
{};

TEST_P(PlanBaseOf, TheYearTotal)
{
    const BaseCase &c = GetParam();
    Entries entries;
    for (const auto &[name, text] : c.entries)
        entries << entryWithYear(name, text);
    const auto base = planBase(entries);
    EXPECT_EQ(base.overflow, c.overflow);
    if (c.yearlyUnits) {
        EXPECT_EQ(base.yearly.units, *c.yearlyUnits);
    }
    EXPECT_EQ(base.leftOut, c.leftOut);
    EXPECT_EQ(base.hasSaving(), c.hasSaving);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Totals, PlanBaseOf, ::testing::Values(
        BaseCase{{"no entries"}, {}, false, 0, {}, false},
        BaseCase{{"zero texts alone"},
                 {{u"a"_s, u""_s}, {u"b"_s, u"\\"_s}, {u"c"_s, u" \\\t"_s}, {u"d"_s, u"　\\"_s}},
                 false, 0, {}, false},
        BaseCase{{"zero texts beside amounts"},
                 {{u"a"_s, u""_s}, {u"b"_s, u"\\182,500"_s}, {u"c"_s, u"\\"_s}, {u"d"_s, u"1250.5"_s}},
                 false, 1'837'505'000, {}, true},
        BaseCase{{"one unreadable text left out"},
                 {{u"家賃"_s, u"\\1,000"_s}, {u"ジム"_s, u"abc"_s}, {u"本"_s, u"\\500"_s}},
                 false, 15'000'000, {u"ジム"_s}, true},
        BaseCase{{"blanks alone are unreadable"},
                 {{u"a"_s, u"   "_s}, {u"b"_s, u"\\7"_s}}, false, 70'000, {u"a"_s}, true},
        BaseCase{{"unreadable texts named in entry order"},
                 {{u"z"_s, u"x1"_s}, {u"a"_s, u"\\3"_s}, {u"m"_s, u"1.2.3"_s}},
                 false, 30'000, {u"z"_s, u"m"_s}, true},
        BaseCase{{"only unreadable texts"}, {{u"a"_s, u"abc"_s}}, false, 0, {u"a"_s}, false},
        BaseCase{{"a negative total"},
                 {{u"a"_s, u"\\-3,500"_s}, {u"b"_s, u"\\1,000"_s}}, false, -25'000'000, {}, false},
        BaseCase{{"amounts that cancel"},
                 {{u"a"_s, u"\\500"_s}, {u"b"_s, u"\\-500"_s}}, false, 0, {}, false},
        BaseCase{{"a fraction of a yen"}, {{u"a"_s, u"0.0001"_s}}, false, 1, {}, true},
        BaseCase{{"a sum at the top of the range"},
                 {{u"a"_s, u"\\922,337,203,685,477"_s}, {u"b"_s, u"0.5807"_s}},
                 false, kMaxUnits, {}, true}),
    whatName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Overflow, PlanBaseOf, ::testing::Values(
        BaseCase{{"an out of range text"},
                 {{u"a"_s, u"\\1,000"_s}, {u"b"_s, u"\\99,999,999,999,999,999,999"_s}},
                 true, std::nullopt, {}, false},
        BaseCase{{"an out of range text first"},
                 {{u"a"_s, u"\\99,999,999,999,999,999,999"_s}, {u"b"_s, u"\\1,000"_s}},
                 true, std::nullopt, {}, false},
        BaseCase{{"a sum past the top"},
                 {{u"a"_s, u"\\900,000,000,000,000"_s}, {u"b"_s, u"\\900,000,000,000,000"_s}},
                 true, std::nullopt, {}, false},
        BaseCase{{"a sum one unit past the top"},
                 {{u"a"_s, u"\\922,337,203,685,477"_s}, {u"b"_s, u"0.5808"_s}},
                 true, std::nullopt, {}, false},
        BaseCase{{"a sum past the bottom"},
                 {{u"a"_s, u"\\-900,000,000,000,000"_s}, {u"b"_s, u"\\-900,000,000,000,000"_s}},
                 true, std::nullopt, {}, false},
        // A later amount that would bring the sum back does not: there is no total any more.
        BaseCase{{"a sum past the top and back"},
                 {{u"a"_s, u"\\900,000,000,000,000"_s}, {u"b"_s, u"\\900,000,000,000,000"_s},
                  {u"c"_s, u"\\-900,000,000,000,000"_s}},
                 true, std::nullopt, {}, false}),
    whatName);
// clang-format on

} // namespace
