#pragma once

// Colours that the program's windows and its help pages share. The help's style sheet is made from
// help/style.css.in at build time with the values written here (help/CMakeLists.txt reads them),
// so that a page and the window showing it cannot drift apart. Keep each on one line of the form
// `inline constexpr QRgb kName = 0xrrggbb;`: that is what the build reads.

#include <QRgb>

namespace pomiro::colours {

// Where the user writes (the name box and the amount fields) and the help pages' background.
inline constexpr QRgb kCream = 0xfffff0;
// The help pages' text.
inline constexpr QRgb kHelpText = 0x333333;

} // namespace pomiro::colours
