#pragma once

#include <QRect>
#include <QtGlobal>

namespace pomiro {

// Window layouts are given in twips: 15 twips make one pixel at 96 dpi, and Qt scales pixels for
// the screen beyond that.
inline constexpr int kTwipsPerPixel = 15;

// A rectangle in twips.
struct TwipRect
{
    int left, top, width, height;
};

inline int twipsToPixels(int twips)
{
    return qRound(double(twips) / kTwipsPerPixel);
}

inline QRect twipsToPixels(TwipRect at)
{
    return {twipsToPixels(at.left), twipsToPixels(at.top), twipsToPixels(at.width),
            twipsToPixels(at.height)};
}

} // namespace pomiro
