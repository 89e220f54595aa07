#pragma once

// What the savings window shows and tells the user, in one place.

#include "platform/reporttexts.h"

#include <QString>
#include <QStringList>

namespace pomiro::savingstexts {

inline const QString kWindowTitle = QStringLiteral("ぽみろの積み立て");
inline const QString kRateCaption = QStringLiteral("年利（％）");
inline const QString kRateTip =
    QStringLiteral("積み立てたお金が 1 年に増える割合です。毎月、年利の 12 分の 1 ずつ増えます。");

// The table: the column of the periods, then the three figures.
inline const QString kPeriodHeader = QStringLiteral("期間");
inline const QString kSavedHeader = QStringLiteral("積み立てた額");
inline const QString kGrownHeader = QStringLiteral("運用した場合");
inline const QString kGainHeader = QStringLiteral("増えた分");
inline const QString kTableName = QStringLiteral("積み立ての表"); // for screen readers
// A figure too large to show, as the list shows it.
using reporttexts::kOverflow;

// The chart.
inline const QString kChartName = QStringLiteral("積み立てのグラフ");
inline const QString kYearsAxis = QStringLiteral("年");
inline const QString kManYenAxis = QStringLiteral("万円");

// The buttons.
using reporttexts::kCopy;
using reporttexts::kPrint;
using reporttexts::kSavePdf;
inline const QString kClose = QStringLiteral("閉じる");

inline const QString kPdfFileName = reporttexts::pdfFileName(kWindowTitle);
inline const QString kNotAdvice = QStringLiteral(
    "年利を一定とした試算です。実際の運用成績は変わり、元本を下回ることもあります。");

// "毎月 \60,425 を積み立てます（１年 \725,100 ÷ 12）"
QString monthlySentence(const QString &monthly, const QString &yearly);
// Nothing to put aside: one sentence that says so and what to do.
extern const QString kNothingToSave;
// "１年の合計が大きすぎて…": the total cannot be shown.
extern const QString kTotalTooLarge;
// Which entries the plan holds: all of them, or their names (a nameless one by this).
using reporttexts::kNoName;
using reporttexts::shownName;
QString allEntries(qsizetype count);
QString chosenEntries(const QStringList &names);
// The entries left out because their １年 text cannot be read.
QString leftOut(const QStringList &names);
// "年利 3.0％"
QString rate(double percent);

// The legend, which names the lines as the table names their columns, and what a screen reader
// hears of the chart and of a new rate.
inline const QString &kSavedLine = kSavedHeader;
inline const QString &kGrownLine = kGrownHeader;
QString chartDescription(const QString &saved, const QString &grown);
inline const QString kNoLines = QStringLiteral("積み立てる金額がないため、線はありません。");
QString rateAnnouncement(double percent, const QString &grownAtEnd);

} // namespace pomiro::savingstexts
