#include "list_window/texts.h"

namespace pomiro::listtexts {

QString skippedNote(const QStringList &names, qsizetype more)
{
    QString line = QStringLiteral("金額として読めないため合計に入れていない行：") +
                   reporttexts::nameList(names);
    if (more > 0)
        line += QStringLiteral("、ほか%1行").arg(more);
    return line;
}

QString csvUnwritable(const QString &rowName, char32_t character)
{
    return QStringLiteral("「%1」の行に、CSVファイル（Shift_JIS）に書けない文字「%2」があるため、"
                          "保存できませんでした。「コピー」で表計算ソフトに貼り付けてください。")
        .arg(rowName, QString::fromUcs4(&character, 1));
}

QString sortedBy(int column, const QString &title, Qt::SortOrder order)
{
    if (column == 0)
        return order == Qt::AscendingOrder ? QStringLiteral("名前の順に並べ替えました")
                                           : QStringLiteral("名前の逆の順に並べ替えました");
    return order == Qt::DescendingOrder ? QStringLiteral("%1の大きい順に並べ替えました").arg(title)
                                        : QStringLiteral("%1の小さい順に並べ替えました").arg(title);
}

} // namespace pomiro::listtexts
