#include "core/savingsgoal.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace {

using pomiro::Amount;
using pomiro::GoalError;
using pomiro::grownAfter;
using pomiro::kMaxGoalMonths;
using pomiro::monthlyNeeded;
using pomiro::monthsToReach;
using pomiro::PlanTerms;

constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();

PlanTerms monthly(qint64 monthlyYen, qint64 startYen, int rate, bool taxed)
{
    return {Amount::fromYen(12 * monthlyYen), Amount::fromYen(startYen), rate, taxed};
}

// Whether the plan shows at least `target` after `months`; no figure is beyond the range, above
// every target.
bool reaches(const PlanTerms &terms, int months, Amount target)
{
    const auto shown = grownAfter(terms, months);
    return !shown || *shown >= target;
}

std::string described(const PlanTerms &terms, qint64 targetYen)
{
    return std::to_string(terms.yearly.units) + " units a year from " +
           std::to_string(terms.start.units) + " at " + std::to_string(terms.rate) +
           (terms.taxed ? " taxed" : "") + " to " + std::to_string(targetYen) + " yen";
}

// The first month that reaches `targetYen`, walked in long double with each figure rounded as the
// plan rounds it. It can tell the exact plan apart only by a figure within a millionth of a yen
// of a half.
std::optional<int> firstMonthByFloatingWalk(const PlanTerms &terms, qint64 targetYen)
{
    __extension__ typedef __int128 Wide;
    const long double start = terms.start.units / 10'000.0L;
    const long double perMonth = terms.yearly.units / 120'000.0L;
    long double value = start;
    for (int m = 0; m <= kMaxGoalMonths; ++m) {
        if (m > 0)
            value = value * (1 + terms.rate / 12'000.0L) + perMonth;
        const Wide held = std::llround(value);
        const Wide gain = held - std::llround(start + perMonth * m);
        const Wide tax = terms.taxed && gain > 0 ? (gain * 20'315 + 50'000) / 100'000 : 0;
        if (held - tax >= targetYen)
            return m;
    }
    return std::nullopt;
}

TEST(GoalExamples, AsAUserWorksThemOut)
{
    // clang-format off
    const struct { const char *what; PlanTerms terms; qint64 targetYen; int month; qint64 shownYen; } examples[] = {
        {"182,500 yen a year at 3.0 % first reaches 1,000,000 yen in month 61",
         {Amount{1'825'000'000}, Amount{}, 30, false}, 1'000'000, 61, 1'000'835},
        {"the start alone is there", {Amount{1'825'000'000}, Amount::fromYen(1'000'000), 30, false}, 1'000'000, 0, 1'000'000},
        {"1,000,000 yen gains 10,000 in a month at 12.0 %; the tax of 2,031.5 is rounded up",
         monthly(0, 1'000'000, 120, true), 1'007'968, 1, 1'007'968},
        {"a yen more takes another month: 20,100 gained, 4,083 tax", monthly(0, 1'000'000, 120, true), 1'007'969, 2, 1'016'017},
        {"1 yen a month at no interest makes 600 yen in the last month", monthly(1, 0, 0, true), 600, 600, 600},
    };
    // clang-format on
    for (const auto &c : examples) {
        SCOPED_TRACE(c.what);
        const auto month = monthsToReach(c.terms, Amount::fromYen(c.targetYen));
        ASSERT_TRUE(month.ok());
        EXPECT_EQ(*month, c.month);
        EXPECT_EQ(grownAfter(c.terms, c.month), Amount::fromYen(c.shownYen));
    }
    EXPECT_EQ(pomiro::yearsAndMonths(61).years, 5);
    EXPECT_EQ(pomiro::yearsAndMonths(61).months, 1);
    // 1,000,000 yen in 10 years at 3.0 %: 7,157 yen a month gives 1,000,129 yen, 7,156 999,990.
    const auto needed = monthlyNeeded(Amount{}, 30, false, Amount::fromYen(1'000'000), 10);
    ASSERT_TRUE(needed.ok());
    EXPECT_EQ(*needed, Amount::fromYen(7'157));
    EXPECT_EQ(grownAfter(monthly(7'157, 0, 30, false), 120), Amount::fromYen(1'000'129));
    EXPECT_EQ(grownAfter(monthly(7'156, 0, 30, false), 120), Amount::fromYen(999'990));
}

// For every half percent, with and without a start and tax: the month found reaches the target
// and the one before does not, and it is the month an independent walk finds.
TEST(GoalMonths, FirstMonthThatReachesAtEveryRate)
{
    // yearly units, start yen, target yen
    const qint64 goals[][3] = {{1'825'000'000, 0, 1'000'000},
                               {1'825'000'000, 300'000, 1'000'000},
                               {12'000'000, 0, 1'000'000},
                               {0, 300'000, 1'000'000},
                               {120'000'000'000, 5'000'000, 300'000'000}};
    int reached = 0;
    int outOfReach = 0;
    for (int rate = pomiro::kLowestRate; rate <= pomiro::kHighestRate; rate += 5) {
        for (const auto &[yearly, startYen, targetYen] : goals) {
            for (const bool taxed : {false, true}) {
                const PlanTerms terms{Amount{yearly}, Amount::fromYen(startYen), rate, taxed};
                const Amount target = Amount::fromYen(targetYen);
                SCOPED_TRACE(described(terms, targetYen));
                const auto month = monthsToReach(terms, target);
                const auto expected = firstMonthByFloatingWalk(terms, targetYen);
                ASSERT_EQ(month.ok(), expected.has_value());
                if (!month.ok()) {
                    EXPECT_EQ(month.error(), GoalError::OutOfReach);
                    EXPECT_FALSE(reaches(terms, kMaxGoalMonths, target));
                    ++outOfReach;
                    continue;
                }
                EXPECT_EQ(*month, *expected);
                EXPECT_TRUE(reaches(terms, *month, target));
                EXPECT_TRUE(*month == 0 || !reaches(terms, *month - 1, target));
                ++reached;
            }
        }
    }
    // Both outcomes were met, and more than a few of each.
    EXPECT_GT(reached, 100);
    EXPECT_GT(outOfReach, 20);
}

// For every half percent, with and without a start and tax: the monthly amount found reaches the
// target in the years given and a yen less does not.
TEST(GoalMonthly, SmallestWholeYenThatReachesAtEveryRate)
{
    // start yen, target yen, years
    const qint64 goals[][3] = {{0, 1'000'000, 10},          {300'000, 1'000'000, 10},
                               {0, 50'000'000, 1},          {5'000'000, 2'000'000'000, 50},
                               {300'000, 300'000, 5},       {0, 1, 1},
                               {0, 900'000'000'000'000, 30}};
    int needed = 0;
    for (int rate = pomiro::kLowestRate; rate <= pomiro::kHighestRate; rate += 5) {
        for (const auto &[startYen, targetYen, years] : goals) {
            for (const bool taxed : {false, true}) {
                const Amount target = Amount::fromYen(targetYen);
                SCOPED_TRACE(described(monthly(0, startYen, rate, taxed), targetYen) + " in " +
                             std::to_string(years) + " years");
                const auto amount =
                    monthlyNeeded(Amount::fromYen(startYen), rate, taxed, target, int(years));
                ASSERT_TRUE(amount.ok());
                ASSERT_EQ(amount->units % Amount::kUnitsPerYen, 0);
                const qint64 yen = amount->units / Amount::kUnitsPerYen;
                const int months = int(12 * years);
                EXPECT_TRUE(reaches(monthly(yen, startYen, rate, taxed), months, target));
                EXPECT_EQ(yen == 0, reaches(monthly(0, startYen, rate, taxed), months, target));
                EXPECT_TRUE(yen == 0 ||
                            !reaches(monthly(yen - 1, startYen, rate, taxed), months, target));
                needed += yen > 0;
            }
        }
    }
    EXPECT_GT(needed, 41 * 2 * 5);
}

// Terms the plan does not run on; goals beyond what the plan can do; the top of the range.
TEST(GoalLimits, RefusedOutOfReachAndAtTheTop)
{
    const Amount million = Amount::fromYen(1'000'000);
    for (const PlanTerms &terms :
         {PlanTerms{Amount{-1}, Amount{}, 30, false}, PlanTerms{Amount{1}, Amount{-1}, 30, false},
          PlanTerms{Amount{1}, Amount{}, pomiro::kLowestRate - 1, true},
          PlanTerms{Amount{1}, Amount{}, pomiro::kHighestRate + 1, true}}) {
        EXPECT_EQ(monthsToReach(terms, million).error(), GoalError::BadTerms);
        // The monthly amount's terms have no yearly amount of their own.
        const bool refused = terms.start.units < 0 || terms.rate != 30;
        const auto amount = monthlyNeeded(terms.start, terms.rate, terms.taxed, million, 10);
        EXPECT_TRUE(refused ? amount.error() == GoalError::BadTerms : amount.ok());
    }
    for (const int years : {0, pomiro::kGoalYearsMax + 1})
        EXPECT_EQ(monthlyNeeded(Amount{}, 30, false, million, years).error(), GoalError::BadTerms);
    EXPECT_EQ(monthsToReach({Amount{}, Amount{}, 200, true}, Amount{1}).error(),
              GoalError::OutOfReach);
    EXPECT_EQ(monthsToReach(monthly(1, 0, 0, false), Amount::fromYen(601)).error(),
              GoalError::OutOfReach);
    EXPECT_EQ(*monthsToReach({Amount{}, Amount{}, 0, false}, Amount{}), 0);
    EXPECT_EQ(*monthlyNeeded(Amount{}, 0, true, Amount{-1}, 1), Amount{});

    // At no interest in a year, the most is 12 x the largest monthly amount whose yearly one fits.
    const qint64 topMonthlyYen = kMaxUnits / 12 / Amount::kUnitsPerYen;
    const Amount topYearly = Amount::fromYen(12 * topMonthlyYen);
    EXPECT_EQ(*monthlyNeeded(Amount{}, 0, true, topYearly, 1), Amount::fromYen(topMonthlyYen));
    const Amount fiveMore = Amount::fromYen(12 * topMonthlyYen + 5);
    EXPECT_EQ(*monthlyNeeded(Amount::fromYen(5), 0, true, fiveMore, 1),
              Amount::fromYen(topMonthlyYen));
    const Amount beyond = Amount{topYearly.units + Amount::kUnitsPerYen};
    EXPECT_EQ(monthlyNeeded(Amount{}, 0, false, beyond, 1).error(), GoalError::OutOfReach);

    // 800 trillion yen at 15.0 %, taxed, to the top of the range: the month before shows a figure
    // although the value before tax is beyond the range already.
    const PlanTerms large{Amount{}, Amount::fromYen(800'000'000'000'000), 150, true};
    const Amount top = Amount::fromYen(kMaxUnits / Amount::kUnitsPerYen);
    const auto month = monthsToReach(large, top);
    ASSERT_TRUE(month.ok());
    EXPECT_FALSE(reaches(large, *month - 1, top));
    EXPECT_TRUE(grownAfter(large, *month - 1).has_value());
    EXPECT_FALSE(grownAfter({large.yearly, large.start, 150, false}, *month - 1).has_value());
    EXPECT_FALSE(grownAfter(large, *month).has_value());
}

TEST(GoalCalendar, MonthsAsYearsAndMonthsAndAsACalendarMonth)
{
    for (const QDate from : {QDate(2025, 1, 31), QDate(2024, 2, 29), QDate(2025, 12, 1)}) {
        for (int m = 0; m <= kMaxGoalMonths; ++m) {
            const auto split = pomiro::yearsAndMonths(m);
            EXPECT_TRUE(split.years * 12 + split.months == m && split.months >= 0 &&
                        split.months < 12)
                << m;
            const int index = from.year() * 12 + from.month() - 1 + m;
            EXPECT_EQ(pomiro::monthAfter(from, m), QDate(index / 12, index % 12 + 1, 1)) << m;
        }
    }
    EXPECT_FALSE(pomiro::monthAfter(QDate(), 1).isValid());
}

} // namespace
