#pragma once

// What the record window shows and tells the user, in one place.

#include "core/amount.h"
#include "core/quitrecord.h"
#include "core/recordfile.h"
#include "platform/reporttexts.h"

#include <QDate>
#include <QString>

namespace pomiro::recordtexts {

inline const QString kWindowTitle = QStringLiteral("ぽみろの記録");

// The table of every entry.
inline const QString kNameHeader = QStringLiteral("名前");
inline const QString kQuitOnHeader = QStringLiteral("やめた日");
inline const QString kDaysHeader = QStringLiteral("日数");
inline const QString kCurrentHeader = QStringLiteral("今回");
inline const QString kOverallHeader = QStringLiteral("これまで");
inline const QString kLongestHeader = QStringLiteral("最長");
inline const QString kTableName = QStringLiteral("記録の表"); // for screen readers
using reporttexts::kOverflow;

// "合計 \57,000": これまで over every entry.
inline const QString kTotalCaption = QStringLiteral("合計");
QString total(const QString &figure);

// The selected entry's controls.
inline const QString kQuitOnCaption = QStringLiteral("やめた日(&Y)");
inline const QString kCalendar = QStringLiteral("カレンダー");
inline const QString kCalendarTip = QStringLiteral("カレンダーから選ぶ（Alt+↓）");
inline const QString kSetDate = QStringLiteral("決める(&S)");
inline const QString kStartedAgain = QStringLiteral("また始めてしまった(&A)…");
inline const QString kAddPriceChange = QStringLiteral("値段の変更を加える(&H)…");
inline const QString kHistoryCaption = QStringLiteral("履歴(&R)");
inline const QString kHistoryName = QStringLiteral("履歴の表");

// The history: a run or a price change on each line.
inline const QString kKindHeader = QStringLiteral("内容");
inline const QString kFromHeader = QStringLiteral("から");
inline const QString kToHeader = QStringLiteral("まで");
inline const QString kAmountHeader = QStringLiteral("金額");
inline const QString kRunLine = QStringLiteral("やめていた");
inline const QString kRunGoesOn = QStringLiteral("続いている");
inline const QString kPriceLine = QStringLiteral("値段の変更");
// "１日 \600": the daily amount of a price change.
QString dailyAmount(const QString &figure);

// The buttons that take the table away.
using reporttexts::kCopy;
using reporttexts::kPrint;
using reporttexts::kSavePdf;
inline const QString kClose = QStringLiteral("閉じる");
inline const QString kPdfFileName = reporttexts::pdfFileName(kWindowTitle);

// A figure as the table shows it: the amount, or kOverflow.
QString figure(const Result<Amount, AmountError> &amount);
// "100 日"; days as the table and the page write them.
QString days(qint64 count);

// Told once a quit date is set: "禁煙、やめてから 100 日、\50,000".
QString setAnnouncement(const QString &name, qint64 days, const QString &saved);

// Why a date was not taken.
QString dateError(RecordEditError error, QDate previousEnd = {});
inline const QString kUnreadableDate = QStringLiteral(
    "日付として読み取れません。2026/9/1 や 令和8年9月1日 のように入力してください。");
inline const QString kDateTitle = QStringLiteral("日付の入力");

// 「また始めてしまった」.
inline const QString kStartedAgainTitle = QStringLiteral("また始めてしまった");
QString startedAgainQuestion(const QString &name);

// The price change dialog.
inline const QString kPriceTitle = QStringLiteral("値段の変更");
inline const QString kPriceFromCaption = QStringLiteral("変わった日(&F)");
inline const QString kPriceCaption = QStringLiteral("１日の金額(&M)");
inline const QString kPriceUnreadable =
    QStringLiteral("金額として読み取れません。500 や \\1,250 のように入力してください。");
inline const QString kNoRunForPrice =
    QStringLiteral("やめている間の値段だけを記録できます。先にやめた日を決めてください。");
QString priceBeforeRun(QDate start);

// Removing a history line.
inline const QString kRemoveLineTitle = QStringLiteral("履歴の削除");
QString removeLineQuestion(const QString &line);

// A record file that cannot be changed: said once when the window opens.
inline const QString kReadOnlyTitle = QStringLiteral("記録の読み込み");
QString readOnlyNotice(const RecordFileError &error);

// Why a change of a record was not stored, and what to do.
QString fileError(const RecordFileError &error);

// The steps of the records: the undo stack's text, and what the message box says.
QString stepText(const QString &name);
QString undone(const QString &name);
QString redone(const QString &name);

} // namespace pomiro::recordtexts
