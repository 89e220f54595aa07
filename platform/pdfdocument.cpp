#include "platform/pdfdocument.h"

#include "platform/printhandoff.h"

#include <QFileDevice>
#include <QPainter>

namespace pomiro {

PdfDocument::PdfDocument(QFileDevice &out, const QPageSize &paper, const PdfPageSetup &setup)
    : m_out(out)
{
    if (!out.isOpen() && !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    m_writer.emplace(&out);
    m_writer->setResolution(kDotsPerInch);
    const double margin = setup.marginPoints;
    m_writer->setPageLayout(
        QPageLayout(paper.isValid() ? paper : QPageSize(QPageSize::A4), setup.orientation,
                    QMarginsF(margin, margin, margin, margin), QPageLayout::Point));
    m_writer->setTitle(setup.title);
    m_writer->setCreator(kPrintJobTitle);
}

std::optional<QPageSize> PdfDocument::finish(bool painted)
{
    if (!isOpen() || !painted || !m_out.flush() || m_out.error() != QFileDevice::NoError)
        return std::nullopt;
    return m_writer->pageLayout().pageSize();
}

std::optional<QPageSize> writePdf(QFileDevice &out, const QPageSize &paper, const PdfPages &pages)
{
    PdfDocument document(out, paper, pages.setup);
    if (!document.isOpen())
        return std::nullopt;
    QPainter painter;
    if (!painter.begin(&document.writer()))
        return std::nullopt;
    const bool painted = pages.paint(painter, document);
    const bool ended = painter.end();
    return document.finish(painted && ended);
}

} // namespace pomiro
