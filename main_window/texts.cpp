#include "main_window/texts.h"

namespace pomiro::texts {

QString counter(int position, qsizetype count)
{
    return QStringLiteral("%1 / %2").arg(position).arg(count);
}

QString shownEntry(const QString &name, const QString &counter)
{
    return name.isEmpty() ? counter : name + u' ' + counter;
}

QString scrollBarDescription(const QString &shownEntry)
{
    return shownEntry + u'。' + kScrollBarDescription;
}

QString savedNew(const QString &name)
{
    return name + QStringLiteral("を登録しました。");
}

QString updated(const QString &name)
{
    return name + QStringLiteral("を更新しました。");
}

QString deleteQuestion(const QString &name)
{
    return name + QStringLiteral("のデータを削除していいですか？");
}

QString deleted(const QString &name)
{
    return name + QStringLiteral("を削除しました。");
}

QString amountError(AmountError error)
{
    return error == AmountError::NotANumber
               ? QStringLiteral("金額を数字で入力してください。")
               : QStringLiteral("金額の桁が多すぎます。桁の少ない金額を入力してください。");
}

QString loadNotice(const Result<LoadReport, DataFileError> &loaded, qsizetype count)
{
    const QString fileName = QString::fromUtf16(kDataFileName);
    if (!loaded) {
        if (loaded.error().kind == DataFileError::Kind::WriteFailed)
            return QStringLiteral(
                       "「%1」を作れませんでした。このフォルダーに書き込めるか確かめてから、"
                       "もう一度起動してください。")
                .arg(fileName);
        return QStringLiteral("「%1」を読み込めませんでした。ファイルはそのまま残してあります。"
                              "読み込めるか確かめてから、もう一度起動してください。")
            .arg(fileName);
    }
    switch (loaded->stop) {
    case LoadStop::EndOfFile:
        return {};
    case LoadStop::TableFull:
        return QStringLiteral(
                   "「%1」には%2件を超える「ぽみろ」があります。はじめの%2件だけを表示します。"
                   "ファイルはそのまま残してあります。")
            .arg(fileName)
            .arg(kMaxEntries);
    case LoadStop::IncompleteEntry:
    case LoadStop::Undecodable:
        break;
    }
    return QStringLiteral("「%1」の途中に読めないところがありました。はじめの%2件だけを表示します。"
                          "ファイルはそのまま残してあります。")
        .arg(fileName)
        .arg(count);
}

namespace {

// How a message says what could not be done, and what to do again.
struct Doing
{
    QString cannot; // "保存できませんでした"
    QString again;  // "保存してください"
};

Doing doingOf(FileChange change)
{
    switch (change) {
    case FileChange::Save:
        return {QStringLiteral("保存できませんでした"), QStringLiteral("保存してください")};
    case FileChange::Delete:
        return {QStringLiteral("削除できませんでした"), QStringLiteral("削除してください")};
    case FileChange::Undo:
        return {QStringLiteral("元に戻せませんでした"), QStringLiteral("元に戻してください")};
    case FileChange::Redo:
        return {QStringLiteral("やり直せませんでした"), QStringLiteral("やり直してください")};
    }
    return {};
}

} // namespace

QString fileError(const DataFileError &error, FileChange change, const Entries &entries)
{
    const Doing doing = doingOf(change);
    switch (error.kind) {
    case DataFileError::Kind::TableFull:
        return QStringLiteral("登録できるぽみろは%1件までです。不要なぽみろを削除してから%2。")
            .arg(kMaxEntries)
            .arg(doing.again);
    case DataFileError::Kind::UnwritableText: {
        const char32_t character = error.character;
        const QString code = QString::number(uint(character), 16).toUpper().rightJustified(4, u'0');
        const QString shown =
            QStringLiteral("「%1」(U+%2)").arg(QString::fromUcs4(&character, 1), code);
        if (error.entry >= 0) // a stored entry, read from a hand-written file, holds it
            return QStringLiteral(
                       "保存されている「%1」に、ファイルに書き込めない文字%2があるため、%3。"
                       "ファイルは変更されていません。"
                       "「%1」を削除するか、「%4」を直してから、もう一度お試しください。")
                .arg(entries.value(error.entry).name, shown, doing.cannot,
                     QString::fromUtf16(kDataFileName));
        const int field = int(error.field);
        const QString where = field == int(EntryField::Name)
                                  ? QStringLiteral("ぽみろ")
                                  : QString::fromUtf16(kPeriods[field - 1].caption);
        return QStringLiteral(
                   "「%1」の文字%2は保存できません。この文字を消すか別の文字に置き換えてから、"
                   "もう一度保存してください。")
            .arg(where, shown);
    }
    case DataFileError::Kind::ReadFailed:
        return QStringLiteral("「%1」を読み込めないため、%2。ファイルは変更されていません。"
                              "ファイルを確かめてから、もう一度起動してください。")
            .arg(QString::fromUtf16(kDataFileName), doing.cannot);
    case DataFileError::Kind::ChangedElsewhere:
        return QStringLiteral("「%1」がほかのプログラムかウィンドウで変更されていました。"
                              "一覧を読み直しましたので、もう一度%2。")
            .arg(QString::fromUtf16(kDataFileName), doing.again);
    case DataFileError::Kind::DiskFull:
        return QStringLiteral("ディスクの空きが足りないため、データを%1。"
                              "ファイルは変更されていません。"
                              "不要なファイルを削除して空きを作ってから、もう一度%2。")
            .arg(doing.cannot, doing.again);
    case DataFileError::Kind::WriteFailed:
        break;
    }
    return QStringLiteral("データを%1。ファイルは変更されていません。"
                          "「%2」に書き込めるか確かめてから、もう一度%3。")
        .arg(doing.cannot, QString::fromUtf16(kDataFileName), doing.again);
}

QString newEntryUndone(const QString &name)
{
    return QStringLiteral("「%1」の新規登録を取り消しました。").arg(name);
}

QString newEntryRedone(const QString &name)
{
    return QStringLiteral("「%1」をもう一度登録しました。").arg(name);
}

QString updateUndone(const QString &name)
{
    return QStringLiteral("「%1」の更新を取り消しました。").arg(name);
}

QString updateRedone(const QString &name)
{
    return QStringLiteral("「%1」をもう一度更新しました。").arg(name);
}

QString deleteUndone(const QString &name)
{
    return QStringLiteral("「%1」の削除を取り消しました。").arg(name);
}

QString deleteRedone(const QString &name)
{
    return QStringLiteral("「%1」をもう一度削除しました。").arg(name);
}

QString stepEntryGone(const QString &name, FileChange change)
{
    return QStringLiteral("「%1」がほかのプログラムかウィンドウで変更されたため見つからず、%2。")
        .arg(name, doingOf(change).cannot);
}

} // namespace pomiro::texts
