#pragma once

#include <thread>

// What the system the program runs on needs around the making of the QApplication:
// systemstart_linux.cpp for Linux desktops, systemstart_windows.cpp for Windows.
namespace pomiro::systemstart {

// Before the QApplication is made: the windowing platform chosen where the user did not choose
// one, and what reading the fonts takes started on a thread of its own, to run while the
// QApplication connects to the display (the two take about as long, and the first window needs
// both). Join the thread before asking for any font.
std::jthread beforeApplication();

// Once the QApplication is there and the thread is joined, before any font is asked for: the fonts
// the program brings along, where the system lacks Japanese ones.
void afterApplication();

} // namespace pomiro::systemstart
