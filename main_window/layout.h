#pragma once

// Where the main window's controls sit, in twips of its client area, and its colours. Walked by
// the code that builds the window.

#include "core/period.h"
#include "platform/colours.h"
#include "platform/twips.h"

#include <QColor>
#include <array>
#include <cstddef>

namespace pomiro::layout {

constexpr TwipRect kClientArea{0, 0, 9465, 6780};

struct ButtonSpec
{
    const char *name;
    const char16_t *caption;
    const char16_t *tooltip;
    TwipRect at;
};

// The button row along the top, left to right in tab order.
constexpr std::array<ButtonSpec, 7> kTopButtons = {{
    {"newButton", u"ぽみろ", u"新しい「ぽみろ」を入力します", {4050, 150, 765, 990}},
    {"saveButton", u"保存", u"表示中の「ぽみろ」を保存します", {4800, 150, 765, 990}},
    {"deleteButton", u"削除", u"表示中の「ぽみろ」を削除します", {5550, 150, 765, 990}},
    {"printButton", u"印刷", u"表示中の「ぽみろ」を印刷します", {6300, 150, 765, 990}},
    {"listButton", u"一覧", u"保存されている「ぽみろ」を一覧で見ます", {7050, 150, 765, 990}},
    {"helpButton", u"ヘルプ", u"ヘルプファイルを開きます", {7800, 150, 765, 990}},
    {"endButton", u"終了", u"プログラムを終了します", {8550, 150, 765, 990}},
}};

// The print panel: the letter buttons follow kLetterKinds from this left edge, then やめる.
constexpr TwipRect kPrintPanel{6225, 1200, 3165, 1215};
constexpr int kLetterButtonLeft = 75;
constexpr int kLetterButtonStep = 750;
constexpr TwipRect kLetterButton{0, 150, 765, 990};

// The place of the letter button at index in kLetterKinds, relative to the print panel.
constexpr TwipRect letterButtonAt(std::size_t index)
{
    TwipRect at = kLetterButton;
    at.left = kLetterButtonLeft + int(index) * kLetterButtonStep;
    return at;
}

constexpr ButtonSpec kCancelButton{
    "cancelPrintButton", u"やめる", u"印刷をキャンセルします", {2325, 150, 765, 990}};

// The ten amount fields in period order, relative to m_amountsFrame; each caption sits on its
// field's row in the column's caption slot.
struct FieldSpec
{
    const char *name;
    TwipRect at;
};

constexpr std::array<FieldSpec, kPeriodCount> kAmountFields = {{
    {"dayField", {1575, 450, 2775, 570}},
    {"weekField", {1575, 1050, 2760, 570}},
    {"monthField", {1575, 1650, 2775, 570}},
    {"halfYearField", {1575, 2250, 2775, 570}},
    {"yearField", {1575, 2850, 2775, 570}},
    {"threeYearsField", {6000, 450, 2925, 570}},
    {"fiveYearsField", {6000, 1050, 2925, 570}},
    {"tenYearsField", {6000, 1650, 2925, 570}},
    {"twentyYearsField", {6000, 2250, 2925, 570}},
    {"thirtyYearsField", {6000, 2850, 2925, 570}},
}};

constexpr int kPeriodsPerColumn = 5;
constexpr int kCaptionLeft[2] = {225, 4650};
constexpr int kCaptionWidth = 1320;

constexpr TwipRect kAmountsFrame{150, 2325, 9165, 3840};
constexpr FieldSpec kNameBox{"nameBox", {1360, 1575, 7950, 435}};
constexpr TwipRect kNameCaption{150, 1575, 1215, 435};
constexpr TwipRect kCounter{8175, 6390, 1170, 240};
constexpr TwipRect kScrollBar{150, 6390, 7935, 240};
constexpr TwipRect kTitlePicture{120, 225, 3795, 960};
// An etched separator: a black line with a white one just under it.
constexpr TwipRect kSeparator{150, 1275, 9150, 0};
constexpr int kSeparatorWhiteTop = 1285;

inline const QColor kCream(colours::kCream);
inline const QColor kPeach(255, 224, 192);
inline const QColor kNavy(0, 0, 128);
inline const QColor kMaroon(128, 0, 0);

} // namespace pomiro::layout
