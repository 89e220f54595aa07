#pragma once

#include "core/period.h"
#include "letters/letterkind.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace pomiro {
class Printer;
} // namespace pomiro

namespace pomiro::letters {

// Each amount is right-aligned in this many cells after its caption.
inline constexpr int kAmountCells = 15;

// The caption in front of each period's amount, in period order; every one is 15 cells wide, its
// blanks a deliberate mix of half-width and full-width spaces.
inline constexpr std::array<const char16_t *, kPeriodCount> kAmountCaptions = {{
    u"     １日で…　",
    u"     １週間で…",
    u"     １ヶ月で…",
    u"     半年で…　",
    u" 　    １年で…",
    u" 　    ３年で…",
    u" 　    ５年で…",
    u"     １０年で…",
    u"     ２０年で…",
    u"     ３０年で…",
}};

// The date line's blanks put the date in cell 32.
QString dateLine(QDate date);

// Prints one letter of the given kind as one document. Stops at the first operation the printer
// refuses, aborts the document and returns false; true once the page went to the printer.
[[nodiscard]] bool printLetter(const LetterKind &kind, Printer &printer, const QString &name,
                               const PeriodTexts &amounts, QDate date);

// Makes the printer for one letter; nullptr when none can be had.
using PrinterFactory = std::function<std::unique_ptr<Printer>()>;

// The system's default printer.
PrinterFactory defaultPrinterFactory();

// What a letter button does: prints on a fresh printer and tells the user when that failed.
class LetterPrinting
{
public:
    LetterPrinting(PrinterFactory makePrinter, std::function<QDate()> today = &QDate::currentDate);

    // kindIndex counts kLetterKinds. Returns true when the letter was printed, so the print
    // panel may close; on failure the user has been told and the panel should stay open.
    bool print(int kindIndex, QWidget *window, const QString &name, const PeriodTexts &amounts);

private:
    PrinterFactory m_makePrinter;
    std::function<QDate()> m_today;
};

} // namespace pomiro::letters
