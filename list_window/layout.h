#pragma once

// Where the list window's controls sit, in twips of its client area, and its fonts. Walked by the
// code that builds the window.

#include "platform/twips.h"

namespace pomiro::listlayout {

constexpr Twips kClientArea{0, 0, 9435, 6750};
constexpr Twips kGrid{150, 150, 9165, 5865};
constexpr Twips kHint{300, 6300, 6090, 390};
constexpr Twips kBackButton{7650, 6150, 1590, 465};

constexpr int kNameColumnWidth = 4000;
constexpr int kAmountColumnWidth = 1000;

constexpr double kGridFontSize = 9.0; // the grid and the back button
constexpr double kHintFontSize = 12.0;

} // namespace pomiro::listlayout
