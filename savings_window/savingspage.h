#pragma once

#include "platform/pdfprinting.h"

#include <QDate>

namespace pomiro {

struct SavingsReport;

// The plan on one portrait page: the title and date, the monthly sentence, the entries, the rate,
// the chart, the table, and that it is an illustration. The report is copied.
PdfPages savingsPages(const SavingsReport &report, QDate date);

// The page for the program's print path, proposed as "ぽみろの積み立て.pdf" in `folder` when saved
// as a PDF.
Printable savingsPrintable(const SavingsReport &report, QDate date, const QString &folder);

} // namespace pomiro
