// The list window as the user meets it: opened by the main window, clicked with the mouse on the
// real view, scrolled, brought forward again and closed.
#include "list_window/entrylistmodel.h"
#include "list_window/listwindow.h"
#include "list_window/frozentableview.h"
#include "tests/support/programfonts.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace pomiro;
using pomiro::testing::everyPeriod;

namespace {

const QColor kCyan(192, 255, 255);


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
            cells << i.data().toString() + u'|' + i.data(Qt::BackgroundRole).value<QColor>().name() + u'|' +
                         i.data(Qt::ToolTipRole).toString();
        }
    return cells;
}

// A mouse click where the cell is drawn, scrolling it into view first as the user would.
void click(FrozenTableView *grid, int row, int col)
{
    grid->scrollTo(grid->model()->index(std::max(row, 1), std::max(col, 1)));
    const QPoint at = grid->cellCentre(grid->model()->index(row, col));
    ASSERT_FALSE(at.isNull()) << "cell " << row << "," << col << " not in view";
    QWidget *target = grid->childAt(at);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid, at));
}

// The colour the user sees in a cell, left of its text.
QColor seen(FrozenTableView *grid, int row, int col)
{
    const QPoint at = grid->cellCentre(grid->model()->index(row, col));
    return at.isNull() ? QColor() : grid->grab().toImage().pixelColor(at - QPoint(25, 0));
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

    QPointer<ListWindow> m_window;
};

TEST_F(ListWindowTest, ClicksToggleWholeRowsAndNothingElse)
{
    FrozenTableView *grid = open({Entry{"禁煙", everyPeriod("\\100")}, Entry{"禁煙", everyPeriod("\\20")}, Entry{"コーヒー", everyPeriod("\\3")}});
    const QColor untouched = seen(grid, 1, 3);

    click(grid, 2, 7);
    EXPECT_EQ(seen(grid, 2, 3), kCyan) << "the whole row shows its selection";
    EXPECT_EQ(seen(grid, 1, 3), untouched) << "the other row of the same name stays";
    EXPECT_EQ(text(grid, 6, 1), "\\20");
    click(grid, 1, 0); // the Name cell toggles its row too
    EXPECT_EQ(text(grid, 6, 10), "\\120");

    const QStringList before = snapshot(grid);
    for (int row : {0, 4, 5, 6})
        for (int col : {0, 1, 10})
            click(grid, row, col);
    EXPECT_EQ(snapshot(grid), before) << "only entry rows are selectable";
}

TEST_F(ListWindowTest, FrozenHeaderAndNamesStayInViewWhileTheRestScrolls)
{
    Entries entries;
    for (int i = 1; i <= 300; ++i)
        entries.append({QStringLiteral("項目%1").arg(i), everyPeriod(QStringLiteral("\\%1").arg(i))});
    FrozenTableView *grid = open(entries);
    ASSERT_EQ(grid->model()->rowCount(), 304);
    const auto centre = [grid](int row, int col) { return grid->cellCentre(grid->model()->index(row, col)); };
    const QPoint header = centre(0, 2);
    const QPoint name = centre(2, 0);
    const QColor fixed = seen(grid, 0, 2);
    EXPECT_EQ(seen(grid, 2, 0), fixed);
    EXPECT_NE(fixed, seen(grid, 2, 2)) << "frozen cells look like the others";

    click(grid, 300, 10);
    EXPECT_FALSE(centre(300, 10).isNull()) << "the view must stay where the user clicked";
    EXPECT_TRUE(centre(2, 2).isNull()) << "the cells did not scroll";
    EXPECT_EQ(centre(0, 10).y(), header.y());
    EXPECT_EQ(centre(300, 0).x(), name.x());
    EXPECT_EQ(centre(300, 0).y(), centre(300, 10).y()) << "names out of step with their rows";
    EXPECT_EQ(seen(grid, 0, 10), fixed);
    EXPECT_EQ(seen(grid, 300, 0), fixed);
    EXPECT_EQ(seen(grid, 300, 10), kCyan);
    click(grid, 1, 2);
    EXPECT_EQ(text(grid, 303, 1), "\\301");

    // The wheel over the names moves everything together, never the frozen cells alone.
    click(grid, 300, 10);
    const QPoint at = centre(295, 0);
    QWidget *target = grid->childAt(at);
    ASSERT_NE(target, nullptr);
    QWheelEvent wheel(target->mapFrom(grid, at), grid->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    EXPECT_TRUE(centre(300, 10).isNull()) << "the wheel did not scroll";
    EXPECT_EQ(centre(290, 0).y(), centre(290, 10).y());
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
    EXPECT_LE((w->geometry().center() - w->screen()->availableGeometry().center()).manhattanLength(), 8);
    FrozenTableView *grid = gridOf(w);
    auto *label = w->findChild<QLabel *>("hint");
    auto *back = w->findChild<QPushButton *>("backButton");
    ASSERT_TRUE(grid && label && back);
    EXPECT_EQ(grid->geometry(), QRect(10, 10, 611, 391));
    // The proportional Gothic the program asks for is what the user sees: its IPA stand-in.
    EXPECT_EQ(QFontInfo(grid->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(grid->font().pointSizeF(), 9.0);
    EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(label->font().pointSizeF(), 12.0);
    EXPECT_EQ(QFontInfo(back->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(back->font().pointSizeF(), 9.0);
    EXPECT_EQ(grid->columnWidth(1), 67);
    const int nameToAmount =
        grid->cellCentre(grid->model()->index(1, 1)).x() - grid->cellCentre(grid->model()->index(1, 0)).x();
    EXPECT_EQ(nameToAmount, 267 - 267 / 2 + 67 / 2) << "the name column is not 4000 twips wide";
    EXPECT_EQ(grid->toolTip(), "クリックで選択");
    EXPECT_EQ(label->geometry(), QRect(20, 420, 406, 26));
    EXPECT_EQ(back->geometry(), QRect(510, 410, 106, 31));
    EXPECT_EQ(back->text(), "戻る");
    EXPECT_EQ(label->text(), "行をクリックすると選択した「ぽみろ…」の小計を表示します");
    EXPECT_EQ(w->focusWidget(), back);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(back, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), grid) << "the grid follows the button in the tab order";

    // A second List click brings the same window forward as it stands, even after the table changed.
    click(grid, 2, 4);
    ASSERT_EQ(text(grid, 5, 1), "\\20");
    table.clear();
    EXPECT_EQ(ListWindow::showList(table, &mainWindow, list), w);
    EXPECT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(seen(grid, 2, 3), kCyan);
    click(grid, 1, 4);
    EXPECT_EQ(text(grid, 5, 1), "\\120") << "the window counts the rows it opened with";

    // Back discards the window; the next opening starts afresh from the table.
    QTest::mouseClick(back, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());
    ListWindow *again = ListWindow::showList(table, &mainWindow, list);
    EXPECT_EQ(gridOf(again)->model()->rowCount(), 4);
    delete again;
}

} // namespace
