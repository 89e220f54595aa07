// The list on paper, read back from the PDF's word boxes: the title, the column header and the
// names on every page, every row once and in order, the totals on the last page only, the marks
// of selected rows, amounts as the grid shows them, landscape pages of the paper asked for.
#include "list_window/listpages.h"

#include "list_window/entrylistmodel.h"
#include "list_window/listreport.h"
#include "platform/fonts.h"
#include "tests/support/cases.h"
#include "tests/support/pdfwords.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pomiro;
using namespace Qt::StringLiterals;
using pomiro::testing::Described;
using pomiro::testing::PdfPageWords;
using pomiro::testing::PdfWord;
using pomiro::testing::textOf;
using pomiro::testing::whatName;

namespace {

const QStringList kHeader{u"ぽみろ…"_s, u"１日"_s, u"１週間"_s, u"1ヶ月"_s,  u"半年"_s,  u"１年"_s,
                          u"３年"_s,    u"５年"_s, u"１０年"_s, u"２０年"_s, u"３０年"_s};
constexpr double kTolerance = 0.5; // points

struct PageCase : Described
{
    int entries;
    QList<int> selected; // entry rows clicked
    QPageSize paper;     // as the queue gives it; invalid: A4
    QSizeF pageSize;     // points, landscape
    bool severalPages;
};

class ListPages : public ::testing::TestWithParam<PageCase>
{};

// Entry i: "習慣<i>" (three digits, so the names stay single words), 500 yen a day except every
// seventh, which holds a text that is not an amount and must be printed as stored.
Entries sampleEntries(int count)
{
    Entries entries;
    for (int i = 0; i < count; ++i) {
        Entry e{u"習慣%1"_s.arg(i, 3, 10, QChar(u'0')), pomiro::testing::k500ADay};
        if (i % 7 == 3)
            e.amounts[1] = u"未定"_s;
        entries.append(e);
    }
    return entries;
}

// The entry rows of a page: the lines between the header line and the first total (or the page
// number), each starting with a name.
struct ReadPage
{
    QList<QList<PdfWord>> lines;
    qsizetype header = -1;
    qsizetype total = -1;
    qsizetype selectedTotal = -1;
    qsizetype number = -1;
};

ReadPage readPage(const PdfPageWords &page)
{
    ReadPage read;
    read.lines = pomiro::testing::linesOf(page.words, 3.0);
    for (qsizetype i = 0; i < read.lines.size(); ++i) {
        const QString first = read.lines[i].first().text;
        if (first == kHeader[0] && read.header < 0)
            read.header = i;
        else if (first == u"全合計"_s)
            read.total = i;
        else if (first == u"選択合計"_s)
            read.selectedTotal = i;
        else if (read.lines[i].size() == 3 && read.lines[i][1].text == u"/"_s)
            read.number = i;
    }
    return read;
}

TEST_P(ListPages, CarryHeaderAndNamesOnEveryPageAndTheTotalsLast)
{
    const PageCase &c = GetParam();
    pomiro::testing::application();
    fonts::registerSubstitutes();
    const Entries entries = sampleEntries(c.entries);
    EntryListModel model(entries);
    for (int row : c.selected)
        model.toggleRow(row);
    const ListReport report = makeListReport(model);
    const bool marked = !c.selected.isEmpty();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile out(dir.filePath(u"list.pdf"_s));
    const std::optional<QPageSize> paper =
        writePdf(out, c.paper, listPages(report, QDate(2009, 1, 5)));
    out.close();
    ASSERT_TRUE(paper);
    EXPECT_EQ(paper->id(), c.paper.isValid() ? c.paper.id() : QPageSize::A4);

    const QList<PdfPageWords> pages = pomiro::testing::readPdfPages(out.fileName());
    ASSERT_FALSE(pages.isEmpty()) << "pdftotext (poppler-utils) gave nothing";
    EXPECT_EQ(pages.size() > 1, c.severalPages) << pages.size() << " pages";

    QStringList expectedHeader = kHeader;
    if (marked)
        expectedHeader << u"選択"_s;
    QStringList names;          // first column of the entry rows, all pages in order
    QList<double> amountRights; // right edge of the day column's amounts, every row
    double nameLeft = -1;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const PdfPageWords &page = pages[p];
        EXPECT_NEAR(page.size.width(), c.pageSize.width(), 1.0);
        EXPECT_NEAR(page.size.height(), c.pageSize.height(), 1.0);
        const ReadPage read = readPage(page);
        ASSERT_GE(read.header, 1);
        // Title and date above the header.
        EXPECT_EQ(textOf(read.lines[0]), u"ぽみろ一覧 2009年1月5日"_s);
        // Compared in NFKC: pdftotext reads "1ヶ月" as "１ヶ月", the font drawing both digits
        // alike.
        EXPECT_EQ(textOf(read.lines[read.header]).normalized(QString::NormalizationForm_KC),
                  expectedHeader.join(u' ').normalized(QString::NormalizationForm_KC));
        // The page's number at its foot, below everything else.
        ASSERT_EQ(read.number, read.lines.size() - 1);
        EXPECT_EQ(textOf(read.lines[read.number]), u"%1 / %2"_s.arg(p + 1).arg(pages.size()));
        EXPECT_GT(read.lines[read.number][0].xMin, page.size.width() / 2);

        const bool last = p == pages.size() - 1;
        EXPECT_EQ(read.total >= 0, last);
        EXPECT_EQ(read.selectedTotal >= 0, last && marked);
        const qsizetype rowsEnd = read.total >= 0 ? read.total : read.number;
        if (last) {
            EXPECT_EQ(read.total, read.number - (marked ? 2 : 1));
            if (marked) {
                EXPECT_EQ(read.selectedTotal, read.total + 1);
            }
        }
        for (qsizetype i = read.header + 1; i < rowsEnd; ++i) {
            const QList<PdfWord> &line = read.lines[i];
            names << line.first().text;
            if (nameLeft < 0)
                nameLeft = line.first().xMin;
            EXPECT_NEAR(line.first().xMin, nameLeft, kTolerance) << textOf(line).toStdString();
            amountRights << line.at(1).xMax;
            // Selected rows carry the mark in the last column; nothing marks a row otherwise.
            EXPECT_EQ(line.last().text == u"●"_s, marked) << textOf(line).toStdString();
        }
    }

    // Every row once, in the grid's order: all entries, or the selected ones.
    QStringList expected;
    for (int i = 0; i < c.entries; ++i)
        if (!marked || c.selected.contains(i))
            expected << entries[i].name;
    EXPECT_EQ(names, expected);
    // The day's amounts right-aligned in their column.
    for (double right : amountRights)
        EXPECT_NEAR(right, amountRights.first(), kTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListPages,
    ::testing::Values(
        PageCase{{"a few rows on A4"}, 3, {}, {}, {841.9, 595.3}, false},
        PageCase{{"no rows at all"}, 0, {}, {}, {841.9, 595.3}, false},
        PageCase{{"300 rows run over several pages"}, 300, {}, {}, {841.9, 595.3}, true},
        PageCase{{"selected rows of 300"}, 300, {0, 41, 42, 150, 299}, {}, {841.9, 595.3}, false},
        PageCase{{"every row selected, several pages"},
                 80,
                 [] {
                     QList<int> all;
                     for (int i = 0; i < 80; ++i)
                         all << i;
                     return all;
                 }(),
                 {},
                 {841.9, 595.3},
                 true},
        PageCase{
            {"the queue's Letter paper"}, 40, {}, QPageSize(QPageSize::Letter), {792, 612}, true},
        PageCase{
            {"the queue's A3 paper"}, 40, {2}, QPageSize(QPageSize::A3), {1190.6, 841.9}, false}),
    whatName);

// A row's cells as printed: amounts that can be read as the grid shows them, the rest as stored.
TEST(ListPages, PrintAmountsAsTheGridShowsThem)
{
    pomiro::testing::application();
    fonts::registerSubstitutes();
    ListReport report;
    report.header = kHeader;
    const auto row = [](const QString &name, const QStringList &amounts) {
        ReportRow cells{ReportCell{std::nullopt, name}};
        for (const QString &amount : amounts)
            cells << reportedAmount(amount);
        return cells;
    };
    report.rows << row(u"禁煙"_s, {u"500"_s, u"3500"_s, u"-20"_s, u"0"_s, u"未定"_s, u"1234567"_s,
                                   u"5万"_s, u"x"_s, u"1"_s, u"9999999999"_s});
    report.total = row(u"全合計"_s, QStringList(10, u"桁あふれ"_s));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile out(dir.filePath(u"list.pdf"_s));
    ASSERT_TRUE(writePdf(out, QPageSize(), listPages(report, QDate(2009, 1, 5))));
    out.close();
    const QList<PdfPageWords> pages = pomiro::testing::readPdfPages(out.fileName());
    ASSERT_EQ(pages.size(), 1);
    const ReadPage read = readPage(pages[0]);
    ASSERT_GE(read.total, 0);
    EXPECT_EQ(textOf(read.lines[read.header + 1]),
              u"禁煙 \\500 \\3,500 \\-20 \\ 未定 \\1,234,567 \\50,000 x \\1 \\9,999,999,999"_s);
    EXPECT_EQ(textOf(read.lines[read.total]), u"全合計"_s + QString(u" 桁あふれ"_s).repeated(10));
}

} // namespace
