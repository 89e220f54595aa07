#pragma once

// Sample data shared by the test suites.

#include "core/period.h"

namespace pomiro::testing {

// 500 yen a day, as the ten amount fields show it after Enter.
inline const PeriodTexts k500ADay = {QStringLiteral("\\500"),       QStringLiteral("\\3,500"),
                                     QStringLiteral("\\15,000"),    QStringLiteral("\\91,250"),
                                     QStringLiteral("\\182,500"),   QStringLiteral("\\547,500"),
                                     QStringLiteral("\\912,500"),   QStringLiteral("\\1,825,000"),
                                     QStringLiteral("\\3,650,000"), QStringLiteral("\\5,475,000")};

} // namespace pomiro::testing
