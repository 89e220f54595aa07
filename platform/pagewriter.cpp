#include "platform/pagewriter.h"

#include "platform/fonts.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace pomiro {

namespace {

constexpr double kRowSpacing = 1.7; // a table row's height in lines of its font
constexpr double kCellPadding = 6.0;
constexpr double kSmallestPoints = 4.0;
const QColor kHeaderShade(224, 224, 224);
const QColor kRule(128, 128, 128);

} // namespace

PageWriter::PageWriter(QPainter &painter, QPdfWriter &writer, double pixelsPerPoint)
    : m_painter(painter), m_writer(writer), m_px(pixelsPerPoint),
      m_width(writer.pageLayout().paintRectPoints().width()),
      m_height(writer.pageLayout().paintRectPoints().height())
{}

void PageWriter::line(const QString &text, double points, Qt::Alignment align)
{
    const QFont font = fonts::font(fonts::kProportional, points);
    const QFontMetricsF metrics(font, &m_writer);
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const int flags = int(align | Qt::AlignTop | Qt::TextWordWrap);
    QRectF box(0, m_y * m_px, m_width * m_px, metrics.height());
    box = m_painter.boundingRect(box, flags, text).united(box);
    m_painter.drawText(box, flags, text);
    m_y += box.height() / m_px + points * 0.4;
}

void PageWriter::dateAtRight(const QString &date, double titlePoints)
{
    const QFont font = fonts::font(fonts::kProportional, kTextPoints);
    const QFontMetricsF title(fonts::font(fonts::kProportional, titlePoints), &m_writer);
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QRectF(0, m_y * m_px, m_width * m_px, title.height()),
                       int(Qt::AlignRight | Qt::AlignBottom), date);
}

void PageWriter::table(const QList<QStringList> &rows, double points)
{
    if (rows.isEmpty())
        return;
    // Lower rows, in a smaller font, rather than a table that runs off the page.
    const double fits = pointsLeft() / (double(rows.size()) * kRowSpacing * 1.2);
    points = std::max(kSmallestPoints, std::min(points, fits));
    const QFont font = fonts::font(fonts::kProportional, points);
    const QFontMetricsF metrics(font, &m_writer);
    m_painter.setFont(font);
    const double rowHeight = metrics.height() * kRowSpacing;
    const qsizetype columns = rows.front().size();
    const double columnWidth = m_width * m_px / double(columns);
    const double padding = std::min(kCellPadding, points * 0.5) * m_px;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const bool header = row == 0;
        for (qsizetype col = 0; col < columns; ++col) {
            const QRectF box(double(col) * columnWidth, m_y * m_px + double(row) * rowHeight,
                             columnWidth, rowHeight);
            if (header)
                m_painter.fillRect(box, kHeaderShade);
            m_painter.setPen(QPen(kRule, m_px * 0.5));
            m_painter.drawRect(box);
            m_painter.setPen(Qt::black);
            const Qt::Alignment align =
                header || col == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter;
            m_painter.drawText(box.adjusted(padding, 0, -padding, 0), int(align),
                               rows.at(row).value(col));
        }
    }
    m_y += double(rows.size()) * rowHeight / m_px;
}

QRectF PageWriter::takeArea(double heightPoints)
{
    const QRectF area(0, m_y * m_px, m_width * m_px, heightPoints * m_px);
    m_y += heightPoints;
    return area;
}

QString pageDate(QDate date)
{
    return date.toString(QStringLiteral("yyyy年MM月dd日"));
}

} // namespace pomiro
