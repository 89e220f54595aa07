#pragma once

#include <QString>

namespace pomiro {

// What a screen reader hears for a cell of a table whose first column names the rows, since it
// hears one cell at a time: a name cell (`column` 0) as its row's name, any other after its row's
// name and its column's title, "１０年 運用した場合 \2,125,234"; an empty cell with the two alone.
QString spokenCell(int column, const QString &rowName, const QString &columnTitle,
                   const QString &shown);

} // namespace pomiro
