#include "platform/pdfprinting.h"

#include "platform/messagebox.h"
#include "platform/printtexts.h"

#include <QDir>
#include <QTemporaryFile>

namespace pomiro {

QString askPdfPathInDialog(QWidget *window, const QString &proposed)
{
    return askSavePathInDialog(
        window, {printtexts::kSaveTitle, QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf")},
        proposed);
}

Printable pdfPrintable(PdfPages pages, const QString &folder, const QString &fileName)
{
    return {[pages = std::move(pages)](QFileDevice &out, const QPageSize &paper) {
                return writePdf(out, paper, pages);
            },
            QDir(folder).filePath(fileName)};
}

PdfPrinting::PdfPrinting(FindPrintDestination findDestination, std::function<QDate()> today,
                         AskSavePath askSavePath)
    : m_findDestination(std::move(findDestination)), m_today(std::move(today)),
      m_askSavePath(std::move(askSavePath))
{}

bool PdfPrinting::print(QWidget *window, const Printable &document) const
{
    // No printer means failure, never a silent PDF file: a PDF is written only where the user
    // asks for one.
    const std::optional<PrintDestination> destination = m_findDestination();
    if (destination) {
        // The spool file is removed whatever happens; the spooler keeps its own copy of a job.
        QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/pomiro-print-XXXXXX.pdf"));
        const std::optional<QPageSize> painted =
            spool.open() ? document.paint(spool, destination->paper) : std::nullopt;
        // Only complete pages reach the queue.
        if (painted && destination->handOff(spool.fileName(), *painted))
            return true;
    }
    if (!warnWithAction(window, printtexts::kPrintFailedTitle, printtexts::kPrintFailed,
                        printtexts::kSaveAsPdf))
        return false;
    // The pages the printer would have had, on its paper when it has said which.
    return saveAsPdf(window, document, destination ? destination->paper : QPageSize());
}

bool PdfPrinting::saveAsPdf(QWidget *window, const Printable &document,
                            const QPageSize &paper) const
{
    const QString path = m_askSavePath(window, document.proposedPath);
    if (path.isEmpty())
        return false;
    const WriteContent pages = [&](QFileDevice &out) {
        return document.paint(out, paper).has_value();
    };
    return saveAndTell(window, path, pages, QStringLiteral("PDF"), printtexts::kSaveTitle);
}

} // namespace pomiro
