#pragma once

#include "core/amount.h"
#include "core/result.h"

#include <QString>
#include <array>

namespace pomiro {

inline constexpr int kPeriodCount = 10;

// A year's days: the periods from １年 on count through the year.
inline constexpr double kDaysPerYear = 365.0;

// One of the ten fixed periods, 1 day to 30 years, always in this order.
struct Period
{
    // The period's name where it is shown. The forms differ on purpose: the main window writes
    // "1ヶ月" with a half-width 1, the list's header "１ヶ月"; a letter's caption is 15 cells wide,
    // its blanks a deliberate mix of half-width and full-width spaces.
    const char16_t *caption;       // beside the main window's amount field
    const char16_t *listHeader;    // above the list window's column
    const char16_t *letterCaption; // in front of the amount in a letter
    // Divisor for an amount entered in this period's field (1 for a day: no division).
    double daysOnEntry;
    // The product recalculate forms: (daily base x factor) x years, each step rounded to double.
    double factor;
    int years;
};

extern const std::array<Period, kPeriodCount> kPeriods;

// The index in kPeriods of the period that lasts `years` whole years (１年, ３年 … ３０年); -1 when
// there is none.
int periodOfYears(int years);

// The period's name as the list's header writes it: "１日" … "３０年".
QString periodName(int periodIndex);

using PeriodTexts = std::array<QString, kPeriodCount>;

// The daily base for a text entered in the field of the given period.
Result<double, AmountError> dailyBaseFromEntry(const QString &text, int periodIndex);

// The amount of one period for a daily base, in double precision as recalculate forms it.
double periodProduct(double dailyBase, int periodIndex);

// The ten amount texts for a daily base; OutOfRange when any period leaves the Amount range.
Result<PeriodTexts, AmountError> periodAmountTexts(double dailyBase);

} // namespace pomiro
