#include "core/savingsgoal.h"
#include "core/savingsplan.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace {

// The next bytes of the input, zero where it has run out.
template <typename T> T take(const uint8_t *&data, size_t &size)
{
    unsigned char bytes[sizeof(T)] = {};
    const size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(bytes, data, n);
    data += n;
    size -= n;
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

// a <= b where none is past the range: none above none or a figure, a figure above a figure.
bool atMost(std::optional<pomiro::Amount> a, std::optional<pomiro::Amount> b)
{
    if (!b)
        return true;
    return a && *a <= *b;
}

// The goals on valid terms: nothing put aside is more than the plan shows, after tax too; the
// month found is the first that reaches the target, within 50 years; the monthly amount found
// reaches it in `years` and a yen less does not; the largest does not where none is found.
void checkGoals(const pomiro::PlanTerms &terms, pomiro::Amount target, int years)
{
    using pomiro::Amount, pomiro::GoalError, pomiro::kMaxGoalMonths;
    const int months = 12 * years;
    const auto reaches = [&](std::optional<qint64> monthlyYen, int after) {
        pomiro::PlanTerms walked = terms;
        if (monthlyYen)
            walked.yearly = Amount::fromYen(12 * *monthlyYen);
        const auto shown = pomiro::grownAfter(walked, after);
        return !shown || *shown >= target;
    };
    const auto month = pomiro::monthsToReach(terms, target);
    const auto amount = pomiro::monthlyNeeded(terms.start, terms.rate, terms.taxed, target, years);
    const qint64 yen = amount.ok() ? amount->units / Amount::kUnitsPerYen
                                   : std::numeric_limits<qint64>::max() / 12 / Amount::kUnitsPerYen;
    const bool sound =
        atMost(pomiro::savedAfter(terms, months), pomiro::grownAfter(terms, months)) &&
        (month.ok() ? *month >= 0 && *month <= kMaxGoalMonths && reaches({}, *month) &&
                          (*month == 0 || !reaches({}, *month - 1))
                    : month.error() == GoalError::OutOfReach && !reaches({}, kMaxGoalMonths)) &&
        (amount.ok() ? amount->units % Amount::kUnitsPerYen == 0 && yen >= 0 &&
                           reaches(yen, months) && (yen == 0 || !reaches(yen - 1, months))
                     : amount.error() == GoalError::OutOfReach && !reaches(yen, months));
    if (!sound)
        __builtin_trap();
}

} // namespace

// Any yearly total, rate and number of months: the plan never holds less than was put aside, holds
// exactly that without interest, and holds more (or leaves the range) the higher the rate and the
// longer it runs. With a start and tax as well, the goals hold to their rules.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    qint64 units = take<qint64>(data, size);
    // Most 64-bit totals leave the range within a month; a shift reaches everyday amounts as often.
    units >>= take<uint8_t>(data, size) % 64;
    const pomiro::Amount yearly{units};
    const int rate = take<uint8_t>(data, size) % (pomiro::kHighestRate + 1);
    const int otherRate = take<uint8_t>(data, size) % (pomiro::kHighestRate + 1);
    const int months = take<uint16_t>(data, size) % 361;
    // A start, a target and years for the goals, shifted the same way, and tax.
    const qint64 startUnits = take<qint64>(data, size) >> (take<uint8_t>(data, size) % 64);
    const qint64 targetUnits = take<qint64>(data, size) >> (take<uint8_t>(data, size) % 64);
    const int years = take<uint8_t>(data, size) % pomiro::kGoalYearsMax + 1;
    const bool taxed = take<uint8_t>(data, size) % 2 == 1;

    const auto saved = pomiro::savedAfter(yearly, months);
    const auto grown = pomiro::grownAfter(yearly, rate, months);
    if (units <= 0)
        return 0; // not a plan: it only must not crash

    // Both rounded on their own, so equal is allowed.
    if (!atMost(saved, grown))
        __builtin_trap();
    if (pomiro::grownAfter(yearly, 0, months) != saved)
        __builtin_trap();

    const int lower = rate < otherRate ? rate : otherRate;
    const int higher = rate < otherRate ? otherRate : rate;
    if (!atMost(pomiro::grownAfter(yearly, lower, months),
                pomiro::grownAfter(yearly, higher, months)))
        __builtin_trap();
    if (months < 360) {
        if (!atMost(grown, pomiro::grownAfter(yearly, rate, months + 1)) ||
            !atMost(saved, pomiro::savedAfter(yearly, months + 1)))
            __builtin_trap();
    }

    // The rows are the same figures, and each adds up.
    const auto rows = pomiro::planRows(yearly, rate);
    if (rows.size() != qsizetype(pomiro::kPlanYears.size()))
        __builtin_trap();
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const pomiro::PlanRow &row = rows[k];
        const int rowMonths = 12 * pomiro::kPlanYears[size_t(k)];
        if (row.years != pomiro::kPlanYears[size_t(k)] ||
            row.saved != pomiro::savedAfter(yearly, rowMonths) ||
            row.grown != pomiro::grownAfter(yearly, rate, rowMonths))
            __builtin_trap();
        if (row.saved && row.grown) {
            if (!row.gain || row.gain->units != row.grown->units - row.saved->units ||
                row.gain->units < 0)
                __builtin_trap();
        } else if (row.gain) {
            __builtin_trap();
        }
    }

    if (startUnits < 0)
        return 0;
    checkGoals({yearly, pomiro::Amount{startUnits}, rate, taxed}, pomiro::Amount{targetUnits},
               years);
    return 0;
}
