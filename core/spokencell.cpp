#include "core/spokencell.h"

#include <QStringList>

namespace pomiro {

QString spokenCell(int column, const QString &rowName, const QString &columnTitle,
                   const QString &shown)
{
    if (column == 0)
        return rowName;
    QStringList words{rowName, columnTitle};
    if (!shown.isEmpty())
        words << shown;
    return words.join(u' ');
}

} // namespace pomiro
