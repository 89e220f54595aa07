#include "letters/printjob.h"

#include "core/cellwidth.h"
#include "platform/messagebox.h"
#include "recordingprinter.h"
#include "tests/support/qtapp.h"
#include "tests/support/messageboxes.h"

#include <gtest/gtest.h>
#include <ostream>

// Readable failures: gtest would print a QString as its bytes.

using namespace pomiro;
using namespace pomiro::letters;
using namespace Qt::StringLiterals;
using pomiro::testing::RecordingPrinter;
using pomiro::testing::Box;
using pomiro::testing::MessageBoxes;

namespace {

QString sp(int count)
{
    return QString(count, u' ');
}

const QString kDate20090105 = u"　"_s + sp(29) + u"2009年01月05日"_s;

// What the user of the typical road sees after entering 500 a day.
const PeriodTexts kTypical = {u"\\500"_s,      u"\\3,500"_s,     u"\\15,000"_s,
                              u"\\91,250"_s,   u"\\182,500"_s,   u"\\547,500"_s,
                              u"\\912,500"_s,  u"\\1,825,000"_s, u"\\3,650,000"_s,
                              u"\\5,475,000"_s};

QStringList expectedOperations(const QString &title, const QStringList &closing)
{
    QStringList ops = {u"left -500"_s, u"top -200"_s, u"line  "_s, u"line  "_s, u"line  "_s,
                       u"font ＭＳ ゴシック"_s, u"size 78"_s, u"line "_s + title, u"line  "_s,
                       u"font ＭＳ ゴシック"_s, u"size 16"_s, u"line 　ぽみろ…禁煙"_s,
                       u"line  "_s, u"line  "_s, u"font ＭＳ ゴシック"_s, u"size 28"_s};
    ops += QStringList{
        u"line      １日で…　"_s + sp(11) + u"\\500"_s,
        u"line      １週間で…"_s + sp(9) + u"\\3,500"_s,
        u"line      １ヶ月で…"_s + sp(8) + u"\\15,000"_s,
        u"line      半年で…　"_s + sp(8) + u"\\91,250"_s,
        u"line  　    １年で…"_s + sp(7) + u"\\182,500"_s,
        u"line  　    ３年で…"_s + sp(7) + u"\\547,500"_s,
        u"line  　    ５年で…"_s + sp(7) + u"\\912,500"_s,
        u"line      １０年で…"_s + sp(5) + u"\\1,825,000"_s,
        u"line      ２０年で…"_s + sp(5) + u"\\3,650,000"_s,
        u"line      ３０年で…"_s + sp(5) + u"\\5,475,000"_s,
        u"line  "_s,
        u"line  "_s,
    };
    ops += closing;
    ops += QStringList{u"line "_s + kDate20090105, u"end"_s};
    return ops;
}

struct KindCase
{
    int index;
    QStringList operations;
};

} // namespace

TEST(PrintJob, EachKindPrintsItsExactSequence)
{
    const QStringList threeSpacers = {u"line  "_s, u"line  "_s, u"line  "_s};
    const KindCase cases[] = {
        {0, expectedOperations(u"　　宣言書"_s,
                               QStringList{u"font ＭＳ ゴシック"_s, u"size 36"_s,
                                           u"line 　有言実行。絶対達成するぞ！　"_s, u"size 22"_s}
                                   + threeSpacers)},
        {1, expectedOperations(
                u"　　依頼書"_s,
                QStringList{u"font ＭＳ ゴシック"_s, u"size 18"_s,
                            u"line 　こんなにも節約になるんです。ご検討願えないでしょうか。"_s,
                            u"line 　よろしくお願いいたします"_s}
                    + threeSpacers + QStringList{u"size 22"_s})},
        {2, expectedOperations(u"　　哀願書"_s,
                               QStringList{u"font ＭＳ ゴシック"_s, u"size 22"_s,
                                           u"line 　なんとか小遣いをあげてもらえないでしょうか"_s,
                                           u"line 　よろしくお願いいたします"_s}
                                   + threeSpacers)},
    };
    for (const KindCase &c : cases) {
        SCOPED_TRACE(c.index);
        RecordingPrinter printer;
        EXPECT_TRUE(printLetter(kLetterKinds[static_cast<size_t>(c.index)], printer, u"禁煙"_s,
                                kTypical, QDate(2009, 1, 5)));
        EXPECT_EQ(printer.operations, c.operations);
        EXPECT_FALSE(printer.aborted);
    }
}

TEST(PrintJob, AmountLinesAlignWhateverTheFieldHolds)
{
    struct Case
    {
        QString field;
        QString printed; // what follows the caption
    };
    const Case cases[] = {
        {u"\\50,000"_s, sp(8) + u"\\50,000"_s},
        {QString(), sp(15)},
        {u"\\"_s, sp(14) + u"\\"_s},
        {u"\\12,345,678,901"_s, u"\\12,345,678,901"_s}, // exactly 15 cells: no blank
        {u"５００"_s, sp(9) + u"５００"_s},              // full-width: two cells each
        {u"ｱｲｳ"_s, sp(12) + u"ｱｲｳ"_s},                  // half-width katakana: one each
        {u"\\123,456,789,012"_s, u"\\123,456,789,012"_s}, // wider: as it stands
        {u"¥1,500"_s, sp(9) + u"\\1,500"_s},             // a typed yen sign prints one cell wide
        {u"たくさん貯まるかもしれない"_s, u"たくさん貯まるかもしれない"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        for (int period : {0, 9}) {
            PeriodTexts amounts;
            amounts[static_cast<size_t>(period)] = c.field;
            RecordingPrinter printer;
            ASSERT_TRUE(printLetter(kLetterKinds[0], printer, u"禁煙"_s, amounts, QDate(2009, 1, 5)));
            const QString line = printer.lines().at(8 + period);
            const QString caption = QString::fromUtf16(kAmountCaptions[static_cast<size_t>(period)]);
            ASSERT_TRUE(line.startsWith(caption)) << line.toStdString();
            EXPECT_EQ(line.mid(caption.size()), c.printed);
            // Every amount that fits ends in cell 30.
            if (cellCount(c.field) <= kAmountCells) {
                EXPECT_EQ(cellCount(line), 30);
            }
        }
    }
}

TEST(PrintJob, CaptionsAreFifteenCellsOfMixedBlanks)
{
    for (const char16_t *caption : kAmountCaptions)
        EXPECT_EQ(cellCount(QString::fromUtf16(caption)), kAmountCells);
    // The year captions start with a half-width then a full-width blank.
    EXPECT_EQ(QString::fromUtf16(kAmountCaptions[4]).left(2), u" 　"_s);
}

TEST(PrintJob, NameLinePrintsTheNameAsItStands)
{
    const QString longName = QString(80, u'長');
    const struct
    {
        QString name;
        QString line;
    } cases[] = {
        {QString(), u"　ぽみろ…"_s},
        {u"コーヒー 毎朝"_s, u"　ぽみろ…コーヒー 毎朝"_s},
        {longName, u"　ぽみろ…"_s + longName}, // not wrapped: what does not fit is lost
    };
    for (const auto &c : cases) {
        RecordingPrinter printer;
        ASSERT_TRUE(printLetter(kLetterKinds[1], printer, c.name, kTypical, QDate(2009, 1, 5)));
        EXPECT_EQ(printer.lines().at(5), c.line);
    }
}

TEST(PrintJob, DateStandsInCellThirtyTwo)
{
    const struct
    {
        QDate date;
        QString text;
    } cases[] = {
        {QDate(2009, 1, 5), u"2009年01月05日"_s},
        {QDate(2026, 12, 31), u"2026年12月31日"_s},
    };
    for (const auto &c : cases) {
        RecordingPrinter printer;
        ASSERT_TRUE(printLetter(kLetterKinds[2], printer, u"禁煙"_s, kTypical, c.date));
        const QString line = printer.lines().last();
        EXPECT_EQ(line, u"　"_s + sp(29) + c.text);
        EXPECT_EQ(cellCount(line.left(line.size() - c.text.size())), 31);
    }
}

TEST(PrintJob, RefusedOperationEndsTheJobAndAbortsIt)
{
    RecordingPrinter complete;
    ASSERT_TRUE(printLetter(kLetterKinds[1], complete, u"禁煙"_s, kTypical, QDate(2009, 1, 5)));
    const qsizetype total = complete.operations.size();

    for (int failAt = 0; failAt < total; ++failAt) {
        SCOPED_TRACE(failAt);
        RecordingPrinter printer;
        printer.failAt = failAt;
        EXPECT_FALSE(printLetter(kLetterKinds[1], printer, u"禁煙"_s, kTypical, QDate(2009, 1, 5)));
        // Nothing after the refused operation; the document is dropped, never ended.
        EXPECT_EQ(printer.operations, complete.operations.mid(0, failAt + 1));
        EXPECT_TRUE(printer.aborted);
        EXPECT_FALSE(printer.ended);
    }
}

TEST(LetterPrinting, TellsTheUserOnlyWhenPrintingFailed)
{
    struct Case
    {
        const char *what;
        bool havePrinter;
        int failAt;
        bool printed;
    };
    RecordingPrinter complete;
    ASSERT_TRUE(printLetter(kLetterKinds[0], complete, u"禁煙"_s, kTypical, QDate(2009, 1, 5)));
    const int endDocument = static_cast<int>(complete.operations.size()) - 1;
    const Case cases[] = {
        {"printed", true, -1, true},
        {"no printer", false, -1, false},
        {"refused at the start", true, 0, false},
        {"refused when the page goes out", true, endDocument, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPrinter made;
        made.failAt = c.failAt;
        MessageBoxes box;
        LetterPrinting printing(
            [&]() -> std::unique_ptr<Printer> {
                if (!c.havePrinter)
                    return nullptr;
                return std::make_unique<pomiro::testing::ForwardingPrinter>(made);
            },
            [] { return QDate(2009, 1, 5); });

        const bool ok = printing.print(0, nullptr, u"禁煙"_s, kTypical);
        EXPECT_EQ(ok, c.printed);
        if (c.printed) {
            EXPECT_TRUE(box.shown.isEmpty());
            EXPECT_TRUE(made.ended);
            EXPECT_EQ(made.lines().last(), kDate20090105);
        } else {
            ASSERT_EQ(box.shown.size(), 1);
            EXPECT_EQ(box.shown[0].box, Box::Warning);
            EXPECT_TRUE(box.shown[0].text.contains(u"プリンター"_s));
            EXPECT_FALSE(box.shown[0].title.isEmpty());
            EXPECT_FALSE(made.ended);
            EXPECT_EQ(made.aborted, c.havePrinter);
        }
    }
}

TEST(LetterPrinting, EachClickIsANewDocumentOnAFreshPrinter)
{
    int made = 0;
    MessageBoxes box;
    LetterPrinting printing(
        [&]() -> std::unique_ptr<Printer> {
            ++made;
            return std::make_unique<RecordingPrinter>();
        });
    EXPECT_TRUE(printing.print(2, nullptr, u"禁煙"_s, kTypical));
    EXPECT_TRUE(printing.print(2, nullptr, u"禁煙"_s, kTypical));
    EXPECT_EQ(made, 2);
    EXPECT_FALSE(printing.print(3, nullptr, u"禁煙"_s, kTypical)); // no such letter
    EXPECT_EQ(made, 2);
}
