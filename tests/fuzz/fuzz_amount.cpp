#include "core/amount.h"

#include <cstddef>
#include <cstdint>

// Any text as a typed amount: whatever reads as an amount must format and read back to the same
// whole-yen amount (except at the very edge of the range).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto amount = pomiro::parseAmountText(text);
    if (!amount)
        return 0;
    const QString formatted = pomiro::formatAmountText(*amount);
    const auto again = pomiro::parseAmountText(formatted);
    if (formatted.size() == 1) {
        // Zero (after whole-yen rounding) is "\" alone, which is not a number by design.
        if (again)
            __builtin_trap();
        return 0;
    }
    // Rounding to whole yen may carry the largest amounts just past the range ("\922,337,203,685,478").
    if (!again && again.error() == pomiro::AmountError::OutOfRange)
        return 0;
    if (!again || formatAmountText(*again) != formatted)
        __builtin_trap();
    return 0;
}
