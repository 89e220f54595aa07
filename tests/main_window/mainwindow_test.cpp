#include "main_window/mainwindow.h"

#include "core/entrystore.h"
#include "help_window/helpviewer.h"
#include "platform/fonts.h"
#include "tests/e2e/controlplaces.h"
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
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string_view>
#include <vector>

namespace {

using namespace pomiro;
using namespace pomiro::testing;

struct StartCase : Described
{
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
                         ::testing::Values(StartCase{{"no file"}, false, 0, 0, 0},
                                           StartCase{{"empty file"}, true, 0, 0, 0},
                                           StartCase{{"twelve entries"}, true, 12, 1, 1}),
                         whatName);

struct UnreadRest : Described
{
    QByteArray file;
    int loaded;
};

class UnreadRestTest : public MainWindowTest, public ::testing::WithParamInterface<UnreadRest>
{};

TEST_P(UnreadRestTest, IsToldOnceAndKept)
{
    const UnreadRest &c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadRestTest,
    ::testing::Values(UnreadRest{{"more than 300 entries"}, dataFileBytes(301), 300},
                      UnreadRest{{"last entry cut short"}, dataFileBytes(3).chopped(12), 2}),
    whatName);

// The fifth of twelve entries reached by one of the ways the user has; `move` takes that way in
// the window just started.
class WayToTheFifthEntry;

struct Way : Described
{
    void (*move)(WayToTheFifthEntry &test);
};

class WayToTheFifthEntry : public MainWindowTest, public ::testing::WithParamInterface<Way>
{
public:
    static std::vector<Way> ways()
    {
        return {
            {{"scroll bar value"}, [](WayToTheFifthEntry &t) { t.scrollBar()->setValue(5); }},
            {{"right arrow"},
             [](WayToTheFifthEntry &t) {
                 for (int i = 0; i < 4; ++i)
                     QTest::keyClick(t.scrollBar(), Qt::Key_Right);
             }},
            {{"down arrow"},
             [](WayToTheFifthEntry &t) {
                 for (int i = 0; i < 4; ++i)
                     QTest::keyClick(t.scrollBar(), Qt::Key_Down);
             }},
            {{"End, then left and up arrows"},
             [](WayToTheFifthEntry &t) {
                 QTest::keyClick(t.scrollBar(), Qt::Key_End);
                 for (int i = 0; i < 7; ++i)
                     QTest::keyClick(t.scrollBar(), i % 2 ? Qt::Key_Left : Qt::Key_Up);
             }},
            {{"thumb dragged and released"},
             [](WayToTheFifthEntry &t) {
                 t.scrollBar()->setSliderDown(true);
                 t.scrollBar()->setSliderPosition(5);
                 t.expectShows(1, 12); // nothing while the thumb is held
                 t.scrollBar()->setSliderDown(false);
             }},
            {{"name list by keys"},
             [](WayToTheFifthEntry &t) {
                 t.nameBox()->setFocus();
                 for (int i = 0; i < 4; ++i)
                     QTest::keyClick(t.nameBox(), Qt::Key_Down);
             }},
            {{"name list by mouse"},
             [](WayToTheFifthEntry &t) {
                 t.nameBox()->showPopup();
                 QAbstractItemView *list = t.nameBox()->view();
                 const QRect item = list->visualRect(list->model()->index(4, 0));
                 QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
             }},
        };
    }
};

TEST_P(WayToTheFifthEntry, ShowsIt)
{
    writeDataFile(dataFileBytes(12));
    start();
    GetParam().move(*this);
    expectShows(5, 12);
}

INSTANTIATE_TEST_SUITE_P(UserWays, WayToTheFifthEntry,
                         ::testing::ValuesIn(WayToTheFifthEntry::ways()), whatName);

TEST_F(MainWindowTest, ChoosingTheEntryShownShowsItAgain)
{
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(3);
    child<QLineEdit>("dayField")->setText(u"not saved"_s);
    emit nameBox()->activated(2);
    expectShows(3, 12);
}

// A saved name typed in full, confirmed, then left; and the start of a saved name.
struct Typed : Described
{
    QString text;
};

class TypingInTheNameBox : public MainWindowTest, public ::testing::WithParamInterface<Typed>
{};

TEST_P(TypingInTheNameBox, OnlyChangesItsText)
{
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(3);
    nameBox()->setFocus();
    nameBox()->lineEdit()->selectAll();
    QInputMethodEvent typing; // Japanese arrives from the input method
    typing.setCommitString(GetParam().text);
    QApplication::sendEvent(nameBox(), &typing);
    QTest::keyClick(nameBox(), Qt::Key_Return);
    scrollBar()->setFocus();
    EXPECT_EQ(nameBox()->currentText(), GetParam().text);
    EXPECT_EQ(counter(), u"3 / 12"_s);
    EXPECT_EQ(fieldTexts(), sampleEntry(3).amounts);
}

INSTANTIATE_TEST_SUITE_P(Names, TypingInTheNameBox,
                         ::testing::Values(Typed{{"another saved name"}, kNames[6]},
                                           Typed{{"the start of a saved name"}, u"コ"_s}),
                         whatName);

struct EnterCase : Described
{
    const char *field;
    QString typed;
    Qt::Key key;
    PeriodTexts expected; // empty: the entry's texts stay as they were
    bool refused;
};

class EnterInAnAmountField : public MainWindowTest, public ::testing::WithParamInterface<EnterCase>
{};

TEST_P(EnterInAnAmountField, ConvertsOrTellsWhy)
{
    const EnterCase &c = GetParam();
    writeDataFile(dataFileBytes(12));
    start();
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
        expected[std::find(std::begin(kFieldNames), std::end(kFieldNames),
                           std::string_view(c.field)) -
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

const PeriodTexts kKept{}; // marks "unchanged"
const PeriodTexts k500In5Years = {u"\\"_s,    u"\\2"_s,   u"\\8"_s,     u"\\50"_s,    u"\\100"_s,
                                  u"\\300"_s, u"\\500"_s, u"\\1,000"_s, u"\\2,000"_s, u"\\3,000"_s};

INSTANTIATE_TEST_SUITE_P(
    Amounts, EnterInAnAmountField,
    ::testing::Values(
        EnterCase{{"500 a day"}, "dayField", u"500"_s, Qt::Key_Return, k500ADay, false},
        EnterCase{{"a shown amount in 10 years"},
                  "tenYearsField",
                  u"\\1,825,000"_s,
                  Qt::Key_Return,
                  k500ADay,
                  false},
        EnterCase{{"500 in 5 years by the keypad Enter"},
                  "fiveYearsField",
                  u"500"_s,
                  Qt::Key_Enter,
                  k500In5Years,
                  false},
        EnterCase{{"letters in a week"}, "weekField", u"abc"_s, Qt::Key_Return, kKept, true},
        EnterCase{
            {"a yen sign alone in a month"}, "monthField", u"\\"_s, Qt::Key_Return, kKept, true},
        EnterCase{{"blanks in a year by the keypad Enter"},
                  "yearField",
                  u"   "_s,
                  Qt::Key_Enter,
                  kKept,
                  true},
        // 30 years would leave the amount range: no field may change.
        EnterCase{{"a day that 30 years cannot hold"},
                  "dayField",
                  u"84,231,708,100"_s,
                  Qt::Key_Return,
                  kKept,
                  true}),
    whatName);

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

struct Ending : Described
{
    bool throughFrame; // closed by the window frame, not the End button
};

class HelpAndEnd : public MainWindowTest, public ::testing::WithParamInterface<Ending>
{};

TEST_P(HelpAndEnd, HelpOpensTheHelpFileAndEndClosesEverything)
{
    start();
    QTest::mouseClick(child("helpButton"), Qt::LeftButton);
    EXPECT_EQ(help.calls, QStringList{u"display RwHelp.chm"_s});
    EXPECT_EQ(help.caller, window.get());

    QWidget other;
    other.show();
    if (GetParam().throughFrame)
        window->close();
    else
        QTest::mouseClick(child("endButton"), Qt::LeftButton);
    EXPECT_EQ(help.calls, (QStringList{u"display RwHelp.chm"_s, u"closeAll"_s}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(other.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Endings, HelpAndEnd,
                         ::testing::Values(Ending{{"End button"}, false},
                                           Ending{{"window frame"}, true}),
                         whatName);

// Each control by its object name.
struct ControlFont : Described
{
    const char *family;
    double points;
    bool italic;
};

class ControlFontTest : public MainWindowTest, public ::testing::WithParamInterface<ControlFont>
{};

TEST_P(ControlFontTest, ResolvesToTheIpaFamilies)
{
    const ControlFont &c = GetParam();
    start();
    const QFont font = child(c.what)->font();
    EXPECT_EQ(QFontInfo(font).family(), QLatin1String(c.family));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
    EXPECT_EQ(font.italic(), c.italic);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlFontTest,
    ::testing::Values(ControlFont{{"dayField"}, "IPAGothic", 21.75, true},
                      ControlFont{{"thirtyYearsField"}, "IPAGothic", 21.75, true},
                      ControlFont{{"nameBox"}, "IPAPGothic", 15.75, false},
                      ControlFont{{"periodCaption0"}, "IPAPGothic", 21.75, false},
                      ControlFont{{"periodCaption9"}, "IPAPGothic", 21.75, false},
                      ControlFont{{"nameCaption"}, "IPAPGothic", 15.75, false},
                      ControlFont{{"counter"}, "IPAPGothic", 12, false},
                      ControlFont{{"amountsFrame"}, "IPAPGothic", 12, false},
                      ControlFont{{"saveButton"}, "IPAPGothic", 9, false}),
    whatName);

// Each control by its object name, in twips relative to the window or the holding frame.
struct Place : Described
{
    int left, top, width, height;
};

class ControlPlace : public MainWindowTest, public ::testing::WithParamInterface<Place>
{};

int px(int twips)
{
    return qRound(twips / 15.0);
}

TEST_P(ControlPlace, IsWhereTheLayoutPutsIt)
{
    const Place &c = GetParam();
    start();
    EXPECT_EQ(child(c.what)->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlPlace,
    ::testing::Values(
        Place{{"newButton"}, 4050, 150, 765, 990}, Place{{"saveButton"}, 4800, 150, 765, 990},
        Place{{"deleteButton"}, 5550, 150, 765, 990}, Place{{"printButton"}, 6300, 150, 765, 990},
        Place{{"listButton"}, 7050, 150, 765, 990}, Place{{"helpButton"}, 7800, 150, 765, 990},
        Place{{"endButton"}, 8550, 150, 765, 990}, Place{{"nameBox"}, 1360, 1575, 7950, 435},
        Place{{"counter"}, 8175, 6390, 1170, 240}, Place{{"scrollBar"}, 150, 6390, 7935, 240},
        Place{{"printPanel"}, 6225, 1200, 3165, 1215},
        Place{{"declarationButton"}, 75, 150, 765, 990},
        Place{{"requestButton"}, 825, 150, 765, 990}, Place{{"pleaButton"}, 1575, 150, 765, 990},
        Place{{"cancelPrintButton"}, 2325, 150, 765, 990},
        Place{{"amountsFrame"}, 150, 2325, 9165, 3840},
        Place{{"titlePicture"}, 120, 225, 3795, 960}, Place{{"nameCaption"}, 150, 1575, 1215, 435},
        Place{{"dayField"}, 1575, 450, 2775, 570}, Place{{"weekField"}, 1575, 1050, 2760, 570},
        Place{{"monthField"}, 1575, 1650, 2775, 570},
        Place{{"halfYearField"}, 1575, 2250, 2775, 570},
        Place{{"yearField"}, 1575, 2850, 2775, 570},
        Place{{"threeYearsField"}, 6000, 450, 2925, 570},
        Place{{"fiveYearsField"}, 6000, 1050, 2925, 570},
        Place{{"tenYearsField"}, 6000, 1650, 2925, 570},
        Place{{"twentyYearsField"}, 6000, 2250, 2925, 570},
        Place{{"thirtyYearsField"}, 6000, 2850, 2925, 570},
        Place{{"periodCaption0"}, 225, 450, 1320, 570},
        Place{{"periodCaption4"}, 225, 2850, 1320, 570},
        Place{{"periodCaption5"}, 4650, 450, 1320, 570},
        Place{{"periodCaption9"}, 4650, 2850, 1320, 570}),
    whatName);

// The end-to-end scripts click a control (or look at the title picture) where their tool finds it
// by name (controlplaces.h); were the window to put it elsewhere, a script's click would land on
// another control.
TEST_F(MainWindowTest, ControlsTheScriptsClickAreWhereTheirToolFindsThem)
{
    start();
    const auto places = pomiro::testing::controlPlaces();
    EXPECT_EQ(places.size(), 7 + 1 + 1 + 10 + 3 + 1)
        << "the top buttons, the name box, the title picture, the amount fields "
           "and the print panel's buttons";
    for (const auto &[name, place] : places) {
        const QWidget *control = window->findChild<QWidget *>(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_EQ(QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size()), place)
            << name.toStdString();
    }
}

TEST_F(MainWindowTest, WindowHasTheLayoutsFixedSize)
{
    start();
    EXPECT_EQ(window->size(), QSize(px(9465), px(6780)));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(MainWindowTest, TabOrderFollowsTheTabIndexes)
{
    start();
    child("printPanel")->show(); // its buttons close the chain
    QStringList expected{u"scrollBar"_s,    u"newButton"_s,   u"saveButton"_s,
                         u"deleteButton"_s, u"printButton"_s, u"listButton"_s,
                         u"helpButton"_s,   u"endButton"_s,   u"nameBox"_s};
    for (const char *name : kFieldNames)
        expected << QLatin1String(name);
    expected << u"declarationButton"_s << u"requestButton"_s << u"pleaButton"_s
             << u"cancelPrintButton"_s;

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
