#pragma once

#include "core/period.h"
#include "platform/printhandoff.h"
#include "platform/savedialog.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace pomiro::letters {

struct LetterKind;

// The save dialog for a letter's PDF.
QString askPdfPathInDialog(QWidget *window, const QString &proposed);

// What a letter button does: paints the letter into a spool file, hands it to the printer and
// tells the user when that failed, offering to save the same page as a PDF instead.
class LetterPrinting
{
public:
    // Looked up for every letter, so a printer set up while the program runs is used.
    using FindDestination = std::function<std::optional<PrintDestination>()>;

    explicit LetterPrinting(FindDestination findDestination = &defaultPrintDestination,
                            std::function<QDate()> today = &QDate::currentDate,
                            AskSavePath askSavePath = &askPdfPathInDialog);

    // kindIndex counts kLetterKinds. Returns true when the letter was printed or saved as a PDF,
    // so the print panel may close; otherwise the user has been told (or cancelled) and the panel
    // should stay open.
    bool print(int kindIndex, QWidget *window, const QString &name, const PeriodTexts &amounts);

private:
    bool printOn(const PrintDestination &destination, const LetterKind &kind, const QString &name,
                 const PeriodTexts &amounts, QDate date);
    bool saveAsPdf(QWidget *window, const QPageSize &paper, const LetterKind &kind,
                   const QString &name, const PeriodTexts &amounts, QDate date);

    FindDestination m_findDestination;
    std::function<QDate()> m_today;
    AskSavePath m_askSavePath;
};

} // namespace pomiro::letters
