#include "core/amount.h"

#include <cstddef>
#include <cstdint>

namespace {

// The text with its digits, commas, points and signs full-width, as an input method writes them.
QString fullWidth(const QString &text)
{
    QString wide = text;
    for (QChar &c : wide) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || u == u',' || u == u'.' || u == u'-' || u == u'+')
            c = QChar(char16_t(u - u'!' + u'！'));
    }
    return wide;
}

} // namespace

// Any text as a typed amount: its full-width twin reads the same, and whatever reads as an amount
// must format and read back to the same whole-yen amount (except at the very edge of the range).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto amount = pomiro::parseAmountText(text);
    const auto wide = pomiro::parseAmountText(fullWidth(text));
    if (bool(amount) != bool(wide) || (amount && *amount != *wide) ||
        (!amount && amount.error() != wide.error()))
        __builtin_trap();
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
    // Rounding to whole yen may carry the largest amounts just past the range
    // ("\922,337,203,685,478").
    if (!again && again.error() == pomiro::AmountError::OutOfRange)
        return 0;
    if (!again || formatAmountText(*again) != formatted)
        __builtin_trap();
    return 0;
}
