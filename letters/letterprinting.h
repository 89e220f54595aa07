#pragma once

#include "core/period.h"
#include "platform/pdfprinting.h"

#include <QDate>
#include <QString>
#include <functional>

class QWidget;

namespace pomiro::letters {

// What a letter button does: prints the letter through the program's print path, which tells the
// user when that failed and offers to save the same page as a PDF instead.
class LetterPrinting
{
public:
    using FindDestination = FindPrintDestination;

    explicit LetterPrinting(FindDestination findDestination = &defaultPrintDestination,
                            std::function<QDate()> today = &QDate::currentDate,
                            AskSavePath askSavePath = &askPdfPathInDialog);

    // kindIndex counts kLetterKinds. Returns true when the letter was printed or saved as a PDF,
    // so the print panel may close; otherwise the user has been told (or cancelled) and the panel
    // should stay open.
    bool print(int kindIndex, QWidget *window, const QString &name, const PeriodTexts &amounts);

private:
    PdfPrinting m_printing;
    std::function<QDate()> m_today;
};

} // namespace pomiro::letters
