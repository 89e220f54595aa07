// The plan on paper, read back with pdftotext: what the page says, on which paper, and that the
// page proposed for saving is named after the window beside the data file.
#include "savings_window/savingspage.h"

#include "platform/fonts.h"
#include "savings_window/savingsreport.h"
#include "savings_window/texts.h"
#include "tests/support/cases.h"
#include "tests/support/pdftext.h"
#include "tests/support/pdfwords.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pomiro;
using namespace Qt::StringLiterals;

namespace {

class SavingsPageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        pomiro::testing::application();
        fonts::registerSubstitutes();
    }

    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // The page written for `report`, read back as lines with single blanks.
    QStringList pageLines(const SavingsReport &report, const QPageSize &paper = {})
    {
        QFile out(m_dir.filePath(u"page.pdf"_s));
        m_paper = writePdf(out, paper, savingsPages(report, QDate(2009, 1, 5)));
        out.close();
        EXPECT_TRUE(m_paper.has_value()) << "the page was not written";
        QStringList lines;
        for (const QString &line : pomiro::testing::pdfText(out.fileName()).split(u'\n'))
            if (const QString simple = line.simplified(); !simple.isEmpty())
                lines << simple;
        m_pages = pomiro::testing::readPdfPages(out.fileName()).size();
        return lines;
    }

    static Entry entry(const QString &name, const QString &year)
    {
        Entry made = pomiro::testing::entry(name, u"\\1"_s);
        made.amount(4) = year;
        return made;
    }

    QTemporaryDir m_dir;
    std::optional<QPageSize> m_paper;
    qsizetype m_pages = 0;
};

TEST_F(SavingsPageTest, HoldsTitleDateSentenceRateAndTheTable)
{
    const QStringList lines =
        pageLines(makeSavingsReport({entry(u"禁煙"_s, u"\\182,500"_s)}, false, 30));
    ASSERT_EQ(m_pages, 1);
    EXPECT_EQ(m_paper->id(), QPageSize::A4);
    const QString all = lines.join(u'\n');
    EXPECT_TRUE(lines.value(0).contains(u"ぽみろの積み立て"_s)) << all.toStdString();
    EXPECT_TRUE(all.contains(u"2009年01月05日"_s)) << all.toStdString();
    EXPECT_TRUE(lines.contains(u"毎月 \\15,208 を積み立てます（１年 \\182,500 ÷ 12）"_s))
        << all.toStdString();
    EXPECT_TRUE(lines.contains(u"禁煙"_s)) << all.toStdString();
    EXPECT_TRUE(lines.contains(u"年利 3.0％"_s)) << all.toStdString();
    EXPECT_TRUE(lines.contains(u"期間 積み立てた額 運用した場合 増えた分"_s)) << all.toStdString();
    EXPECT_TRUE(lines.contains(u"１年 \\182,500 \\185,030 \\2,530"_s)) << all.toStdString();
    EXPECT_TRUE(lines.contains(u"３０年 \\5,475,000 \\8,862,457 \\3,387,457"_s))
        << all.toStdString();
    EXPECT_TRUE(all.contains(u"積み立てた額"_s) && all.contains(u"万円"_s))
        << "the chart's legend and axis are missing";
    EXPECT_TRUE(all.contains(u"年利を一定とした試算です。"_s)) << all.toStdString();
}

// The page gains what the window shows of a start, a target and the tax, each only when chosen.
TEST_F(SavingsPageTest, HoldsTheStartTheTargetAndTheTaxWhenChosen)
{
    const Entries chosen{entry(u"禁煙"_s, u"\\182,500"_s)};
    const QDate today(2026, 12, 10);
    SavingsChoices choices{30, Amount::fromYen(120'000), true, Amount::fromYen(1'000'000), 10};
    const SavingsReport report = makeSavingsReport(chosen, false, choices, today);
    const QString all = pageLines(report).join(u'\n');
    for (const QString &expected :
         {savingstexts::startLine(u"\\120,000"_s), savingstexts::kTaxLine, report.targetSentence,
          report.neededSentence, savingstexts::kTargetLine})
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString() << '\n' << all.toStdString();
    EXPECT_FALSE(report.targetSentence.isEmpty());

    const QString plain =
        pageLines(makeSavingsReport(chosen, false, SavingsChoices{30, {}, false, {}, 10}, today))
            .join(u'\n');
    for (const QString &absent : {savingstexts::kTaxLine, u"いまある額"_s, u"目標"_s})
        EXPECT_FALSE(plain.contains(absent)) << absent.toStdString();
}

TEST_F(SavingsPageTest, NothingToPutAsideIsSaidOnThePageToo)
{
    const QStringList lines = pageLines(makeSavingsReport({entry(u"a"_s, u"たくさん"_s)}, true, 30),
                                        QPageSize(QPageSize::Letter));
    EXPECT_EQ(m_paper->id(), QPageSize::Letter);
    const QString all = lines.join(u'\n');
    EXPECT_TRUE(all.contains(u"積み立てる金額がありません。"_s)) << all.toStdString();
    EXPECT_TRUE(all.contains(u"入れなかった「ぽみろ」：a"_s)) << all.toStdString();
    EXPECT_TRUE(lines.contains(u"３０年"_s)) << "the rows without figures" << all.toStdString();
}

struct PageTable : pomiro::testing::Described
{
    QString yearText; // of the one entry
    int rate;
};

class SavingsPageTable : public SavingsPageTest, public ::testing::WithParamInterface<PageTable>
{};

// The table on the page is the report's, cell by cell below the column titles, whatever the
// figures are: the plan's, figures too large to show, or none at all.
TEST_P(SavingsPageTable, IsTheReportsTable)
{
    const SavingsReport report =
        makeSavingsReport({entry(u"禁煙"_s, GetParam().yearText)}, false, GetParam().rate);
    const QStringList lines = pageLines(report);
    const qsizetype titles = lines.indexOf(savingsColumnTitles().join(u' '));
    ASSERT_GE(titles, 0) << lines.join(u'\n').toStdString();
    for (int row = 0; row < int(kPlanYears.size()); ++row) {
        QStringList cells;
        for (int col = 0; col < SavingsReport::kColumns; ++col)
            if (const QString text = report.cell(row, col); !text.isEmpty())
                cells << text;
        EXPECT_EQ(lines.value(titles + 1 + row), cells.join(u' ')) << "row " << row;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Reports, SavingsPageTable, ::testing::Values(
        PageTable{{"a plan at 3.0 %"}, u"\\182,500"_s, 30},
        PageTable{{"a plan without interest"}, u"\\1,250"_s, 0},
        PageTable{{"a plan at the highest rate"}, u"\\99,999"_s, pomiro::kHighestRate},
        PageTable{{"figures too large to show"}, u"\\100,000,000,000,000"_s, 30},
        PageTable{{"nothing to put aside"}, u"たくさん"_s, 30}),
    pomiro::testing::whatName);
// clang-format on

TEST_F(SavingsPageTest, IsProposedBesideTheDataFile)
{
    const Printable page =
        savingsPrintable(makeSavingsReport({}, true, 30), QDate(2009, 1, 5), m_dir.path());
    EXPECT_EQ(page.proposedPath, m_dir.filePath(u"ぽみろの積み立て.pdf"_s));
}

} // namespace
