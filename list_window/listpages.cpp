#include "list_window/listpages.h"

#include "core/amount.h"
#include "list_window/layout.h"
#include "list_window/listreport.h"
#include "list_window/texts.h"
#include "platform/fonts.h"
#include "platform/pdfdocument.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace pomiro {

namespace {

constexpr double kMarginPoints = 28.0; // about 1 cm: inside what every printer can reach

constexpr double kCellPoints = 9.0; // as in the grid
constexpr double kSmallestCellPoints = 5.0;
constexpr double kTitlePoints = 14.0;
constexpr double kFooterPoints = 8.0;
constexpr double kCellPadding = 4.0;     // points each side of a cell's text
constexpr double kRowSpacing = 1.6;      // a row's height in lines of its font
constexpr double kNameShare = 0.3;       // the most of the width the names may take
constexpr double kLeastNameShare = 0.12; // and the least
constexpr double kRuleWidth = 0.5;       // points
// Added to a column's measured width, so that rounding never makes a name that fits elided.
constexpr double kSlack = 0.5;

// Light enough, like the grid's row colours, to leave the text readable in black and white.
const QColor kHeaderShade(224, 224, 224);
const QColor kRule(128, 128, 128);

enum class RowKind { Entry, Total, SelectedTotal };

struct PrintedRow
{
    QStringList cells; // the name, then the amounts as printed
    RowKind kind;
};

QStringList printedCells(const ReportRow &reported)
{
    QStringList cells;
    for (const ReportCell &cell : reported)
        cells << cell.shown();
    return cells;
}

// Everything about the pages that does not change from one page to the next, in points.
class Pages
{
public:
    Pages(QPdfWriter &writer, const ListReport &report, QDate date) : m_writer(writer), m_date(date)
    {
        m_header = report.header;
        m_marked = !report.selectedTotal.isEmpty();
        for (const ReportRow &row : report.rows)
            m_rows.append({printedCells(row), RowKind::Entry});
        m_totals.append({printedCells(report.total), RowKind::Total});
        if (m_marked)
            m_totals.append({printedCells(report.selectedTotal), RowKind::SelectedTotal});

        // The painter's origin is the corner of the printable area.
        m_area = QRectF(QPointF(0, 0), writer.pageLayout().paintRectPoints().size());
        m_titleFont = fonts::font(fonts::kProportional, kTitlePoints);
        m_footerFont = fonts::font(fonts::kProportional, kFooterPoints);
        fitColumns();
        paginate();
    }

    bool paint(QPainter &painter)
    {
        for (qsizetype page = 0; page < m_pages.size(); ++page) {
            if (page > 0 && !m_writer.newPage())
                return false;
            paintPage(painter, page);
        }
        return true;
    }

private:
    double px(double points) const
    {
        return points * m_writer.resolution() / PdfDocument::kPointsPerInch;
    }
    QFontMetricsF metrics(const QFont &font) const { return QFontMetricsF(font, &m_writer); }
    double width(const QFont &font, const QString &text) const
    {
        return metrics(font).horizontalAdvance(text) / px(1);
    }
    double height(const QFont &font) const { return metrics(font).height() / px(1); }

    qsizetype columnCount() const { return m_header.size() + (m_marked ? 1 : 0); }
    bool isMarkColumn(qsizetype col) const { return m_marked && col == m_header.size(); }

    QString cellText(const PrintedRow &row, qsizetype col) const
    {
        if (isMarkColumn(col))
            return row.kind == RowKind::Entry ? listtexts::kPrintedMark : QString();
        return col < row.cells.size() ? row.cells[col] : QString();
    }

    QString headerText(qsizetype col) const
    {
        return isMarkColumn(col) ? listtexts::kPrintedMarkHeader : m_header.value(col);
    }

    // Column widths for the cell font at `points`; the names no wider than their share.
    QList<double> naturalWidths(double points) const
    {
        const QFont font = fonts::font(fonts::kProportional, points);
        QList<double> widths(columnCount(), 0.0);
        const auto widen = [&](qsizetype col, const QString &text) {
            widths[col] = std::max(widths[col], width(font, text) + 2 * kCellPadding + kSlack);
        };
        for (qsizetype col = 0; col < columnCount(); ++col) {
            widen(col, headerText(col));
            for (const QList<PrintedRow> *rows : {&m_rows, &m_totals})
                for (const PrintedRow &row : *rows)
                    widen(col, cellText(row, col));
        }
        if (!widths.isEmpty())
            widths[0] = std::min(widths[0], m_area.width() * kNameShare);
        return widths;
    }

    static double sum(const QList<double> &widths)
    {
        double total = 0;
        for (double w : widths)
            total += w;
        return total;
    }

    // The grid's size of type when the table fits across the page, smaller when it does not; the
    // width left over goes to the amount columns, so the table spans the page.
    void fitColumns()
    {
        double points = kCellPoints;
        m_widths = naturalWidths(points);
        const double needed = sum(m_widths);
        if (needed > m_area.width()) {
            points = std::max(kSmallestCellPoints,
                              std::floor(points * m_area.width() / needed * 10) / 10);
            m_widths = naturalWidths(points);
        }
        m_cellFont = fonts::font(fonts::kProportional, points);
        // Short names still get a column that reads as the names'; the rest goes to the amounts.
        const double nameGrowth = std::clamp(m_area.width() * kLeastNameShare - m_widths[0], 0.0,
                                             std::max(0.0, m_area.width() - sum(m_widths)));
        m_widths[0] += nameGrowth;
        const double spare = m_area.width() - sum(m_widths);
        const qsizetype stretched = m_widths.size() - 1;
        if (spare > 0 && stretched > 0)
            for (qsizetype col = 1; col < m_widths.size(); ++col)
                m_widths[col] += spare / double(stretched);
        m_rowHeight = height(m_cellFont) * kRowSpacing;
    }

    // The entry rows page by page; the totals follow the last rows, on a page of their own when
    // they do not fit below them.
    void paginate()
    {
        const double tableTop = m_area.top() + titleHeight() + m_rowHeight; // below the header
        const double tableBottom = m_area.bottom() - footerHeight();
        const qsizetype perPage =
            std::max<qsizetype>(1, qsizetype((tableBottom - tableTop) / m_rowHeight));
        for (qsizetype first = 0; first < m_rows.size(); first += perPage)
            m_pages.append({first, std::min(perPage, m_rows.size() - first)});
        if (m_pages.isEmpty() || m_pages.last().count + m_totals.size() > perPage)
            m_pages.append({m_rows.size(), 0});
    }

    double titleHeight() const { return height(m_titleFont) * 1.5; }
    double footerHeight() const { return height(m_footerFont) * 1.5; }

    void drawText(QPainter &painter, const QFont &font, double x, double top, double lineHeight,
                  const QString &text) const
    {
        painter.setFont(font);
        const double baseline =
            top + (lineHeight - height(font)) / 2 + metrics(font).ascent() / px(1);
        // drawText at a point neither wraps nor clips.
        painter.drawText(QPointF(px(x), px(baseline)), text);
    }

    void paintRow(QPainter &painter, double top, const QStringList &texts, const QColor &shade,
                  bool header) const
    {
        double left = m_area.left();
        painter.setPen(Qt::NoPen);
        if (shade.isValid())
            painter.fillRect(QRectF(px(left), px(top), px(sum(m_widths)), px(m_rowHeight)), shade);
        painter.setPen(QPen(kRule, px(kRuleWidth)));
        for (qsizetype col = 0; col < m_widths.size(); ++col) {
            const double cellWidth = m_widths[col];
            const QRectF cell(px(left), px(top), px(cellWidth), px(m_rowHeight));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell);
            QString text = texts.value(col);
            const double room = cellWidth - 2 * kCellPadding;
            double x = left + kCellPadding;
            if (col == 0) {
                // Only a name can be wider than its column.
                text = metrics(m_cellFont).elidedText(text, Qt::ElideRight, px(room));
            } else {
                const double textWidth = width(m_cellFont, text);
                // Amounts to the right, as the grid and every spreadsheet shows them; headings
                // and the mark in the middle.
                x = header || isMarkColumn(col) ? left + (cellWidth - textWidth) / 2
                                                : left + cellWidth - kCellPadding - textWidth;
            }
            painter.setPen(Qt::black);
            drawText(painter, m_cellFont, x, top, m_rowHeight, text);
            painter.setPen(QPen(kRule, px(kRuleWidth)));
            left += cellWidth;
        }
    }

    void paintPage(QPainter &painter, qsizetype page) const
    {
        double top = m_area.top();
        painter.setPen(Qt::black);
        drawText(painter, m_titleFont, m_area.left(), top, titleHeight(), listtexts::kWindowTitle);
        const QString date = m_date.toString(QStringLiteral("yyyy年M月d日"));
        drawText(painter, m_titleFont, m_area.right() - width(m_titleFont, date), top,
                 titleHeight(), date);
        top += titleHeight();

        QStringList header;
        for (qsizetype col = 0; col < columnCount(); ++col)
            header << headerText(col);
        paintRow(painter, top, header, kHeaderShade, true);
        top += m_rowHeight;

        const PageRows rows = m_pages[page];
        for (qsizetype i = rows.first; i < rows.first + rows.count; ++i) {
            paintRow(painter, top, rowTexts(m_rows[i]),
                     m_marked ? listlayout::kSelectedRow : QColor(), false);
            top += m_rowHeight;
        }
        if (page == m_pages.size() - 1) {
            for (const PrintedRow &total : m_totals) {
                paintRow(painter, top, rowTexts(total),
                         total.kind == RowKind::Total ? listlayout::kTotalRow
                                                      : listlayout::kSelectedTotalRow,
                         false);
                top += m_rowHeight;
            }
        }

        painter.setPen(Qt::black);
        const QString number = listtexts::pageNumber(int(page) + 1, int(m_pages.size()));
        drawText(painter, m_footerFont, m_area.right() - width(m_footerFont, number),
                 m_area.bottom() - footerHeight(), footerHeight(), number);
    }

    QStringList rowTexts(const PrintedRow &row) const
    {
        QStringList texts;
        for (qsizetype col = 0; col < columnCount(); ++col)
            texts << cellText(row, col);
        return texts;
    }

    struct PageRows
    {
        qsizetype first;
        qsizetype count;
    };

    QPdfWriter &m_writer;
    QDate m_date;
    QStringList m_header;
    bool m_marked = false;
    QList<PrintedRow> m_rows;
    QList<PrintedRow> m_totals;
    QRectF m_area;
    QFont m_titleFont;
    QFont m_footerFont;
    QFont m_cellFont;
    QList<double> m_widths;
    double m_rowHeight = 0;
    QList<PageRows> m_pages;
};

} // namespace

PdfPages listPages(const ListReport &report, QDate date)
{
    return {{QPageLayout::Landscape, kMarginPoints, listtexts::kWindowTitle},
            [report, date](QPainter &painter, PdfDocument &document) {
                return Pages(document.writer(), report, date).paint(painter);
            }};
}

} // namespace pomiro
