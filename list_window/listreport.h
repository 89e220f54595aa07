#pragma once

#include "core/csv.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace pomiro {

class EntryListModel;

// The list as plain text, in the grid's current order, as it is taken away: copied, saved as a
// CSV file, printed. The rows taken are the selected entry rows if any are selected, otherwise all
// entry rows; then the total row, and the selected-total row while rows are selected.
//
// Amounts go out as a spreadsheet computes with them: a readable amount as whole yen without "\"
// and "," ("3500", "-20", "0"), anything else as stored. A total goes out the same way, without the
// " *" that marks rows left out of it (a spreadsheet's own sum leaves that text out too).
struct ListReport
{
    QStringList header;
    csv::Table rows;
    QStringList total;
    QStringList selectedTotal; // empty when no row is selected

    // Everything in reading order: the header, the rows, the total, the selected total.
    csv::Table table() const;
};

ListReport makeListReport(const EntryListModel &model);

// An amount text of the grid as it goes out: whole yen, rounded as the grid rounds for display,
// with "-" for a negative amount and "0" for a zero one; as stored when it cannot be read.
QString reportedAmount(const QString &text);

// A total of the grid as it goes out: as reportedAmount(), without the mark of rows left out.
QString reportedTotal(const QString &text);

} // namespace pomiro
