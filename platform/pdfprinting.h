#pragma once

#include "platform/pdfdocument.h"
#include "platform/printhandoff.h"
#include "platform/savedialog.h"

#include <QDate>
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

// A document the program prints: its pages, and the file a PDF of it is proposed as when it is
// saved instead.
struct Printable
{
    PaintPdf paint;
    QString proposedPath;
};

// The program's own pages as a document, proposed as `fileName` in `folder` when saved as a PDF.
Printable pdfPrintable(PdfPages pages, const QString &folder, const QString &fileName);

// Where a document goes to be printed: looked up for every document, so that a printer set up
// while the program runs is used.
using FindPrintDestination = std::function<std::optional<PrintDestination>()>;

// The save dialog for a PDF file.
QString askPdfPathInDialog(QWidget *window, const QString &proposed);

// The one way the program prints what it draws itself, the letters and the list alike: the pages
// are painted into a spool file and handed to the default printer without a dialog; when there is
// no printer or it refuses them, the user is told and offered to save the same pages as a PDF.
// Cheap to make; the spooler's library is loaded only when the first page goes to a printer.
class PdfPrinting
{
public:
    explicit PdfPrinting(FindPrintDestination findDestination = &defaultPrintDestination,
                         std::function<QDate()> today = &QDate::currentDate,
                         AskSavePath askSavePath = &askPdfPathInDialog);

    // The date a document made now carries.
    QDate today() const { return m_today(); }

    // True when the pages were printed, or saved as a PDF after the failure, at the path the
    // user chose starting from the document's proposed one; false when the user has been told (or
    // cancelled). Printing is silent when it works.
    bool print(QWidget *window, const Printable &document) const;

    // Asks where to save the pages, laid out on `paper`, and paints them straight into a file that
    // takes the chosen name only once it is whole on the disk, so that a full disk leaves nothing
    // half-written. Tells the user where it went or why it did not; a cancel is silent. True when
    // the file was saved.
    bool saveAsPdf(QWidget *window, const Printable &document, const QPageSize &paper = {}) const;

private:
    FindPrintDestination m_findDestination;
    std::function<QDate()> m_today;
    AskSavePath m_askSavePath;
};

} // namespace pomiro
