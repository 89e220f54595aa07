#pragma once

// Where the list window's controls sit, in twips of its client area, its fonts and the colours of
// its rows. Walked by the code that builds the window and by the list's printed pages.

#include "platform/twips.h"

#include <QColor>

namespace pomiro::listlayout {

constexpr TwipRect kClientArea{0, 0, 9435, 6750};
constexpr TwipRect kGrid{150, 150, 9165, 5865};
constexpr TwipRect kHint{300, 6300, 6090, 390};
constexpr TwipRect kBackButton{7650, 6150, 1590, 465};

constexpr int kNameColumnWidth = 4000;
constexpr int kAmountColumnWidth = 1000;

constexpr double kGridFontSize = 9.0; // the grid and the back button

// The colours of the rows, on screen and on paper: a selected entry row, one deselected again, the
// total row and the selected-total row.
inline const QColor kSelectedRow(192, 255, 255);
inline const QColor kDeselectedRow(255, 255, 255);
inline const QColor kTotalRow(255, 255, 192);
inline const QColor kSelectedTotalRow(255, 224, 192);
constexpr double kHintFontSize = 12.0;

} // namespace pomiro::listlayout
