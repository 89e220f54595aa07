#include "record_window/texts.h"

#include "core/dateform.h"

namespace pomiro::recordtexts {

QString total(const QString &figure)
{
    return kTotalCaption + u' ' + figure;
}

QString dailyAmount(const QString &figure)
{
    return QStringLiteral("１日 %1").arg(figure);
}

QString figure(const Result<Amount, AmountError> &amount)
{
    return amount ? formatAmountText(amount.value()) : kOverflow;
}

QString days(qint64 count)
{
    return QStringLiteral("%1 日").arg(count);
}

QString setAnnouncement(const QString &name, qint64 count, const QString &saved)
{
    return QStringLiteral("%1、やめてから %2、%3")
        .arg(reporttexts::shownName(name), days(count), saved);
}

QString dateError(RecordEditError error, QDate previousEnd)
{
    switch (error) {
    case RecordEditError::DateInFuture:
        return QStringLiteral("今日より後の日付です。今日までの日付を入力してください。");
    case RecordEditError::DateTooEarly:
        return QStringLiteral("1900年より前の日付です。1900年以降の日付を入力してください。");
    case RecordEditError::BeforePrevious:
        return QStringLiteral("前の記録が終わった日（%1）より前には始められません。"
                              "それ以降の日付を入力してください。")
            .arg(formatDate(previousEnd));
    case RecordEditError::NoRunGoingOn:
        return kNoRunForPrice;
    case RecordEditError::BeforeRunStart:
        return QStringLiteral("今回やめた日より前の値段は記録できません。"
                              "やめた日から今日までの日付を入力してください。");
    case RecordEditError::NoSuchLine:
        return QStringLiteral("その行はもうありません。表示を確かめてください。");
    }
    return {};
}

QString startedAgainQuestion(const QString &name)
{
    return QStringLiteral("「%1」の今回の記録を今日で終えます。これまでの記録は履歴に残ります。"
                          "よろしいですか？")
        .arg(reporttexts::shownName(name));
}

QString priceBeforeRun(QDate start)
{
    return QStringLiteral("今回やめた日（%1）より前の値段は記録できません。"
                          "%1 から今日までの日付を入力してください。")
        .arg(formatDate(start));
}

QString removeLineQuestion(const QString &line)
{
    return QStringLiteral("履歴から「%1」を削除します。よろしいですか？").arg(line);
}

QString readOnlyNotice(const RecordFileError &error)
{
    const QString what = error.kind == RecordFileError::Kind::UnknownVersion
                             ? QStringLiteral("新しい版のプログラムで書かれているため")
                             : QStringLiteral("読み取れない内容があるため");
    return QStringLiteral("「%1」は%2、変更せずにそのまま残します。記録は見るだけで、"
                          "変更できません。ファイルを確かめてください。")
        .arg(QString::fromUtf16(kRecordFileName), what);
}

QString fileError(const RecordFileError &error)
{
    const QString file = QString::fromUtf16(kRecordFileName);
    switch (error.kind) {
    case RecordFileError::Kind::Damaged:
    case RecordFileError::Kind::UnknownVersion:
    case RecordFileError::Kind::ReadOnly:
        return readOnlyNotice(error);
    case RecordFileError::Kind::ReadFailed:
        return QStringLiteral("「%1」を読み込めませんでした。ファイルの権限を確かめてください。")
            .arg(file);
    case RecordFileError::Kind::WriteFailed:
        return QStringLiteral("「%1」に保存できませんでした。フォルダーに書き込めるか"
                              "確かめてから、もう一度操作してください。")
            .arg(file);
    case RecordFileError::Kind::DiskFull:
        return QStringLiteral("ディスクがいっぱいのため、記録を保存できませんでした。"
                              "空きを作ってから、もう一度操作してください。");
    case RecordFileError::Kind::ChangedElsewhere:
        return QStringLiteral("「%1」がほかのプログラムで変更されていたため、読み直しました。"
                              "表示を確かめてから、もう一度操作してください。")
            .arg(file);
    }
    return {};
}

QString stepText(const QString &name)
{
    return QStringLiteral("「%1」の記録の変更").arg(reporttexts::shownName(name));
}

QString undone(const QString &name)
{
    return QStringLiteral("「%1」の記録の変更を取り消しました。").arg(reporttexts::shownName(name));
}

QString redone(const QString &name)
{
    return QStringLiteral("「%1」の記録の変更をやり直しました。").arg(reporttexts::shownName(name));
}

} // namespace pomiro::recordtexts
