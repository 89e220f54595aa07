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

QString csvUnwritable(const QString &rowName, char32_t character)
{
    return QStringLiteral("「%1」の行に、CSVファイル（Shift_JIS）に書けない文字「%2」があるため、"
                          "保存できませんでした。「コピー」で表計算ソフトに貼り付けてください。")
        .arg(rowName, QString::fromUcs4(&character, 1));
}

} // namespace pomiro::listtexts
