#include "core/savingsgoal.h"

#include "core/planwalk.h"

#include <cmath>
#include <limits>

namespace pomiro {

namespace {

constexpr int kMonthsPerYear = 12;
constexpr long double kUnitsPerYen = Amount::kUnitsPerYen;

// The largest whole-yen monthly amount whose yearly amount fits in an Amount.
constexpr qint64 kMaxMonthlyYen =
    std::numeric_limits<qint64>::max() / kMonthsPerYear / Amount::kUnitsPerYen;

// The plan of `monthlyYen` a month, walked through `months`.
PlanWalk walkedPlan(Amount start, int rate, bool taxed, qint64 monthlyYen, int months)
{
    PlanWalk walk({Amount::fromYen(monthlyYen * kMonthsPerYear), start, rate, taxed});
    while (walk.months() < months)
        walk.addMonth();
    return walk;
}

// Where the monthly amount needed lies, from the plan's figures in floating point: the value is
//   V = start x G + monthly x A,  G = (1 + i)^n,  A = (G - 1) / i (n at no interest),
// and after tax keep x V + (1 - keep) x saved, saved = start + monthly x n. Close, not exact.
long double monthlyGuess(Amount start, int rate, bool taxed, Amount target, int months)
{
    const long double interest = rate / 12'000.0L;
    const long double growth = std::pow(1.0L + interest, months);
    const long double annuity = rate == 0 ? months : (growth - 1.0L) / interest;
    const long double keep = taxed ? 1.0L - kTaxRatePerHundredThousand / 100'000.0L : 1.0L;
    const long double startYen = start.units / kUnitsPerYen;
    const long double fromStart = keep * startYen * growth + (1.0L - keep) * startYen;
    return (target.units / kUnitsPerYen - fromStart) / (keep * annuity + (1.0L - keep) * months);
}

} // namespace

Result<int, GoalError> monthsToReach(const PlanTerms &terms, Amount target)
{
    if (!validTerms(terms))
        return fail(GoalError::BadTerms);
    PlanWalk walk(terms);
    while (!walk.reaches(target)) {
        if (walk.months() == kMaxGoalMonths)
            return fail(GoalError::OutOfReach);
        walk.addMonth();
    }
    return walk.months();
}

Result<Amount, GoalError> monthlyNeeded(Amount start, int rate, bool taxed, Amount target,
                                        int years)
{
    if (!validTerms({Amount{}, start, rate, taxed}) || years < 1 || years > kGoalYearsMax)
        return fail(GoalError::BadTerms);
    const int months = years * kMonthsPerYear;
    // What the plan shows rises with the monthly amount: a yen more a month adds as much to the
    // value as to what was put aside, or more, and the tax takes 20.315 % of the difference only.
    const auto reaches = [&](qint64 monthlyYen) {
        return walkedPlan(start, rate, taxed, monthlyYen, months).reaches(target);
    };
    if (reaches(0))
        return Amount{};
    if (!reaches(kMaxMonthlyYen))
        return fail(GoalError::OutOfReach);

    // The answer lies in (low, high]: low does not reach, high does. Out from the guess in
    // doubling steps until it is bracketed, then halving.
    qint64 low = 0;
    qint64 high = kMaxMonthlyYen;
    const long double guess = monthlyGuess(start, rate, taxed, target, months);
    qint64 probe = !(guess > 1.0L)                ? 1
                   : guess >= (long double)(high) ? high
                                                  : static_cast<qint64>(std::ceil(guess));
    for (qint64 step = 1; low < probe && probe < high; step *= 2) {
        if (reaches(probe)) {
            high = probe;
            probe -= step;
        } else {
            low = probe;
            probe += step;
        }
    }
    while (high - low > 1) {
        const qint64 middle = low + (high - low) / 2;
        (reaches(middle) ? high : low) = middle;
    }
    return Amount::fromYen(high);
}

YearsAndMonths yearsAndMonths(int months)
{
    return {months / kMonthsPerYear, months % kMonthsPerYear};
}

QDate monthAfter(QDate from, int months)
{
    if (!from.isValid())
        return {};
    return QDate(from.year(), from.month(), 1).addMonths(months);
}

} // namespace pomiro
