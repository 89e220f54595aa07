#include "core/amount.h"

#include "tests/support/cases.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace {

using namespace Qt::StringLiterals;
using pomiro::Amount;
using pomiro::AmountError;
using pomiro::formatAmountText;
using pomiro::parseAmountText;
using pomiro::testing::Described;
using pomiro::testing::TextCase;
using pomiro::testing::textName;
using pomiro::testing::whatName;

constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

struct ReadText : TextCase
{
    qint64 units;
};

class ReadsAmountText : public ::testing::TestWithParam<ReadText>
{};

TEST_P(ReadsAmountText, AsItsUnits)
{
    const auto amount = parseAmountText(GetParam().text);
    ASSERT_TRUE(amount);
    EXPECT_EQ(amount->units, GetParam().units);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ShownAndTyped, ReadsAmountText, ::testing::Values(
        ReadText{u"500"_s, 5'000'000},
        ReadText{u"\\500"_s, 5'000'000},
        ReadText{u"\\1,825,000"_s, 18'250'000'000},
        ReadText{u"\\-3,500"_s, -35'000'000},
        ReadText{u"-\\3,500"_s, -35'000'000},
        ReadText{u"+\\7"_s, 70'000},
        ReadText{u"\\+7"_s, 70'000},
        ReadText{u"1250.5"_s, 12'505'000},
        ReadText{u"1,000"_s, 10'000'000},
        ReadText{u"1,0,0"_s, 1'000'000}, // any grouping
        ReadText{u"12,34.5"_s, 12'345'000},
        ReadText{u"  500\t "_s, 5'000'000}, // blanks around
        ReadText{u"　500　"_s, 5'000'000},  // full-width blanks too
        ReadText{u"¥500"_s, 5'000'000},     // yen signs as typed
        ReadText{u"￥-500"_s, -5'000'000},
        ReadText{u"0"_s, 0},
        ReadText{u"-0"_s, 0},
        ReadText{u"007"_s, 70'000},
        ReadText{u"0.5"_s, 5'000},
        ReadText{u"0.00001"_s, 0},
        // Four decimals, ties to even, decided on the digits and not on a double.
        ReadText{u"0.12345"_s, 1'234},
        ReadText{u"0.12355"_s, 1'236},
        ReadText{u"0.123450000000000000001"_s, 1'235},
        ReadText{u"0.99995"_s, 10'000},
        ReadText{u"-0.00015"_s, -2},
        ReadText{u"-0.00025"_s, -2},
        ReadText{u"2.675"_s, 26'750},
        ReadText{u"922,337,203,685,477.5807"_s, kMax},
        ReadText{u"-922,337,203,685,477.5808"_s, kMin},
        ReadText{u"922337203685477.58074999"_s, kMax},
        ReadText{u"00000000000000000000000000001"_s, 10'000}),
    textName);
// clang-format on

// Full-width forms, 円 and the units 万 and 億, as a Japanese user writes an amount.
// clang-format off
INSTANTIATE_TEST_SUITE_P(AsPeopleWriteThem, ReadsAmountText, ::testing::Values(
        ReadText{u"5万"_s, 500'000'000},
        ReadText{u"１，５００円"_s, 15'000'000},
        ReadText{u"1.5万"_s, 150'000'000},
        ReadText{u"３万５０００"_s, 350'000'000},
        ReadText{u"￥２，０００"_s, 20'000'000},
        ReadText{u"1億2000万"_s, 1'200'000'000'000},
        ReadText{u"５００"_s, 5'000'000},
        ReadText{u"１２３４．５"_s, 12'345'000},
        ReadText{u"1，000"_s, 10'000'000}, // half and full width mixed, as an input method leaves them
        ReadText{u"－５００"_s, -5'000'000},
        ReadText{u"\u2212500"_s, -5'000'000}, // the minus sign of typeset text
        ReadText{u"＋７"_s, 70'000},
        ReadText{u"＼500"_s, 5'000'000},
        ReadText{u"500円"_s, 5'000'000},
        ReadText{u"-500円"_s, -5'000'000},
        ReadText{u" 5万円　"_s, 500'000'000},
        ReadText{u"-5万"_s, -500'000'000},
        ReadText{u"￥-5万"_s, -500'000'000},
        ReadText{u"1,000万"_s, 100'000'000'000},
        ReadText{u"12000万"_s, 1'200'000'000'000}, // a leading number may pass the next unit
        ReadText{u"3万5,000円"_s, 350'000'000},
        ReadText{u"3万0500"_s, 305'000'000},
        ReadText{u"1億2000万3000"_s, 1'200'030'000'000},
        ReadText{u"1億3000"_s, 1'000'030'000'000},
        ReadText{u"1億9999万9999"_s, 1'999'999'990'000},
        ReadText{u"2億5万"_s, 2'000'500'000'000},
        ReadText{u"1.5億"_s, 1'500'000'000'000},
        ReadText{u"0万"_s, 0},
        ReadText{u"1.23456789万"_s, 123'456'789},
        // The fraction of a unit is exact to 1/10,000 yen, then rounded ties to even.
        ReadText{u"0.000000005万"_s, 0},
        ReadText{u"0.000000015万"_s, 2},
        ReadText{u"0.0000000050001万"_s, 1},
        ReadText{u"0.0000000000005億"_s, 0},
        ReadText{u"0.0000000000015億"_s, 2},
        ReadText{u"92233720368.54775807万"_s, kMax},
        ReadText{u"92233720368.547758074999万"_s, kMax},
        ReadText{u"9223372.036854775807億"_s, kMax},
        ReadText{u"-9223372.036854775808億"_s, kMin},
        ReadText{u"9223372億368万5477"_s, kMax - 5'807},
        ReadText{u"-9223372億368万5477円"_s, -kMax + 5'807}),
    textName);
// clang-format on

struct RefusedText : TextCase
{
    AmountError error;
};

class RefusesAmountText : public ::testing::TestWithParam<RefusedText>
{};

TEST_P(RefusesAmountText, WithTheReason)
{
    const auto amount = parseAmountText(GetParam().text);
    ASSERT_FALSE(amount);
    EXPECT_EQ(amount.error(), GetParam().error);
}

RefusedText notANumber(const QString &text)
{
    return {{text}, AmountError::NotANumber};
}

RefusedText outOfRange(const QString &text)
{
    return {{text}, AmountError::OutOfRange};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(NotANumber, RefusesAmountText, ::testing::Values(
        notANumber(u""_s),
        notANumber(u"   "_s),
        notANumber(u"\\"_s),
        notANumber(u"-"_s),
        notANumber(u"\\-"_s),
        notANumber(u"."_s),
        notANumber(u"\\."_s),
        notANumber(u"abc"_s),
        notANumber(u"12a"_s),
        notANumber(u"a12"_s),
        notANumber(u"1.2.3"_s),
        notANumber(u"1..2"_s),
        notANumber(u",100"_s),
        notANumber(u"100,"_s),
        notANumber(u"1,000,.5"_s),
        // A point needs digits on both sides.
        notANumber(u"1."_s),
        notANumber(u".5"_s),
        notANumber(u"1,000."_s),
        notANumber(u"-.25"_s),
        notANumber(u"\\.5"_s),
        notANumber(u"1.5,0"_s),
        notANumber(u"--5"_s),
        notANumber(u"+-5"_s),
        notANumber(u"\\\\5"_s),
        notANumber(u"5-"_s),
        notANumber(u"\\ 500"_s),
        notANumber(u"- 500"_s),
        notANumber(u"1 000"_s),
        notANumber(u"1e5"_s),
        notANumber(u"(500)"_s),
        notANumber(u"0x10"_s),
        // Digits too many for the range, but the text is not a number in the first place.
        notANumber(u"99999999999999999999999x"_s)),
    textName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(NotAWrittenNumber, RefusesAmountText, ::testing::Values(
        notANumber(u"万"_s),
        notANumber(u"億"_s),
        notANumber(u"円"_s),
        notANumber(u"万円"_s),
        notANumber(u"-万"_s),
        notANumber(u"万5"_s),
        notANumber(u"5万万"_s),
        notANumber(u"5億億"_s),
        notANumber(u"1.5.万"_s),
        notANumber(u"5万円円"_s),
        notANumber(u"5円円"_s),
        notANumber(u"円500"_s),
        notANumber(u"5円万"_s),
        notANumber(u"5万-"_s),
        // Units in descending order, each once.
        notANumber(u"5万3億"_s),
        notANumber(u"1万2万"_s),
        notANumber(u"1億2億"_s),
        notANumber(u"1億2万3万"_s),
        // A lower part fits below the unit above it.
        notANumber(u"1億20000万"_s),
        notANumber(u"1億1,0000万"_s),
        notANumber(u"3万10000"_s),
        notANumber(u"1億2000万10000"_s),
        notANumber(u"1億100000000"_s),
        // A decimal only on a number that a unit ends.
        notANumber(u"1.5億2000万"_s),
        notANumber(u"1.5万500"_s),
        notANumber(u"1億2000.5万"_s),
        notANumber(u"3万5000.5"_s),
        notANumber(u"5.万"_s),
        notANumber(u".5万"_s),
        notANumber(u"5万.5"_s),
        // Commas between digits only, as without units.
        notANumber(u"1,000,万"_s),
        notANumber(u"5万,000"_s),
        notANumber(u"，１００"_s),
        // Nothing between the pieces, as "\\ 500" and "1 000" are refused.
        notANumber(u"5 万"_s),
        notANumber(u"5万 円"_s),
        notANumber(u"500 円"_s),
        notANumber(u"5　万"_s),
        notANumber(u"3万 5000"_s),
        // One currency, one sign.
        notANumber(u"￥500円"_s),
        notANumber(u"\\5万円"_s),
        notANumber(u"￥￥500"_s),
        notANumber(u"－-500"_s),
        // Other ways of writing numbers stay unread.
        notANumber(u"五万"_s),
        notANumber(u"5千"_s),
        notANumber(u"5万ドル"_s),
        notANumber(u"約5万"_s),
        notANumber(u"5万くらい"_s),
        notANumber(u"99999999999999999999999万x"_s)),
    textName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(OutOfRange, RefusesAmountText, ::testing::Values(
        outOfRange(u"922,337,203,685,477.5808"_s),
        outOfRange(u"922337203685477.58075"_s), // rounds up past the top
        outOfRange(u"-922,337,203,685,477.5809"_s),
        outOfRange(u"922,337,203,685,478"_s),
        outOfRange(u"\\99,999,999,999,999,999,999"_s),
        outOfRange(u"18446744073709551616"_s),  // wraps a 64-bit unsigned to zero
        outOfRange(u"1844674407370955.1616"_s), // the same after x 10,000
        outOfRange(u"92233720368.547758075万"_s), // rounds up past the top
        outOfRange(u"9223372億368万5478"_s),
        outOfRange(u"-9223372.036854775809億"_s),
        outOfRange(u"92233721億"_s),
        outOfRange(u"１００，０００，０００，０００，０００，０００"_s),
        outOfRange(u"184467440737095516.16億"_s), // wraps a 64-bit unsigned after x 10^12
        outOfRange(u"99999999999999999999999万"_s)),
    textName);
// clang-format on

struct Formatted
{
    qint64 units;
    QString text;
};

void PrintTo(const Formatted &c, std::ostream *out)
{
    *out << c.units << " units";
}

class FormatAmountText : public ::testing::TestWithParam<Formatted>
{};

TEST_P(FormatAmountText, WholeYenHalvesAwayFromZeroGroupedByThree)
{
    EXPECT_EQ(formatAmountText(Amount{GetParam().units}), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Units, FormatAmountText, ::testing::Values(
        Formatted{0, u"\\"_s},
        Formatted{4'999, u"\\"_s},
        Formatted{-4'999, u"\\"_s},
        Formatted{5'000, u"\\1"_s},
        Formatted{-5'000, u"\\-1"_s},
        Formatted{1'825'000, u"\\183"_s},
        Formatted{15'000, u"\\2"_s},
        Formatted{9'999'999, u"\\1,000"_s},
        Formatted{5'000'000, u"\\500"_s},
        Formatted{-35'000'000, u"\\-3,500"_s},
        Formatted{18'250'000'000, u"\\1,825,000"_s},
        Formatted{123'456'789'0000, u"\\123,456,789"_s},
        Formatted{kMax, u"\\922,337,203,685,478"_s},
        Formatted{kMin, u"\\-922,337,203,685,478"_s}),
    [](const auto &info) {
        const std::string units = std::to_string(info.param.units);
        return units.front() == '-' ? "Minus" + units.substr(1) : units;
    });
// clang-format on

TEST(AmountArithmetic, SumsAndDoublesStayInRange)
{
    EXPECT_EQ(pomiro::addAmounts(Amount{kMax - 1}, Amount{1})->units, kMax);
    EXPECT_EQ(pomiro::addAmounts(Amount{kMax}, Amount{1}).error(), AmountError::OutOfRange);
    EXPECT_EQ(pomiro::addAmounts(Amount{kMin}, Amount{-1}).error(), AmountError::OutOfRange);

    EXPECT_EQ(pomiro::toYenDouble(Amount{5'000}), 0.5);
    EXPECT_EQ(pomiro::toYenDouble(Amount{-35'000'000}), -3500.0);
}

struct YenDouble : Described
{
    double yen;
    std::optional<qint64> units; // none: out of range
};

class AmountFromYenDouble : public ::testing::TestWithParam<YenDouble>
{};

TEST_P(AmountFromYenDouble, RoundsToUnitsOrRefusesWhatLeavesTheRange)
{
    const YenDouble &c = GetParam();
    const auto amount = pomiro::amountFromYenDouble(c.yen);
    if (c.units) {
        ASSERT_TRUE(amount) << c.yen;
        EXPECT_EQ(amount->units, *c.units);
    } else {
        ASSERT_FALSE(amount) << c.yen;
        EXPECT_EQ(amount.error(), AmountError::OutOfRange);
    }
}

// 1/32 and 3/32 yen are exact ties in units: 312.5 and 937.5.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Exact, AmountFromYenDouble, ::testing::Values(
        YenDouble{"one 32nd", 1.0 / 32, 312},
        YenDouble{"three 32nds", 3.0 / 32, 938},
        YenDouble{"minus one 32nd", -1.0 / 32, -312},
        YenDouble{"minus three 32nds", -3.0 / 32, -938},
        YenDouble{"182 and a half", 182.5, 1'825'000},
        YenDouble{"the lowest amount", -922337203685477.5808, kMin}),
    whatName);
// clang-format on

// 2^63 units is the first double that does not fit; beyond it, infinity and NaN.
// clang-format off
INSTANTIATE_TEST_SUITE_P(OutOfRange, AmountFromYenDouble, ::testing::Values(
        YenDouble{"two to the 63rd units", 922337203685477.5808, std::nullopt},
        YenDouble{"1e300", 1e300, std::nullopt},
        YenDouble{"minus 1e300", -1e300, std::nullopt},
        YenDouble{"infinity", std::numeric_limits<double>::infinity(), std::nullopt},
        YenDouble{"NaN", std::numeric_limits<double>::quiet_NaN(), std::nullopt}),
    whatName);
// clang-format on

} // namespace
