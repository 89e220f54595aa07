#pragma once

#include "core/period.h"
#include "letters/letterkind.h"

#include <QDate>
#include <QPageSize>
#include <QString>
#include <optional>

class QFileDevice;

namespace pomiro::letters {

// Lays the letter out and paints it in one pass as a one-page PDF on `paper` (A4 when it is
// invalid), with margins of 10 points, into `out`, which is opened for writing here unless it is
// open already. The paper the page took; none when the page was not written whole.
std::optional<QPageSize> writeLetterPdf(QFileDevice &out, const QPageSize &paper,
                                        const LetterKind &kind, const QString &name,
                                        const PeriodTexts &amounts, QDate date);

} // namespace pomiro::letters
