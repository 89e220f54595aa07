#pragma once

namespace pomiro {

// Reads the picture Qt's Fusion style draws group box frames with into Qt's pixmap cache, as a PNG
// and nothing else. Left to the style, the first frame drawn asks every image-format plug-in
// whether it can read the picture, which loads all of them, QtSvg among them: a third of a
// megabyte of the start-up's memory. Does nothing when the picture isn't there.
void cacheStylePictures();

} // namespace pomiro
