#pragma once

#include "core/amount.h"
#include "core/csv.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace pomiro {

class EntryListModel;

// A cell of the report: an amount when the grid's text reads as one, otherwise the text as it
// stands (a name, "たくさん", "桁あふれ").
struct ReportCell
{
    std::optional<Amount> amount;
    QString text;

    // As it goes out as text, the way a spreadsheet computes with it: whole yen without "\" and
    // "," ("3500", "-20", "0"), rounded as the grid rounds for display; the text otherwise, with
    // an apostrophe in front when it starts with "=", "+", "-", "@", a tab or CR, so that a
    // spreadsheet never runs it as a formula.
    QString plain() const;
    // As the grid shows it ("\3,500"); the text otherwise.
    QString shown() const;
};
using ReportRow = QList<ReportCell>;

QStringList plainTexts(const ReportRow &row);

// The list as it is taken away, in the grid's current order: copied, saved as a CSV file,
// printed. The rows taken are the selected entry rows if any are selected, otherwise all entry
// rows; then the total row, and the selected-total row while rows are selected. A total carries
// its amount without the " *" that marks rows left out of it (a spreadsheet's own sum leaves that
// text out too).
struct ListReport
{
    QStringList header;
    QList<ReportRow> rows;
    ReportRow total;
    ReportRow selectedTotal; // empty when no row is selected

    // Everything as plain text in reading order: the header, the rows, the total, the selected
    // total.
    csv::Table table() const;
};

ListReport makeListReport(const EntryListModel &model);

// An amount text of the grid as the report carries it; "\" alone, the grid's zero, is 0.
ReportCell reportedAmount(const QString &text);

// A total of the grid as the report carries it: as reportedAmount(), without the mark of rows left
// out.
ReportCell reportedTotal(const QString &text);

} // namespace pomiro
