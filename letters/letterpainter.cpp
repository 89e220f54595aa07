#include "letters/letterpainter.h"

#include "letters/letterpage.h"
#include "platform/fonts.h"
#include "platform/printhandoff.h"

#include <QFileDevice>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace pomiro::letters {

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr int kDotsPerInch = 1200;
constexpr double kMarginPoints = 10.0; // the printable area starts this far in from each edge

} // namespace

std::optional<QPageSize> writeLetterPdf(QFileDevice &out, const QPageSize &paper,
                                        const LetterKind &kind, const QString &name,
                                        const PeriodTexts &amounts, QDate date)
{
    if (!out.isOpen() && !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return std::nullopt;
    QPdfWriter page(&out);
    page.setResolution(kDotsPerInch);
    page.setPageLayout(QPageLayout(
        paper.isValid() ? paper : QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints), QPageLayout::Point));
    page.setTitle(kPrintJobTitle);
    page.setCreator(kPrintJobTitle);

    const double pixelsPerPoint = page.resolution() / kPointsPerInch;
    // A line is as high as its font on this page (ascent + descent, which for IPAGothic is also
    // its line spacing).
    const auto lineHeight = [&](const QString &family, double points) {
        return QFontMetricsF(fonts::font(family, points), &page).height() / pixelsPerPoint;
    };
    const QList<PageLine> lines = layOutLetter(kind, name, amounts, date, lineHeight);

    QPainter painter;
    if (!painter.begin(&page))
        return std::nullopt;
    for (const PageLine &line : lines) {
        const QFont font = fonts::font(line.fontFamily, line.points);
        painter.setFont(font);
        const double baseline = QFontMetricsF(font, &page).ascent();
        // drawText at a point neither wraps nor clips: what runs past the paper is simply lost.
        painter.drawText(line.topLeft * pixelsPerPoint + QPointF(0, baseline), line.text);
    }
    // The writer leaves the file open; a write that fell short, even at the last flush, shows as
    // the file's error.
    if (!painter.end() || !out.flush() || out.error() != QFileDevice::NoError)
        return std::nullopt;
    return page.pageLayout().pageSize();
}

} // namespace pomiro::letters
