#pragma once

#include "platform/printhandoff.h"
#include "platform/savedialog.h"

#include <QPageSize>
#include <QString>
#include <functional>
#include <optional>

class QFileDevice;
class QWidget;

namespace pomiro {

// Paints a whole document as a PDF laid out on `paper` (the document's own default when it is
// invalid) into `out`, which is open for writing. The paper the pages took; none when the document
// was not written whole.
using PaintPdf = std::function<std::optional<QPageSize>(QFileDevice &out, const QPageSize &paper)>;

// Where a document goes to be printed: looked up for every document, so that a printer set up
// while the program runs is used.
using FindPrintDestination = std::function<std::optional<PrintDestination>()>;

// The save dialog for a PDF file.
QString askPdfPathInDialog(QWidget *window, const QString &proposed);

// The one way the program prints what it draws itself, the letters and the list alike: the pages
// are painted into a spool file and handed to the default printer without a dialog; when there is
// no printer or it refuses them, the user is told and offered to save the same pages as a PDF.
class PdfPrinting
{
public:
    explicit PdfPrinting(FindPrintDestination findDestination = &defaultPrintDestination,
                         AskSavePath askSavePath = &askPdfPathInDialog);

    // True when the pages were printed, or saved as a PDF after the failure, at the path the
    // user chose starting from `proposedPath`; false when the user has been told (or cancelled).
    // Printing is silent when it works.
    bool print(QWidget *window, const PaintPdf &paint, const QString &proposedPath) const;

    // Asks where to save the pages, laid out on `paper`, starting from `proposedPath`, and puts the
    // file there in one step, so that a full disk leaves nothing half-written. Tells the user where
    // it went or why it did not; a cancel is silent. True when the file was saved.
    bool saveAsPdf(QWidget *window, const PaintPdf &paint, const QPageSize &paper,
                   const QString &proposedPath) const;

private:
    FindPrintDestination m_findDestination;
    AskSavePath m_askSavePath;
};

} // namespace pomiro
