#pragma once

namespace pomiro {

// Puts Qt's own Japanese translation in force, once, for the texts of Qt's own dialogs (the file
// dialog's columns, places and tooltips). Does nothing where the translation is not installed.
void useQtJapanese();

} // namespace pomiro
