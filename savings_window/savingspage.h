#pragma once

#include "platform/pdfprinting.h"

#include <QDate>
#include <QPageSize>
#include <optional>

class QFileDevice;

namespace pomiro {

struct SavingsReport;

// The plan on one page (A4 portrait, or the printer's paper): the title and date, the monthly
// sentence, the entries, the rate, the chart, the table, and that it is an illustration. The
// paper the page took; none when it was not written whole.
std::optional<QPageSize> writeSavingsPdf(QFileDevice &out, const QPageSize &paper,
                                         const SavingsReport &report, QDate date);

// The page for the program's print path, proposed as "ぽみろの積み立て.pdf" in `folder` when saved
// as a PDF. The report is copied.
Printable savingsPrintable(const SavingsReport &report, QDate date, const QString &folder);

} // namespace pomiro
