#pragma once

// The fonts as main() sets them up, for tests that look at what the windows really show.

#include "platform/fonts.h"

#include <QApplication>

namespace pomiro::testing {

// The Windows font names resolve to their installed IPA stand-ins, and the application font is
// the proportional Gothic at 9 points. Needs the application object.
inline void useProgramFonts()
{
    fonts::registerSubstitutes();
    QApplication::setFont(fonts::font(fonts::kProportional, 9));
}

} // namespace pomiro::testing
