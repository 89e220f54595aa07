// The letter buttons of the main window's print panel, printing real pages to a queue that the
// test stands in for.
#include "platform/pdfprinting.h"
#include "tests/support/mainwindowtest.h"
#include "tests/support/pdftext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using namespace pomiro;
using namespace pomiro::testing;

// The main window over one saved entry, its letters handed to a queue that notes each page.
class PrintPanelTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeDataFile(encodeEntryLine(Entry{u"禁煙"_s, k500ADay}).value());
        start();
        window->setPrinting(&printing);
    }

    bool panelShown() const { return child("printPanel")->isVisible(); }

    // The text of every page handed to the queue, whether it took the page or not.
    QStringList pages;
    bool queueTakesIt = true;
    PdfPrinting printing{[this] {
                             return PrintDestination{QPageSize(QPageSize::A4),
                                                     [this](const QString &pdf, const QPageSize &) {
                                                         pages.append(pdfText(pdf));
                                                         return queueTakesIt;
                                                     }};
                         },
                         [] { return QDate(2009, 1, 5); }};
};

// The page's lines as pdftotext lays them out, blanks between words shortened to one.
QStringList linesOf(const QString &page)
{
    QStringList lines;
    for (const QString &line : page.split(u'\n'))
        lines.append(line.simplified());
    lines.removeAll(QString());
    return lines;
}

TEST_F(PrintPanelTest, PrintsWhatTheWindowShowsAndClosesThePanel)
{
    // An unsaved edit is printed as it stands.
    child<QLineEdit>("thirtyYearsField")->setText(u"たくさん"_s);
    click("printButton");
    ASSERT_TRUE(panelShown());
    click("requestButton");

    EXPECT_FALSE(panelShown());
    EXPECT_EQ(QApplication::focusWidget(), child("printButton")) << "the focus goes back to 印刷";
    EXPECT_TRUE(messages.shown.isEmpty());
    ASSERT_EQ(pages.size(), 1);
    const QStringList lines = linesOf(pages[0]);
    ASSERT_GE(lines.size(), 12) << pages[0].toStdString();
    EXPECT_EQ(lines.at(0), u"依頼書"_s);
    EXPECT_EQ(lines.at(1), u"ぽみろ…禁煙"_s);
    EXPECT_EQ(lines.at(2), u"１日で… \\500"_s);
    EXPECT_EQ(lines.at(11), u"３０年で… たくさん"_s);
    // Printing changes nothing on screen.
    EXPECT_EQ(child<QComboBox>("nameBox")->currentText(), u"禁煙"_s);
    EXPECT_EQ(child<QLineEdit>("dayField")->text(), u"\\500"_s);
    EXPECT_EQ(child<QLineEdit>("thirtyYearsField")->text(), u"たくさん"_s);
}

TEST_F(PrintPanelTest, FailureIsToldAndThePanelStaysOpen)
{
    queueTakesIt = false;
    click("printButton");
    click("declarationButton");

    EXPECT_TRUE(panelShown());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].box, Box::Warning);
    EXPECT_EQ(pages.size(), 1);

    EXPECT_EQ(QApplication::focusWidget(), child("declarationButton")) << "the user can try again";

    // Once the queue takes jobs again, the same open panel prints.
    queueTakesIt = true;
    click("pleaButton");
    EXPECT_FALSE(panelShown());
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(linesOf(pages[1]).value(0), u"哀願書"_s);
    EXPECT_EQ(messages.shown.size(), 1);
}

} // namespace
