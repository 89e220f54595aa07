// A letter button's job: one letter painted into a spool file and handed to the printer, or the
// user told why not.
#include "letters/printjob.h"

#include "letters/letterkind.h"
#include "pdftext.h"
#include "platform/fonts.h"
#include "tests/support/samples.h"
#include "tests/support/qtapp.h"
#include "tests/support/messageboxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pomiro;
using namespace pomiro::letters;
using namespace Qt::StringLiterals;
using pomiro::testing::Box;
using pomiro::testing::MessageBoxes;

namespace {

using pomiro::testing::k500ADay;


// What reached the hand-off, read while the spool file still existed.
struct HandedOff
{
    QString path;
    QString text;
    QPageSize paper;
};

} // namespace

TEST(LetterPrinting, PrintsOnlyACompletePageAndTellsTheUserOfEveryFailure)
{
    pomiro::testing::application();
    fonts::registerSubstitutes();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QByteArray realTmp = qgetenv("TMPDIR");
    // A file where the folder for temporary files should be: no spool file can be made.
    const QString notAFolder = tmp.filePath(u"not-a-folder"_s);
    ASSERT_TRUE(QFile(notAFolder).open(QIODevice::WriteOnly));

    const struct
    {
        const char *what;
        int kind;
        bool havePrinter;
        bool queueTakesIt;
        QString tmpDir; // where the spool file goes
        bool printed;
        bool told;
    } cases[] = {
        {"printed", 2, true, true, tmp.path(), true, false},
        {"no default printer", 0, false, true, tmp.path(), false, true},
        {"the queue refuses the job", 1, true, false, tmp.path(), false, true},
        {"no spool file can be made", 0, true, true, notAFolder, false, true},
        {"no such letter", 3, true, true, tmp.path(), false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        qputenv("TMPDIR", c.tmpDir.toLocal8Bit());
        QList<HandedOff> handedOff;
        const PrintDestination printer{
            QPageSize(QPageSize::Letter), [&](const QString &pdf, const QPageSize &paper) {
                handedOff.append({pdf, pomiro::testing::pdfText(pdf), paper});
                return c.queueTakesIt;
            }};
        MessageBoxes box;
        LetterPrinting printing(
            [&]() -> std::optional<PrintDestination> {
                if (!c.havePrinter)
                    return std::nullopt;
                return printer;
            },
            [] { return QDate(2009, 1, 5); });

        EXPECT_EQ(printing.print(c.kind, nullptr, u"禁煙"_s, k500ADay), c.printed);

        if (c.told) {
            ASSERT_EQ(box.shown.size(), 1);
            EXPECT_EQ(box.shown[0].box, Box::Warning);
            EXPECT_EQ(box.shown[0].title, u"印刷エラー"_s);
            EXPECT_TRUE(box.shown[0].text.contains(u"プリンター"_s));
        } else {
            EXPECT_TRUE(box.shown.isEmpty());
        }
        // The queue sees a page only when there is a printer and the whole page was painted.
        const bool pagePainted = c.havePrinter && c.kind < 3 && c.tmpDir == tmp.path();
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
    if (realTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", realTmp);
}
