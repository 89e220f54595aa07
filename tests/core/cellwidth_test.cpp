#include "core/cellwidth.h"

#include "tests/support/cases.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using pomiro::cellCount;
using pomiro::rightAlignInCells;
using pomiro::testing::Described;
using pomiro::testing::whatName;

struct Cells : Described
{
    QString text;
    int cells;
};

class CellCount : public ::testing::TestWithParam<Cells>
{};

TEST_P(CellCount, OneCellPerSingleByteCharacterTwoOtherwise)
{
    EXPECT_EQ(cellCount(GetParam().text), GetParam().cells);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, CellCount, ::testing::Values(
        Cells{"empty", u""_s, 0},
        Cells{"yen sign", u"\\"_s, 1},
        Cells{"amount", u"\\50,000"_s, 7},
        Cells{"full-width digits", u"５００"_s, 6},
        Cells{"half-width katakana", u"ｱｲｳ"_s, 3}, // single bytes
        Cells{"kanji, blank and letter", u"禁煙 a"_s, 6},
        Cells{"full-width space", u"　"_s, 2},
        Cells{"typed yen sign", u"¥1"_s, 2}, // stored as 0x5C
        Cells{"wave dash", u"〜"_s, 2},      // stored as ～
        Cells{"euro, not in CP932", u"€"_s, 2}, // still two
        Cells{"emoji", u"😀"_s, 2},             // one character, not two surrogates
        Cells{"lone surrogate", QString(QChar(0xD800)), 2},
        Cells{"NUL and letter", QString(QChar(0)) + u"a"_s, 3}),
    whatName);
// clang-format on

struct Aligned : Described
{
    QString text;
    QString aligned;
};

class RightAlignInCells : public ::testing::TestWithParam<Aligned>
{};

TEST_P(RightAlignInCells, PadsToTheWidthAndNeverCuts)
{
    EXPECT_EQ(rightAlignInCells(GetParam().text, 15), GetParam().aligned);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, RightAlignInCells, ::testing::Values(
        Aligned{"amount", u"\\50,000"_s, u"        \\50,000"_s},
        Aligned{"empty", u""_s, QString(15, u' ')},
        Aligned{"yen sign alone", u"\\"_s, QString(14, u' ') + u"\\"_s},
        Aligned{"full-width digits", u"５００"_s, QString(9, u' ') + u"５００"_s},
        Aligned{"exactly fifteen cells", u"\\12,345,678,901"_s, u"\\12,345,678,901"_s},
        Aligned{"wider than the cells", u"\\123,456,789,012"_s, u"\\123,456,789,012"_s},
        Aligned{"wide Japanese text", u"貯金箱にいれるお金です"_s, u"貯金箱にいれるお金です"_s}),
    whatName);
// clang-format on

} // namespace
