#pragma once

namespace pomiro {

// Puts Qt's own Japanese translation in force for the texts Qt writes itself: the context menus of
// text fields and scroll bars, and Qt's dialogs. Our own texts are Japanese already. Does nothing
// where the translation is not installed.
void useQtJapanese();

} // namespace pomiro
