#include "platform/printhandoff.h"

#include <QFile>
#include <QPrinterInfo>
#include <QtDebug>

#include <cups/cups.h>

namespace pomiro {

namespace {

bool handToQueue(const QByteArray &queue, const QString &pdfPath, const QPageSize &paper)
{
    // The queue is asked for the paper the page was laid out on.
    const QByteArray media = paper.key().toLocal8Bit();
    cups_option_t option{const_cast<char *>("media"), const_cast<char *>(media.constData())};
    const QByteArray title = kPrintJobTitle.toUtf8();
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(pdfPath).constData(),
                                  title.constData(), media.isEmpty() ? 0 : 1, &option);
    if (job == 0)
        qWarning("The spooler refused the letter: %s", cupsLastErrorString());
    return job != 0;
}

} // namespace

std::optional<PrintDestination> defaultPrintDestination()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return std::nullopt;
    // CUPS wants the queue name without an instance ("PDF/draft" -> "PDF").
    const QByteArray queue = info.printerName().section(u'/', 0, 0).toLocal8Bit();
    return PrintDestination{info.defaultPageSize(),
                            [queue](const QString &pdfPath, const QPageSize &paper) {
                                return handToQueue(queue, pdfPath, paper);
                            }};
}

} // namespace pomiro
