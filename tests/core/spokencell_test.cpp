// What a screen reader hears for a cell of the list's grid and of the savings table alike.
#include "core/spokencell.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

struct Heard
{
    int column;
    QString rowName;
    QString columnTitle;
    QString shown;
    QString heard;
};

TEST(SpokenCell, NamesItsRowAndColumn)
{
    // clang-format off
    const Heard cells[] = {
        {0, u"禁煙"_s, u"ぽみろ…"_s, u"禁煙"_s, u"禁煙"_s},
        // A nameless row by the name it is heard by.
        {0, u"（名前なし）"_s, u"ぽみろ…"_s, u""_s, u"（名前なし）"_s},
        {0, u"１０年"_s, u"期間"_s, u"１０年"_s, u"１０年"_s},
        {1, u"禁煙"_s, u"１日"_s, u"\\500"_s, u"禁煙 １日 \\500"_s},
        {2, u"１０年"_s, u"運用した場合"_s, u"\\2,125,234"_s, u"１０年 運用した場合 \\2,125,234"_s},
        {10, u"全合計"_s, u"３０年"_s, u"桁あふれ *"_s, u"全合計 ３０年 桁あふれ *"_s},
        // An empty cell.
        {5, u"禁煙"_s, u"１年"_s, u""_s, u"禁煙 １年"_s},
    };
    // clang-format on
    for (const Heard &c : cells)
        EXPECT_EQ(pomiro::spokenCell(c.column, c.rowName, c.columnTitle, c.shown), c.heard)
            << c.heard.toStdString();
}

} // namespace
