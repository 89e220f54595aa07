#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <functional>
#include <optional>

class QFileDevice;
class QPainter;

namespace pomiro {

// How a PDF document of the program is set up: which way the page is turned, how far from each
// edge of the paper the printable area starts, and the title the spooler shows for it.
struct PdfPageSetup
{
    QPageLayout::Orientation orientation;
    double marginPoints;
    QString title;
};

// A PDF document written into a file, set up and finished the same way by everything the program
// prints: one resolution, the paper given (A4 when it is invalid), the title, and a finish that
// fails when a single byte did not reach the file.
class PdfDocument
{
public:
    static constexpr double kPointsPerInch = 72.0;
    static constexpr int kDotsPerInch = 1200;

    // Opens `out` for writing unless it is open already; see isOpen().
    PdfDocument(QFileDevice &out, const QPageSize &paper, const PdfPageSetup &setup);

    bool isOpen() const { return m_writer.has_value(); }
    QPdfWriter &writer() { return *m_writer; }
    // Device pixels per point of the page.
    double pixelsPerPoint() const { return m_writer->resolution() / kPointsPerInch; }

    // Once the pages are painted (`painted`: the painting itself went through): the paper the pages
    // took, or none when the document is not whole in the file. The writer leaves the file open,
    // so a write that fell short, even at the last flush, shows as the file's error.
    std::optional<QPageSize> finish(bool painted);

private:
    QFileDevice &m_out;
    std::optional<QPdfWriter> m_writer;
};

// The pages of a document: how its PDF is set up, and what paints them with `painter`, active on
// the document's writer. The painting answers false when a page could not be added.
struct PdfPages
{
    PdfPageSetup setup;
    std::function<bool(QPainter &painter, PdfDocument &document)> paint;
};

// Writes the pages as a whole PDF document on `paper` (A4 when it is invalid) into `out`, which is
// opened for writing here unless it is open already. The paper the pages took; none when the
// document was not written whole.
std::optional<QPageSize> writePdf(QFileDevice &out, const QPageSize &paper, const PdfPages &pages);

} // namespace pomiro
