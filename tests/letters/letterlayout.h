#pragma once

// A letter's page as it reads back from a PDF file (pdfwords.h), checked against the layout
// every letter has, whether it went to a printer or was saved.

#include "core/period.h"
#include "letters/letterkind.h"
#include "tests/support/pdfwords.h"
#include "tests/support/qtapp.h"

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace pomiro::testing {

struct PdfPage
{
    int pages = 0;
    QSizeF size; // of the first page, points
    QList<PdfWord> words;
};

// Every page's words together, with the size of the first.
inline PdfPage readPdfWords(const QString &pdf)
{
    const QList<PdfPageWords> pages = readPdfPages(pdf);
    PdfPage page;
    page.pages = static_cast<int>(pages.size());
    if (!pages.isEmpty())
        page.size = pages.first().size;
    for (const PdfPageWords &p : pages)
        page.words += p.words;
    return page;
}

// Checks a letter's page read back from `pdf`, laid out on `paper` (A4 when invalid): one page of
// that size; the title, the name line and the closing lines; ten 28 pt amount lines that all end
// 420 pt from the line origin; the date line last, in its place above the bottom.
inline void expectLetterLayout(const QString &pdf, const letters::LetterKind &kind,
                               const QString &name, const PeriodTexts &amounts, const QString &date,
                               const QPageSize &paper = QPageSize())
{
    constexpr double kTolerance = 0.5; // points
    const auto withoutBlanks = [](const char16_t *text) {
        return QString::fromUtf16(text).remove(u'　').remove(u' ');
    };

    // The line origin: the printable area of the page (10 points in from each edge of A4 or
    // `paper`), then the 500 x 200 twip margin.
    const QPageLayout reference(paper.isValid() ? paper : QPageSize(QPageSize::A4),
                                QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                QPageLayout::Point);
    const QRectF area = reference.paintRectPoints();
    const double originX = area.left() + 25.0;
    const double originY = area.top() + 10.0;

    const PdfPage page = readPdfWords(pdf);
    ASSERT_FALSE(page.words.isEmpty()) << "pdftotext (poppler-utils) gave nothing";
    EXPECT_EQ(page.pages, 1);
    const QSizeF paperSize = reference.fullRectPoints().size();
    EXPECT_NEAR(page.size.width(), paperSize.width(), 1.0);
    EXPECT_NEAR(page.size.height(), paperSize.height(), 1.0);
    // Words grouped into lines by their top, top to bottom.
    const QList<QList<PdfWord>> lines = linesOf(page.words);
    ASSERT_GE(lines.size(), 13);

    // Title: two full-width blanks (2 x 78 pt) in, below three 10 pt spacer lines.
    const PdfWord &title = lines.at(0).at(0);
    EXPECT_EQ(title.text, withoutBlanks(kind.titleLine));
    EXPECT_NEAR(title.xMin, originX + 156.0, kTolerance);
    EXPECT_GT(title.yMin, originY + 30.0);
    EXPECT_LT(title.yMin, originY + 36.0);

    EXPECT_EQ(textOf(lines.at(1)), QStringLiteral("ぽみろ…") + name);
    EXPECT_NEAR(lines.at(1).at(0).xMin, originX + 16.0, kTolerance);

    for (int i = 0; i < kPeriodCount; ++i) {
        const QList<PdfWord> &line = lines.at(2 + i);
        EXPECT_NEAR(line.last().yMax - line.last().yMin, 28.0, kTolerance);
        EXPECT_NEAR(line.last().xMax, originX + 420.0, kTolerance) << textOf(line).toStdString();
        EXPECT_TRUE(textOf(line).endsWith(amounts[static_cast<size_t>(i)]))
            << textOf(line).toStdString();
    }

    int next = 12;
    for (const char16_t *closing : kind.closingLines) {
        if (closing) {
            ASSERT_LT(next, lines.size());
            EXPECT_EQ(textOf(lines.at(next++)), withoutBlanks(closing));
        }
    }

    ASSERT_EQ(lines.size(), next + 1);
    const PdfWord &dateWord = lines.last().at(0);
    EXPECT_EQ(dateWord.text, date);
    EXPECT_NEAR(dateWord.xMin, originX + 341.0, kTolerance);
    EXPECT_NEAR(dateWord.xMax, originX + 495.0, kTolerance);
    EXPECT_LT(dateWord.yMax, area.bottom());
}

} // namespace pomiro::testing
