#pragma once

#include <QFont>
#include <QString>

namespace pomiro::fonts {

// The two faces the program writes with: one whose characters are all as wide (amounts and
// captions line up), and one that sets each character by its own width (running text). They keep
// the names of the Windows fonts the layouts were made with; registerSubstitutes() maps them to
// IPAGothic and IPAPGothic.
inline const QString kFixedPitch = QStringLiteral("ＭＳ ゴシック");
inline const QString kProportional = QStringLiteral("ＭＳ Ｐゴシック");

// Makes the two names resolve to IPAGothic and IPAPGothic. Call once before any widget exists.
void registerSubstitutes();

// The font for `family` (kFixedPitch or kProportional), named by its first installed stand-in; by
// `family` itself if none is installed.
QFont font(const QString &family, double pointSize, bool italic = false);

} // namespace pomiro::fonts
