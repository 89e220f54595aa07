#pragma once

// What the list window shows and tells the user, in one place.

#include "platform/reporttexts.h"

#include <QString>
#include <QStringList>
#include <Qt>

namespace pomiro::listtexts {

inline const QString kWindowTitle = QStringLiteral("ぽみろ一覧");
inline const QString kGridName = QStringLiteral("ぽみろ一覧の表"); // for screen readers
inline const QString kHint =
    QStringLiteral("行をクリックすると選択した「ぽみろ…」の小計を表示します");
inline const QString kBack = QStringLiteral("戻る");
// The grid's own tooltip, shown wherever a cell has nothing more to say.
inline const QString kClickHint = QStringLiteral("クリックで選択");

// Column 0 of the header row and of the two total rows.
inline const QString kNameHeader = QStringLiteral("ぽみろ…");
inline const QString kTotal = QStringLiteral("全合計");
inline const QString kSelectedTotal = QStringLiteral("選択合計");

// The list on paper: the PDF file proposed, the column that marks the selected rows and the
// number at the foot of each page.
inline const QString kPdfFileName = reporttexts::pdfFileName(kWindowTitle);
inline const QString kPrintedMarkHeader = QStringLiteral("選択");
inline const QString kPrintedMark = QStringLiteral("●");
inline QString pageNumber(int page, int pages)
{
    return QStringLiteral("%1 / %2").arg(page).arg(pages);
}

// A total too large to show.
using reporttexts::kOverflow;
inline const QString kOverflowNote = QStringLiteral("合計が大きすぎるため表示できません。");
// Why rows were left out of a total: their names, and how many more there were.
QString skippedNote(const QStringList &names, qsizetype more);
using reporttexts::kNoName;
using reporttexts::shownName;

// The grid's menu.
using reporttexts::kCopy;
inline const QString kSaveCsv = QStringLiteral("CSV で保存(&S)…");
using reporttexts::kPrint;
using reporttexts::kSavePdf;
inline const QString kSavings = QStringLiteral("積み立てると(&T)…");
inline const QString kRecords = QStringLiteral("記録(&K)…");
inline const QString kSortMenu = QStringLiteral("並べ替え(&O)");
inline const QString kFileOrder = QStringLiteral("元の順(&R)");
// What a screen reader hears once the rows are in a new order; `column` is the column's title.
QString sortedBy(int column, const QString &title, Qt::SortOrder order);
inline const QString kSortedInFileOrder = QStringLiteral("元の順に並べ替えました");

// Saving the list as a CSV file: the file proposed, the save dialog's title (also the title of
// what it reports), and what it tells.
inline const QString kCsvFileName = kWindowTitle + QStringLiteral(".csv");
inline const QString kCsvTitle = QStringLiteral("CSV で保存");
// A row holds a character the CSV file's code page cannot hold.
QString csvUnwritable(const QString &rowName, char32_t character);

} // namespace pomiro::listtexts
