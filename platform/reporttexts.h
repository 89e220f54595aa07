#pragma once

// Texts that the list window and the savings window share, defined once so that the two windows
// always say the same: their figures, their entries' names, the buttons of their reports and the
// files they propose.

#include <QString>
#include <QStringList>

namespace pomiro::reporttexts {

// A figure too large to show.
inline const QString kOverflow = QStringLiteral("桁あふれ");
// An entry saved without a name.
inline const QString kNoName = QStringLiteral("（名前なし）");

// The name an entry is told by: its own, or kNoName when it has none.
inline QString shownName(const QString &name)
{
    return name.isEmpty() ? kNoName : name;
}

// Entries' names one after another in a sentence: "禁煙、コーヒー".
inline QString nameList(const QStringList &names)
{
    return names.join(u'、');
}

// What a report can be made into.
inline const QString kCopy = QStringLiteral("コピー(&C)");
inline const QString kSavePdf = QStringLiteral("PDF で保存(&D)…");
inline const QString kPrint = QStringLiteral("印刷(&P)");
// The PDF file of a report proposed for saving, named after its window: "ぽみろ一覧.pdf".
inline QString pdfFileName(const QString &windowTitle)
{
    return windowTitle + QStringLiteral(".pdf");
}

} // namespace pomiro::reporttexts
