#include "platform/qtprinter.h"

#include "platform/fonts.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QtDebug>

#include <cups/cups.h>

namespace pomiro {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kInitialFontSize = 10.0;

// The title the spooler shows for the job.
const QString kJobTitle = QStringLiteral("ぽみろチェッカー");

} // namespace

std::unique_ptr<QtPrinter> QtPrinter::forDefaultPrinter()
{
    std::unique_ptr<QtPrinter> printer(new QtPrinter);
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return printer;

    // Laid out on the printer's default paper, but drawn into our own file.
    QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/pomiro-letter-XXXXXX.pdf"));
    if (!spool.open())
        return printer;
    spool.setAutoRemove(false);
    printer->m_spoolFile = spool.fileName();
    spool.close();

    printer->m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->m_queue = printer->m_printer->printerName();
    printer->m_printer->setOutputFileName(printer->m_spoolFile);
    // Writing to a file starts from Qt's own page, so the printer's default paper is set again;
    // the job then asks the queue for that same paper.
    if (const QPageSize paper = info.defaultPageSize(); paper.isValid())
        printer->m_printer->setPageSize(paper);
    printer->m_printer->setDocName(kJobTitle);
    return printer;
}

std::unique_ptr<QtPrinter> QtPrinter::toPdfFile(const QString &path)
{
    std::unique_ptr<QtPrinter> printer(new QtPrinter);
    printer->m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->m_printer->setOutputFormat(QPrinter::PdfFormat);
    printer->m_printer->setOutputFileName(path);
    printer->m_printer->setDocName(kJobTitle);
    printer->m_spoolFile = path;
    return printer;
}

QtPrinter::~QtPrinter()
{
    // A document nobody ended is not printed.
    if (m_state == State::NotStarted || m_state == State::Printing)
        abort();
}

bool QtPrinter::ensureStarted()
{
    if (m_state == State::Printing)
        return healthy() || failed();
    if (m_state != State::NotStarted)
        return false;
    if (!m_printer || !m_painter.begin(m_printer.get()))
        return failed();
    m_fontFamily = fonts::kGothic;
    m_fontSize = kInitialFontSize;
    m_state = State::Printing;
    return true;
}

bool QtPrinter::healthy() const
{
    return m_painter.isActive() && m_printer->printerState() != QPrinter::Error;
}

bool QtPrinter::failed()
{
    m_state = State::Failed;
    return false;
}

double QtPrinter::twipsToDevice(int twips) const
{
    return twips * m_printer->resolution() / kTwipsPerInch;
}

bool QtPrinter::setFontName(const QString &family)
{
    if (!ensureStarted())
        return false;
    m_fontFamily = family;
    return true;
}

bool QtPrinter::setFontSize(double points)
{
    if (!ensureStarted())
        return false;
    if (!(points > 0.0))
        return failed();
    m_fontSize = points;
    return true;
}

bool QtPrinter::setScaleLeft(int twips)
{
    if (!ensureStarted())
        return false;
    m_originX = twipsToDevice(-twips);
    return true;
}

bool QtPrinter::setScaleTop(int twips)
{
    if (!ensureStarted())
        return false;
    m_originY = twipsToDevice(-twips);
    m_y = 0.0;
    return true;
}

bool QtPrinter::printLine(const QString &text)
{
    if (!ensureStarted())
        return false;
    const QFont font = fonts::font(m_fontFamily, m_fontSize);
    const QFontMetricsF metrics(font, m_printer.get());
    m_painter.setFont(font);
    // drawText at a point neither wraps nor clips: what runs past the paper is simply lost.
    m_painter.drawText(QPointF(m_originX, m_originY + m_y + metrics.ascent()), text);
    m_y += metrics.height();
    return healthy() || failed();
}

bool QtPrinter::endDocument()
{
    if (!ensureStarted())
        return false;
    if (!m_painter.end()) {
        abort();
        return false;
    }
    if (m_queue.isEmpty()) {
        m_state = State::Ended;
        return true;
    }

    // CUPS wants the queue name without an instance ("PDF/draft" -> "PDF").
    const QByteArray queue = m_queue.section(u'/', 0, 0).toLocal8Bit();
    const QByteArray media = m_printer->pageLayout().pageSize().key().toLocal8Bit();
    cups_option_t option{const_cast<char *>("media"), const_cast<char *>(media.constData())};
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(m_spoolFile).constData(),
                                  kJobTitle.toUtf8().constData(), media.isEmpty() ? 0 : 1, &option);
    if (job == 0)
        qWarning("The spooler refused the letter: %s", cupsLastErrorString());
    QFile::remove(m_spoolFile);
    m_state = job == 0 ? State::Failed : State::Ended;
    return job != 0;
}

void QtPrinter::abort()
{
    if (m_state == State::Ended)
        return;
    if (m_painter.isActive())
        m_painter.end();
    // The spool file is ours from the start; a chosen PDF file only once we began writing it.
    const bool wroteFile = m_state != State::NotStarted || !m_queue.isEmpty();
    if (wroteFile && !m_spoolFile.isEmpty())
        QFile::remove(m_spoolFile);
    m_state = State::Failed;
}

} // namespace pomiro
