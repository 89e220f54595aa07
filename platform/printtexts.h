#pragma once

// What printing and saving a page as a PDF tell the user, in one place: the letters and the list
// print through the same path and say the same.

#include <QString>

namespace pomiro::printtexts {

inline const QString kPrintFailedTitle = QStringLiteral("印刷エラー");
inline const QString kPrintFailed =
    QStringLiteral("印刷できませんでした。プリンターを設定してから、もう一度お試しください。");
// The button of the print failure that saves the pages as a PDF instead.
inline const QString kSaveAsPdf = QStringLiteral("PDFで保存…");
// The save dialog's title, and the title of what it asks and reports.
inline const QString kSaveTitle = QStringLiteral("PDFで保存");

QString saved(const QString &path);
// Why a file the program writes (`kind`: "PDF", "CSVファイル") was not saved: the disk is full,
// or the folder refused it.
QString saveFailed(const QString &kind, bool diskFull);

} // namespace pomiro::printtexts
