#pragma once

// What the main window tells the user, in one place: the titles and texts of its message boxes.

#include "core/amount.h"
#include "core/datafile.h"
#include "core/entry.h"

#include <QString>

namespace pomiro {

// What the user was doing when the data file refused a change.
enum class FileChange { Save, Delete };

namespace texts {

inline const QString kSavedNewTitle = QStringLiteral("新規登録");
inline const QString kUpdatedTitle = QStringLiteral("データ更新");
inline const QString kDeleteQuestionTitle = QStringLiteral("削除確認");
inline const QString kDeletedTitle = QStringLiteral("削除");
inline const QString kAmountTitle = QStringLiteral("金額の入力");
inline const QString kLoadTitle = QStringLiteral("データの読み込み");
inline const QString kSaveFailedTitle = QStringLiteral("保存できません");
inline const QString kDeleteFailedTitle = QStringLiteral("削除できません");

QString savedNew(const QString &name);
QString updated(const QString &name);
QString deleteQuestion(const QString &name);
QString deleted(const QString &name);

// Why Enter in an amount field changed nothing.
QString amountError(AmountError error);

// What a load could not read, told once at start-up; empty when all was read.
QString loadNotice(const Result<LoadReport, DataFileError> &loaded, qsizetype count);

// Why a change was not stored, and what to do about it. `entries` names a stored entry that the
// file cannot hold.
QString fileError(const DataFileError &error, FileChange change, const Entries &entries);

} // namespace texts
} // namespace pomiro
