#include "core/periodtotal.h"

namespace pomiro {

bool isZeroText(const QString &text)
{
    return text.isEmpty() || text.trimmed() == QString(kYenSign);
}

PeriodTotal periodTotal(const Entries &entries, int period, const QList<bool> &chosen)
{
    PeriodTotal total;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!chosen.isEmpty() && !chosen.value(i))
            continue;
        const Entry &entry = entries[i];
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
