#include "platform/printtexts.h"

namespace pomiro::printtexts {

QString saved(const QString &path)
{
    return QStringLiteral("「%1」に保存しました。").arg(path);
}

QString saveFailed(const QString &kind, bool diskFull)
{
    if (diskFull)
        return QStringLiteral(
                   "ディスクの空きが足りないため、%1を保存できませんでした。"
                   "不要なファイルを削除して空きを作ってから、もう一度保存してください。")
            .arg(kind);
    return QStringLiteral("%1を保存できませんでした。保存先のフォルダーに書き込めるか確かめてから、"
                          "もう一度保存してください。")
        .arg(kind);
}

} // namespace pomiro::printtexts
