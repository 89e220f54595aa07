#pragma once

// Whether the system's own file chooser can be asked instead of Qt's: the desktop's portal on
// Linux (systemdialogs_linux.cpp), always on Windows (systemdialogs_windows.cpp).
namespace pomiro {

bool systemFileChooserAvailable();

} // namespace pomiro
