#include "letters/printjob.h"

#include "letters/letterkind.h"
#include "letters/letterpainter.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryFile>

namespace pomiro::letters {

namespace {

const QString kFailureTitle = QStringLiteral("印刷エラー");
const QString kFailureText =
    QStringLiteral("印刷できませんでした。プリンターを設定してから、もう一度お試しください。");

} // namespace

LetterPrinting::LetterPrinting(FindDestination findDestination, std::function<QDate()> today)
    : m_findDestination(std::move(findDestination)), m_today(std::move(today))
{
}

bool LetterPrinting::print(int kindIndex, QWidget *window, const QString &name,
                           const PeriodTexts &amounts)
{
    if (kindIndex < 0 || kindIndex >= static_cast<int>(kLetterKinds.size()))
        return false;
    // No printer means failure, never a silent PDF file.
    const std::optional<PrintDestination> destination = m_findDestination();
    const bool printed = destination && printOn(*destination, kindIndex, name, amounts);
    if (!printed)
        warn(window, kFailureTitle, kFailureText);
    return printed;
}

bool LetterPrinting::printOn(const PrintDestination &destination, int kindIndex,
                             const QString &name, const PeriodTexts &amounts)
{
    // The spool file is removed whatever happens; the spooler keeps its own copy of a job.
    QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/pomiro-letter-XXXXXX.pdf"));
    if (!spool.open())
        return false;
    spool.close(); // QPrinter writes it by its name

    const auto page = letterPdf(spool.fileName(), destination.paper);
    // Only a complete page reaches the queue.
    return paintLetter(*page, kLetterKinds[static_cast<size_t>(kindIndex)], name, amounts,
                       m_today())
           && destination.handOff(spool.fileName(), page->pageLayout().pageSize());
}

} // namespace pomiro::letters
