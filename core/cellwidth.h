#pragma once

#include <QString>

namespace pomiro {

// Cells a text takes in a fixed-pitch Japanese font: one for a character that is a single byte
// in CP932, two for any other character (double-byte, or one CP932 cannot hold).
int cellCount(const QString &text);

// The text after as many half-width spaces as make it `width` cells wide; a wider text comes back
// unchanged.
QString rightAlignInCells(const QString &text, int width);

} // namespace pomiro
