#pragma once

// What the main window shows and tells the user, in one place: its captions, tooltips and names
// for screen readers, and the titles and texts of its message boxes. The buttons' captions and
// tooltips stand with their places in layout.h.

#include "core/amount.h"
#include "core/datafileerror.h"
#include "core/entry.h"
#include "core/result.h"

#include <QString>

namespace pomiro {

// What the user was doing when the data file refused a change.
enum class FileChange { Save, Delete, Undo, Redo };

namespace texts {

// The window and its controls.
inline const QString kWindowTitle = QStringLiteral("ぽみろチェッカー");
inline const QString kNameCaption = QStringLiteral("ぽみろ…");
inline const QString kNameBoxTip = QStringLiteral("ぽみろを切り替えます");
inline const QString kNameBoxName = QStringLiteral("ぽみろの名前"); // for screen readers
inline const QString kSavedNamesName =
    QStringLiteral("保存してあるぽみろの一覧"); // for screen readers
// A full-width space before, a half-width one after.
inline const QString kAmountsCaption = QStringLiteral("　『ぽみろ』の達成 ");
inline const QString kDayFieldTip =
    QStringLiteral("任意の箇所で金額を入れて「Ｅｎｔｅｒキー」を押します");
inline const QString kAmountFieldDescription =
    QStringLiteral("金額を入れて Enter キーを押すと、10 の期間すべての金額に換算します");
inline const QString kScrollBarName = QStringLiteral("ぽみろの切り替え");
inline const QString kScrollBarDescription =
    QStringLiteral("左右の矢印キーで、保存してあるぽみろを順に表示します");
inline const QString kPrintPanelName = QStringLiteral("印刷する書類"); // for screen readers

// Where the entry shown is among the saved ones, as the counter shows it: "1 / 2".
QString counter(int position, qsizetype count);
// The entry shown, for screen readers: its name and the counter ("コーヒー 2 / 2").
QString shownEntry(const QString &name, const QString &counter);
// The scroll bar's description for screen readers: the entry shown, then how to browse.
QString scrollBarDescription(const QString &shownEntry);

// Told to screen readers after Enter in an amount field has changed all ten amounts.
inline const QString kConverted = QStringLiteral("10 の期間の金額に換算しました");

// Message boxes.

inline const QString kSavedNewTitle = QStringLiteral("新規登録");
inline const QString kUpdatedTitle = QStringLiteral("データ更新");
inline const QString kDeleteQuestionTitle = QStringLiteral("削除確認");
inline const QString kDeletedTitle = QStringLiteral("削除");
inline const QString kAmountTitle = QStringLiteral("金額の入力");
inline const QString kLoadTitle = QStringLiteral("データの読み込み");
inline const QString kDeleteFailedTitle = QStringLiteral("削除できません");

QString savedNew(const QString &name);
QString updated(const QString &name);
QString deleteQuestion(const QString &name);
QString deleted(const QString &name);

// What Ctrl+Z took back ("「禁煙」の削除を取り消しました。") and what a redo made again, for a
// save as new, a save over and a delete.
QString newEntryUndone(const QString &name);
QString newEntryRedone(const QString &name);
QString updateUndone(const QString &name);
QString updateRedone(const QString &name);
QString deleteUndone(const QString &name);
QString deleteRedone(const QString &name);
// A step whose entry another program or window changed away.
QString stepEntryGone(const QString &name, FileChange change);

// Why Enter in an amount field changed nothing.
QString amountError(AmountError error);

// What a load could not read, told once at start-up; empty when all was read.
QString loadNotice(const Result<LoadReport, DataFileError> &loaded, qsizetype count);

// Why a change was not stored, and what to do about it. `entries` names a stored entry that the
// file cannot hold.
QString fileError(const DataFileError &error, FileChange change, const Entries &entries);

} // namespace texts
} // namespace pomiro
