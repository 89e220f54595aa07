#pragma once

#include <QFont>
#include <QString>
#include <thread>

namespace pomiro::fonts {

// The two faces the program writes with: one whose characters are all as wide (amounts and
// captions line up), and one that sets each character by its own width (running text). They keep
// the names of the Windows fonts the layouts were made with; registerSubstitutes() maps them to
// IPAGothic and IPAPGothic.
inline const QString kFixedPitch = QStringLiteral("ＭＳ ゴシック");
inline const QString kProportional = QStringLiteral("ＭＳ Ｐゴシック");

// Starts fontconfig reading its configuration and font caches (FcInit) on a thread of its own, to
// run while the main thread constructs the QApplication, which connects to the display: the two
// take about as long, and the first window needs both. Safe: FcInit is all that runs on the
// thread; QApplication's constructor calls no fontconfig function (Qt sets up its font database
// at the first font asked for), and even if it did, fontconfig installs its configuration with an
// atomic exchange, so at worst it would be read twice. Join the thread before asking for any font.
std::jthread startFontconfig();

// Makes the two names resolve to IPAGothic and IPAPGothic. Call once before any widget exists.
void registerSubstitutes();

// The font for `family` (kFixedPitch or kProportional), named by its first installed stand-in; by
// `family` itself if none is installed.
QFont font(const QString &family, double pointSize, bool italic = false);

} // namespace pomiro::fonts
