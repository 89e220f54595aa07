#include "platform/pdfprinting.h"

#include "platform/messagebox.h"
#include "platform/printtexts.h"

#include <QDir>
#include <QTemporaryFile>

namespace pomiro {

namespace {

QString spoolTemplate()
{
    return QDir::tempPath() + QStringLiteral("/pomiro-print-XXXXXX.pdf");
}

// Paints the pages into `file` (a temporary file not yet opened), which is left open. The paper
// the pages took, or none when they could not be made whole.
std::optional<QPageSize> paintIntoFile(QTemporaryFile &file, const PaintPdf &paint,
                                       const QPageSize &paper)
{
    if (!file.open())
        return std::nullopt;
    return paint(file, paper);
}

} // namespace

QString askPdfPathInDialog(QWidget *window, const QString &proposed)
{
    return askSavePathInDialog(
        window, {printtexts::kSaveTitle, QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf")},
        proposed);
}

PdfPrinting::PdfPrinting(FindPrintDestination findDestination, AskSavePath askSavePath)
    : m_findDestination(std::move(findDestination)), m_askSavePath(std::move(askSavePath))
{}

bool PdfPrinting::print(QWidget *window, const PaintPdf &paint, const QString &proposedPath) const
{
    // No printer means failure, never a silent PDF file: a PDF is written only where the user
    // asks for one.
    const std::optional<PrintDestination> destination = m_findDestination();
    if (destination) {
        // The spool file is removed whatever happens; the spooler keeps its own copy of a job.
        QTemporaryFile spool(spoolTemplate());
        const std::optional<QPageSize> painted = paintIntoFile(spool, paint, destination->paper);
        // Only complete pages reach the queue.
        if (painted && destination->handOff(spool.fileName(), *painted))
            return true;
    }
    if (!warnWithAction(window, printtexts::kPrintFailedTitle, printtexts::kPrintFailed,
                        printtexts::kSaveAsPdf))
        return false;
    // The pages the printer would have had, on its paper when it has said which.
    return saveAsPdf(window, paint, destination ? destination->paper : QPageSize(), proposedPath);
}

bool PdfPrinting::saveAsPdf(QWidget *window, const PaintPdf &paint, const QPageSize &paper,
                            const QString &proposedPath) const
{
    const QString path = m_askSavePath(window, proposedPath);
    if (path.isEmpty())
        return false;

    // The pages are painted into a temporary file first and its bytes then replace the chosen
    // file in one step: a full disk leaves nothing half-written behind.
    QTemporaryFile pages(spoolTemplate());
    QByteArray bytes;
    if (paintIntoFile(pages, paint, paper) && pages.seek(0))
        bytes = pages.readAll();
    if (bytes.isEmpty()) {
        warn(window, kSaveFailedTitle,
             printtexts::pageNotMade(QDir::toNativeSeparators(QDir::tempPath())));
        return false;
    }
    return saveAndTell(window, path, bytes, QStringLiteral("PDF"), printtexts::kSaveTitle);
}

} // namespace pomiro
