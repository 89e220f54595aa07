#include "main_window/mainwindow.h"

#include "core/pomiro.h"
#include "platform/fonts.h"
#include "help_window/helpviewer.h"
#include "tests/support/mainwindowtest.h"
#include "tests/support/messageboxes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using namespace pomiro;
using namespace pomiro::testing;

struct StartCase
{
    const char *what;
    bool fileExists;
    int entries;
    int shown;
    int minimum;
};

class StartUpTest : public MainWindowTest, public ::testing::WithParamInterface<StartCase>
{};

TEST_P(StartUpTest, ShowsTheFirstEntryWithItsCounterAndRange)
{
    const StartCase &c = GetParam();
    if (c.fileExists)
        writeDataFile(dataFileBytes(c.entries));
    start();

    EXPECT_TRUE(QFile::exists(dataPath()));
    expectShows(c.shown, c.entries);
    EXPECT_EQ(scrollBar()->minimum(), c.minimum);
    EXPECT_EQ(scrollBar()->maximum(), c.entries);
    QStringList listed;
    for (int i = 0; i < nameBox()->count(); ++i)
        listed << nameBox()->itemText(i);
    EXPECT_EQ(listed, kNames.mid(0, c.entries));
    EXPECT_FALSE(child("printPanel")->isVisible());
    EXPECT_EQ(window->focusWidget(), scrollBar());
    EXPECT_TRUE(messages.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, StartUpTest,
                         ::testing::Values(StartCase{"NoFile", false, 0, 0, 0}, StartCase{"EmptyFile", true, 0, 0, 0},
                                           StartCase{"TwelveEntries", true, 12, 1, 1}),
                         [](const auto &info) { return std::string(info.param.what); });

TEST_F(MainWindowTest, AFileTooLongOrCutShortIsToldOnceAndKept)
{
    QByteArray cut = dataFileBytes(3);
    cut.chop(12);
    const struct
    {
        QByteArray file;
        int loaded;
    } cases[] = {{dataFileBytes(301), 300}, {cut, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.loaded);
        messages.shown.clear();
        writeDataFile(c.file);
        start();
        EXPECT_EQ(counter(), u"1 / %1"_s.arg(c.loaded));
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].text.contains(QString::number(c.loaded)));
        EXPECT_EQ(messages.shown[0].box, Box::Warning);
        QFile file(dataPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), c.file);
    }
}

TEST_F(MainWindowTest, EveryWayToTheFifthEntryShowsIt)
{
    writeDataFile(dataFileBytes(12));
    const struct
    {
        const char *way;
        std::function<void()> move;
    } ways[] = {
        {"scroll bar value", [this] { scrollBar()->setValue(5); }},
        {"right arrow", [this] {
             for (int i = 0; i < 4; ++i)
                 QTest::keyClick(scrollBar(), Qt::Key_Right);
         }},
        {"down arrow", [this] {
             for (int i = 0; i < 4; ++i)
                 QTest::keyClick(scrollBar(), Qt::Key_Down);
         }},
        {"End, then left and up arrows", [this] {
             QTest::keyClick(scrollBar(), Qt::Key_End);
             for (int i = 0; i < 7; ++i)
                 QTest::keyClick(scrollBar(), i % 2 ? Qt::Key_Left : Qt::Key_Up);
         }},
        {"thumb dragged and released", [this] {
             scrollBar()->setSliderDown(true);
             scrollBar()->setSliderPosition(5);
             expectShows(1, 12); // nothing while the thumb is held
             scrollBar()->setSliderDown(false);
         }},
        {"name list by keys", [this] {
             nameBox()->setFocus();
             for (int i = 0; i < 4; ++i)
                 QTest::keyClick(nameBox(), Qt::Key_Down);
         }},
        {"name list by mouse", [this] {
             nameBox()->showPopup();
             QAbstractItemView *list = nameBox()->view();
             const QRect item = list->visualRect(list->model()->index(4, 0));
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
         }},
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.way);
        start();
        way.move();
        expectShows(5, 12);
    }
}

TEST_F(MainWindowTest, ChoosingTheEntryShownShowsItAgain)
{
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(3);
    child<QLineEdit>("dayField")->setText(u"not saved"_s);
    emit nameBox()->activated(2);
    expectShows(3, 12);
}

TEST_F(MainWindowTest, TypingInTheNameBoxOnlyChangesItsText)
{
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(3);
    nameBox()->setFocus();
    nameBox()->lineEdit()->selectAll();
    // A saved name typed in full, confirmed, then left; and the start of a saved name.
    for (const QString &typed : {kNames[6], u"コ"_s}) {
        nameBox()->lineEdit()->selectAll();
        QInputMethodEvent typing; // Japanese arrives from the input method
        typing.setCommitString(typed);
        QApplication::sendEvent(nameBox(), &typing);
        QTest::keyClick(nameBox(), Qt::Key_Return);
        scrollBar()->setFocus();
        EXPECT_EQ(nameBox()->currentText(), typed);
        EXPECT_EQ(counter(), u"3 / 12"_s);
        EXPECT_EQ(fieldTexts(), sampleEntry(3).amounts);
        nameBox()->setFocus();
    }
}

struct EnterCase
{
    const char *field;
    QString typed;
    Qt::Key key;
    PeriodTexts expected; // empty: the entry's texts stay as they were
    bool refused;
};

TEST_F(MainWindowTest, EnterInAnAmountFieldConvertsOrTellsWhy)
{
    const PeriodTexts kept{}; // marks "unchanged"
    const PeriodTexts fiveHundredIn5Years = {u"\\"_s,      u"\\2"_s,     u"\\8"_s,     u"\\50"_s,     u"\\100"_s,
                                             u"\\300"_s,   u"\\500"_s,   u"\\1,000"_s, u"\\2,000"_s,  u"\\3,000"_s};
    const EnterCase cases[] = {
        {"dayField", u"500"_s, Qt::Key_Return, k500ADay, false},
        {"tenYearsField", u"\\1,825,000"_s, Qt::Key_Return, k500ADay, false},
        {"fiveYearsField", u"500"_s, Qt::Key_Enter, fiveHundredIn5Years, false},
        {"weekField", u"abc"_s, Qt::Key_Return, kept, true},
        {"monthField", u"\\"_s, Qt::Key_Return, kept, true},
        {"yearField", u"   "_s, Qt::Key_Enter, kept, true},
        // 30 years would leave the amount range: no field may change.
        {"dayField", u"84,231,708,100"_s, Qt::Key_Return, kept, true},
    };
    writeDataFile(dataFileBytes(12));
    start();
    for (const EnterCase &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(QLatin1StringView(c.field), c.typed).toStdString());
        scrollBar()->setValue(1);
        emit nameBox()->activated(0); // back to the saved texts
        messages.shown.clear();
        auto *field = child<QLineEdit>(c.field);
        field->setFocus();
        field->setText(c.typed);
        QSignalSpy reachedField(field, &QLineEdit::returnPressed);
        QTest::keyClick(field, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

        EXPECT_EQ(reachedField.count(), 0) << "Enter must be consumed";
        EXPECT_EQ(QApplication::focusWidget(), field);
        if (c.refused) {
            PeriodTexts expected = sampleEntry(1).amounts;
            expected[std::find(std::begin(kFieldNames), std::end(kFieldNames), std::string_view(c.field)) -
                     std::begin(kFieldNames)] = c.typed;
            EXPECT_EQ(fieldTexts(), expected);
            ASSERT_EQ(messages.shown.size(), 1);
            EXPECT_EQ(messages.shown[0].box, Box::Warning);
            EXPECT_FALSE(messages.shown[0].text.isEmpty());
        } else {
            EXPECT_EQ(fieldTexts(), c.expected);
            EXPECT_TRUE(messages.shown.isEmpty());
        }
    }
}

TEST_F(MainWindowTest, EnterInAnEmptyFieldGoesOnToTheField)
{
    start();
    child<QLineEdit>("weekField")->setText(u"123"_s);
    auto *field = child<QLineEdit>("dayField");
    QSignalSpy reachedField(field, &QLineEdit::returnPressed);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(reachedField.count(), 1);
    EXPECT_EQ(child<QLineEdit>("weekField")->text(), u"123"_s);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_DOUBLE_EQ(data.dailyBase, 0.0);
}

TEST_F(MainWindowTest, PrintPanelOpensOnlyForANameAndStaysOnTop)
{
    writeDataFile(dataFileBytes(12));
    start();
    QWidget *panel = child("printPanel");
    nameBox()->setEditText(QString());
    QTest::mouseClick(child("printButton"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());

    nameBox()->setEditText(u"まだ保存していない名前"_s);
    QTest::mouseClick(child("printButton"), Qt::LeftButton);
    ASSERT_TRUE(panel->isVisible());
    const QPoint middle = panel->geometry().center();
    EXPECT_TRUE(window->childAt(middle) == panel || panel->isAncestorOf(window->childAt(middle)));

    // The rest of the window goes on working under the open panel.
    QTest::keyClick(scrollBar(), Qt::Key_Right);
    EXPECT_EQ(counter(), u"2 / 12"_s);
    EXPECT_TRUE(panel->isVisible());

    QTest::mouseClick(child("cancelPrintButton"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(MainWindowTest, HelpOpensTheHelpFileAndEndClosesEverything)
{
    for (bool throughFrame : {false, true}) {
        SCOPED_TRACE(throughFrame ? "window frame" : "End button");
        help.calls.clear();
        start();
        QTest::mouseClick(child("helpButton"), Qt::LeftButton);
        EXPECT_EQ(help.calls, QStringList{u"display RwHelp.chm"_s});
        EXPECT_EQ(help.caller, window.get());

        QWidget other;
        other.show();
        if (throughFrame)
            window->close();
        else
            QTest::mouseClick(child("endButton"), Qt::LeftButton);
        EXPECT_EQ(help.calls, (QStringList{u"display RwHelp.chm"_s, u"closeAll"_s}));
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(other.isVisible());
    }
}

TEST_F(MainWindowTest, FontsResolveToTheIpaFamilies)
{
    start();
    const struct
    {
        const char *name;
        const char *family;
        double points;
        bool italic;
    } cases[] = {
        {"dayField", "IPAGothic", 21.75, true},     {"thirtyYearsField", "IPAGothic", 21.75, true},
        {"nameBox", "IPAPGothic", 15.75, false}, {"periodCaption0", "IPAPGothic", 21.75, false},
        {"periodCaption9", "IPAPGothic", 21.75, false},  {"nameCaption", "IPAPGothic", 15.75, false},
        {"counter", "IPAPGothic", 12, false},     {"amountsFrame", "IPAPGothic", 12, false},
        {"saveButton", "IPAPGothic", 9, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QFont font = child(c.name)->font();
        EXPECT_EQ(QFontInfo(font).family(), QLatin1String(c.family));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        EXPECT_EQ(font.italic(), c.italic);
    }
}

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThem)
{
    start();
    const struct
    {
        const char *name;
        int left, top, width, height; // twips, relative to the window or the holding frame
    } layout[] = {
        {"newButton", 4050, 150, 765, 990},     {"saveButton", 4800, 150, 765, 990},  {"deleteButton", 5550, 150, 765, 990},
        {"printButton", 6300, 150, 765, 990},   {"listButton", 7050, 150, 765, 990},   {"helpButton", 7800, 150, 765, 990},
        {"endButton", 8550, 150, 765, 990},     {"nameBox", 1360, 1575, 7950, 435}, {"counter", 8175, 6390, 1170, 240},
        {"scrollBar", 150, 6390, 7935, 240},   {"printPanel", 6225, 1200, 3165, 1215}, {"declarationButton", 75, 150, 765, 990},
        {"requestButton", 825, 150, 765, 990},     {"pleaButton", 1575, 150, 765, 990},  {"cancelPrintButton", 2325, 150, 765, 990},
        {"amountsFrame", 150, 2325, 9165, 3840},   {"titlePicture", 120, 225, 3795, 960},    {"nameCaption", 150, 1575, 1215, 435},
        {"dayField", 1575, 450, 2775, 570},    {"weekField", 1575, 1050, 2760, 570}, {"monthField", 1575, 1650, 2775, 570},
        {"halfYearField", 1575, 2250, 2775, 570}, {"yearField", 1575, 2850, 2775, 570}, {"threeYearsField", 6000, 450, 2925, 570},
        {"fiveYearsField", 6000, 1050, 2925, 570}, {"tenYearsField", 6000, 1650, 2925, 570}, {"twentyYearsField", 6000, 2250, 2925, 570},
        {"thirtyYearsField", 6000, 2850, 2925, 570}, {"periodCaption0", 225, 450, 1320, 570}, {"periodCaption4", 225, 2850, 1320, 570},
        {"periodCaption5", 4650, 450, 1320, 570},  {"periodCaption9", 4650, 2850, 1320, 570},
    };
    auto px = [](int twips) { return qRound(twips / 15.0); };
    for (const auto &c : layout) {
        EXPECT_EQ(child(c.name)->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height))) << c.name;
    }
    EXPECT_EQ(window->size(), QSize(px(9465), px(6780)));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(MainWindowTest, TabOrderFollowsTheTabIndexes)
{
    start();
    child("printPanel")->show(); // its buttons close the chain
    QStringList expected{u"scrollBar"_s, u"newButton"_s, u"saveButton"_s, u"deleteButton"_s, u"printButton"_s,
                         u"listButton"_s, u"helpButton"_s, u"endButton"_s, u"nameBox"_s};
    for (const char *name : kFieldNames)
        expected << QLatin1String(name);
    expected << u"declarationButton"_s << u"requestButton"_s << u"pleaButton"_s << u"cancelPrintButton"_s;

    QStringList visited;
    QWidget *at = scrollBar();
    do {
        if ((at->focusPolicy() & Qt::TabFocus) && !at->objectName().isEmpty() &&
            !at->objectName().startsWith(u"qt_"_s))
            visited << at->objectName();
        at = at->nextInFocusChain();
    } while (at != scrollBar() && visited.size() < 100);
    EXPECT_EQ(visited, expected);
}

} // namespace
