#include "core/period.h"

#include "tests/support/cases.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using pomiro::AmountError;
using pomiro::dailyBaseFromEntry;
using pomiro::periodAmountTexts;
using pomiro::PeriodTexts;
using pomiro::testing::Described;
using pomiro::testing::TextCase;
using pomiro::testing::textName;
using pomiro::testing::whatName;

struct Conversion : Described
{
    QString entered;
    int period;
    PeriodTexts expected;
};

PeriodTexts convert(const QString &entered, int period)
{
    const auto base = dailyBaseFromEntry(entered, period);
    EXPECT_TRUE(base) << entered.toStdString();
    if (!base)
        return {};
    const auto texts = periodAmountTexts(*base);
    EXPECT_TRUE(texts) << entered.toStdString();
    return texts ? *texts : PeriodTexts{};
}

// The worked examples, one column each, plus conversions that start from a shown amount text.
const Conversion kConversions[] = {
    {"500 a day",
     u"500"_s,
     0,
     {u"\\500"_s, u"\\3,500"_s, u"\\15,000"_s, u"\\91,250"_s, u"\\182,500"_s, u"\\547,500"_s,
      u"\\912,500"_s, u"\\1,825,000"_s, u"\\3,650,000"_s, u"\\5,475,000"_s}},
    {"10,000 a month",
     u"10,000"_s,
     2,
     {u"\\333"_s, u"\\2,333"_s, u"\\10,000"_s, u"\\60,833"_s, u"\\121,667"_s, u"\\365,000"_s,
      u"\\608,333"_s, u"\\1,216,667"_s, u"\\2,433,333"_s, u"\\3,650,000"_s}},
    {"1,000 a week",
     u"1,000"_s,
     1,
     {u"\\143"_s, u"\\1,000"_s, u"\\4,286"_s, u"\\26,071"_s, u"\\52,143"_s, u"\\156,429"_s,
      u"\\260,714"_s, u"\\521,429"_s, u"\\1,042,857"_s, u"\\1,564,286"_s}},
    {"100,000 a year",
     u"100,000"_s,
     4,
     {u"\\274"_s, u"\\1,918"_s, u"\\8,219"_s, u"\\50,000"_s, u"\\100,000"_s, u"\\300,000"_s,
      u"\\500,000"_s, u"\\1,000,000"_s, u"\\2,000,000"_s, u"\\3,000,000"_s}},
    {"1 a day",
     u"1"_s,
     0,
     {u"\\1"_s, u"\\7"_s, u"\\30"_s, u"\\183"_s, u"\\365"_s, u"\\1,095"_s, u"\\1,825"_s,
      u"\\3,650"_s, u"\\7,300"_s, u"\\10,950"_s}},
    {"1 a year",
     u"1"_s,
     4,
     {u"\\"_s, u"\\"_s, u"\\"_s, u"\\1"_s, u"\\1"_s, u"\\3"_s, u"\\5"_s, u"\\10"_s, u"\\20"_s,
      u"\\30"_s}},
    {"0.5 a day",
     u"0.5"_s,
     0,
     {u"\\1"_s, u"\\4"_s, u"\\15"_s, u"\\91"_s, u"\\183"_s, u"\\548"_s, u"\\913"_s, u"\\1,825"_s,
      u"\\3,650"_s, u"\\5,475"_s}},
    {"minus 500 a day",
     u"-500"_s,
     0,
     {u"\\-500"_s, u"\\-3,500"_s, u"\\-15,000"_s, u"\\-91,250"_s, u"\\-182,500"_s, u"\\-547,500"_s,
      u"\\-912,500"_s, u"\\-1,825,000"_s, u"\\-3,650,000"_s, u"\\-5,475,000"_s}},
    // Entering a shown text again starts from its whole-yen amount.
    {"\\333 a day after 10,000 a month",
     u"\\333"_s,
     0,
     {u"\\333"_s, u"\\2,331"_s, u"\\9,990"_s, u"\\60,773"_s, u"\\121,545"_s, u"\\364,635"_s,
      u"\\607,725"_s, u"\\1,215,450"_s, u"\\2,430,900"_s, u"\\3,646,350"_s}},
    {"\\1,825,000 in 10 years",
     u"\\1,825,000"_s,
     7,
     {u"\\500"_s, u"\\3,500"_s, u"\\15,000"_s, u"\\91,250"_s, u"\\182,500"_s, u"\\547,500"_s,
      u"\\912,500"_s, u"\\1,825,000"_s, u"\\3,650,000"_s, u"\\5,475,000"_s}},
    {"500 in 5 years shows \\500 in its own field",
     u"500"_s,
     6,
     {u"\\"_s, u"\\2"_s, u"\\8"_s, u"\\50"_s, u"\\100"_s, u"\\300"_s, u"\\500"_s, u"\\1,000"_s,
      u"\\2,000"_s, u"\\3,000"_s}},
    {"10000 in a month keeps its own field",
     u"10000"_s,
     2,
     {u"\\333"_s, u"\\2,333"_s, u"\\10,000"_s, u"\\60,833"_s, u"\\121,667"_s, u"\\365,000"_s,
      u"\\608,333"_s, u"\\1,216,667"_s, u"\\2,433,333"_s, u"\\3,650,000"_s}},
};

class ConvertedAmount : public ::testing::TestWithParam<Conversion>
{};

TEST_P(ConvertedAmount, TenTextsForAnEnteredAmount)
{
    EXPECT_EQ(convert(GetParam().entered, GetParam().period), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Entered, ConvertedAmount, ::testing::ValuesIn(kConversions), whatName);

TEST(PeriodConversion, MultiYearProductsGoThroughTheYear)
{
    // The 30-year amount of 10,000 a month is 3,649,999.9999999995 in two steps, 3,650,000 at
    // four decimals; one multiplication by 10,950 would give another double.
    const double base = 10000.0 / 30;
    const double product = pomiro::periodProduct(base, 9);
    EXPECT_LT(product, 3650000.0);
    EXPECT_EQ(pomiro::amountFromYenDouble(product)->units, 36'500'000'000);
    EXPECT_EQ(pomiro::periodProduct(1.0 / 365, 3), 0.5);
}

TEST(PeriodConversion, LargestThirtyYearAmountStaysInRange)
{
    const auto largest = dailyBaseFromEntry(u"84,231,708,099"_s, 0);
    ASSERT_TRUE(largest);
    const auto texts = periodAmountTexts(*largest);
    ASSERT_TRUE(texts);
    EXPECT_EQ((*texts)[9], u"\\922,337,203,684,050"_s);
}

class ThirtyYearAmountBeyondTheRange : public ::testing::TestWithParam<QString>
{};

TEST_P(ThirtyYearAmountBeyondTheRange, GivesNoTexts)
{
    const auto base = dailyBaseFromEntry(GetParam(), 0);
    ASSERT_TRUE(base);
    const auto outOfRange = periodAmountTexts(*base);
    ASSERT_FALSE(outOfRange);
    EXPECT_EQ(outOfRange.error(), AmountError::OutOfRange);
}

INSTANTIATE_TEST_SUITE_P(BothSigns, ThirtyYearAmountBeyondTheRange,
                         ::testing::Values(u"84,231,708,100"_s, u"-84,231,708,100"_s), textName);

struct Unreadable : TextCase
{
    AmountError error;
};

class UnreadableEntry : public ::testing::TestWithParam<Unreadable>
{};

TEST_P(UnreadableEntry, GivesNoDailyBase)
{
    const auto base = dailyBaseFromEntry(GetParam().text, 4);
    ASSERT_FALSE(base);
    EXPECT_EQ(base.error(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnreadableEntry,
                         ::testing::Values(Unreadable{u"\\"_s, AmountError::NotANumber},
                                           Unreadable{u""_s, AmountError::NotANumber},
                                           Unreadable{u"   "_s, AmountError::NotANumber},
                                           Unreadable{u"abc"_s, AmountError::NotANumber},
                                           Unreadable{u"1,000,000,000,000,000"_s,
                                                      AmountError::OutOfRange}),
                         textName);

// "３０年" for 30: a number of years written as the periods' names write it, in full-width digits.
QString yearsName(int years)
{
    QString name;
    for (const QChar digit : QString::number(years))
        name += QChar(digit.unicode() - u'0' + u'０');
    return name + u"年"_s;
}

// The period of whole years is the one named for them, never a shorter period of one year
// (１日 … 半年), and it lasts that many years of days; years no period lasts have none.
TEST(PeriodOfYears, IsThePeriodNamedForThem)
{
    int found = 0;
    for (int years = 0; years <= 40; ++years) {
        int named = -1;
        for (int i = 0; i < pomiro::kPeriodCount; ++i)
            if (pomiro::periodName(i) == yearsName(years))
                named = i;
        const int period = pomiro::periodOfYears(years);
        EXPECT_EQ(period, named) << years << " years";
        if (period < 0)
            continue;
        ++found;
        EXPECT_EQ(pomiro::kPeriods[std::size_t(period)].daysOnEntry, years * pomiro::kDaysPerYear)
            << years << " years";
    }
    EXPECT_NE(pomiro::periodOfYears(1), -1);
    EXPECT_GT(found, 1) << "the multi-year periods were not found";
}

} // namespace
