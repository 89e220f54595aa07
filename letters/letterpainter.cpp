#include "letters/letterpainter.h"

#include "letters/letterpage.h"
#include "platform/fonts.h"
#include "platform/pdfdocument.h"
#include "platform/printhandoff.h"

#include <QFontMetricsF>
#include <QPainter>

namespace pomiro::letters {

namespace {

constexpr double kMarginPoints = 10.0; // the printable area starts this far in from each edge

} // namespace

std::optional<QPageSize> writeLetterPdf(QFileDevice &out, const QPageSize &paper,
                                        const LetterKind &kind, const QString &name,
                                        const PeriodTexts &amounts, QDate date)
{
    const auto paint = [&](QPainter &painter, PdfDocument &document) {
        QPdfWriter &page = document.writer();
        const double pixelsPerPoint = document.pixelsPerPoint();
        // A line is as high as its font on this page (ascent + descent, which for IPAGothic is
        // also its line spacing).
        const auto lineHeight = [&](const QString &family, double points) {
            return QFontMetricsF(fonts::font(family, points), &page).height() / pixelsPerPoint;
        };
        for (const PageLine &line : layOutLetter(kind, name, amounts, date, lineHeight)) {
            const QFont font = fonts::font(line.fontFamily, line.points);
            painter.setFont(font);
            const double baseline = QFontMetricsF(font, &page).ascent();
            // drawText at a point neither wraps nor clips: what runs past the paper is simply
            // lost.
            painter.drawText(line.topLeft * pixelsPerPoint + QPointF(0, baseline), line.text);
        }
        return true;
    };
    return writePdf(out, paper, {{QPageLayout::Portrait, kMarginPoints, kPrintJobTitle}, paint});
}

} // namespace pomiro::letters
