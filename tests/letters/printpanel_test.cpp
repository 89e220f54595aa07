// The letter buttons of the main window's print panel, printing on a recording printer.
#include "core/datafile.h"
#include "core/pomiro.h"
#include "letters/printjob.h"
#include "main_window/frmmain.h"
#include "platform/fonts.h"
#include "platform/helpviewer.h"
#include "recordingprinter.h"
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
using pomiro::testing::ForwardingPrinter;
using pomiro::testing::RecordingPrinter;
using pomiro::testing::Box;
using pomiro::testing::MessageBoxes;

namespace {

class NoHelp : public HelpViewer
{
public:
    void displayTopic(QWidget *, const QString &) override {}
    void closeAll() override {}
};

const PeriodTexts k500ADay = {u"\\500"_s,       u"\\3,500"_s,     u"\\15,000"_s,
                              u"\\91,250"_s,    u"\\182,500"_s,   u"\\547,500"_s,
                              u"\\912,500"_s,   u"\\1,825,000"_s, u"\\3,650,000"_s,
                              u"\\5,475,000"_s};

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
        window = std::make_unique<frmMain>(data, help);
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

    bool panelShown() const { return child<QWidget>("fraPrint")->isVisible(); }

    QTemporaryDir m_dir;
    QString m_previousDir;
    Pomiro data;
    MessageBoxes box;
    NoHelp help;
    RecordingPrinter printer;
    letters::LetterPrinting printing{
        [this] { return std::make_unique<ForwardingPrinter>(printer); },
        [] { return QDate(2009, 1, 5); }};
    std::unique_ptr<frmMain> window;
};

} // namespace

TEST_F(PrintPanelTest, PrintsWhatTheWindowShowsAndClosesThePanel)
{
    // An unsaved edit is printed as it stands.
    child<QLineEdit>("txtYear30")->setText(u"たくさん"_s);
    click("cmdPrint");
    ASSERT_TRUE(panelShown());
    click("cmdIrai");

    EXPECT_FALSE(panelShown());
    EXPECT_TRUE(box.shown.isEmpty());
    EXPECT_TRUE(printer.ended);
    const QStringList lines = printer.lines();
    EXPECT_EQ(lines.at(3), u"　　依頼書"_s);
    EXPECT_EQ(lines.at(5), u"　ぽみろ…禁煙"_s);
    EXPECT_EQ(lines.at(8), u"     １日で…　"_s + QString(11, u' ') + u"\\500"_s);
    EXPECT_EQ(lines.at(17), u"     ３０年で…"_s + QString(7, u' ') + u"たくさん"_s);
    // Printing changes nothing on screen.
    EXPECT_EQ(child<QComboBox>("cboPomiro")->currentText(), u"禁煙"_s);
    EXPECT_EQ(child<QLineEdit>("txtDay")->text(), u"\\500"_s);
    EXPECT_EQ(child<QLineEdit>("txtYear30")->text(), u"たくさん"_s);
}

TEST_F(PrintPanelTest, FailureIsToldAndThePanelStaysOpen)
{
    printer.failAt = 0;
    click("cmdPrint");
    click("cmdSengen");

    EXPECT_TRUE(panelShown());
    ASSERT_EQ(box.shown.size(), 1);
    EXPECT_EQ(box.shown[0].box, Box::Warning);
    EXPECT_TRUE(printer.aborted);
    EXPECT_FALSE(printer.ended);

    // Once the printer works, the same open panel prints.
    printer = RecordingPrinter();
    click("cmdAigan");
    EXPECT_FALSE(panelShown());
    EXPECT_TRUE(printer.ended);
    EXPECT_EQ(printer.lines().at(3), u"　　哀願書"_s);
}
