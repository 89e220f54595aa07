#pragma once

#include "platform/pdfprinting.h"

namespace pomiro {

struct RecordReport;

// The records on one A4 page: the title and the report's date, the table of the entries that have a
// record, and the total. The report is copied.
PdfPages recordPages(const RecordReport &report);

// The page for the program's print path, proposed as "ぽみろの記録.pdf" in `folder`.
Printable recordPrintable(const RecordReport &report, const QString &folder);

} // namespace pomiro
