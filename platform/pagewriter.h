#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QRectF>
#include <QStringList>

class QPainter;
class QPdfWriter;

namespace pomiro {

// Writes a report's page from the top down, in points below the top of the printable area: lines
// of text, the date at the right of the title, tables with a shaded title row, and room for a
// drawing. The program's proportional font throughout.
class PageWriter
{
public:
    static constexpr double kTitlePoints = 16.0;
    static constexpr double kTextPoints = 10.5;
    static constexpr double kNotePoints = 8.0;

    PageWriter(QPainter &painter, QPdfWriter &writer, double pixelsPerPoint);

    // Writes `text` at the top of what is left, `points` high, wrapping it as it needs, and moves
    // below it.
    void line(const QString &text, double points, Qt::Alignment align = Qt::AlignLeft);
    // The date on the title's line, at the right: call before the title's line().
    void dateAtRight(const QString &date, double titlePoints = kTitlePoints);
    void space(double points) { m_y += points; }

    // A table: `rows` first holds the column titles. The first column is centred, the figures
    // after it right-aligned. The rows are as high as `points` text needs, or lower where that
    // would run off the page, so that the table ends on it.
    void table(const QList<QStringList> &rows, double points = kTextPoints);

    // The next `heightPoints` of the page, in device pixels, for a drawing.
    QRectF takeArea(double heightPoints);

    double pixelsPerPoint() const { return m_px; }
    double pointsLeft() const { return m_height - m_y; }

private:
    QPainter &m_painter;
    QPdfWriter &m_writer;
    double m_px;
    double m_width;
    double m_height;
    double m_y = 0;
};

// A page's date in the program's form: "2026年12月10日".
QString pageDate(QDate date);

} // namespace pomiro
