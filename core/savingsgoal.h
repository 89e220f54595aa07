#pragma once

#include "core/amount.h"
#include "core/result.h"
#include "core/savingsplan.h"

#include <QDate>

namespace pomiro {

// A goal for a plan (savingsplan.h): a target sum, either reached some month on given terms, or
// reached in a given number of years by putting aside enough a month.

// The furthest a goal is looked for: 50 years.
inline constexpr int kMaxGoalMonths = 600;

// The years a goal's monthly amount is worked out for, first and at most.
inline constexpr int kGoalYearsFirst = 10;
inline constexpr int kGoalYearsMax = 50;

enum class GoalError {
    // Not within kMaxGoalMonths; or, for a monthly amount, not even with the largest one.
    OutOfReach,
    // Terms the plan does not run on (validTerms()), or years outside 1 to kGoalYearsMax.
    BadTerms,
};

// The first month from 0 to kMaxGoalMonths after which the plan shows at least `target`
// (grownAfter(terms, month) >= target, after tax when taxed): 0 when the start alone does.
Result<int, GoalError> monthsToReach(const PlanTerms &terms, Amount target);

// The smallest whole-yen amount a month with which the plan shows at least `target` after
// `years` years: with one yen less it does not. 0 when the start alone does. The largest monthly
// amount tried is the largest whose yearly amount (yearlyOf()) lies within the Amount range.
Result<Amount, GoalError> monthlyNeeded(Amount start, int rate, bool taxed, Amount target,
                                        int years);

// A count of months from 0 as years and months: 61 is 5 years and 1 month.
struct YearsAndMonths
{
    int years = 0;
    int months = 0;
};

YearsAndMonths yearsAndMonths(int months);

// The first day of the month `months` months after the month of `from`; invalid for an invalid
// `from`.
QDate monthAfter(QDate from, int months);

} // namespace pomiro
