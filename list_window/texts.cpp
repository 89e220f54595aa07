#include "list_window/texts.h"

namespace pomiro::listtexts {

QString skippedNote(const QStringList &names, qsizetype more)
{
    QString line = QStringLiteral("金額として読めないため合計に入れていない行：") + names.join(u'、');
    if (more > 0)
        line += QStringLiteral("、ほか%1行").arg(more);
    return line;
}

} // namespace pomiro::listtexts
