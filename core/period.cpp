#include "core/period.h"

namespace pomiro {

// Half a year is 365 / 2 days, formed in double like every other step. The first five periods
// multiply once (years = 1 is exact); the multi-year ones go through the year: (base x 365) x
// years.
const std::array<Period, kPeriodCount> kPeriods = {{
    {u"１日", u"１日", u"     １日で…　", 1.0, 1.0, 1},
    {u"１週間", u"１週間", u"     １週間で…", 7.0, 7.0, 1},
    {u"1ヶ月", u"１ヶ月", u"     １ヶ月で…", 30.0, 30.0, 1},
    {u"半年", u"半年", u"     半年で…　", kDaysPerYear / 2, kDaysPerYear / 2, 1},
    {u"１年", u"１年", u" 　    １年で…", kDaysPerYear, kDaysPerYear, 1},
    {u"３年", u"３年", u" 　    ３年で…", 3 * kDaysPerYear, kDaysPerYear, 3},
    {u"５年", u"５年", u" 　    ５年で…", 5 * kDaysPerYear, kDaysPerYear, 5},
    {u"１０年", u"１０年", u"     １０年で…", 10 * kDaysPerYear, kDaysPerYear, 10},
    {u"２０年", u"２０年", u"     ２０年で…", 20 * kDaysPerYear, kDaysPerYear, 20},
    {u"３０年", u"３０年", u"     ３０年で…", 30 * kDaysPerYear, kDaysPerYear, 30},
}};

int periodOfYears(int years)
{
    // Only the periods that go through the year last whole years; 半年 and shorter count one.
    for (int i = 0; i < kPeriodCount; ++i) {
        const Period &period = kPeriods[static_cast<size_t>(i)];
        if (period.factor == kDaysPerYear && period.years == years)
            return i;
    }
    return -1;
}

QString periodName(int periodIndex)
{
    return QString::fromUtf16(kPeriods.at(static_cast<size_t>(periodIndex)).listHeader);
}

Result<double, AmountError> dailyBaseFromEntry(const QString &text, int periodIndex)
{
    const auto amount = parseAmountText(text);
    if (!amount)
        return fail(amount.error());
    const double yen = toYenDouble(*amount);
    if (periodIndex == 0)
        return yen;
    return yen / kPeriods.at(static_cast<size_t>(periodIndex)).daysOnEntry;
}

double periodProduct(double dailyBase, int periodIndex)
{
    const Period &period = kPeriods.at(static_cast<size_t>(periodIndex));
    const double perFactor = dailyBase * period.factor;
    return perFactor * period.years;
}

Result<PeriodTexts, AmountError> periodAmountTexts(double dailyBase)
{
    // All ten are converted before any text is made, so a caller never shows half a result.
    std::array<Amount, kPeriodCount> amounts;
    for (int i = 0; i < kPeriodCount; ++i) {
        const auto amount = amountFromYenDouble(periodProduct(dailyBase, i));
        if (!amount)
            return fail(amount.error());
        amounts[static_cast<size_t>(i)] = *amount;
    }
    PeriodTexts texts;
    for (int i = 0; i < kPeriodCount; ++i)
        texts[static_cast<size_t>(i)] = formatAmountText(amounts[static_cast<size_t>(i)]);
    return texts;
}

} // namespace pomiro
