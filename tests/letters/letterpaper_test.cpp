// The letters as they come out of the real Qt printer path, read back from the PDF.
#include "letters/letterpainter.h"
#include "platform/fonts.h"
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace pomiro;
using namespace Qt::StringLiterals;

namespace {

constexpr double kTolerance = 0.5; // points

void ensureApplication()
{
    pomiro::testing::application();
    static const bool substituted = (fonts::registerSubstitutes(), true);
    (void)substituted;
}

struct Word
{
    double xMin, yMin, xMax, yMax;
    QString text;
};

struct Page
{
    int pages = 0;
    QList<Word> words;
};

// pdftotext -bbox: one <word> per run of text between blanks, coordinates in points.
Page readBack(const QString &pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    Page page;
    page.pages = static_cast<int>(html.count(u"<page "_s));
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        page.words.append({m.captured(1).toDouble(), m.captured(2).toDouble(),
                           m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5)});
    }
    return page;
}

// Words grouped into lines by their top, top to bottom.
std::map<long, QList<Word>> linesOf(const Page &page)
{
    std::map<long, QList<Word>> lines;
    for (const Word &w : page.words)
        lines[std::lround(w.yMin * 10)].append(w);
    return lines;
}

QString textOf(const QList<Word> &line)
{
    QStringList texts;
    for (const Word &w : line)
        texts.append(w.text);
    return texts.join(u' ');
}

QString withoutBlanks(const char16_t *text)
{
    return QString::fromUtf16(text).remove(u'　').remove(u' ');
}

const PeriodTexts kAmounts = {u"\\500"_s,     u"\\3,500"_s,   u"\\15,000"_s,
                              u"\\91,250"_s,  u"\\"_s,        u"５００"_s,
                              u"\\912,500"_s, u"\\1,825,000"_s, u"\\12,345,678,901"_s,
                              u"\\5,475,000"_s};

} // namespace

TEST(LetterPaper, GothicSubstituteIsFixedPitchTwoToOne)
{
    ensureApplication();
    const QFont font = fonts::font(fonts::kGothic, 28);
    EXPECT_EQ(QFontInfo(font).family(), u"IPAGothic"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QFontMetricsF metrics(font, &printer);
    const double half = metrics.horizontalAdvance(u'a');
    for (QChar c : u" \\,0"_s)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), half) << int(c.unicode());
    for (QChar c : u"　１あ年…ヶ"_s)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), 2 * half) << int(c.unicode());
}

TEST(LetterPaper, EachLetterReadsBackAlignedOnOnePage)
{
    ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // The line origin: Qt's printable area for a PDF page, then the 500 x 200 twip margin.
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const QRectF area = reference.pageLayout().paintRectPoints();
    const double originX = area.left() + 25.0;
    const double originY = area.top() + 10.0;

    for (size_t k = 0; k < letters::kLetterKinds.size(); ++k) {
        const letters::LetterKind &kind = letters::kLetterKinds[k];
        SCOPED_TRACE(kind.buttonName);
        const QString pdf = dir.filePath(QString::fromLatin1(kind.buttonName) + u".pdf"_s);
        auto printer = letters::letterPdf(pdf, QPageSize());
        ASSERT_TRUE(letters::paintLetter(*printer, kind, u"禁煙"_s, kAmounts, QDate(2009, 1, 5)));

        const Page page = readBack(pdf);
        ASSERT_FALSE(page.words.isEmpty()) << "pdftotext (poppler-utils) gave nothing";
        EXPECT_EQ(page.pages, 1);
        const auto lines = linesOf(page);
        QList<QList<Word>> ordered;
        for (const auto &[top, words] : lines)
            ordered.append(words);

        // Title: two full-width blanks (2 x 78 pt) in, below three 10 pt spacer lines.
        const Word &title = ordered.at(0).at(0);
        EXPECT_EQ(title.text, withoutBlanks(kind.titleLine));
        EXPECT_NEAR(title.xMin, originX + 156.0, kTolerance);
        EXPECT_GT(title.yMin, originY + 30.0);
        EXPECT_LT(title.yMin, originY + 36.0);

        EXPECT_EQ(textOf(ordered.at(1)), u"ぽみろ…禁煙"_s);
        EXPECT_NEAR(ordered.at(1).at(0).xMin, originX + 16.0, kTolerance);

        // Ten 28 pt amount lines, every one ending at 420 pt.
        for (int i = 0; i < kPeriodCount; ++i) {
            const QList<Word> &line = ordered.at(2 + i);
            EXPECT_NEAR(line.last().yMax - line.last().yMin, 28.0, kTolerance);
            EXPECT_NEAR(line.last().xMax, originX + 420.0, kTolerance) << textOf(line).toStdString();
            EXPECT_TRUE(textOf(line).endsWith(kAmounts[static_cast<size_t>(i)]))
                << textOf(line).toStdString();
        }

        int next = 12;
        for (const char16_t *closing : kind.closingLines) {
            if (closing) {
                EXPECT_EQ(textOf(ordered.at(next++)), withoutBlanks(closing));
            }
        }

        ASSERT_EQ(ordered.size(), next + 1);
        const Word &date = ordered.last().at(0);
        EXPECT_EQ(date.text, u"2009年01月05日"_s);
        EXPECT_NEAR(date.xMin, originX + 341.0, kTolerance);
        EXPECT_NEAR(date.xMax, originX + 495.0, kTolerance);
        EXPECT_LT(date.yMax, area.bottom());
    }
}

TEST(LetterPaper, UnwritablePageIsAFailure)
{
    ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto nowhere = letters::letterPdf(dir.filePath(u"no/such/folder/letter.pdf"_s), QPageSize());
    EXPECT_FALSE(letters::paintLetter(*nowhere, letters::kLetterKinds[0], u"禁煙"_s, kAmounts,
                                      QDate(2009, 1, 5)));
}
