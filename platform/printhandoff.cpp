#include "platform/printhandoff.h"

#include <QFile>
#include <QLibrary>
#include <QPrinterInfo>
#include <QtDebug>

#include <cups/cups.h>

namespace pomiro {

namespace {

// The two calls of libcups the hand-off makes. The library, with the TLS, Kerberos and Avahi
// libraries it brings along, is loaded when the first letter goes to a printer rather than at
// every start of the program, where it cost a tenth of the start-up time and memory.
struct CupsCalls
{
    decltype(&cupsPrintFile) printFile = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;
};

const CupsCalls &cups()
{
    static const CupsCalls calls = [] {
        CupsCalls loaded;
        QLibrary library(QStringLiteral("cups"), 2); // stays loaded: QLibrary never unloads on destruction
        if (!library.load()) {
            qWarning("The spooler's library could not be loaded: %s", qPrintable(library.errorString()));
            return loaded;
        }
        loaded.printFile = reinterpret_cast<decltype(&cupsPrintFile)>(library.resolve("cupsPrintFile"));
        loaded.lastErrorString =
            reinterpret_cast<decltype(&cupsLastErrorString)>(library.resolve("cupsLastErrorString"));
        return loaded;
    }();
    return calls;
}

bool handToQueue(const QByteArray &queue, const QString &pdfPath, const QPageSize &paper)
{
    if (!cups().printFile || !cups().lastErrorString)
        return false;
    // The queue is asked for the paper the page was laid out on.
    const QByteArray media = paper.key().toLocal8Bit();
    cups_option_t option{const_cast<char *>("media"), const_cast<char *>(media.constData())};
    const QByteArray title = kPrintJobTitle.toUtf8();
    const int job = cups().printFile(queue.constData(), QFile::encodeName(pdfPath).constData(),
                                  title.constData(), media.isEmpty() ? 0 : 1, &option);
    if (job == 0)
        qWarning("The spooler refused the letter: %s", cups().lastErrorString());
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
