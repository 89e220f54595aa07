// The one print path on its own, with a stand-in document and stand-in printer: what reaches the
// queue, what the user is told, and where a PDF saved instead ends up. The real letters and list
// go through it in their own suites; the real CUPS queue in the end-to-end tests.
#include "platform/pdfprinting.h"

#include "platform/pdfdocument.h"
#include "platform/printtexts.h"
#include "tests/support/cases.h"
#include "tests/support/fsfaults.h"
#include "tests/support/messageboxes.h"
#include "tests/support/pdfwords.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace pomiro::testing {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kPages = "%PDF-1.4 pages of the document %%EOF";

// The document: writes kPages on the paper it is given, and says so; or fails half-way.
struct Document
{
    bool fails = false;
    QList<QPageSize> paintedOn;

    PaintPdf painter()
    {
        return [this](QFileDevice &out, const QPageSize &paper) -> std::optional<QPageSize> {
            paintedOn << paper;
            // Written whole means on disk, as the real painters make sure.
            out.write(kPages.left(fails ? 8 : kPages.size()));
            if (fails || !out.flush())
                return std::nullopt;
            return paper.isValid() ? paper : QPageSize(QPageSize::A4);
        };
    }
};

// The printer's queue: takes or refuses what it is handed, and keeps a copy of what it got.
struct Queue
{
    bool refuses = false;
    QList<QByteArray> received;
    QList<QPageSize> papers;

    FindPrintDestination destination(QPageSize paper)
    {
        return [this, paper]() -> std::optional<PrintDestination> {
            return PrintDestination{paper, [this](const QString &pdf, const QPageSize &on) {
                                        QFile file(pdf);
                                        received << (file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                                    : QByteArray());
                                        papers << on;
                                        return !refuses;
                                    }};
        };
    }
};

const FindPrintDestination kNoPrinter = [] { return std::optional<PrintDestination>(); };
const std::function<QDate()> kToday = [] { return QDate(2009, 1, 5); };

class PdfPrintingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        application();
        ASSERT_TRUE(m_folder.isValid());
    }

    // The save dialog: answers `path` (empty: cancelled) and notes what it proposed.
    AskSavePath dialog(const QString &path)
    {
        return [this, path](QWidget *, const QString &proposed) {
            proposals << proposed;
            return path;
        };
    }

    QString inFolder(const QString &name) const { return m_folder.filePath(name); }

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    MessageBoxes messages;
    Document document;
    Queue queue;
    QStringList proposals;

private:
    QTemporaryDir m_folder;
};

TEST_F(PdfPrintingTest, WholePagesGoToTheQueueOnItsPaperAndNothingIsSaid)
{
    const PdfPrinting printing(queue.destination(QPageSize(QPageSize::Letter)), kToday, dialog({}));
    EXPECT_TRUE(printing.print(nullptr, {document.painter(), inFolder(u"x.pdf"_s)}));
    EXPECT_EQ(queue.received, QList<QByteArray>{kPages});
    EXPECT_EQ(queue.papers, QList<QPageSize>{QPageSize(QPageSize::Letter)});
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(proposals.isEmpty());
}

TEST_F(PdfPrintingTest, HalfMadePagesNeverReachTheQueue)
{
    document.fails = true;
    messages.answers = {true}; // OK: no PDF either
    const PdfPrinting printing(queue.destination(QPageSize(QPageSize::A4)), kToday, dialog({}));
    EXPECT_FALSE(printing.print(nullptr, {document.painter(), inFolder(u"x.pdf"_s)}));
    EXPECT_TRUE(queue.received.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, printtexts::kPrintFailedTitle);
    EXPECT_TRUE(messages.shown[0].buttons.contains(printtexts::kSaveAsPdf));
    EXPECT_TRUE(proposals.isEmpty()) << "OK asks for no file";
}

// After a failure the user may save the same pages: on the printer's paper when it said which,
// at the path chosen in the dialog, which proposed the document's own name.
struct Failure : Described
{
    bool printer;
    bool refuses;
    QPageSize expectedPaper;
};

class SavingInstead : public PdfPrintingTest, public ::testing::WithParamInterface<Failure>
{};

TEST_P(SavingInstead, PutsTheSamePagesWhereTheUserChose)
{
    const Failure &c = GetParam();
    queue.refuses = c.refuses;
    messages.clicks = {printtexts::kSaveAsPdf};
    const QString chosen = inFolder(u"選んだ名前.pdf"_s);
    const PdfPrinting printing(c.printer ? queue.destination(QPageSize(QPageSize::Letter))
                                         : kNoPrinter,
                               kToday, dialog(chosen));

    EXPECT_TRUE(printing.print(nullptr, {document.painter(), inFolder(u"宣言書.pdf"_s)}));
    EXPECT_EQ(proposals, QStringList{inFolder(u"宣言書.pdf"_s)});
    EXPECT_EQ(contentOf(chosen), kPages);
    EXPECT_EQ(document.paintedOn.constLast(), c.expectedPaper);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].box, Box::Information);
    EXPECT_TRUE(messages.shown[1].text.contains(u"選んだ名前.pdf"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SavingInstead,
    ::testing::Values(
        Failure{{"no printer, on the document's paper"}, false, false, QPageSize()},
        Failure{{"the queue refuses, on its paper"}, true, true, QPageSize(QPageSize::Letter)}),
    whatName);

TEST_F(PdfPrintingTest, ACancelledDialogSavesNothingAndSaysNothingMore)
{
    messages.clicks = {printtexts::kSaveAsPdf};
    const PdfPrinting printing(kNoPrinter, kToday, dialog({}));
    EXPECT_FALSE(printing.print(nullptr, {document.painter(), inFolder(u"x.pdf"_s)}));
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(document.paintedOn.isEmpty()) << "nothing is painted for a cancelled dialog";
}

TEST_F(PdfPrintingTest, PagesThatCannotBeMadeLeaveTheChosenFileAlone)
{
    const QString chosen = inFolder(u"前からある.pdf"_s);
    {
        QFile file(chosen);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the old file");
    }
    document.fails = true;
    const PdfPrinting printing(kNoPrinter, kToday, dialog(chosen));
    EXPECT_FALSE(printing.saveAsPdf(nullptr, {document.painter(), chosen}));
    EXPECT_EQ(contentOf(chosen), QByteArray("the old file"));
    EXPECT_EQ(QDir(inFolder({})).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"前からある.pdf"_s})
        << "a half-made file was left beside it";
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].box, Box::Warning);
    EXPECT_TRUE(messages.shown[0].text.startsWith(u"PDFを保存できませんでした"_s))
        << messages.shown[0].text.toStdString();
}

// A full disk where the PDF goes: a real document's pages fall short there, the user is told to
// make room, and neither the file nor a temporary one is left behind.
TEST_F(PdfPrintingTest, APdfOnAFullDiskIsReportedAndLeavesNothing)
{
    POMIRO_REQUIRE_MOUNTS("PDF on a full disk");
    const QString full = inFolder(u"full"_s);
    ASSERT_TRUE(QDir().mkpath(full));
    const FaultyFolder faulty(full, FolderFault::DiskFull);
    ASSERT_TRUE(faulty.error().isEmpty()) << faulty.error().toStdString();
    ASSERT_TRUE(faulty.strike(u"宣言書.pdf"_s));
    const PaintPdf page = [](QFileDevice &out, const QPageSize &paper) {
        return writePdf(
            out, paper,
            {{QPageLayout::Portrait, 28.0, u"宣言書"_s}, [](QPainter &painter, PdfDocument &) {
                 painter.drawText(QPointF(1000, 1000), u"禁煙"_s);
                 return true;
             }});
    };

    const PdfPrinting printing(kNoPrinter, kToday, dialog(full + u"/宣言書.pdf"_s));
    EXPECT_FALSE(printing.saveAsPdf(nullptr, {page, {}}));

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].box, Box::Warning);
    EXPECT_EQ(messages.shown[0].title, u"保存できません"_s);
    EXPECT_TRUE(messages.shown[0].text.startsWith(u"ディスクの空きが足りないため"_s))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(QDir(full).entryList(QDir::Files | QDir::Hidden), faulty.leftByFault());
}

struct Written : Described
{
    QPageSize paper; // invalid: the default, A4
    QPageLayout::Orientation orientation;
    double marginPoints;
    int pages;
    bool painted; // what the painting answers
};

class WrittenPdf : public ::testing::TestWithParam<Written>
{};

// Every document is set up the same way, on the paper and as the setup asks, and is finished the
// same way: whole, with every page it painted, or none when the painting failed.
TEST_P(WrittenPdf, IsSetUpAsAskedAndWholeOnlyWhenPainted)
{
    const Written &c = GetParam();
    application();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile out(dir.filePath(u"宣言書.pdf"_s));
    std::optional<QPageLayout> layout;
    const auto paint = [&](QPainter &painter, PdfDocument &document) {
        layout = document.writer().pageLayout();
        for (int page = 1; page < c.pages; ++page)
            document.writer().newPage();
        painter.drawText(QPointF(1000, 1000), u"page"_s);
        return c.painted;
    };
    const std::optional<QPageSize> paper =
        writePdf(out, c.paper, {{c.orientation, c.marginPoints, u"宣言書"_s}, paint});
    out.close();

    const QPageSize expected = c.paper.isValid() ? c.paper : QPageSize(QPageSize::A4);
    ASSERT_TRUE(layout.has_value()) << "nothing was painted";
    EXPECT_EQ(layout->pageSize().id(), expected.id());
    EXPECT_EQ(layout->orientation(), c.orientation);
    const double m = c.marginPoints;
    EXPECT_EQ(layout->margins(QPageLayout::Point), QMarginsF(m, m, m, m));
    ASSERT_EQ(paper.has_value(), c.painted);
    if (paper) {
        EXPECT_EQ(paper->id(), expected.id());
        EXPECT_EQ(readPdfPages(out.fileName()).size(), c.pages) << "pdftotext (poppler-utils)";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Setups, WrittenPdf, ::testing::Values(
        Written{{"a letter's page"}, QPageSize(), QPageLayout::Portrait, 10.0, 1, true},
        Written{{"the list on the printer's paper"}, QPageSize(QPageSize::Letter), QPageLayout::Landscape, 28.0, 3, true},
        Written{{"the plan on A5"}, QPageSize(QPageSize::A5), QPageLayout::Portrait, 40.0, 1, true},
        Written{{"a painting that fails"}, QPageSize(QPageSize::B5), QPageLayout::Landscape, 28.0, 2, false}),
    whatName);
// clang-format on

} // namespace
} // namespace pomiro::testing
