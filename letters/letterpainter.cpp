#include "letters/letterpainter.h"

#include "letters/letterpage.h"
#include "platform/fonts.h"
#include "platform/printhandoff.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace pomiro::letters {

namespace {

constexpr double kPointsPerInch = 72.0;

} // namespace

std::unique_ptr<QPrinter> letterPdf(const QString &path, const QPageSize &paper)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    if (paper.isValid())
        printer->setPageSize(paper);
    printer->setDocName(kPrintJobTitle);
    return printer;
}

bool paintLetter(QPrinter &printer, const LetterKind &kind, const QString &name,
                 const PeriodTexts &amounts, QDate date)
{
    const double pixelsPerPoint = printer.resolution() / kPointsPerInch;
    // A line is as high as its font on this page (ascent + descent, which for IPAGothic is also
    // its line spacing).
    const auto lineHeight = [&](const QString &family, double points) {
        return QFontMetricsF(fonts::font(family, points), &printer).height() / pixelsPerPoint;
    };
    const QList<PageLine> lines = layOutLetter(kind, name, amounts, date, lineHeight);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (const PageLine &line : lines) {
        const QFont font = fonts::font(line.fontFamily, line.points);
        painter.setFont(font);
        const double baseline = QFontMetricsF(font, &printer).ascent();
        // drawText at a point neither wraps nor clips: what runs past the paper is simply lost.
        painter.drawText(line.topLeft * pixelsPerPoint + QPointF(0, baseline), line.text);
    }
    const bool drawn = printer.printerState() != QPrinter::Error;
    const bool ended = painter.end();
    return drawn && ended;
}

} // namespace pomiro::letters
