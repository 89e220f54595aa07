#include "list_window/texts.h"

namespace pomiro::listtexts {

QString skippedNote(const QStringList &names, qsizetype more)
{
    QString line =
        QStringLiteral("金額として読めないため合計に入れていない行：") + names.join(u'、');
    if (more > 0)
        line += QStringLiteral("、ほか%1行").arg(more);
    return line;
}

QString csvSaved(const QString &path)
{
    return QStringLiteral("「%1」に保存しました。").arg(path);
}

QString csvSaveFailed(bool diskFull)
{
    if (diskFull)
        return QStringLiteral(
            "ディスクの空きが足りないため、CSVファイルを保存できませんでした。"
            "不要なファイルを削除して空きを作ってから、もう一度保存してください。");
    return QStringLiteral(
        "CSVファイルを保存できませんでした。保存先のフォルダーに書き込めるか確かめてから、"
        "もう一度保存してください。");
}

QString csvUnwritable(const QString &rowName, char32_t character)
{
    return QStringLiteral("「%1」の行に、CSVファイル（Shift_JIS）に書けない文字「%2」があるため、"
                          "保存できませんでした。「コピー」で表計算ソフトに貼り付けてください。")
        .arg(rowName, QString::fromUcs4(&character, 1));
}

} // namespace pomiro::listtexts
