#pragma once

#include "core/period.h"
#include "platform/pdfprinting.h"

#include <QDate>
#include <QString>
#include <optional>

namespace pomiro::letters {

// The letter of kind `kindIndex` (counting kLetterKinds) for the entry `name` with `amounts`,
// dated `date`, for the program's print path (PdfPrinting): one page, proposed when saved as a PDF
// as "<letter>_<name>_<yyyyMMdd>.pdf" in the user's documents folder. None for no such letter.
std::optional<Printable> letterPrintable(int kindIndex, const QString &name,
                                         const PeriodTexts &amounts, QDate date);

} // namespace pomiro::letters
