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

// What is there already, a target, and the tax.
inline const QString kStartCaption = QStringLiteral("いまある額(&A)");
inline const QString kStartTip =
    QStringLiteral("積み立てを始めるときにあるお金です。はじめは、選んだ「ぽみろ」のやめてからの"
                   "記録の「これまで」の合計です。");
inline const QString kTargetCaption = QStringLiteral("目標額(&G)");
inline const QString kTargetTip = QStringLiteral("空にすると目標なしです。");
inline const QString kYearsCaption = QStringLiteral("何年で(&N)");
inline const QString kTaxCheck = QStringLiteral("運用益に税金がかかる（20.315％）(&Z)");
inline const QString kTaxTip = QStringLiteral(
    "オンにすると、運用した場合の額は、増えた分に 20.315％ の税金がかかるとした手取りです。"
    "NISA などの非課税口座では、この税金はかかりません。");
inline const QString kAmountTitle = QStringLiteral("金額の入力");
inline const QString kUnreadableAmount = QStringLiteral(
    "金額として読み取れません。50000 や 5万、\\1,000,000 のように 0 以上の金額を入力してください。");
// "いまある額 \120,000 から始めます"
QString startLine(const QString &start);
// The page's line for a taxed plan.
inline const QString kTaxLine =
    QStringLiteral("運用した場合の額は、増えた分に 20.315％ の税金がかかるとした手取りです。");
// When the plan reaches the target: "目標の \1,000,000 に届くのは 5 年 1 ヶ月後（2032 年 1
// 月）です", or that it is there already, or not within the plan's longest.
QString targetReached(const QString &target, int years, int months, int calendarYear,
                      int calendarMonth);
QString targetAlready(const QString &target);
QString targetOutOfReach(const QString &target);
// What a month the target takes in `years` years: "１０年で届くには毎月 \7,157".
QString monthlyNeeded(int years, const QString &monthly);
QString monthlyNeededNone(int years);
QString monthlyNeededTooLarge(int years);
// Told when the start or the tax changes the plan's last figure.
QString grownAnnouncement(const QString &grownAtEnd);

// The legend, which names the lines as the table names their columns, and what a screen reader
// hears of the chart and of a new rate.
inline const QString &kSavedLine = kSavedHeader;
inline const QString &kGrownLine = kGrownHeader;
inline const QString kTargetLine = QStringLiteral("目標額");
QString chartDescription(const QString &saved, const QString &grown,
                         const QString &target = QString());
inline const QString kNoLines = QStringLiteral("積み立てる金額がないため、線はありません。");
QString rateAnnouncement(double percent, const QString &grownAtEnd);

} // namespace pomiro::savingstexts
