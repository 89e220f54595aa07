#include "core/savingsgoal.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

using namespace pomiro;

constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 kTopYen = kMaxUnits / Amount::kUnitsPerYen;

PlanTerms monthly(qint64 monthlyYen, qint64 startYen, int rate, bool taxed)
{
    return {Amount::fromYen(12 * monthlyYen), Amount::fromYen(startYen), rate, taxed};
}

// Whether the plan shows at least `target` after `months`; no figure is beyond the range.
bool reaches(const PlanTerms &terms, int months, Amount target)
{
    const auto shown = grownAfter(terms, months);
    return !shown || *shown >= target;
}

// The first month that reaches `targetYen`, walked in long double with the figures rounded as the
// plan rounds them: only a figure within a millionth of a yen of a half could tell it apart.
std::optional<int> firstMonthByFloatingWalk(const PlanTerms &t, qint64 targetYen)
{
    __extension__ typedef __int128 Wide;
    const long double start = t.start.units / 1e4L;
    const long double perMonth = t.yearly.units / 12e4L;
    long double value = start;
    for (int m = 0; m <= kMaxGoalMonths; ++m, value = value * (1 + t.rate / 12e3L) + perMonth) {
        const Wide held = std::llround(value);
        const Wide gain = held - std::llround(start + perMonth * m);
        if (held - (t.taxed && gain > 0 ? (gain * 20'315 + 50'000) / 100'000 : 0) >= targetYen)
            return m;
    }
    return std::nullopt;
}

TEST(GoalExamples, AsAUserWorksThemOut)
{
    const struct
    {
        PlanTerms terms;
        qint64 targetYen;
        int month;
        qint64 shownYen;
    } examples[] = {
        {{Amount{1'825'000'000}, {}, 30, false}, 1'000'000, 61, 1'000'835}, // 182,500 yen a year
        {{Amount{1'825'000'000}, Amount::fromYen(1'000'000), 30, false}, 1'000'000, 0, 1'000'000},
        {monthly(0, 1'000'000, 120, true), 1'007'968, 1, 1'007'968}, // a tax of 2,031.5 on 10,000
        {monthly(0, 1'000'000, 120, true), 1'007'969, 2, 1'016'017}, // 4,083 on 20,100
        {monthly(1, 0, 0, false), 600, 600, 600}};
    for (const auto &c : examples) {
        const auto month = monthsToReach(c.terms, Amount::fromYen(c.targetYen));
        EXPECT_TRUE(month.ok() && *month == c.month) << c.targetYen;
        EXPECT_EQ(grownAfter(c.terms, c.month), Amount::fromYen(c.shownYen)) << c.targetYen;
    }
    const auto [years, months] = yearsAndMonths(61);
    EXPECT_TRUE(years == 5 && months == 1);
    // 1,000,000 yen in 10 years at 3.0 %: 7,157 yen a month make 1,000,129 yen, 7,156 999,990.
    const auto needed = monthlyNeeded({}, 30, false, Amount::fromYen(1'000'000), 10);
    EXPECT_TRUE(needed.ok() && *needed == Amount::fromYen(7'157));
    EXPECT_EQ(grownAfter(monthly(7'157, 0, 30, false), 120), Amount::fromYen(1'000'129));
    EXPECT_EQ(grownAfter(monthly(7'156, 0, 30, false), 120), Amount::fromYen(999'990));
}

// At every half percent, with and without a start and tax, the month found reaches the target, the
// one before does not, and an independent walk finds it too; none only if month 600 falls short.
TEST(GoalMonths, FirstMonthThatReachesAtEveryRate)
{
    const qint64 goals[][3] = {// yearly units, start yen, target yen
                               {1'825'000'000, 0, 1'000'000},
                               {1'825'000'000, 300'000, 1'000'000},
                               {12'000'000, 0, 1'000'000},
                               {0, 300'000, 1'000'000},
                               {120'000'000'000, 5'000'000, 300'000'000}};
    int outcomes[2] = {};
    for (int rate = kLowestRate; rate <= kHighestRate; rate += 5) {
        for (const auto &[yearly, startYen, targetYen] : goals) {
            for (const bool taxed : {false, true}) {
                const PlanTerms terms{Amount{yearly}, Amount::fromYen(startYen), rate, taxed};
                const Amount target = Amount::fromYen(targetYen);
                SCOPED_TRACE(::testing::Message() << yearly << " " << startYen << " " << rate << " "
                                                  << taxed << " " << targetYen);
                const auto month = monthsToReach(terms, target);
                ++outcomes[month.ok()];
                EXPECT_EQ(month.ok() ? std::optional<int>(*month) : std::nullopt,
                          firstMonthByFloatingWalk(terms, targetYen));
                EXPECT_TRUE(month.ok() ? reaches(terms, *month, target) &&
                                             (*month == 0 || !reaches(terms, *month - 1, target))
                                       : month.error() == GoalError::OutOfReach &&
                                             !reaches(terms, kMaxGoalMonths, target));
            }
        }
    }
    EXPECT_TRUE(outcomes[0] > 20 && outcomes[1] > 100);
}

// At every half percent, with and without a start and tax, the monthly amount found reaches the
// target in the years given and a yen less does not.
TEST(GoalMonthly, SmallestWholeYenThatReachesAtEveryRate)
{
    const qint64 goals[][3] = {// start yen, target yen, years
                               {0, 1'000'000, 10},          {300'000, 1'000'000, 10},
                               {0, 50'000'000, 1},          {5'000'000, 2'000'000'000, 50},
                               {300'000, 300'000, 5},       {0, 1, 1},
                               {0, 900'000'000'000'000, 30}};
    for (int rate = kLowestRate; rate <= kHighestRate; rate += 5) {
        for (const auto &[startYen, targetYen, years] : goals) {
            for (const bool taxed : {false, true}) {
                SCOPED_TRACE(::testing::Message() << startYen << " " << rate << " " << taxed << " "
                                                  << targetYen << " " << years);
                const Amount target = Amount::fromYen(targetYen);
                const auto found =
                    monthlyNeeded(Amount::fromYen(startYen), rate, taxed, target, int(years));
                ASSERT_TRUE(found.ok() && found->units % Amount::kUnitsPerYen == 0);
                const qint64 yen = found->units / Amount::kUnitsPerYen;
                const auto with = [&](qint64 m) {
                    return reaches(monthly(m, startYen, rate, taxed), int(12 * years), target);
                };
                EXPECT_TRUE(yen >= 0 && with(yen) && (yen == 0 || !with(yen - 1)));
            }
        }
    }
}

// Terms the plan does not run on; goals beyond what the plan can do; the top of the range.
TEST(GoalLimits, RefusedOutOfReachAndAtTheTop)
{
    const Amount million = Amount::fromYen(1'000'000);
    for (const PlanTerms &t : {PlanTerms{Amount{-1}, {}, 30, false}, PlanTerms{{}, Amount{-1}},
                               PlanTerms{{}, {}, kLowestRate - 1}, PlanTerms{{}, {}, 201, true}}) {
        EXPECT_TRUE(!validTerms(t) && !savedAfter(t, 12) && !grownAfter(t, 12) &&
                    planByYear(t, 30).isEmpty());
        EXPECT_EQ(monthsToReach(t, million).error(), GoalError::BadTerms);
        // A monthly amount's terms have no yearly amount of their own.
        const auto found = monthlyNeeded(t.start, t.rate, t.taxed, million, 10);
        EXPECT_EQ(found.ok(), t.yearly.units < 0);
    }
    for (const int years : {0, kGoalYearsMax + 1})
        EXPECT_EQ(monthlyNeeded({}, 30, false, million, years).error(), GoalError::BadTerms);
    EXPECT_EQ(monthsToReach({{}, {}, 200, true}, Amount{1}).error(), GoalError::OutOfReach);
    EXPECT_EQ(monthsToReach(monthly(1, 0, 0, false), Amount::fromYen(601)).error(),
              GoalError::OutOfReach);
    EXPECT_EQ(*monthlyNeeded({}, 0, true, Amount{-1}, 1), Amount{});

    // At no interest for a year, the most is 12 x the largest monthly amount whose yearly one fits.
    const qint64 topMonthly = kTopYen / 12;
    EXPECT_EQ(yearlyOf(Amount::fromYen(topMonthly)), Amount::fromYen(12 * topMonthly));
    EXPECT_FALSE(yearlyOf(Amount{kMaxUnits / 12 + 1}) || yearlyOf(Amount{-1}));
    const auto top = [](qint64 yen) { return monthlyNeeded({}, 0, true, Amount::fromYen(yen), 1); };
    EXPECT_EQ(*top(12 * topMonthly), Amount::fromYen(topMonthly));
    EXPECT_EQ(top(12 * topMonthly + 1).error(), GoalError::OutOfReach);
    EXPECT_EQ(*monthlyNeeded(Amount::fromYen(5), 0, false, Amount::fromYen(12 * topMonthly + 5), 1),
              Amount::fromYen(topMonthly));

    // 800 trillion yen at 15.0 %, taxed, to the top of the range: the month before shows a figure
    // although before tax it is beyond the range already.
    const PlanTerms large{{}, Amount::fromYen(800'000'000'000'000), 150, true};
    const auto month = monthsToReach(large, Amount::fromYen(kTopYen));
    ASSERT_TRUE(month.ok());
    const auto before = grownAfter(large, *month - 1);
    EXPECT_TRUE(before && *before < Amount::fromYen(kTopYen));
    EXPECT_FALSE(grownAfter({{}, large.start, 150, false}, *month - 1) ||
                 grownAfter(large, *month));
}

TEST(GoalCalendar, MonthsAsYearsAndMonthsAndAsACalendarMonth)
{
    for (const QDate from : {QDate(2025, 1, 31), QDate(2024, 2, 29), QDate(2025, 12, 1)}) {
        for (int m = 0; m <= kMaxGoalMonths; ++m) {
            const auto [years, months] = yearsAndMonths(m);
            EXPECT_TRUE(years * 12 + months == m && months >= 0 && months < 12) << m;
            const int index = from.year() * 12 + from.month() - 1 + m;
            EXPECT_EQ(monthAfter(from, m), QDate(index / 12, index % 12 + 1, 1)) << m;
        }
    }
    EXPECT_FALSE(monthAfter(QDate(), 1).isValid());
}

} // namespace
