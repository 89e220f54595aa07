#include "letters/printjob.h"

#include "core/savefile.h"
#include "letters/letterkind.h"
#include "letters/letterpainter.h"
#include "letters/texts.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace pomiro::letters {

namespace {

// Longest file name most Linux file systems take, in bytes of its encoded name.
constexpr qsizetype kMaxFileNameBytes = 255;

// A name as it may stand in a file name: no folder separator, no NUL, no control characters.
QString fileNamePart(const QString &name)
{
    QString part;
    for (QChar c : name)
        part += c == u'/' || c.category() == QChar::Other_Control ? QChar(u'_') : c;
    return part.trimmed();
}

// "<letter>_<name>_<yyyyMMdd>.pdf"; without the name part when nothing of the name is left, and
// with the name shortened when the whole would be too long for a file name.
QString proposedFileName(const LetterKind &kind, const QString &name, QDate date)
{
    const QString letter = QString::fromUtf16(kind.caption);
    const QString tail = u'_' + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".pdf");
    QString part = fileNamePart(name);
    const auto fileName = [&] {
        return part.isEmpty() ? letter + tail : letter + u'_' + part + tail;
    };
    while (QFile::encodeName(fileName()).size() > kMaxFileNameBytes) {
        part.chop(part.size() >= 2 && part.at(part.size() - 1).isLowSurrogate() ? 2 : 1);
        part = part.trimmed();
    }
    return fileName();
}

QString spoolTemplate()
{
    return QDir::tempPath() + QStringLiteral("/pomiro-letter-XXXXXX.pdf");
}

// Paints the letter as a PDF on `paper` into `file` (a temporary file not yet opened), which is
// left open. The page size the PDF took, or none when the page could not be made whole.
std::optional<QPageSize> paintIntoFile(QTemporaryFile &file, const QPageSize &paper,
                                       const LetterKind &kind, const QString &name,
                                       const PeriodTexts &amounts, QDate date)
{
    if (!file.open())
        return std::nullopt;
    return writeLetterPdf(file, paper, kind, name, amounts, date);
}

// The user's documents folder, or the home folder on a desktop that has none.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

QString askPdfPathInDialog(QWidget *window, const QString &proposed)
{
    return askSavePathInDialog(
        window, {texts::kSaveTitle, QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf")},
        proposed);
}

LetterPrinting::LetterPrinting(FindDestination findDestination, std::function<QDate()> today,
                               AskSavePath askSavePath)
    : m_findDestination(std::move(findDestination)), m_today(std::move(today)),
      m_askSavePath(std::move(askSavePath))
{}

bool LetterPrinting::print(int kindIndex, QWidget *window, const QString &name,
                           const PeriodTexts &amounts)
{
    if (kindIndex < 0 || kindIndex >= static_cast<int>(kLetterKinds.size()))
        return false;
    const LetterKind &kind = kLetterKinds[static_cast<size_t>(kindIndex)];
    const QDate date = m_today();
    // No printer means failure, never a silent PDF file: a PDF is written only where the user
    // asks for one.
    const std::optional<PrintDestination> destination = m_findDestination();
    if (destination && printOn(*destination, kind, name, amounts, date))
        return true;
    if (!warnWithAction(window, texts::kPrintFailedTitle, texts::kPrintFailed, texts::kSaveAsPdf))
        return false;
    // The page the printer would have had, on its paper when it has said which.
    const QPageSize paper =
        destination && destination->paper.isValid() ? destination->paper : QPageSize(QPageSize::A4);
    return saveAsPdf(window, paper, kind, name, amounts, date);
}

bool LetterPrinting::printOn(const PrintDestination &destination, const LetterKind &kind,
                             const QString &name, const PeriodTexts &amounts, QDate date)
{
    // The spool file is removed whatever happens; the spooler keeps its own copy of a job.
    QTemporaryFile spool(spoolTemplate());
    const std::optional<QPageSize> painted =
        paintIntoFile(spool, destination.paper, kind, name, amounts, date);
    // Only a complete page reaches the queue.
    return painted && destination.handOff(spool.fileName(), *painted);
}

bool LetterPrinting::saveAsPdf(QWidget *window, const QPageSize &paper, const LetterKind &kind,
                               const QString &name, const PeriodTexts &amounts, QDate date)
{
    const QString path =
        m_askSavePath(window, QDir(documentsFolder()).filePath(proposedFileName(kind, name, date)));
    if (path.isEmpty())
        return false;

    // The page is painted into a temporary file first and its bytes then replace the chosen file
    // in one step: a full disk leaves nothing half-written behind.
    QTemporaryFile page(spoolTemplate());
    QByteArray bytes;
    if (paintIntoFile(page, paper, kind, name, amounts, date) && page.seek(0))
        bytes = page.readAll();
    if (bytes.isEmpty()) {
        warn(window, kSaveFailedTitle,
             texts::pageNotMade(QDir::toNativeSeparators(QDir::tempPath())));
        return false;
    }
    const Result<void, SaveError> saved = replaceFileAtomically(path, bytes);
    if (!saved) {
        warn(window, kSaveFailedTitle, texts::saveFailed(saved.error().diskFull));
        return false;
    }
    inform(window, texts::kSaveTitle, texts::saved(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace pomiro::letters
