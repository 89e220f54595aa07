#pragma once

// Texts that the list window and the savings window share, defined once so that the two windows
// always say the same: their figures, their nameless entries and the buttons of their reports.

#include <QString>

namespace pomiro::reporttexts {

// A figure too large to show.
inline const QString kOverflow = QStringLiteral("桁あふれ");
// An entry saved without a name.
inline const QString kNoName = QStringLiteral("（名前なし）");

// What a report can be made into.
inline const QString kCopy = QStringLiteral("コピー(&C)");
inline const QString kSavePdf = QStringLiteral("PDF で保存(&D)…");
inline const QString kPrint = QStringLiteral("印刷(&P)");

} // namespace pomiro::reporttexts
