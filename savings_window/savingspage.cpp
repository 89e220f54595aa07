#include "savings_window/savingspage.h"

#include "platform/fonts.h"
#include "platform/pdfdocument.h"
#include "savings_window/savingschart.h"
#include "savings_window/savingsreport.h"
#include "savings_window/texts.h"

#include <QFontMetricsF>
#include <QPainter>

namespace pomiro {

namespace {

constexpr double kMarginPoints = 40.0;
constexpr double kTitlePoints = 16.0;
constexpr double kTextPoints = 10.5;
constexpr double kNotePoints = 8.0;
constexpr double kChartHeightPoints = 270.0;
constexpr double kRowSpacing = 1.7; // a table row's height in lines of its font
constexpr double kCellPadding = 6.0;
constexpr double kScreenDotsPerInch = 96.0;
const QColor kHeaderShade(224, 224, 224);
const QColor kRule(128, 128, 128);

class Page
{
public:
    Page(QPainter &painter, QPdfWriter &writer, double pixelsPerPoint)
        : m_painter(painter), m_writer(writer), m_px(pixelsPerPoint),
          m_width(writer.pageLayout().paintRectPoints().width())
    {}

    // Writes `text` at the top of what is left, `points` high, and moves below it.
    void line(const QString &text, double points, Qt::Alignment align = Qt::AlignLeft)
    {
        const QFont font = fonts::font(fonts::kProportional, points);
        const QFontMetricsF metrics(font, &m_writer);
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        // A long list of names wraps onto as many lines as it needs.
        const int flags = int(align | Qt::AlignTop | Qt::TextWordWrap);
        QRectF box(0, m_y * m_px, m_width * m_px, metrics.height());
        box = m_painter.boundingRect(box, flags, text).united(box);
        m_painter.drawText(box, flags, text);
        m_y += box.height() / m_px + points * 0.4;
    }

    // The date on the title's line, at the right.
    void dateAtRight(const QString &date, double titlePoints)
    {
        const QFont font = fonts::font(fonts::kProportional, kTextPoints);
        const QFontMetricsF title(fonts::font(fonts::kProportional, titlePoints), &m_writer);
        m_painter.setFont(font);
        m_painter.drawText(QRectF(0, m_y * m_px, m_width * m_px, title.height()),
                           int(Qt::AlignRight | Qt::AlignBottom), date);
    }

    void space(double points) { m_y += points; }

    void chart(const ChartPlan &plan)
    {
        const QRectF area(0, m_y * m_px, m_width * m_px, kChartHeightPoints * m_px);
        paintSavingsChart(m_painter, area, plan, paperColours(),
                          fonts::font(fonts::kProportional, kNotePoints + 1),
                          m_writer.resolution() / kScreenDotsPerInch);
        m_y += kChartHeightPoints;
    }

    void table(const SavingsReport &report)
    {
        const QFont font = fonts::font(fonts::kProportional, kTextPoints);
        const QFontMetricsF metrics(font, &m_writer);
        m_painter.setFont(font);
        const double rowHeight = metrics.height() * kRowSpacing;
        const double columnWidth = m_width * m_px / SavingsReport::kColumns;
        const auto cell = [&](int row, int col, const QString &text, bool header) {
            const QRectF box(col * columnWidth, m_y * m_px + row * rowHeight, columnWidth,
                             rowHeight);
            if (header)
                m_painter.fillRect(box, kHeaderShade);
            m_painter.setPen(QPen(kRule, m_px * 0.5));
            m_painter.drawRect(box);
            m_painter.setPen(Qt::black);
            const Qt::Alignment align =
                header || col == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter;
            m_painter.drawText(box.adjusted(kCellPadding * m_px, 0, -kCellPadding * m_px, 0),
                               int(align), text);
        };
        const QStringList titles = savingsColumnTitles();
        for (int col = 0; col < SavingsReport::kColumns; ++col)
            cell(0, col, titles.value(col), true);
        const int rows = int(kPlanYears.size());
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < SavingsReport::kColumns; ++col)
                cell(row + 1, col, report.cell(row, col), false);
        m_y += (rows + 1) * rowHeight / m_px;
    }

private:
    QPainter &m_painter;
    QPdfWriter &m_writer;
    double m_px;
    double m_width;
    double m_y = 0; // points below the top of the printable area
};

void paintSavingsPage(QPainter &painter, PdfDocument &document, const SavingsReport &report,
                      QDate date)
{
    Page page(painter, document.writer(), document.pixelsPerPoint());
    page.dateAtRight(date.toString(QStringLiteral("yyyy年MM月dd日")), kTitlePoints);
    page.line(savingstexts::kWindowTitle, kTitlePoints);
    page.space(kTextPoints);
    page.line(report.sentence, kTextPoints);
    page.line(report.source, kTextPoints);
    if (!report.leftOut.isEmpty())
        page.line(report.leftOut, kTextPoints);
    page.line(savingstexts::rate(report.ratePercent()), kTextPoints);
    page.space(kTextPoints);
    page.chart({report.base.yearly, report.rate, report.base.hasSaving()});
    page.space(kTextPoints);
    page.table(report);
    page.space(kTextPoints);
    page.line(savingstexts::kNotAdvice, kNotePoints);
}

} // namespace

PdfPages savingsPages(const SavingsReport &report, QDate date)
{
    return {{QPageLayout::Portrait, kMarginPoints, savingstexts::kWindowTitle},
            [report, date](QPainter &painter, PdfDocument &document) {
                paintSavingsPage(painter, document, report, date);
                return true;
            }};
}

Printable savingsPrintable(const SavingsReport &report, QDate date, const QString &folder)
{
    return pdfPrintable(savingsPages(report, date), folder, savingstexts::kPdfFileName);
}

} // namespace pomiro
