#pragma once

// The sizes our artwork is shown at, shared by the program and by the tool that draws the pictures
// at build time (art/render_art.cpp).

#include "main_window/layout.h"
#include "platform/twips.h"

#include <QSize>
#include <QString>
#include <array>

namespace pomiro::artwork {

inline constexpr QSize kButtonIconSize{32, 32};
inline constexpr std::array<int, 3> kWindowIconSides{16, 32, 64};
// Device pixel ratios drawn at build time; a screen with another ratio gets the drawings drawn at
// run time.
inline constexpr std::array<qreal, 2> kPrerenderedRatios{1.0, 2.0};

inline const QString kWindowIconName = QStringLiteral("pomiro");
inline const QString kTitleName = QStringLiteral("title");

inline QSize titlePictureSize()
{
    return twipsToPixels(layout::kTitlePicture).size();
}

// "saveButton-32x32@2x.png": a drawing at a size in pixels and a device pixel ratio.
inline QString pictureFileName(const QString &name, QSize size, qreal ratio)
{
    return QStringLiteral("%1-%2x%3@%4x.png")
        .arg(name)
        .arg(size.width())
        .arg(size.height())
        .arg(ratio);
}

} // namespace pomiro::artwork
