#pragma once

#include "platform/pdfdocument.h"

#include <QDate>

namespace pomiro {

struct ListReport;

// The report as a table on landscape pages. Every page has the title line with `date`, the column
// header, the names in the first column and its number ("1 / 3"); the totals close the last page.
// Amounts that are numbers are shown as the grid shows them ("\3,500"), anything else as stored.
// When rows are selected (the report then holds only those) they are marked in a column of their
// own and shaded as in the grid. The report is copied.
PdfPages listPages(const ListReport &report, QDate date);

} // namespace pomiro
