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

// Whether the plan shows at least `target` after `months`; no figure is beyond the range.
bool reaches(const pomiro::PlanTerms &terms, int months, pomiro::Amount target)
{
    const auto shown = pomiro::grownAfter(terms, months);
    return !shown || *shown >= target;
}

// The goals on valid terms: what was put aside is never more than what is shown, after tax too;
// the month found is the first that reaches the target, within 50 years; the monthly amount found
// reaches it in `years` and a yen less does not.
void checkGoals(const pomiro::PlanTerms &terms, pomiro::Amount target, int years)
{
    if (!atMost(pomiro::savedAfter(terms, 12 * years), pomiro::grownAfter(terms, 12 * years)))
        __builtin_trap();
    const auto month = pomiro::monthsToReach(terms, target);
    if (month.ok()) {
        if (*month < 0 || *month > pomiro::kMaxGoalMonths || !reaches(terms, *month, target) ||
            (*month > 0 && reaches(terms, *month - 1, target)))
            __builtin_trap();
    } else if (month.error() != pomiro::GoalError::OutOfReach ||
               reaches(terms, pomiro::kMaxGoalMonths, target)) {
        __builtin_trap();
    }

    const auto amount = pomiro::monthlyNeeded(terms.start, terms.rate, terms.taxed, target, years);
    const auto withMonthly = [&](qint64 yen) {
        return pomiro::PlanTerms{pomiro::Amount::fromYen(12 * yen), terms.start, terms.rate,
                                 terms.taxed};
    };
    if (amount.ok()) {
        const qint64 yen = amount->units / pomiro::Amount::kUnitsPerYen;
        if (amount->units % pomiro::Amount::kUnitsPerYen != 0 || yen < 0 ||
            !reaches(withMonthly(yen), 12 * years, target) ||
            (yen > 0 && reaches(withMonthly(yen - 1), 12 * years, target)))
            __builtin_trap();
    } else if (amount.error() != pomiro::GoalError::OutOfReach ||
               reaches(withMonthly(std::numeric_limits<qint64>::max() / 12 /
                                   pomiro::Amount::kUnitsPerYen),
                       12 * years, target)) {
        __builtin_trap();
    }
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
