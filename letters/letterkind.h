#pragma once

#include <array>

namespace pomiro::letters {

// Everything in which the three letters differ; one layout walks any of them.
struct LetterKind
{
    const char *buttonName;          // object name of its button in the print panel
    const char16_t *caption;         // button caption
    const char16_t *tooltip;         // button tooltip
    const char16_t *titleLine;       // printed at 78 pt
    int closingFontSize;             // points
    const char16_t *closingLines[2]; // the second may be nullptr
    int spacerFontSize;              // the three spacer lines before the date
};

// In the order of the print panel's buttons, left to right.
inline constexpr std::array<LetterKind, 3> kLetterKinds = {{
    {"declarationButton",
     u"宣言書",
     u"表示中の「ぽみろ」を宣言書で印刷します",
     u"　　宣言書",
     36,
     {u"　有言実行。絶対達成するぞ！　", nullptr},
     22},
    {"requestButton",
     u"依頼書",
     u"表示中の「ぽみろ」を依頼書で印刷します",
     u"　　依頼書",
     18,
     {u"　こんなにも節約になるんです。ご検討願えないでしょうか。", u"　よろしくお願いいたします"},
     18},
    {"pleaButton",
     u"哀願書",
     u"表示中の「ぽみろ」を哀願書で印刷します",
     u"　　哀願書",
     22,
     {u"　なんとか小遣いをあげてもらえないでしょうか", u"　よろしくお願いいたします"},
     22},
}};

} // namespace pomiro::letters
