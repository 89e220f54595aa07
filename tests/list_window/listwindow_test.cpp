// The list window as the user meets it: opened by the main window, clicked with the mouse on the
// real view, worked by keys through the application, heard by a screen reader, scrolled, brought
// forward again and closed.
#include "list_window/listwindow.h"

#include "list_window/entrylistmodel.h"
#include "list_window/frozentableview.h"
#include "tests/support/accessibilityevents.h"
#include "tests/support/cases.h"
#include "tests/support/gridpoints.h"
#include "tests/support/programfonts.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <vector>

using namespace pomiro;
using pomiro::testing::AccessibilityEvents;
using pomiro::testing::Described;
using pomiro::testing::everyPeriod;
using pomiro::testing::headerCentre;
using pomiro::testing::whatName;

namespace {

// The colours the user sees on the screen for a selected row and one deselected again: these
// tests read pixels, so they hold the exact values rather than the program's constants.
const QColor kCyan(192, 255, 255);
const QColor kWhite(255, 255, 255);

FrozenTableView *gridOf(QWidget *window)
{
    return window->findChild<FrozenTableView *>(QStringLiteral("grid"));
}

QString text(FrozenTableView *grid, int row, int col)
{
    return grid->model()->index(row, col).data().toString();
}

// Every text, colour and tooltip of the grid, to show that something changed nothing.
QStringList snapshot(FrozenTableView *grid)
{
    const QAbstractItemModel *model = grid->model();
    QStringList cells;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex i = model->index(r, c);
            cells << i.data().toString() + u'|' +
                         i.data(Qt::BackgroundRole).value<QColor>().name() + u'|' +
                         i.data(Qt::ToolTipRole).toString();
        }
    return cells;
}

// A mouse click where the user sees a point of the grid.
void clickAt(FrozenTableView *grid, QPoint at)
{
    ASSERT_FALSE(at.isNull()) << "not in view";
    QWidget *target = grid->childAt(at);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid, at));
}

// A mouse click where the cell is drawn, scrolling it into view first as the user would.
void click(FrozenTableView *grid, int row, int col)
{
    grid->scrollTo(grid->model()->index(row, col));
    clickAt(grid, grid->cellCentre(grid->model()->index(row, col)));
}

// The colour the user sees at a point, left of a cell's text.
QColor seenAt(FrozenTableView *grid, QPoint at)
{
    return at.isNull() ? QColor() : grid->grab().toImage().pixelColor(at - QPoint(25, 0));
}

QColor seen(FrozenTableView *grid, int row, int col)
{
    return seenAt(grid, grid->cellCentre(grid->model()->index(row, col)));
}

class ListWindowTest : public ::testing::Test
{
protected:
    // The fonts as the program has them: the windows name theirs by the installed stand-ins.
    static void SetUpTestSuite() { pomiro::testing::useProgramFonts(); }

    void TearDown() override { delete m_window.data(); }

    FrozenTableView *open(const Entries &table)
    {
        m_window = new ListWindow(table);
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window));
        return gridOf(m_window);
    }

    // A key as the user presses it: through the application to whatever has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_window->windowHandle(), key, modifiers);
    }

    QPointer<ListWindow> m_window;
};

TEST_F(ListWindowTest, ClicksToggleWholeRowsAndNothingElse)
{
    FrozenTableView *grid =
        open({Entry{"禁煙", everyPeriod("\\100")}, Entry{"禁煙", everyPeriod("\\20")},
              Entry{"コーヒー", everyPeriod("\\3")}});
    const QColor untouched = seen(grid, 0, 3);

    click(grid, 1, 7);
    EXPECT_EQ(seen(grid, 1, 3), kCyan) << "the whole row shows its selection";
    EXPECT_EQ(seen(grid, 0, 3), untouched) << "the other row of the same name stays";
    EXPECT_EQ(text(grid, 5, 1), "\\20");
    click(grid, 0, 0); // the name cell toggles its row too
    EXPECT_EQ(text(grid, 5, 10), "\\120");
    click(grid, 1, 0);
    EXPECT_EQ(seen(grid, 1, 3), kWhite) << "a second click deselects";
    EXPECT_EQ(text(grid, 5, 10), "\\100");

    const QStringList before = snapshot(grid);
    for (int row : {3, 4, 5})
        for (int col : {0, 1, 10})
            click(grid, row, col);
    EXPECT_EQ(snapshot(grid), before) << "only entry rows are selectable";

    // A title click sorts (see ListTitleClicks) but selects nothing: the last one here brings
    // back the file's order, so every cell is as it was.
    const QModelIndex current = grid->currentIndex();
    grid->horizontalScrollBar()->setValue(0);
    for (int col : {0, 1, 5})
        clickAt(grid, headerCentre(grid, col));
    ASSERT_EQ(text(grid, 2, 0), "コーヒー");
    EXPECT_EQ(snapshot(grid), before) << "a title click selected or changed a row";
    EXPECT_EQ(grid->currentIndex(), current) << "a title click moved the current cell";
    EXPECT_FALSE(grid->marksCurrentCell()) << "a click shows a focus mark the grid never had";
}

// Clicks on column titles, one after another: the order of the rows and the arrow shown.
struct TitleClicks : Described
{
    QList<int> columns;
    QString names; // the first letter of each row's name (あ こ 禁 酒)
    int sortedBy;
    Qt::SortOrder order = Qt::DescendingOrder;
};

class ListTitleClicks : public ListWindowTest, public ::testing::WithParamInterface<TitleClicks>
{};

// What a column's title looks like where the user sees it.
QImage titleLook(FrozenTableView *grid, int col)
{
    QRect title(QPoint(),
                QSize(grid->columnWidth(col) - 2, grid->horizontalHeader()->height() - 2));
    title.moveCenter(headerCentre(grid, col));
    return grid->grab(title).toImage();
}

TEST_P(ListTitleClicks, SortTheEntryRowsAndShowTheArrow)
{
    const TitleClicks &c = GetParam();
    FrozenTableView *grid =
        open({Entry{"こうちゃ", everyPeriod("\\300")}, Entry{"禁煙", everyPeriod("\\100")},
              Entry{"あめ", everyPeriod("\\200")}, Entry{"酒", everyPeriod("abc")}});
    QHeaderView *frozenTitles = grid->findChild<QTableView *>()->horizontalHeader();
    ASSERT_NE(frozenTitles, grid->horizontalHeader());
    QList<QImage> unsorted;
    for (int col = 0; col <= 4; ++col)
        unsorted << titleLook(grid, col);
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), -1) << "opened sorted";
    const QStringList totals = snapshot(grid).mid(5 * grid->model()->columnCount());

    for (int col : c.columns)
        clickAt(grid, headerCentre(grid, col));

    QString names;
    for (int row = 0; row < 4; ++row)
        names += text(grid, row, 0).front();
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(snapshot(grid).mid(5 * grid->model()->columnCount()), totals)
        << "the totals or their rows changed";
    for (QHeaderView *titles : {grid->horizontalHeader(), frozenTitles}) {
        EXPECT_TRUE(titles->isSortIndicatorShown());
        EXPECT_EQ(titles->sortIndicatorSection(), c.sortedBy);
        EXPECT_EQ(titles->sortIndicatorOrder(), c.order);
    }
    // The arrow is drawn on the sorted column's title alone.
    for (int col = 0; col <= 4; ++col)
        EXPECT_EQ(titleLook(grid, col) == unsorted[col], col != c.sortedBy) << "column " << col;
}

INSTANTIATE_TEST_SUITE_P(
    FourEntries, ListTitleClicks,
    ::testing::Values(
        TitleClicks{{"an amount largest first"}, {2}, "こあ禁酒", 2},
        TitleClicks{{"a second click reverses"}, {2, 2}, "禁あこ酒", 2, Qt::AscendingOrder},
        TitleClicks{{"a third click reverses again"}, {2, 2, 2}, "こあ禁酒", 2},
        TitleClicks{{"another amount starts largest first"}, {2, 2, 4}, "こあ禁酒", 4},
        TitleClicks{{"names in reading order"}, {0}, "あこ禁酒", 0, Qt::AscendingOrder},
        TitleClicks{{"names reversed"}, {0, 0}, "酒禁こあ", 0},
        TitleClicks{{"an amount after the names"}, {0, 1}, "こあ禁酒", 1},
        TitleClicks{{"names after an amount"}, {1, 0}, "あこ禁酒", 0, Qt::AscendingOrder}),
    whatName);

// A sort leaves the user where they were: the current cell on its entry, the selection on its
// entries (for the eye and for screen readers), the totals as they were; the next opening starts
// again in the file's order.
TEST_F(ListWindowTest, SortingKeepsTheCurrentEntryAndTheSelection)
{
    FrozenTableView *grid =
        open({Entry{"禁煙", everyPeriod("\\100")}, Entry{"酒", everyPeriod("\\300")},
              Entry{"コーヒー", everyPeriod("\\200")}});
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    QAccessibleTableInterface *cells =
        QAccessible::queryAccessibleInterface(grid)->tableInterface();
    ASSERT_NE(cells, nullptr);
    press(Qt::Key_Tab);
    press(Qt::Key_Right);
    press(Qt::Key_Space); // 禁煙
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Space); // コーヒー, the current cell
    ASSERT_EQ(text(grid, 5, 1), "\\300");

    clickAt(grid, headerCentre(grid, 3));
    ASSERT_EQ(text(grid, 0, 0), "酒");
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(1, 1))
        << "the current cell left its entry";
    EXPECT_EQ(text(grid, 1, 0), "コーヒー");
    EXPECT_EQ(seen(grid, 0, 2), seen(grid, 3, 2)) << "the unselected row shows a selection";
    for (int row : {1, 2}) {
        EXPECT_EQ(seen(grid, row, 2), kCyan) << "row " << row;
        EXPECT_TRUE(grid->selectionModel()->isRowSelected(row)) << "row " << row;
        EXPECT_TRUE(cells->cellAt(row, 4)->state().selected) << "row " << row;
    }
    EXPECT_FALSE(grid->selectionModel()->isRowSelected(0));
    EXPECT_FALSE(cells->cellAt(0, 4)->state().selected);
    EXPECT_EQ(text(grid, 5, 1), "\\300");
    EXPECT_EQ(text(grid, 4, 1), "\\600");

    press(Qt::Key_Space); // takes コーヒー back
    EXPECT_FALSE(grid->selectionModel()->isRowSelected(1));
    EXPECT_EQ(text(grid, 5, 1), "\\100");

    m_window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    grid = open({Entry{"禁煙", everyPeriod("\\100")}, Entry{"酒", everyPeriod("\\300")}});
    EXPECT_EQ(text(grid, 0, 0), "禁煙") << "a new opening is sorted";
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), -1);
}

TEST_F(ListWindowTest, FrozenTitlesAndNamesStayInViewWhileTheRestScrolls)
{
    Entries entries;
    for (int i = 1; i <= 300; ++i)
        entries.append(
            {QStringLiteral("項目%1").arg(i), everyPeriod(QStringLiteral("\\%1").arg(i))});
    FrozenTableView *grid = open(entries);
    ASSERT_EQ(grid->model()->rowCount(), 303);
    const auto centre = [grid](int row, int col) {
        return grid->cellCentre(grid->model()->index(row, col));
    };
    const QPoint title = headerCentre(grid, 2);
    const QPoint nameTitle = headerCentre(grid, 0);
    const QPoint name = centre(1, 0);
    const QColor fixed = seenAt(grid, title);
    EXPECT_EQ(seenAt(grid, nameTitle), fixed);
    EXPECT_EQ(seen(grid, 1, 0), fixed);
    EXPECT_NE(fixed, seen(grid, 1, 2)) << "frozen cells look like the others";
    EXPECT_EQ(nameTitle.y(), title.y());
    EXPECT_EQ(nameTitle.x(), name.x());

    click(grid, 299, 10);
    EXPECT_FALSE(centre(299, 10).isNull()) << "the view must stay where the user clicked";
    EXPECT_TRUE(centre(1, 2).isNull()) << "the cells did not scroll";
    EXPECT_TRUE(headerCentre(grid, 2).isNull()) << "the titles did not scroll with the cells";
    EXPECT_EQ(headerCentre(grid, 10).y(), title.y());
    EXPECT_EQ(headerCentre(grid, 0), nameTitle);
    EXPECT_EQ(centre(299, 0).x(), name.x());
    EXPECT_EQ(centre(299, 0).y(), centre(299, 10).y()) << "names out of step with their rows";
    EXPECT_EQ(seenAt(grid, headerCentre(grid, 10)), fixed);
    EXPECT_EQ(seen(grid, 299, 0), fixed);
    EXPECT_EQ(seen(grid, 299, 10), kCyan);
    click(grid, 0, 2);
    EXPECT_EQ(text(grid, 302, 1), "\\301");
    EXPECT_FALSE(centre(0, 2).isNull()) << "the first amounts came out under the names";

    // The wheel over the names moves everything together, never the frozen column alone.
    click(grid, 299, 10);
    const QPoint at = centre(294, 0);
    QWidget *target = grid->childAt(at);
    ASSERT_NE(target, nullptr);
    QWheelEvent wheel(target->mapFrom(grid, at), grid->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    EXPECT_TRUE(centre(299, 10).isNull()) << "the wheel did not scroll";
    EXPECT_EQ(centre(289, 0).y(), centre(289, 10).y());
}

// The window as the main window opens it: its frame, controls, the second opening and Back.
TEST_F(ListWindowTest, BuildsTheFixedWindowBesideTheMainWindow)
{
    QWidget mainWindow;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::red);
    mainWindow.setWindowIcon(QIcon(pixmap));
    QPointer<ListWindow> list;
    Entries table = {Entry{"禁煙", everyPeriod("\\100")}, Entry{"酒", everyPeriod("\\20")}};

    ListWindow *w = ListWindow::showList(table, &mainWindow, list);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(w->objectName(), "listWindow");
    EXPECT_EQ(w->windowTitle(), "ぽみろ一覧");
    EXPECT_EQ(w->size(), QSize(629, 450));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->windowIcon().cacheKey(), mainWindow.windowIcon().cacheKey());
    // Centred within the width of a window frame.
    EXPECT_LE(
        (w->geometry().center() - w->screen()->availableGeometry().center()).manhattanLength(), 8);
    FrozenTableView *grid = gridOf(w);
    auto *label = w->findChild<QLabel *>("hint");
    auto *back = w->findChild<QPushButton *>("backButton");
    ASSERT_TRUE(grid && label && back);
    EXPECT_EQ(grid->geometry(), QRect(10, 10, 611, 391));
    // The proportional Gothic the program asks for is what the user sees: its IPA stand-in, in the
    // cells and in the titles alike.
    for (const QWidget *part :
         {static_cast<QWidget *>(grid), static_cast<QWidget *>(grid->horizontalHeader())}) {
        EXPECT_EQ(QFontInfo(part->font()).family(), QStringLiteral("IPAPGothic"));
        EXPECT_EQ(part->font().pointSizeF(), 9.0);
    }
    EXPECT_EQ(grid->horizontalHeader()->height(), grid->rowHeight(0))
        << "the titles are not one row high";
    EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(label->font().pointSizeF(), 12.0);
    EXPECT_EQ(QFontInfo(back->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(back->font().pointSizeF(), 9.0);
    EXPECT_EQ(grid->columnWidth(1), 67);
    const int nameToAmount = grid->cellCentre(grid->model()->index(0, 1)).x() -
                             grid->cellCentre(grid->model()->index(0, 0)).x();
    EXPECT_EQ(nameToAmount, 267 - 267 / 2 + 67 / 2) << "the name column is not 4000 twips wide";
    EXPECT_EQ(headerCentre(grid, 1).x(), grid->cellCentre(grid->model()->index(0, 1)).x());
    EXPECT_EQ(grid->toolTip(), "クリックで選択");
    EXPECT_EQ(label->geometry(), QRect(20, 420, 406, 26));
    EXPECT_EQ(back->geometry(), QRect(510, 410, 106, 31));
    EXPECT_EQ(back->text(), "戻る");
    EXPECT_EQ(label->text(), "行をクリックすると選択した「ぽみろ…」の小計を表示します");
    EXPECT_EQ(w->focusWidget(), back);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), grid) << "the grid follows the button in the tab order";
    QTest::keyClick(w->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), back) << "one Tab leaves the grid";

    // A second List click brings the same window forward as it stands, even after the table
    // changed.
    click(grid, 1, 4);
    ASSERT_EQ(text(grid, 4, 1), "\\20");
    table.clear();
    EXPECT_EQ(ListWindow::showList(table, &mainWindow, list), w);
    EXPECT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(seen(grid, 1, 3), kCyan);
    click(grid, 0, 4);
    EXPECT_EQ(text(grid, 4, 1), "\\120") << "the window counts the rows it opened with";

    // Back discards the window; the next opening starts afresh from the table.
    QTest::mouseClick(back, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());
    ListWindow *again = ListWindow::showList(table, &mainWindow, list);
    EXPECT_EQ(gridOf(again)->model()->rowCount(), 3);
    delete again;
}

// Keys pressed in the grid, one after another from Tab into it; after each, where the current
// cell is and what the selected total shows.
struct Keys : Described
{
    QList<Qt::Key> keys;
    int row, col;          // the current cell after the keys
    QString marks;         // per entry: 'C' selected, '-' not
    QString selectedTotal; // "" while nothing was ever selected
};

class ListKeys : public ListWindowTest, public ::testing::WithParamInterface<Keys>
{};

TEST_P(ListKeys, MoveTheCurrentCellAndToggleItsRowAsAClickDoes)
{
    const Keys &k = GetParam();
    FrozenTableView *grid =
        open({Entry{"禁煙", everyPeriod("\\100")}, Entry{"酒", everyPeriod("\\20")},
              Entry{"コーヒー", everyPeriod("\\3")}});
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), grid);
    for (Qt::Key key : k.keys)
        press(key);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->currentIndex().row(), k.row);
    EXPECT_EQ(grid->currentIndex().column(), k.col);
    auto *model = qobject_cast<EntryListModel *>(grid->model());
    QString marks;
    for (int row = 0; row < model->entryCount(); ++row)
        marks += model->isSelected(row) ? u'C' : u'-';
    EXPECT_EQ(marks, k.marks);
    EXPECT_EQ(text(grid, model->selectedTotalRow(), 10), k.selectedTotal);
    EXPECT_TRUE(grid->marksCurrentCell()) << "no focus mark after keys";
}

const QList<Qt::Key> kToSpacer = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down};

INSTANTIATE_TEST_SUITE_P(
    ThreeEntries, ListKeys,
    ::testing::Values(
        Keys{{"tab starts at the first name"}, {}, 0, 0, "---", ""},
        Keys{{"arrows move between cells"},
             {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down},
             1,
             2,
             "---",
             ""},
        Keys{{"left stops at the names"},
             {Qt::Key_Right, Qt::Key_Left, Qt::Key_Left},
             0,
             0,
             "---",
             ""},
        Keys{{"space on a name selects its row"}, {Qt::Key_Space}, 0, 0, "C--", "\\100"},
        Keys{{"space on an amount"},
             {Qt::Key_Down, Qt::Key_Right, Qt::Key_Space},
             1,
             1,
             "-C-",
             "\\20"},
        Keys{{"enter selects"}, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, 2, 0, "--C", "\\3"},
        Keys{{"keypad enter selects"}, {Qt::Key_Enter}, 0, 0, "C--", "\\100"},
        Keys{{"second space deselects"},
             {Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Space},
             1,
             0,
             "C--",
             "\\100"},
        Keys{{"space and enter alternate"}, {Qt::Key_Space, Qt::Key_Return}, 0, 0, "---", "\\"},
        Keys{{"the spacer is not selectable"},
             kToSpacer + QList{Qt::Key_Space, Qt::Key_Return},
             3,
             0,
             "---",
             ""},
        Keys{{"totals are not selectable"},
             kToSpacer +
                 QList{Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Right, Qt::Key_Return},
             5,
             1,
             "---",
             ""}),
    whatName);

TEST_F(ListWindowTest, SelectAllByKeysSelectsNothing)
{
    FrozenTableView *grid = open({Entry{"禁煙", everyPeriod("\\100")}});
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    press(Qt::Key_Tab);
    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(grid->selectionModel()->hasSelection()) << "the view selected on its own";
    EXPECT_FALSE(qobject_cast<EntryListModel *>(grid->model())->isSelected(0));
}

// Esc closes the window wherever the focus is, as the back button does.
TEST_F(ListWindowTest, EscClosesTheWindow)
{
    for (const bool inGrid : {false, true}) {
        FrozenTableView *grid = open({Entry{"禁煙", everyPeriod("\\100")}});
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
        if (inGrid) {
            press(Qt::Key_Tab);
            press(Qt::Key_Down);
            ASSERT_EQ(QApplication::focusWidget(), grid);
        }
        press(Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(m_window.isNull()) << (inGrid ? "from the grid" : "from the back button");
        delete m_window.data();
    }
}

// The focus mark is drawn while the user works the grid by keys, and gone after a click.
TEST_F(ListWindowTest, MarksTheCurrentCellOnlyAfterKeys)
{
    FrozenTableView *grid =
        open({Entry{"禁煙", everyPeriod("\\100")}, Entry{"酒", everyPeriod("\\20")}});
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    const auto look = [grid](int row, int col) {
        const QModelIndex index = grid->model()->index(row, col);
        QRect cell(QPoint(), QSize(grid->columnWidth(col), grid->rowHeight(row)));
        cell.moveCenter(grid->cellCentre(index));
        return grid->grab(cell).toImage();
    };
    const QImage plainName = look(0, 0);
    const QImage plainAmount = look(1, 2);

    press(Qt::Key_Tab);
    EXPECT_NE(look(0, 0), plainName) << "no focus mark on the frozen name";
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(look(0, 0), plainName) << "the mark stayed behind";
    EXPECT_NE(look(1, 2), plainAmount) << "no focus mark on the amount";

    click(grid, 1, 2);
    click(grid, 1, 2); // selected and deselected: the row is white again, as never clicked
    EXPECT_EQ(look(1, 2), plainAmount) << "a click left a mark";
}

// What a screen reader hears: every cell with its row and period, the selection as a state, and
// a change of it reported on the cell the user stands on.
using ListAccessibility = ListWindowTest;

TEST_F(ListAccessibility, CellsAreHeardWithTheirRowAndPeriodAndTheirSelection)
{
    AccessibilityEvents heardEvents;
    FrozenTableView *grid =
        open({Entry{"禁煙", everyPeriod("\\500")}, Entry{"", everyPeriod("\\20")}});
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleTableInterface *cells = table->tableInterface();
    const auto heard = [cells](int row, int col) {
        return cells->cellAt(row, col)->text(QAccessible::Name);
    };
    EXPECT_EQ(heard(0, 0), "禁煙");
    EXPECT_EQ(heard(0, 1), "禁煙 １日 \\500");
    EXPECT_EQ(heard(1, 10), "（名前なし） ３０年 \\20");
    EXPECT_EQ(heard(3, 2), "全合計 １週間 \\520");
    EXPECT_EQ(heard(4, 0), "選択合計");
    const auto titles = cells->cellAt(0, 2)->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles[0]->text(QAccessible::Name), "１週間");
    // Qt 6.4 makes a column's title cell afresh for every such question and leaves it to the asker.
    for (QAccessibleInterface *title : titles)
        QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(title));

    // Space on an amount of the second row: its cells say selected, the totals follow, and the
    // cell the user stands on reports it.
    press(Qt::Key_Tab);
    heardEvents.clear();
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    // The focus is reported by the grid alone: a report from the frozen names' view would name a
    // cell outside the window's tree, and the screen reader would then ignore the selection.
    qsizetype focusReports = 0;
    for (const auto &event : heardEvents.events()) {
        if (event.type == QAccessible::Focus) {
            ++focusReports;
            EXPECT_EQ(event.object, grid);
        }
    }
    EXPECT_GE(focusReports, 3);
    heardEvents.clear();
    press(Qt::Key_Space);
    for (int col : {0, 2, 10})
        EXPECT_TRUE(cells->cellAt(1, col)->state().selected) << "column " << col;
    EXPECT_FALSE(cells->cellAt(0, 2)->state().selected);
    EXPECT_FALSE(cells->cellAt(4, 2)->state().selected);
    EXPECT_EQ(heard(4, 2), "選択合計 １週間 \\20");
    const auto reported = [&](QAccessible::Event type, int row, int col) {
        return heardEvents.count(type, cells->cellAt(row, col));
    };
    EXPECT_EQ(reported(QAccessible::SelectionAdd, 1, 2), 1);
    // The names' view shares the selection but never reports it, for the same reason: every
    // report of a selection is about a cell of the grid.
    QSet<QAccessible::Id> gridCells;
    for (int row = 0; row < cells->rowCount(); ++row) {
        for (int col = 0; col < cells->columnCount(); ++col)
            gridCells << QAccessible::uniqueId(cells->cellAt(row, col));
    }
    for (const auto &event : heardEvents.events()) {
        if (event.type == QAccessible::SelectionAdd || event.type == QAccessible::SelectionRemove ||
            event.type == QAccessible::Selection) {
            EXPECT_TRUE(gridCells.contains(event.id)) << "a selection report from another view";
        }
    }
    // A screen reader speaks a change of selection only on the cell that has the focus.
    EXPECT_TRUE(cells->cellAt(1, 2)->state().focused);

    heardEvents.clear();
    press(Qt::Key_Return);
    EXPECT_FALSE(cells->cellAt(1, 2)->state().selected);
    EXPECT_EQ(reported(QAccessible::SelectionRemove, 1, 2), 1);

    // A click reports on the clicked cell too.
    heardEvents.clear();
    click(grid, 0, 7);
    EXPECT_TRUE(cells->cellAt(0, 7)->state().selected);
    EXPECT_EQ(reported(QAccessible::SelectionAdd, 0, 7), 1);
}

} // namespace
