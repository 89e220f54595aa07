#pragma once

#include <QFont>
#include <QString>
#include <thread>

namespace pomiro::fonts {

// The Windows font names the program asks for; registerSubstitutes() maps them to the IPA fonts.
inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");    // fixed pitch
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック"); // proportional

// Starts fontconfig reading its configuration and font caches on a thread of its own, to run while
// Qt connects to the display: the two take about as long, and the first window needs both. Join
// the thread before asking for any font.
std::jthread startFontconfig();

// Makes the two names resolve to IPAGothic and IPAPGothic. Call once before any widget exists.
void registerSubstitutes();

// The font for `family` (kGothic or kPGothic), named by its first installed stand-in; by `family`
// itself if none is installed.
QFont font(const QString &family, double pointSize, bool italic = false);

} // namespace pomiro::fonts
