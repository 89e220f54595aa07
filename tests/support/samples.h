#pragma once

// Sample data shared by the test suites.

#include "core/entry.h"
#include "core/period.h"

namespace pomiro::testing {

// 500 yen a day, as the ten amount fields show it after Enter.
inline const PeriodTexts k500ADay = {QStringLiteral("\\500"),       QStringLiteral("\\3,500"),
                                     QStringLiteral("\\15,000"),    QStringLiteral("\\91,250"),
                                     QStringLiteral("\\182,500"),   QStringLiteral("\\547,500"),
                                     QStringLiteral("\\912,500"),   QStringLiteral("\\1,825,000"),
                                     QStringLiteral("\\3,650,000"), QStringLiteral("\\5,475,000")};

// An entry named `name` with `day` in its day field and the other nine fields empty.
inline Entry entry(const QString &name, const QString &day = {})
{
    Entry e{name, {}};
    e.amounts[0] = day;
    return e;
}

// One text in all ten fields: a row that the list shows with the same text across.
inline PeriodTexts everyPeriod(const QString &amount)
{
    PeriodTexts texts;
    texts.fill(amount);
    return texts;
}

} // namespace pomiro::testing
