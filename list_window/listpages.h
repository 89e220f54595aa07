#pragma once

#include <QDate>
#include <QPageSize>
#include <optional>

class QFileDevice;

namespace pomiro {

struct ListReport;

// Paints the report as a table on landscape pages of `paper` (A4 when it is invalid), as a PDF
// written into `out`, which is opened for writing here unless it is open already. Every page has
// the title line with `date`, the column header, the names in the first column and its number
// ("1 / 3"); the totals close the last page. Amounts that are numbers are shown as the grid shows
// them ("\3,500"), anything else as stored. When rows are selected (the report then holds only
// those) they are marked in a column of their own and shaded as in the grid. The paper the pages
// took; none when the document was not written whole.
std::optional<QPageSize> writeListPdf(QFileDevice &out, const QPageSize &paper,
                                      const ListReport &report, QDate date);

} // namespace pomiro
