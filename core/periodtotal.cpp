#include "core/periodtotal.h"

namespace pomiro {

bool isZeroText(const QString &text)
{
    return text.isEmpty() || text.trimmed() == QString(kYenSign);
}

PeriodTotal periodTotal(const Entries &entries, int period)
{
    PeriodTotal total;
    for (const Entry &entry : entries) {
        const QString &text = entry.amount(period);
        if (isZeroText(text))
            continue;
        const auto value = parseAmountText(text);
        if (!value) {
            if (value.error() == AmountError::OutOfRange)
                total.overflow = true;
            else
                total.leftOut << entry.name;
            continue;
        }
        if (total.overflow)
            continue;
        if (const auto next = addAmounts(total.sum, *value))
            total.sum = *next;
        else
            total.overflow = true;
    }
    return total;
}

} // namespace pomiro
