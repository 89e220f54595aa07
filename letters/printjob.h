#pragma once

#include "core/period.h"
#include "platform/printhandoff.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace pomiro {
} // namespace pomiro

namespace pomiro::letters {

// What a letter button does: paints the letter into a spool file, hands it to the printer and
// tells the user when that failed.
class LetterPrinting
{
public:
    // Looked up for every letter, so a printer set up while the program runs is used.
    using FindDestination = std::function<std::optional<PrintDestination>()>;

    explicit LetterPrinting(FindDestination findDestination = &defaultPrintDestination,
                            std::function<QDate()> today = &QDate::currentDate);

    // kindIndex counts kLetterKinds. Returns true when the letter was printed, so the print
    // panel may close; on failure the user has been told and the panel should stay open.
    bool print(int kindIndex, QWidget *window, const QString &name, const PeriodTexts &amounts);

private:
    bool printOn(const PrintDestination &destination, int kindIndex, const QString &name,
                 const PeriodTexts &amounts);

    FindDestination m_findDestination;
    std::function<QDate()> m_today;
};

} // namespace pomiro::letters
