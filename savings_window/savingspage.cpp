#include "savings_window/savingspage.h"

#include "platform/fonts.h"
#include "platform/pagewriter.h"
#include "platform/pdfdocument.h"
#include "savings_window/savingschart.h"
#include "savings_window/savingsreport.h"
#include "savings_window/texts.h"

#include <QPainter>

namespace pomiro {

namespace {

constexpr double kMarginPoints = 40.0;
constexpr double kChartHeightPoints = 270.0;
constexpr double kScreenDotsPerInch = 96.0;

QList<QStringList> tableOf(const SavingsReport &report)
{
    QList<QStringList> rows{savingsColumnTitles()};
    for (int row = 0; row < int(kPlanYears.size()); ++row) {
        QStringList line;
        for (int col = 0; col < SavingsReport::kColumns; ++col)
            line << report.cell(row, col);
        rows << line;
    }
    return rows;
}

void paintSavingsPage(QPainter &painter, PdfDocument &document, const SavingsReport &report,
                      QDate date)
{
    using Size = PageWriter;
    PageWriter page(painter, document.writer(), document.pixelsPerPoint());
    page.dateAtRight(pageDate(date));
    page.line(savingstexts::kWindowTitle, Size::kTitlePoints);
    page.space(Size::kTextPoints);
    page.line(report.sentence, Size::kTextPoints);
    page.line(report.source, Size::kTextPoints);
    if (!report.leftOut.isEmpty())
        page.line(report.leftOut, Size::kTextPoints);
    page.line(savingstexts::rate(report.ratePercent()), Size::kTextPoints);
    if (report.start > Amount{})
        page.line(savingstexts::startLine(formatAmountText(report.start)), Size::kTextPoints);
    if (report.taxed)
        page.line(savingstexts::kTaxLine, Size::kTextPoints);
    for (const QString &goal : {report.targetSentence, report.neededSentence})
        if (!goal.isEmpty())
            page.line(goal, Size::kTextPoints);
    page.space(Size::kTextPoints);
    paintSavingsChart(painter, page.takeArea(kChartHeightPoints),
                      {report.base.yearly, report.rate, report.base.hasSaving(), report.start,
                       report.taxed, report.target},
                      paperColours(), fonts::font(fonts::kProportional, Size::kNotePoints + 1),
                      document.writer().resolution() / kScreenDotsPerInch);
    page.space(Size::kTextPoints);
    page.table(tableOf(report));
    page.space(Size::kTextPoints);
    page.line(savingstexts::kNotAdvice, Size::kNotePoints);
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
