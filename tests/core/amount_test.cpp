#include "core/amount.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace Qt::StringLiterals;
using pomiro::Amount;
using pomiro::AmountError;
using pomiro::formatAmountText;
using pomiro::parseAmountText;

constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

TEST(parseAmountText, ReadsAmountTextsAndTypedNumbers)
{
    const std::pair<QString, qint64> cases[] = {
        {u"500"_s, 5'000'000},
        {u"\\500"_s, 5'000'000},
        {u"\\1,825,000"_s, 18'250'000'000},
        {u"\\-3,500"_s, -35'000'000},
        {u"-\\3,500"_s, -35'000'000},
        {u"+\\7"_s, 70'000},
        {u"\\+7"_s, 70'000},
        {u"1250.5"_s, 12'505'000},
        {u"1,000"_s, 10'000'000},
        {u"1,0,0"_s, 1'000'000}, // any grouping
        {u"12,34.5"_s, 12'345'000},
        {u"  500\t "_s, 5'000'000}, // blanks around
        {u"　500　"_s, 5'000'000},  // full-width blanks too
        {u"¥500"_s, 5'000'000},     // yen signs as typed
        {u"￥-500"_s, -5'000'000},
        {u"0"_s, 0},
        {u"-0"_s, 0},
        {u"007"_s, 70'000},
        {u"0.5"_s, 5'000},
        {u"0.00001"_s, 0},
        // Four decimals, ties to even, decided on the digits and not on a double.
        {u"0.12345"_s, 1'234},
        {u"0.12355"_s, 1'236},
        {u"0.123450000000000000001"_s, 1'235},
        {u"0.99995"_s, 10'000},
        {u"-0.00015"_s, -2},
        {u"-0.00025"_s, -2},
        {u"2.675"_s, 26'750},
        {u"922,337,203,685,477.5807"_s, kMax},
        {u"-922,337,203,685,477.5808"_s, kMin},
        {u"922337203685477.58074999"_s, kMax},
        {u"00000000000000000000000000001"_s, 10'000},
    };
    for (const auto &[text, units] : cases) {
        const auto amount = parseAmountText(text);
        ASSERT_TRUE(amount) << text.toStdString();
        EXPECT_EQ(amount->units, units) << text.toStdString();
    }
}

TEST(parseAmountText, RefusesWhatIsNotANumber)
{
    const QString cases[] = {
        u""_s,
        u"   "_s,
        u"\\"_s,
        u"-"_s,
        u"\\-"_s,
        u"."_s,
        u"\\."_s,
        u"abc"_s,
        u"12a"_s,
        u"a12"_s,
        u"1.2.3"_s,
        u"1..2"_s,
        u",100"_s,
        u"100,"_s,
        u"1,000,.5"_s,
        // A point needs digits on both sides.
        u"1."_s,
        u".5"_s,
        u"1,000."_s,
        u"-.25"_s,
        u"\\.5"_s,
        u"1.5,0"_s,
        u"--5"_s,
        u"+-5"_s,
        u"\\\\5"_s,
        u"5-"_s,
        u"\\ 500"_s,
        u"- 500"_s,
        u"1 000"_s,
        u"1e5"_s,
        u"(500)"_s,
        u"５００"_s,
        u"0x10"_s,
        // Digits too many for the range, but the text is not a number in the first place.
        u"99999999999999999999999x"_s,
    };
    for (const QString &text : cases) {
        const auto amount = parseAmountText(text);
        ASSERT_FALSE(amount) << text.toStdString();
        EXPECT_EQ(amount.error(), AmountError::NotANumber) << text.toStdString();
    }
}

TEST(parseAmountText, RefusesWhatLeavesTheRange)
{
    const QString cases[] = {
        u"922,337,203,685,477.5808"_s,
        u"922337203685477.58075"_s, // rounds up past the top
        u"-922,337,203,685,477.5809"_s, u"922,337,203,685,478"_s, u"\\99,999,999,999,999,999,999"_s,
        u"18446744073709551616"_s,  // wraps a 64-bit unsigned to zero
        u"1844674407370955.1616"_s, // the same after x 10,000
    };
    for (const QString &text : cases) {
        const auto amount = parseAmountText(text);
        ASSERT_FALSE(amount) << text.toStdString();
        EXPECT_EQ(amount.error(), AmountError::OutOfRange) << text.toStdString();
    }
}

TEST(formatAmountText, WholeYenHalvesAwayFromZeroGroupedByThree)
{
    const std::pair<qint64, QString> cases[] = {
        {0, u"\\"_s},
        {4'999, u"\\"_s},
        {-4'999, u"\\"_s},
        {5'000, u"\\1"_s},
        {-5'000, u"\\-1"_s},
        {1'825'000, u"\\183"_s},
        {15'000, u"\\2"_s},
        {9'999'999, u"\\1,000"_s},
        {5'000'000, u"\\500"_s},
        {-35'000'000, u"\\-3,500"_s},
        {18'250'000'000, u"\\1,825,000"_s},
        {123'456'789'0000, u"\\123,456,789"_s},
        {kMax, u"\\922,337,203,685,478"_s},
        {kMin, u"\\-922,337,203,685,478"_s},
    };
    for (const auto &[units, text] : cases)
        EXPECT_EQ(formatAmountText(Amount{units}), text) << units;
}

TEST(AmountArithmetic, SumsAndDoublesStayInRange)
{
    EXPECT_EQ(pomiro::addAmounts(Amount{kMax - 1}, Amount{1})->units, kMax);
    EXPECT_EQ(pomiro::addAmounts(Amount{kMax}, Amount{1}).error(), AmountError::OutOfRange);
    EXPECT_EQ(pomiro::addAmounts(Amount{kMin}, Amount{-1}).error(), AmountError::OutOfRange);

    EXPECT_EQ(pomiro::toYenDouble(Amount{5'000}), 0.5);
    EXPECT_EQ(pomiro::toYenDouble(Amount{-35'000'000}), -3500.0);

    const std::pair<double, qint64> exact[] = {
        // 1/32 and 3/32 yen are exact ties in units: 312.5 and 937.5.
        {1.0 / 32, 312},   {3.0 / 32, 938},    {-1.0 / 32, -312},
        {-3.0 / 32, -938}, {182.5, 1'825'000}, {-922337203685477.5808, kMin},
    };
    for (const auto &[yen, units] : exact) {
        const auto amount = pomiro::amountFromYenDouble(yen);
        ASSERT_TRUE(amount) << yen;
        EXPECT_EQ(amount->units, units) << yen;
    }
    // 2^63 units is the first double that does not fit; beyond it, infinity and NaN.
    for (const double yen :
         {922337203685477.5808, 1e300, -1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        const auto amount = pomiro::amountFromYenDouble(yen);
        ASSERT_FALSE(amount) << yen;
        EXPECT_EQ(amount.error(), AmountError::OutOfRange);
    }
}

} // namespace
