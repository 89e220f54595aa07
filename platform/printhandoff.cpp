#include "platform/printhandoff.h"

#include "platform/lazylibrary.h"

#include <QFile>
#include <QSizeF>
#include <QtDebug>
#include <cups/cups.h>

namespace pomiro {

namespace {

// The calls of libcups the program makes. The library, with the TLS, Kerberos and Avahi libraries
// it brings along, is loaded when the first page goes to a printer (lazylibrary.h): together
// they weigh about a tenth of the start-up's time and memory.
struct CupsCalls
{
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsCopyDestInfo) copyDestInfo = nullptr;
    decltype(&cupsFreeDestInfo) freeDestInfo = nullptr;
    decltype(&cupsGetDestMediaDefault) getDestMediaDefault = nullptr;
    decltype(&cupsPrintFile) printFile = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;

    bool complete() const
    {
        return getNamedDest && freeDests && copyDestInfo && freeDestInfo && getDestMediaDefault &&
               printFile && lastErrorString;
    }
};

const CupsCalls &cups()
{
    static const CupsCalls calls = [] {
        CupsCalls loaded;
        QLibrary library(QStringLiteral("cups"), 2);
        if (!loadLibrary(library, "spooler's"))
            return loaded;
        resolveCall(library, loaded.getNamedDest, "cupsGetNamedDest");
        resolveCall(library, loaded.freeDests, "cupsFreeDests");
        resolveCall(library, loaded.copyDestInfo, "cupsCopyDestInfo");
        resolveCall(library, loaded.freeDestInfo, "cupsFreeDestInfo");
        resolveCall(library, loaded.getDestMediaDefault, "cupsGetDestMediaDefault");
        resolveCall(library, loaded.printFile, "cupsPrintFile");
        resolveCall(library, loaded.lastErrorString, "cupsLastErrorString");
        if (!loaded.complete())
            qWarning("The spooler's library lacks calls the program needs");
        return loaded;
    }();
    return calls;
}

// The paper the destination prints on unless told otherwise; invalid when it doesn't say.
QPageSize defaultPaper(cups_dest_t *destination)
{
    cups_dinfo_t *info = cups().copyDestInfo(CUPS_HTTP_DEFAULT, destination);
    cups_size_t size{};
    const bool known =
        info && cups().getDestMediaDefault(CUPS_HTTP_DEFAULT, destination, info, 0, &size);
    if (info)
        cups().freeDestInfo(info);
    if (!known || size.width <= 0 || size.length <= 0)
        return {};
    // CUPS measures in hundredths of a millimetre; a paper Qt knows keeps its name (A4, Letter).
    return QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter,
                     QString(), QPageSize::FuzzyMatch);
}

bool handToQueue(const QByteArray &queue, const QString &pdfPath, const QPageSize &paper)
{
    if (!cups().complete())
        return false;
    // The queue is asked for the paper the page was laid out on.
    const QByteArray media = paper.key().toLocal8Bit();
    cups_option_t option{const_cast<char *>("media"), const_cast<char *>(media.constData())};
    const QByteArray title = kPrintJobTitle.toUtf8();
    const int job = cups().printFile(queue.constData(), QFile::encodeName(pdfPath).constData(),
                                     title.constData(), media.isEmpty() ? 0 : 1, &option);
    if (job == 0)
        qWarning("The spooler refused the job: %s", cups().lastErrorString());
    return job != 0;
}

} // namespace

std::optional<PrintDestination> defaultPrintDestination()
{
    if (!cups().complete())
        return std::nullopt;
    // The user's default (lpoptions) or else the system's; none when there is none or no spooler.
    cups_dest_t *destination = cups().getNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!destination)
        return std::nullopt;
    // The job goes to the queue itself, without an instance ("PDF", not "PDF/draft").
    const QByteArray queue(destination->name);
    const QPageSize paper = defaultPaper(destination);
    cups().freeDests(1, destination);
    return PrintDestination{paper, [queue](const QString &pdfPath, const QPageSize &paper) {
                                return handToQueue(queue, pdfPath, paper);
                            }};
}

} // namespace pomiro
