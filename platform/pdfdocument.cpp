#include "platform/pdfdocument.h"

#include "platform/printhandoff.h"

#include <QFileDevice>

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

} // namespace pomiro
