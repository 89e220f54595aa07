// What a screen reader is told by the main window: which entry the user browsed to, that a
// conversion changed the ten amounts, every character of an amount, and the print panel as a group
// of buttons inside the window that takes the focus. Keys go through the window system as the
// keyboard's do.
#include "tests/support/accessibilityevents.h"
#include "tests/support/mainwindowtest.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QToolButton>
#include <vector>

namespace pomiro::testing {
namespace {

class ScreenReaderTest : public MainWindowTest
{
protected:
    QAccessibleInterface *accessible(QWidget *widget) const
    {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        EXPECT_NE(iface, nullptr) << widget->objectName().toStdString();
        return iface;
    }

    // The objects that got the focus, in order, by object name.
    static QStringList focused(const AccessibilityEvents &heard)
    {
        QStringList names;
        for (const AccessibilityEvents::Event &event : heard.events())
            if (event.type == QAccessible::Focus && event.object)
                names << event.object->objectName();
        return names;
    }
};

// On a busy desktop the window manager may activate the main window before Qt's accessibility
// bridge is up. Once it is, the screen reader is told that the window is active, or it would ignore
// the program until the user switched windows.
TEST_F(ScreenReaderTest, TheActiveWindowIsReportedOnceAccessibilityComesUp)
{
    writeDataFile(dataFileBytes(2));
    deactivateAccessibility();
    start();
    QAccessibleInterface *top = accessible(window.get());
    EXPECT_EQ(top->role(), QAccessible::Window);
    EXPECT_TRUE(top->state().active);

    AccessibilityEvents heard; // the bridge comes up
    EXPECT_EQ(heard.count(QAccessible::StateChanged, top), 0) << "not before the bridge is done";
    QCoreApplication::processEvents();
    EXPECT_EQ(heard.count(QAccessible::StateChanged, top), 1);
    // Then where the focus is, which is what a screen reader reads out.
    EXPECT_EQ(focused(heard), QStringList{u"scrollBar"_s});

    // A window that is not active is left as it is.
    window->hide();
    QCoreApplication::processEvents();
    deactivateAccessibility();
    AccessibilityEvents later;
    QCoreApplication::processEvents();
    EXPECT_EQ(later.count(QAccessible::StateChanged, top), 0);
}

// Enter in an amount field: only a conversion that changed the amounts is announced.
struct Conversion : Described
{
    const char *field;
    QString typed;
    QStringList announced;
};

class ConversionTest : public ScreenReaderTest, public ::testing::WithParamInterface<Conversion>
{};

TEST_P(ConversionTest, IsAnnouncedOnlyWhenTheAmountsChanged)
{
    const Conversion &c = GetParam();
    writeDataFile(dataFileBytes(2));
    start();
    child(c.field)->setFocus();
    child<QLineEdit>(c.field)->clear();
    AccessibilityEvents heard;

    type(c.typed);
    press(Qt::Key_Return);

    EXPECT_EQ(heard.announced(), c.announced);
    for (const QString &words : c.announced)
        EXPECT_TRUE(words.contains(u"換算"_s)) << words.toStdString();
    EXPECT_EQ(QApplication::focusWidget(), child(c.field)) << "the focus stays in the field";
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, ConversionTest,
    ::testing::Values(
        Conversion{{"1000 a day"}, "dayField", u"1000"_s, {u"10 の期間の金額に換算しました"_s}},
        Conversion{{"500 in 30 years"},
                   "thirtyYearsField",
                   u"500"_s,
                   {u"10 の期間の金額に換算しました"_s}},
        Conversion{{"letters refused"}, "weekField", u"abc"_s, {}},
        Conversion{{"too many digits refused"}, "dayField", u"84231708100"_s, {}}),
    whatName);

// Every way of browsing says the name shown and where it is, as the counter does.
class BrowseTest;

struct Browse : Described
{
    void (*move)(BrowseTest &test);
};

class BrowseTest : public ScreenReaderTest, public ::testing::WithParamInterface<Browse>
{
public:
    static std::vector<Browse> ways()
    {
        return {
            {{"right arrow on the scroll bar"},
             [](BrowseTest &t) {
                 t.scrollBar()->setFocus();
                 t.press(Qt::Key_Right);
             }},
            {{"End on the scroll bar"},
             [](BrowseTest &t) {
                 t.scrollBar()->setFocus();
                 t.press(Qt::Key_End);
             }},
            {{"down arrow in the name box"},
             [](BrowseTest &t) {
                 t.nameBox()->setFocus();
                 t.press(Qt::Key_Down);
             }},
            {{"name chosen from the open list"},
             [](BrowseTest &t) {
                 t.nameBox()->setFocus();
                 t.press(Qt::Key_Down, Qt::AltModifier);
                 ASSERT_TRUE(t.nameBox()->view()->isVisible());
                 // The open list is a popup window, which has the keyboard.
                 QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Down);
                 QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
             }},
        };
    }
};

TEST_P(BrowseTest, SaysTheNameAndWhereItIs)
{
    writeDataFile(dataFileBytes(2));
    start();
    AccessibilityEvents heard;
    GetParam().move(*this);
    expectShows(2, 2);
    EXPECT_EQ(heard.announced(), QStringList{u"コーヒー 2 / 2"_s});
}

INSTANTIATE_TEST_SUITE_P(UserWays, BrowseTest, ::testing::ValuesIn(BrowseTest::ways()), whatName);

TEST_F(ScreenReaderTest, TheScrollBarDescribesTheEntryShownWithoutChangingTheScreen)
{
    writeDataFile(dataFileBytes(2));
    start();
    QAccessibleInterface *bar = accessible(scrollBar());
    EXPECT_EQ(bar->text(QAccessible::Name), u"ぽみろの切り替え"_s);
    EXPECT_TRUE(bar->text(QAccessible::Description).startsWith(u"禁煙 1 / 2。"_s))
        << bar->text(QAccessible::Description).toStdString();
    scrollBar()->setFocus();
    press(Qt::Key_Right);
    EXPECT_TRUE(bar->text(QAccessible::Description).startsWith(u"コーヒー 2 / 2。"_s))
        << bar->text(QAccessible::Description).toStdString();
    EXPECT_EQ(counter(), u"2 / 2"_s);
}

// Starting, saving and loading are not browsing: nothing is announced for them.
TEST_F(ScreenReaderTest, StartingAnnouncesNothing)
{
    writeDataFile(dataFileBytes(2));
    AccessibilityEvents heard;
    start();
    EXPECT_EQ(heard.announced(), QStringList());
}

// Every character of a field's text, and one run of attributes over all of it: Orca joins the
// runs into what it speaks.
struct HeardText : Described
{
    const char *field; // nullptr: the name box's line edit
    QString text;
};

class HeardInFull : public ScreenReaderTest, public ::testing::WithParamInterface<HeardText>
{
protected:
    QLineEdit *lineEdit()
    {
        return GetParam().field ? child<QLineEdit>(GetParam().field) : nameBox()->lineEdit();
    }
};

TEST_P(HeardInFull, TheWholeTextIsOneRun)
{
    const HeardText &c = GetParam();
    writeDataFile(dataFileBytes(2));
    start();
    QLineEdit *edit = lineEdit();
    edit->setText(c.text);
    edit->setFocus();
    QAccessibleInterface *iface = accessible(edit);
    ASSERT_NE(iface, nullptr);
    QAccessibleTextInterface *text = iface->textInterface();
    ASSERT_NE(text, nullptr);

    EXPECT_EQ(iface->role(), QAccessible::EditableText);
    EXPECT_TRUE(iface->state().editable);
    EXPECT_TRUE(iface->state().focused);
    EXPECT_EQ(iface->text(QAccessible::Value), c.text);
    const int count = int(c.text.size());
    EXPECT_EQ(text->characterCount(), count);
    EXPECT_EQ(text->text(0, count), c.text);
    for (int offset = 0; offset <= count; ++offset) {
        int start = -1;
        int end = -1;
        text->attributes(offset, &start, &end);
        EXPECT_EQ(start, 0) << offset;
        EXPECT_EQ(end, count) << offset;
    }
    // Characters lie left to right inside the field, where a pointer review finds them.
    const QRect field(edit->mapToGlobal(QPoint(0, 0)), edit->size());
    for (int offset = 0; offset < count; ++offset) {
        const QRect character = text->characterRect(offset);
        EXPECT_TRUE(field.contains(character.center())) << offset;
        if (offset > 0) {
            EXPECT_GT(character.left(), text->characterRect(offset - 1).left()) << offset;
        }
        EXPECT_EQ(text->offsetAtPoint(character.topLeft() + QPoint(1, character.height() / 2)),
                  offset)
            << offset;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HeardInFull,
    ::testing::Values(HeardText{{"yen 500 in a day"}, "dayField", u"\\500"_s},
                      HeardText{{"millions in 30 years"}, "thirtyYearsField", u"\\5,475,000"_s},
                      HeardText{{"one digit in a week"}, "weekField", u"7"_s},
                      HeardText{{"empty month"}, "monthField", QString()},
                      HeardText{{"a name"}, nullptr, u"缶コーヒー"_s}),
    whatName);

TEST_F(ScreenReaderTest, TheFieldsKeepTheirNamesSelectionAndCaret)
{
    start();
    QLineEdit *day = child<QLineEdit>("dayField");
    day->setText(u"\\1,000"_s);
    QAccessibleInterface *iface = accessible(day);
    QAccessibleTextInterface *text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), u"１日"_s);
    EXPECT_EQ(iface->text(QAccessible::Description), texts::kAmountFieldDescription);

    day->setSelection(1, 2);
    int start = -1;
    int end = -1;
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(1, 3));
    text->removeSelection(0);
    EXPECT_FALSE(day->hasSelectedText());
    text->setCursorPosition(2);
    EXPECT_EQ(day->cursorPosition(), 2);
    // A screen reader's editing goes through the field, as typing does.
    iface->editableTextInterface()->insertText(1, u"2"_s);
    EXPECT_EQ(day->text(), u"\\21,000"_s);
}

TEST_F(ScreenReaderTest, ThePrintPanelIsAGroupInTheWindow)
{
    writeDataFile(dataFileBytes(2));
    start();
    AccessibilityEvents heard;
    child("printButton")->setFocus();
    press(Qt::Key_Space);
    ASSERT_TRUE(child("printPanel")->isVisible());

    QAccessibleInterface *panel = accessible(child("printPanel"));
    EXPECT_EQ(panel->role(), QAccessible::Grouping);
    EXPECT_EQ(panel->text(QAccessible::Name), u"印刷する書類"_s);
    // Between a letter button and the main window there is no window of its own, which a screen
    // reader would take for another, inactive one.
    QAccessibleInterface *const top = accessible(window.get());
    for (QAccessibleInterface *up = accessible(child("declarationButton"))->parent();
         up && up->object() != top->object(); up = up->parent()) {
        EXPECT_NE(up->role(), QAccessible::Border) << up->text(QAccessible::Name).toStdString();
        EXPECT_NE(up->role(), QAccessible::Window) << up->text(QAccessible::Name).toStdString();
        EXPECT_NE(up->role(), QAccessible::Dialog) << up->text(QAccessible::Name).toStdString();
    }
    EXPECT_EQ(focused(heard).value(focused(heard).size() - 1), u"declarationButton"_s);
}

// Opening the panel puts the focus on the first letter; closing it, in any way, puts it back on
// 印刷 straight away.
struct Closing : Described
{
    std::vector<Qt::Key> keys; // after 印刷 opened the panel
};

class PrintPanelFocus : public ScreenReaderTest, public ::testing::WithParamInterface<Closing>
{};

TEST_P(PrintPanelFocus, GoesToTheFirstLetterAndBackToPrint)
{
    writeDataFile(dataFileBytes(2));
    start();
    QWidget *panel = child("printPanel");
    child("printButton")->setFocus();
    press(Qt::Key_Space);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), child("declarationButton"));

    AccessibilityEvents heard;
    const std::vector<Qt::Key> &keys = GetParam().keys;
    for (std::size_t i = 0; i + 1 < keys.size(); ++i)
        press(keys[i]);
    heard.clear();
    press(keys.back());

    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), child("printButton"));
    EXPECT_EQ(focused(heard), QStringList{u"printButton"_s}) << "no control on the way";
}

INSTANTIATE_TEST_SUITE_P(Ways, PrintPanelFocus,
                         ::testing::Values(Closing{{"Esc on the first letter"}, {Qt::Key_Escape}},
                                           Closing{{"Esc on the third letter"},
                                                   {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Escape}},
                                           Closing{{"Space on cancel"},
                                                   {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab,
                                                    Qt::Key_Space}}),
                         whatName);

TEST_F(ScreenReaderTest, PrintWithoutANameOpensNothingAndKeepsTheFocus)
{
    writeDataFile(dataFileBytes(2));
    start();
    nameBox()->setEditText(QString());
    child("printButton")->setFocus();
    press(Qt::Key_Space);
    EXPECT_FALSE(child("printPanel")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), child("printButton"));
    // Esc elsewhere in the window changes nothing.
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), child("printButton"));
}

} // namespace
} // namespace pomiro::testing
