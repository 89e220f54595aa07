#include "core/savingsplan.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
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

} // namespace

// Any yearly total, rate and number of months: the plan never holds less than was put aside, holds
// exactly that without interest, and holds more (or leaves the range) the higher the rate and the
// longer it runs.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    qint64 units = take<qint64>(data, size);
    // Most 64-bit totals leave the range within a month; a shift reaches everyday amounts as often.
    units >>= take<uint8_t>(data, size) % 64;
    const pomiro::Amount yearly{units};
    const int rate = take<uint8_t>(data, size) % (pomiro::kHighestRate + 1);
    const int otherRate = take<uint8_t>(data, size) % (pomiro::kHighestRate + 1);
    const int months = take<uint16_t>(data, size) % 361;

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
    return 0;
}
