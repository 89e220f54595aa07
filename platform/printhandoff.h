#pragma once

#include <QPageSize>
#include <QString>
#include <functional>
#include <optional>

namespace pomiro {

// The title of every page the program prints: the spooler shows it for the job.
inline const QString kPrintJobTitle = QStringLiteral("ぽみろチェッカー");

// Takes a complete page, a PDF file laid out on `paper`, to a printer's queue; false when the
// queue did not take it. The file may be removed once this returns.
using HandOff = std::function<bool(const QString &pdfPath, const QPageSize &paper)>;

// Where a page the program draws itself goes to be printed.
struct PrintDestination
{
    QPageSize paper; // the printer's default paper; invalid leaves Qt's default
    HandOff handOff;
};

// The system's default printer, reached through CUPS; nothing when there is none. The page is
// drawn into a PDF of our own and handed over only when it is complete: QPrinter's own CUPS
// engine would submit even an aborted document when its painter ends, and ignores a spooler that
// refuses the job.
std::optional<PrintDestination> defaultPrintDestination();

} // namespace pomiro
