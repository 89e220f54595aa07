#pragma once

#include "platform/pdfprinting.h"

#include <QDate>
#include <QString>

namespace pomiro {

struct ListReport;

// The list on paper, dated `date`, for the program's print path (PdfPrinting): landscape pages of
// the report, proposed as "ぽみろ一覧.pdf" in `folder` when saved as a PDF. The report is copied.
Printable listPrintable(const ListReport &report, QDate date, const QString &folder);

} // namespace pomiro
