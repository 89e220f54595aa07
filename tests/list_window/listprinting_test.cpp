// The list's 印刷 and PDF で保存: the pages reach the printer's queue whole and on its paper, or
// the user is told and may save them as a PDF; a PDF is proposed as ぽみろ一覧.pdf in the data
// file's folder and written in one step.
#include "list_window/listprinting.h"

#include "list_window/entrylistmodel.h"
#include "list_window/listreport.h"
#include "platform/fonts.h"
#include "tests/support/cases.h"
#include "tests/support/environment.h"
#include "tests/support/fsfaults.h"
#include "tests/support/messageboxes.h"
#include "tests/support/pdftext.h"
#include "tests/support/pdfwords.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pomiro;
using namespace Qt::StringLiterals;
using pomiro::testing::Box;
using pomiro::testing::Described;
using pomiro::testing::MessageBoxes;
using pomiro::testing::whatName;

namespace {

const QString kSaveAsPdf = u"PDFで保存…"_s;
const QString kPrintFailed =
    u"印刷できませんでした。プリンターを設定してから、もう一度お試しください。"_s;

ListReport sampleReport()
{
    const Entries entries{{u"禁煙"_s, pomiro::testing::k500ADay},
                          {u"コーヒー"_s, pomiro::testing::everyPeriod(u"\\300"_s)}};
    const EntryListModel model(entries);
    return makeListReport(model);
}

struct HandedOff
{
    QString path;
    QList<pomiro::testing::PdfPageWords> pages;
    QPageSize paper;
};

struct PrintCase : Described
{
    bool havePrinter;
    bool queueTakesIt;
    bool chooseSave; // in the failure message, the button that saves a PDF instead
    bool answer;     // the save dialog answered with a file, not cancelled
    bool result;
    QSizeF savedPage; // points; empty: nothing saved
};

class PrintingTheList : public ::testing::TestWithParam<PrintCase>
{};

TEST_P(PrintingTheList, ReachesThePrinterOrOffersAPdf)
{
    const PrintCase &c = GetParam();
    pomiro::testing::application();
    fonts::registerSubstitutes();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ASSERT_TRUE(QDir(tmp.path()).mkdir(u"spool"_s));
    ASSERT_TRUE(QDir(tmp.path()).mkdir(u"data"_s));
    const pomiro::testing::Environment spool("TMPDIR", tmp.filePath(u"spool"_s).toLocal8Bit());
    const QString folder = tmp.filePath(u"data"_s);

    QList<HandedOff> handedOff;
    QStringList proposed;
    MessageBoxes boxes;
    if (c.chooseSave)
        boxes.clicks << kSaveAsPdf;
    const QString target = folder + u"/一覧の控え.pdf"_s;
    const PdfPrinting printing(
        [&]() -> std::optional<PrintDestination> {
            if (!c.havePrinter)
                return std::nullopt;
            return PrintDestination{
                QPageSize(QPageSize::Letter), [&](const QString &pdf, const QPageSize &paper) {
                    handedOff.append({pdf, pomiro::testing::readPdfPages(pdf), paper});
                    return c.queueTakesIt;
                }};
        },
        [] { return QDate(2009, 1, 5); },
        [&](QWidget *, const QString &path) {
            proposed << path;
            return c.answer ? target : QString();
        });

    EXPECT_EQ(printing.print(nullptr, listPrintable(sampleReport(), printing.today(), folder)),
              c.result);

    // The printer has the pages whenever there is one, on its Letter paper, turned sideways.
    ASSERT_EQ(handedOff.size(), c.havePrinter ? 1 : 0);
    if (c.havePrinter) {
        EXPECT_EQ(handedOff[0].paper.id(), QPageSize::Letter);
        ASSERT_EQ(handedOff[0].pages.size(), 1);
        EXPECT_NEAR(handedOff[0].pages[0].size.width(), 792, 1);
        EXPECT_NEAR(handedOff[0].pages[0].size.height(), 612, 1);
        QStringList words;
        for (const auto &w : handedOff[0].pages[0].words)
            words << w.text;
        EXPECT_TRUE(words.contains(u"禁煙"_s) && words.contains(u"全合計"_s))
            << words.join(u' ').toStdString();
        EXPECT_FALSE(QFile::exists(handedOff[0].path));
    }

    // Success is silent; a failure is told as the letters tell it, with the way out beside OK.
    const bool printed = c.havePrinter && c.queueTakesIt;
    if (printed) {
        EXPECT_TRUE(boxes.shown.isEmpty());
    } else {
        ASSERT_FALSE(boxes.shown.isEmpty());
        EXPECT_EQ(boxes.shown[0].box, Box::Warning);
        EXPECT_EQ(boxes.shown[0].title, u"印刷エラー"_s);
        EXPECT_EQ(boxes.shown[0].text, kPrintFailed);
        EXPECT_EQ(boxes.shown[0].buttons, (QStringList{u"OK"_s, kSaveAsPdf}));
    }
    EXPECT_EQ(proposed, c.chooseSave ? QStringList{folder + u"/ぽみろ一覧.pdf"_s} : QStringList());

    const bool saved = !c.savedPage.isEmpty();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              saved ? QStringList{u"一覧の控え.pdf"_s} : QStringList());
    if (saved) {
        ASSERT_EQ(boxes.shown.size(), 2);
        EXPECT_EQ(boxes.shown[1].box, Box::Information);
        EXPECT_EQ(boxes.shown[1].text, u"「%1」に保存しました。"_s.arg(target));
        const auto pages = pomiro::testing::readPdfPages(target);
        ASSERT_EQ(pages.size(), 1);
        EXPECT_NEAR(pages[0].size.width(), c.savedPage.width(), 1);
        EXPECT_NEAR(pages[0].size.height(), c.savedPage.height(), 1);
        EXPECT_TRUE(pomiro::testing::pdfText(target).contains(u"コーヒー"_s));
    }
    EXPECT_TRUE(QDir(tmp.filePath(u"spool"_s)).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Printers, PrintingTheList,
    ::testing::Values(
        PrintCase{{"printed"}, true, true, false, false, true, {}},
        PrintCase{{"no printer, OK"}, false, false, false, false, false, {}},
        PrintCase{{"no printer, saved on A4"}, false, false, true, true, true, {841.9, 595.3}},
        PrintCase{
            {"the queue refuses, saved on its paper"}, true, false, true, true, true, {792, 612}},
        PrintCase{{"the queue refuses, save cancelled"}, true, false, true, false, false, {}}),
    whatName);

struct SaveCase : Described
{
    bool answer;       // a file chosen in the dialog, not cancelled
    bool existingFile; // the chosen file is there already
};

class SavingTheList : public ::testing::TestWithParam<SaveCase>
{};

TEST_P(SavingTheList, ProposesTheListsFileAndSavesAllPages)
{
    const SaveCase &c = GetParam();
    pomiro::testing::application();
    fonts::registerSubstitutes();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ASSERT_TRUE(QDir(tmp.path()).mkdir(u"spool"_s));
    const pomiro::testing::Environment spool("TMPDIR", tmp.filePath(u"spool"_s).toLocal8Bit());
    const QString target = tmp.filePath(u"ぽみろ一覧.pdf"_s);
    if (c.existingFile) {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }

    // 300 entries: several pages, all of them in the saved file.
    Entries entries;
    for (int i = 0; i < 300; ++i)
        entries.append({u"習慣%1"_s.arg(i), pomiro::testing::k500ADay});
    const EntryListModel model(entries);

    QStringList proposed;
    int printers = 0;
    MessageBoxes boxes;
    const PdfPrinting printing(
        [&]() -> std::optional<PrintDestination> {
            ++printers;
            return std::nullopt;
        },
        [] { return QDate(2009, 1, 5); },
        [&](QWidget *, const QString &path) {
            proposed << path;
            return c.answer ? path : QString();
        });

    EXPECT_EQ(printing.saveAsPdf(
                  nullptr, listPrintable(makeListReport(model), printing.today(), tmp.path())),
              c.answer);

    EXPECT_EQ(printers, 0) << "saving a PDF asked for a printer";
    EXPECT_EQ(proposed, QStringList{target});
    if (c.answer) {
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].box, Box::Information);
        EXPECT_EQ(boxes.shown[0].title, u"PDFで保存"_s);
        const auto pages = pomiro::testing::readPdfPages(target);
        EXPECT_GT(pages.size(), 1);
        EXPECT_TRUE(pomiro::testing::pdfText(target).contains(u"習慣299"_s));
    } else {
        EXPECT_TRUE(boxes.shown.isEmpty());
        QFile file(target);
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                  c.existingFile ? QByteArray("old") : QByteArray());
    }
    EXPECT_TRUE(QDir(tmp.filePath(u"spool"_s)).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Answers, SavingTheList,
                         ::testing::Values(SaveCase{{"saved"}, true, false},
                                           SaveCase{{"an old file replaced"}, true, true},
                                           SaveCase{{"cancelled"}, false, false},
                                           SaveCase{{"cancelled, old file kept"}, false, true}),
                         whatName);

} // namespace
