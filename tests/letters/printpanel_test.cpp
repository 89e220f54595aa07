// The letter buttons of the main window's print panel, printing real pages to a queue that the
// test stands in for.
#include "core/datafile.h"
#include "core/pomiro.h"
#include "letters/printjob.h"
#include "main_window/mainwindow.h"
#include "platform/fonts.h"
#include "help_window/helpviewer.h"
#include "pdftext.h"
#include "tests/support/samples.h"
#include "tests/support/messageboxes.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace pomiro;
using namespace Qt::StringLiterals;
using pomiro::testing::Box;
using pomiro::testing::MessageBoxes;

namespace {

using pomiro::testing::k500ADay;

class NoHelp : public HelpViewer
{
public:
    void displayTopic(QWidget *, const QString &) override {}
    void closeAll() override {}
};


class PrintPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fonts::registerSubstitutes();
        ASSERT_TRUE(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFile file(m_dir.filePath(QString::fromUtf16(kDataFileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        Entry entry{u"禁煙"_s, {}};
        for (int i = 0; i < kPeriodCount; ++i)
            entry.amounts[i] = k500ADay[static_cast<size_t>(i)];
        file.write(encodeEntryLine(entry).value());
        file.close();

        data.dataFile = DataFile(QDir(m_dir.path()));
        window = std::make_unique<MainWindow>(data, help);
        window->setLetterPrinting(&printing);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(m_previousDir);
    }

    template <typename T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

    void click(const char *button) { QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton); }

    bool panelShown() const { return child<QWidget>("printPanel")->isVisible(); }

    QTemporaryDir m_dir;
    QString m_previousDir;
    Pomiro data;
    MessageBoxes box;
    NoHelp help;
    // The text of every page handed to the queue, whether it took the page or not.
    QStringList pages;
    bool queueTakesIt = true;
    letters::LetterPrinting printing{
        [this] {
            return PrintDestination{QPageSize(QPageSize::A4),
                                    [this](const QString &pdf, const QPageSize &) {
                                        pages.append(pomiro::testing::pdfText(pdf));
                                        return queueTakesIt;
                                    }};
        },
        [] { return QDate(2009, 1, 5); }};
    std::unique_ptr<MainWindow> window;
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

} // namespace

TEST_F(PrintPanelTest, PrintsWhatTheWindowShowsAndClosesThePanel)
{
    // An unsaved edit is printed as it stands.
    child<QLineEdit>("thirtyYearsField")->setText(u"たくさん"_s);
    click("printButton");
    ASSERT_TRUE(panelShown());
    click("requestButton");

    EXPECT_FALSE(panelShown());
    EXPECT_TRUE(box.shown.isEmpty());
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
    ASSERT_EQ(box.shown.size(), 1);
    EXPECT_EQ(box.shown[0].box, Box::Warning);
    EXPECT_EQ(pages.size(), 1);

    // Once the queue takes jobs again, the same open panel prints.
    queueTakesIt = true;
    click("pleaButton");
    EXPECT_FALSE(panelShown());
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(linesOf(pages[1]).value(0), u"哀願書"_s);
    EXPECT_EQ(box.shown.size(), 1);
}
