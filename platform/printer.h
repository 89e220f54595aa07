#pragma once

#include <QString>

namespace pomiro {

// The printer as the letters use it: a cursor that writes whole lines downwards on one page.
//
// Positions are in twips (1/1440 inch), font sizes in points. A line is written from the current
// position, which then moves to x 0 and one line height lower, the height being that of the font
// in force. Nothing is wrapped or clipped. A new printer starts its document in "ＭＳ ゴシック"
// 10 pt at (0, 0), so every document begins from the same state.
//
// Every operation returns false when the printer refused it; the caller then stops and calls
// abort(), which throws away what was written so far.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual bool setFontName(const QString &family) = 0;
    virtual bool setFontSize(double points) = 0;

    // The coordinate of the printable area's left (top) edge: -500 puts x 0 500 twips inside it.
    // Set before anything is printed; the current position then stands at the new (0, 0).
    virtual bool setScaleLeft(int twips) = 0;
    virtual bool setScaleTop(int twips) = 0;

    virtual bool printLine(const QString &text) = 0;

    // Releases the page to the printer; nothing may be printed afterwards.
    virtual bool endDocument() = 0;

    // Drops the document unprinted. Safe to call at any point, also after a failed operation.
    virtual void abort() = 0;
};

} // namespace pomiro
