#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <optional>

class QFileDevice;

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

} // namespace pomiro
