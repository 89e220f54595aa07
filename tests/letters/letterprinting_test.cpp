// A letter button's job: one letter painted into a spool file and handed to the printer, or the
// user told why not.
#include "letters/letterprinting.h"

#include "letterlayout.h"
#include "letters/letterkind.h"
#include "platform/fonts.h"
#include "platform/qtjapanese.h"
#include "tests/support/cases.h"
#include "tests/support/environment.h"
#include "tests/support/messageboxes.h"
#include "tests/support/pdftext.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace pomiro;
using namespace pomiro::letters;
using namespace Qt::StringLiterals;
using pomiro::testing::Box;
using pomiro::testing::Described;
using pomiro::testing::MessageBoxes;
using pomiro::testing::whatName;

namespace {

using pomiro::testing::k500ADay;

using pomiro::testing::Environment;

const QString kSaveAsPdf = u"PDFで保存…"_s;

// A letter button's click: the letter of that kind printed through the print path.
bool printLetter(const PdfPrinting &printing, int kind, const QString &name)
{
    const std::optional<Printable> letter = letterPrintable(kind, name, k500ADay, printing.today());
    return letter && printing.print(nullptr, *letter);
}

// While alive, answers every save dialog that opens: the next of `names` typed as the file name
// and Enter pressed, or the dialog cancelled when none is left or the name is empty.
class SaveDialogs : public QObject
{
public:
    QStringList names;
    QStringList proposed; // the file name each dialog showed when it opened
    QStringList backTips; // Qt's own text on the dialog's Back button

    SaveDialogs() { pomiro::testing::application().installEventFilter(this); }
    ~SaveDialogs() override { pomiro::testing::application().removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog =
            event->type() == QEvent::Show ? qobject_cast<QFileDialog *>(watched) : nullptr;
        if (!dialog)
            return false;
        auto *edit = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        proposed << (edit ? edit->text() : u"(no file name field)"_s);
        const auto *back = dialog->findChild<QToolButton *>(u"backButton"_s);
        backTips << (back ? back->toolTip() : QString());
        const QString name = names.isEmpty() ? QString() : names.takeFirst();
        QTimer::singleShot(0, dialog, [dialog = QPointer<QFileDialog>(dialog), edit, name] {
            if (!dialog)
                return;
            if (name.isEmpty() || !edit) {
                dialog->reject();
                return;
            }
            edit->setText(name);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        return false;
    }
};

// What reached the hand-off, read while the spool file still existed.
struct HandedOff
{
    QString path;
    QString text;
    QPageSize paper;
};

struct PrintCase : Described
{
    int kind;
    bool havePrinter;
    bool queueTakesIt;
    bool spoolFolderIsAFile; // no spool file can be made there
    bool printed;
    bool told;
};

class PrintingALetter : public ::testing::TestWithParam<PrintCase>
{};

TEST_P(PrintingALetter, PrintsOnlyACompletePageAndTellsTheUserOfEveryFailure)
{
    const PrintCase &c = GetParam();
    pomiro::testing::application();
    fonts::registerSubstitutes();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    // A file where the folder for temporary files should be: no spool file can be made.
    const QString notAFolder = tmp.filePath(u"not-a-folder"_s);
    ASSERT_TRUE(QFile(notAFolder).open(QIODevice::WriteOnly));
    const Environment spool("TMPDIR",
                            (c.spoolFolderIsAFile ? notAFolder : tmp.path()).toLocal8Bit());

    QList<HandedOff> handedOff;
    const PrintDestination printer{
        QPageSize(QPageSize::Letter), [&](const QString &pdf, const QPageSize &paper) {
            handedOff.append({pdf, pomiro::testing::pdfText(pdf), paper});
            return c.queueTakesIt;
        }};
    MessageBoxes box;
    const PdfPrinting printing(
        [&]() -> std::optional<PrintDestination> {
            if (!c.havePrinter)
                return std::nullopt;
            return printer;
        },
        [] { return QDate(2009, 1, 5); });

    EXPECT_EQ(printLetter(printing, c.kind, u"禁煙"_s), c.printed);

    if (c.told) {
        ASSERT_EQ(box.shown.size(), 1);
        EXPECT_EQ(box.shown[0].box, Box::Warning);
        EXPECT_EQ(box.shown[0].title, u"印刷エラー"_s);
        EXPECT_TRUE(box.shown[0].text.contains(u"プリンター"_s));
    } else {
        EXPECT_TRUE(box.shown.isEmpty());
    }
    // The queue sees a page only when there is a printer and the whole page was painted.
    const bool pagePainted = c.havePrinter && c.kind < 3 && !c.spoolFolderIsAFile;
    ASSERT_EQ(handedOff.size(), pagePainted ? 1 : 0);
    if (pagePainted) {
        const HandedOff &page = handedOff[0];
        const LetterKind &kind = kLetterKinds[static_cast<size_t>(c.kind)];
        EXPECT_TRUE(page.text.contains(QString::fromUtf16(kind.titleLine).trimmed()))
            << page.text.toStdString();
        EXPECT_TRUE(page.text.contains(u"2009年01月05日"_s)) << page.text.toStdString();
        EXPECT_EQ(page.paper.id(), QPageSize::Letter);
        // The spool file goes once the queue has had it, taken or not.
        EXPECT_TRUE(page.path.startsWith(tmp.path()));
        EXPECT_FALSE(QFile::exists(page.path));
    }
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{u"not-a-folder"_s});
}

INSTANTIATE_TEST_SUITE_P(
    Printers, PrintingALetter,
    ::testing::Values(PrintCase{{"printed"}, 2, true, true, false, true, false},
                      PrintCase{{"no default printer"}, 0, false, true, false, false, true},
                      PrintCase{{"the queue refuses the job"}, 1, true, false, false, false, true},
                      PrintCase{{"no spool file can be made"}, 0, true, true, true, false, true},
                      PrintCase{{"no such letter"}, 3, true, true, false, false, false}),
    whatName);

// A letter that could not be printed saved as a PDF instead: the page the printer would have had.
struct SaveCase : Described
{
    int kind;
    bool havePrinter; // one that refuses the job, on Letter paper
    bool chooseSave;  // the failure message's second button, not OK
    QString answer;   // from the save dialog; empty: cancelled
    QPageSize paper;  // the saved page's
};

class UnprintableLetter : public ::testing::TestWithParam<SaveCase>
{};

TEST_P(UnprintableLetter, IsSavedAsAPdfWhenAsked)
{
    const SaveCase &c = GetParam();
    pomiro::testing::application();
    fonts::registerSubstitutes();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ASSERT_TRUE(QDir(tmp.path()).mkdir(u"spool"_s));
    ASSERT_TRUE(QDir(tmp.path()).mkdir(u"out"_s));
    const Environment spool("TMPDIR", tmp.filePath(u"spool"_s).toLocal8Bit());

    const QString target = c.answer.isEmpty() ? QString() : tmp.filePath(u"out/"_s + c.answer);
    int asked = 0;
    MessageBoxes boxes;
    if (c.chooseSave)
        boxes.clicks << kSaveAsPdf;
    const PdfPrinting printing(
        [&]() -> std::optional<PrintDestination> {
            if (!c.havePrinter)
                return std::nullopt;
            return PrintDestination{QPageSize(QPageSize::Letter),
                                    [](const QString &, const QPageSize &) { return false; }};
        },
        [] { return QDate(2009, 1, 5); },
        [&](QWidget *, const QString &) {
            ++asked;
            return target;
        });

    const bool saved = !target.isEmpty() && c.chooseSave;
    EXPECT_EQ(printLetter(printing, c.kind, u"禁煙"_s), saved);

    EXPECT_EQ(asked, c.chooseSave ? 1 : 0);
    ASSERT_EQ(boxes.shown.size(), saved ? 2 : 1);
    // The failure message as it always was, with the way out beside OK.
    EXPECT_EQ(boxes.shown[0].box, Box::Warning);
    EXPECT_EQ(boxes.shown[0].title, u"印刷エラー"_s);
    EXPECT_EQ(boxes.shown[0].text,
              u"印刷できませんでした。プリンターを設定してから、もう一度お試しください。"_s);
    EXPECT_EQ(boxes.shown[0].buttons, (QStringList{u"OK"_s, kSaveAsPdf}));
    if (saved) {
        EXPECT_EQ(boxes.shown[1].box, Box::Information);
        EXPECT_TRUE(boxes.shown[1].text.contains(target)) << boxes.shown[1].text.toStdString();
        pomiro::testing::expectLetterLayout(target, kLetterKinds[static_cast<size_t>(c.kind)],
                                            u"禁煙"_s, k500ADay, u"2009年01月05日"_s, c.paper);
    }
    QDir out(tmp.filePath(u"out"_s));
    EXPECT_EQ(out.entryList(QDir::Files),
              saved ? QStringList{QFileInfo(target).fileName()} : QStringList());
    EXPECT_TRUE(QDir(tmp.filePath(u"spool"_s)).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UnprintableLetter,
    ::testing::Values(
        SaveCase{
            {"no printer, saved on A4"}, 0, false, true, u"宣言書.pdf"_s, QPageSize(QPageSize::A4)},
        SaveCase{{"the queue refuses, saved on its paper"},
                 2,
                 true,
                 true,
                 u"哀願書.pdf"_s,
                 QPageSize(QPageSize::Letter)},
        SaveCase{{"cancelled in the dialog"}, 0, false, true, QString(), {}},
        SaveCase{{"OK in the failure message"}, 1, true, false, u"依頼書.pdf"_s, {}}),
    whatName);

// The proposed file: "<letter>_<name>_<yyyyMMdd>.pdf" in the documents folder (the home folder
// when there is none), the name made fit for a file name.
struct Proposal : Described
{
    bool haveDocuments;
    QString name;
    QString proposed; // relative to the folder; empty: too long, checked by its ends
};

class ProposedPdfFile : public ::testing::TestWithParam<Proposal>
{};

TEST_P(ProposedPdfFile, IsNamedAfterTheLetterTheNameAndTheDay)
{
    const Proposal &c = GetParam();
    pomiro::testing::application();
    fonts::registerSubstitutes();
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const Environment homeDir("HOME", home.path().toLocal8Bit());
    const Environment config("XDG_CONFIG_HOME", QByteArray());
    const QString documents = home.filePath(u"Documents"_s);
    if (c.haveDocuments) {
        ASSERT_TRUE(QDir().mkpath(documents));
    }

    QString proposed;
    MessageBoxes boxes;
    boxes.clicks << kSaveAsPdf;
    const PdfPrinting printing([] { return std::nullopt; }, [] { return QDate(2009, 1, 5); },
                               [&](QWidget *, const QString &path) {
                                   proposed = path;
                                   return QString();
                               });
    EXPECT_FALSE(printLetter(printing, 1, c.name));

    const QFileInfo file(proposed);
    EXPECT_EQ(file.absolutePath(), c.haveDocuments ? documents : home.path());
    if (!c.proposed.isEmpty()) {
        EXPECT_EQ(file.fileName(), c.proposed);
    } else {
        EXPECT_LE(QFile::encodeName(file.fileName()).size(), 255);
        const std::string shown = file.fileName().toStdString();
        EXPECT_TRUE(file.fileName().startsWith(u"依頼書_あああ"_s)) << shown;
        EXPECT_TRUE(file.fileName().endsWith(u"あ_20090105.pdf"_s)) << shown;
    }
    EXPECT_TRUE(QDir(home.path()).entryList({u"*.pdf"_s}, QDir::Files).isEmpty());
}

// "<letter>_<name>_<yyyyMMdd>.pdf" in the documents folder (the home folder when there is none),
// the name made fit for a file name.
INSTANTIATE_TEST_SUITE_P(
    Names, ProposedPdfFile,
    ::testing::Values(
        Proposal{{"a plain name"}, true, u"禁煙"_s, u"依頼書_禁煙_20090105.pdf"_s},
        Proposal{{"no documents folder"}, false, u"禁煙"_s, u"依頼書_禁煙_20090105.pdf"_s},
        Proposal{{"a slash and control characters"},
                 true,
                 u"../酒\u0001たばこ\tx"_s,
                 u"依頼書_.._酒_たばこ_x_20090105.pdf"_s},
        Proposal{{"a NUL"}, true, QString::fromUtf16(u"a\0b", 3), u"依頼書_a_b_20090105.pdf"_s},
        Proposal{{"blanks only"}, true, u" 　 "_s, u"依頼書_20090105.pdf"_s},
        Proposal{{"no name"}, true, QString(), u"依頼書_20090105.pdf"_s},
        Proposal{{"too long for a file name"}, true, QString(200, u'あ'), QString()}),
    whatName);

// Qt's own save dialog, as the program sets it up where no portal runs: it proposes the file, adds
// ".pdf", and asks in Japanese before replacing a file.
struct DialogCase : Described
{
    QStringList names;   // typed into each dialog; empty: cancelled
    QList<bool> replace; // answers to "replace it?"
    QString chosen;      // in the folder; empty: nothing
    int dialogs;
};

class SaveDialog : public ::testing::TestWithParam<DialogCase>
{};

// Qt's own save dialog, as the program sets it up where no portal runs: it proposes the file, adds
// ".pdf", and asks in Japanese before replacing a file.
TEST_P(SaveDialog, ProposesTheFileAndAsksBeforeReplacingOne)
{
    const DialogCase &c = GetParam();
    pomiro::testing::application();
    pomiro::useQtJapanese(); // as the program does at start
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Environment noBus("DBUS_SESSION_BUS_ADDRESS", QByteArray());
    const Environment runtime("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    QFile old(dir.filePath(u"old.pdf"_s));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    const QString proposed = dir.filePath(u"宣言書_禁煙_20090105.pdf"_s);

    SaveDialogs dialogs;
    dialogs.names = c.names;
    MessageBoxes boxes;
    boxes.answers = c.replace;

    const QString chosen = askPdfPathInDialog(nullptr, proposed);

    EXPECT_EQ(chosen, c.chosen.isEmpty() ? QString() : dir.filePath(c.chosen));
    ASSERT_EQ(dialogs.proposed.size(), c.dialogs);
    EXPECT_EQ(dialogs.proposed[0], QFileInfo(proposed).fileName());
    // Qt's own texts in the dialog are in Japanese too.
    EXPECT_NE(dialogs.backTips[0], u"Back"_s);
    EXPECT_FALSE(dialogs.backTips[0].isEmpty());
    ASSERT_EQ(boxes.shown.size(), c.replace.size());
    for (const auto &shown : boxes.shown) {
        EXPECT_EQ(shown.box, Box::Question);
        EXPECT_EQ(shown.text, u"「old.pdf」はすでにあります。置き換えていいですか？"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SaveDialog,
    ::testing::Values(DialogCase{{"the proposed file"},
                                 {u"宣言書_禁煙_20090105.pdf"_s},
                                 {},
                                 u"宣言書_禁煙_20090105.pdf"_s,
                                 1},
                      DialogCase{{"a name without .pdf"}, {u"letter"_s}, {}, u"letter.pdf"_s, 1},
                      DialogCase{{"cancelled"}, {QString()}, {}, QString(), 1},
                      DialogCase{
                          {"an existing file replaced"}, {u"old.pdf"_s}, {true}, u"old.pdf"_s, 1},
                      DialogCase{{"an existing file kept, then cancelled"},
                                 {u"old.pdf"_s, QString()},
                                 {false},
                                 QString(),
                                 2}),
    whatName);

} // namespace
