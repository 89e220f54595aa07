#pragma once

#include "core/period.h"
#include "letters/letterkind.h"

#include <QDate>
#include <QPageSize>
#include <QString>
#include <memory>

class QPrinter;

namespace pomiro::letters {

// A PDF file to paint a letter on, laid out on `paper` (Qt's default page when it is invalid).
std::unique_ptr<QPrinter> letterPdf(const QString &path, const QPageSize &paper);

// Lays the letter out for the page of `printer` and paints it there in one pass. False when the
// page could not be painted completely.
[[nodiscard]] bool paintLetter(QPrinter &printer, const LetterKind &kind, const QString &name,
                               const PeriodTexts &amounts, QDate date);

} // namespace pomiro::letters
