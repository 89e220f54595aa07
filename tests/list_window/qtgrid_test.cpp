// The real grid widget, offscreen: frozen fixed cells, clicks where cells are drawn, no editing.
#include "platform/qtgrid.h"
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>


namespace {

const QColor kHeader(255, 0, 0);
const QColor kNames(0, 160, 0);
const QColor kCorner(255, 255, 0);
const QColor kFar(0, 0, 255);

class QtGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.setCols(11);
        grid.setRows(304);
        grid.setColWidth(0, 4000);
        for (int c = 0; c < 11; ++c)
            grid.setCellBackground(0, c, kHeader);
        for (int r = 1; r < 304; ++r)
            grid.setCellBackground(r, 0, kNames);
        grid.setCellBackground(0, 0, kCorner);
        grid.setCellBackground(303, 10, kFar);
        grid.setClickHandler([this] { clicked << QPoint(grid.currentCol(), grid.currentRow()); });
        grid.widget()->resize(611, 391);
        grid.widget()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.widget()));
    }

    // The colour the user sees at the centre of a cell (the cells hold no text).
    QColor seen(int row, int col)
    {
        const QPoint at = grid.cellCentre(row, col);
        if (at.isNull())
            return {};
        return grid.widget()->grab().toImage().pixelColor(at);
    }

    void clickCell(int row, int col)
    {
        const QPoint at = grid.cellCentre(row, col);
        ASSERT_FALSE(at.isNull());
        QWidget *target = grid.widget()->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid.widget(), at));
    }

    pomiro::QtGrid grid;
    QList<QPoint> clicked; // (col, row) of each reported click
};

TEST_F(QtGridTest, FixedRowAndColumnStayInViewWhileTheRestScrolls)
{
    const QPoint header = grid.cellCentre(0, 2);
    const QPoint name = grid.cellCentre(2, 0);
    EXPECT_EQ(seen(0, 0), kCorner);
    EXPECT_EQ(seen(0, 2), kHeader);
    EXPECT_EQ(seen(2, 0), kNames);
    EXPECT_TRUE(grid.cellCentre(303, 10).isNull());

    grid.scrollToCell(303, 10);
    EXPECT_TRUE(grid.cellCentre(2, 2).isNull()) << "the movable cells did not scroll";
    EXPECT_EQ(grid.cellCentre(0, 10).y(), header.y());
    EXPECT_EQ(grid.cellCentre(303, 0).x(), name.x());
    EXPECT_EQ(grid.cellCentre(303, 0).y(), grid.cellCentre(303, 10).y()) << "names out of step with their rows";
    EXPECT_EQ(seen(0, 0), kCorner);
    EXPECT_EQ(seen(0, 10), kHeader);
    EXPECT_EQ(seen(303, 0), kNames);
    EXPECT_EQ(seen(303, 10), kFar);

    // The wheel over the fixed cells moves everything together, never the fixed cells alone.
    for (const QPoint &cell : {QPoint(10, 0), QPoint(0, 295)}) {
        const QPoint at = grid.cellCentre(cell.y(), cell.x());
        QWidget *target = grid.widget()->childAt(at);
        ASSERT_NE(target, nullptr);
        QWheelEvent wheel(target->mapFrom(grid.widget(), at), grid.widget()->mapToGlobal(at), {}, {0, 120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }
    EXPECT_TRUE(grid.cellCentre(303, 10).isNull()) << "the wheel did not scroll";
    for (int row = 250; row < 304; ++row) {
        if (!grid.cellCentre(row, 10).isNull()) {
            EXPECT_EQ(grid.cellCentre(row, 0).y(), grid.cellCentre(row, 10).y()) << row;
        }
    }
    EXPECT_EQ(seen(0, 0), kCorner);
    EXPECT_EQ(seen(0, 10), kHeader);
}

TEST_F(QtGridTest, AClickMakesTheCellUnderTheMouseCurrent)
{
    grid.scrollToCell(303, 10);
    const QPoint cells[] = {{0, 0}, {10, 0}, {0, 303}, {10, 303}, {7, 290}};
    for (const QPoint &cell : cells)
        clickCell(cell.y(), cell.x());
    EXPECT_EQ(clicked, QList<QPoint>(std::begin(cells), std::end(cells)));
}

TEST_F(QtGridTest, CellsCannotBeEdited)
{
    grid.setText(1, 1, "\\500");
    grid.setText(1, 0, "禁煙");
    for (int col : {0, 1}) {
        const QPoint at = grid.cellCentre(1, col);
        QWidget *target = grid.widget()->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseDClick(target, Qt::LeftButton, {}, target->mapFrom(grid.widget(), at));
        QTest::keyClick(grid.widget(), Qt::Key_F2);
        QTest::keyClicks(grid.widget(), "9");
        QTest::keyClick(grid.widget(), Qt::Key_Return);
    }
    EXPECT_TRUE(grid.widget()->findChildren<QLineEdit *>().isEmpty());
    EXPECT_EQ(grid.text(1, 1), "\\500");
    EXPECT_EQ(grid.text(1, 0), "禁煙");
}

TEST_F(QtGridTest, ReadsBackWhatWasSetAndIgnoresCellsOutsideTheGrid)
{
    const QColor translucent(10, 20, 30, 40);
    grid.setCellBackground(5, 5, translucent);
    EXPECT_EQ(grid.cellBackground(5, 5), translucent);
    grid.setRows(305);
    EXPECT_NE(grid.cellBackground(304, 0), grid.cellBackground(304, 1)) << "fixed and normal cells look alike";

    for (const QPoint &cell : {QPoint(-1, 0), QPoint(0, -1), QPoint(11, 0), QPoint(0, 305)}) {
        grid.setText(cell.y(), cell.x(), "x");
        grid.setCellBackground(cell.y(), cell.x(), kFar);
        grid.setCurrentCell(cell.y(), cell.x());
        EXPECT_EQ(grid.text(cell.y(), cell.x()), QString());
        EXPECT_FALSE(grid.cellBackground(cell.y(), cell.x()).isValid());
    }
    EXPECT_EQ(grid.currentRow(), 0);
}

} // namespace
