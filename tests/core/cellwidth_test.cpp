#include "core/cellwidth.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using pomiro::cellCount;
using pomiro::rightAlignInCells;

TEST(CellCount, OneCellPerSingleByteCharacterTwoOtherwise)
{
    const std::pair<QString, int> cases[] = {
        {u""_s, 0},
        {u"\\"_s, 1},
        {u"\\50,000"_s, 7},
        {u"５００"_s, 6},
        {u"ｱｲｳ"_s, 3}, // half-width katakana: single bytes
        {u"禁煙 a"_s, 6},
        {u"　"_s, 2},                // full-width space
        {u"¥1"_s, 2},                // a typed yen sign is stored as 0x5C
        {u"〜"_s, 2},                // stored as ～
        {u"€"_s, 2},                 // not in CP932: still two
        {u"😀"_s, 2},                 // one character, not two surrogates
        {QString(QChar(0xD800)), 2}, // a lone surrogate
        {QString(QChar(0)) + u"a"_s, 3},
    };
    for (const auto &[text, cells] : cases)
        EXPECT_EQ(cellCount(text), cells) << text.toStdString();
}

TEST(RightAlignInCells, PadsToTheWidthAndNeverCuts)
{
    const std::pair<QString, QString> cases[] = {
        {u"\\50,000"_s, u"        \\50,000"_s},
        {u""_s, QString(15, u' ')},
        {u"\\"_s, QString(14, u' ') + u"\\"_s},
        {u"５００"_s, QString(9, u' ') + u"５００"_s},
        {u"\\12,345,678,901"_s, u"\\12,345,678,901"_s},
        {u"\\123,456,789,012"_s, u"\\123,456,789,012"_s},
        {u"貯金箱にいれるお金です"_s, u"貯金箱にいれるお金です"_s},
    };
    for (const auto &[text, aligned] : cases)
        EXPECT_EQ(rightAlignInCells(text, 15), aligned) << text.toStdString();
}

} // namespace
