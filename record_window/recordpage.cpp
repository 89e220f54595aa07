#include "record_window/recordpage.h"

#include "platform/pagewriter.h"
#include "record_window/recordreport.h"
#include "record_window/texts.h"

#include <QPainter>

namespace pomiro {

namespace {

constexpr double kMarginPoints = 40.0;

void paintRecordPage(QPainter &painter, PdfDocument &document, const RecordReport &report)
{
    PageWriter page(painter, document.writer(), document.pixelsPerPoint());
    page.dateAtRight(pageDate(report.today));
    page.line(recordtexts::kWindowTitle, PageWriter::kTitlePoints);
    page.space(PageWriter::kTextPoints);
    page.line(report.totalText(), PageWriter::kTextPoints, Qt::AlignRight);
    // Only the entries with a record: the page is for what quitting has saved.
    const QList<QStringList> all = report.table();
    QList<QStringList> rows{all.front()};
    for (qsizetype row = 0; row < report.rows.size(); ++row)
        if (!report.rows.at(row).record.runs.isEmpty())
            rows << all.at(row + 1);
    rows << all.back();
    page.table(rows);
}

} // namespace

PdfPages recordPages(const RecordReport &report)
{
    return {{QPageLayout::Portrait, kMarginPoints, recordtexts::kWindowTitle},
            [report](QPainter &painter, PdfDocument &document) {
                paintRecordPage(painter, document, report);
                return true;
            }};
}

Printable recordPrintable(const RecordReport &report, const QString &folder)
{
    return pdfPrintable(recordPages(report), folder, recordtexts::kPdfFileName);
}

} // namespace pomiro
