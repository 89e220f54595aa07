// The list window on the scripted grid and on the real QtGrid: every test runs on both.
#include "list_window/frmsub.h"
#include "platform/qtgrid.h"
#include "tests/support/scriptedgrid.h"
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

// Readable failure messages.

using pomiro::Entry;
using pomiro::Entries;
using pomiro::testing::ScriptedGrid;

namespace {

const QColor kCyan(192, 255, 255);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 192);
const QColor kOrange(255, 224, 192);
const QString kYen = QStringLiteral("\\");

const pomiro::PeriodTexts k500 = {"\\500",     "\\3,500",   "\\15,000",    "\\91,250",    "\\182,500",
                                  "\\547,500", "\\912,500", "\\1,825,000", "\\3,650,000", "\\5,475,000"};

Entry entry(const QString &name, const QString &amount)
{
    Entry e{name, {}};
    e.amounts.fill(amount);
    return e;
}

Entries tableOf(const std::vector<Entry> &entries)
{
    return Entries(entries.begin(), entries.end());
}

// Every text and colour of the grid, to show that something changed nothing.
QStringList snapshot(const pomiro::Grid &grid)
{
    QStringList cells;
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c)
            cells << grid.text(r, c) + u'|' + grid.cellBackground(r, c).name() + u'|' + grid.cellToolTip(r, c);
    return cells;
}

enum class Kind { Scripted, Real };

class ListWindow : public ::testing::TestWithParam<Kind>
{
protected:
    void TearDown() override { delete m_window.data(); }

    frmSub &open(const Entries &table)
    {
        std::unique_ptr<pomiro::Grid> grid;
        if (GetParam() == Kind::Scripted) {
            auto scripted = std::make_unique<ScriptedGrid>();
            m_scripted = scripted.get();
            grid = std::move(scripted);
        } else {
            auto real = std::make_unique<pomiro::QtGrid>();
            m_real = real.get();
            grid = std::move(real);
        }
        m_window = new frmSub(table, std::move(grid));
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window));
        return *m_window;
    }

    pomiro::Grid &grid() { return m_window->grid(); }

    // A mouse click where the cell is drawn on the real grid; on the scripted one, its click.
    void click(int row, int col)
    {
        if (m_scripted) {
            m_scripted->click(row, col);
            return;
        }
        m_real->scrollToCell(row, col);
        QWidget *msg1 = m_real->widget();
        const QPoint at = m_real->cellCentre(row, col);
        ASSERT_FALSE(at.isNull()) << "cell " << row << "," << col << " not in view";
        QWidget *target = msg1->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(msg1, at));
    }

    QStringList rowTexts(int row)
    {
        QStringList texts;
        for (int c = 1; c <= 10; ++c)
            texts << grid().text(row, c);
        return texts;
    }

    QPointer<frmSub> m_window;
    ScriptedGrid *m_scripted = nullptr;
    pomiro::QtGrid *m_real = nullptr;
};

TEST_P(ListWindow, LaysOutHeaderWidthsColoursAndAlignment)
{
    open(tableOf({entry("禁煙", "\\500"), entry("コーヒー", "\\300")}));
    const pomiro::Grid &g = grid();
    EXPECT_EQ(g.cols(), 11);
    EXPECT_EQ(g.rows(), 6);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.fontSize(), 9.0);
    EXPECT_EQ(g.fontName(), QStringLiteral("ＭＳ Ｐゴシック"));
    const QStringList headers = {"ぽみろ…", "１日", "１週間", "１ヶ月", "半年", "１年",
                                 "３年",    "５年", "１０年", "２０年", "３０年"};
    for (int c = 0; c < 11; ++c) {
        EXPECT_EQ(g.text(0, c), headers[c]);
        EXPECT_EQ(g.colWidth(c), c == 0 ? 4000 : 1000);
    }

    const QColor fixed = g.cellBackground(0, 0);
    const QColor normal = g.cellBackground(1, 1);
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    struct Cell
    {
        int row, col;
        QString text;
        QColor background;
        Qt::Alignment alignment;
    };
    const Cell cells[] = {
        {0, 5, "１年", fixed, centre},      {1, 0, "禁煙", fixed, centre},     {2, 0, "コーヒー", fixed, centre},
        {1, 1, "\\500", normal, right},     {2, 10, "\\300", normal, right},   {3, 0, "", fixed, centre},
        {3, 4, "", normal, right},          {4, 0, "全合計", kYellow, centre}, {4, 1, "\\800", kYellow, right},
        {4, 10, "\\800", kYellow, right},   {5, 0, "選択合計", kOrange, centre}, {5, 1, "", kOrange, right},
        {5, 10, "", kOrange, right},
    };
    for (const Cell &cell : cells) {
        SCOPED_TRACE(testing::Message() << "cell " << cell.row << "," << cell.col);
        EXPECT_EQ(g.text(cell.row, cell.col), cell.text);
        EXPECT_EQ(g.cellBackground(cell.row, cell.col), cell.background);
        EXPECT_EQ(g.cellAlignment(cell.row, cell.col), cell.alignment);
        EXPECT_EQ(g.cellToolTip(cell.row, cell.col), QStringLiteral("クリックで選択"));
    }
    EXPECT_NE(fixed, normal);
    EXPECT_NE(normal, kCyan);
    EXPECT_EQ(g.currentRow(), 5);
    EXPECT_EQ(g.currentCol(), 10);
}

TEST_P(ListWindow, EmptyTableHasFourRowsAndIgnoresEveryClick)
{
    open(Entries{});
    ASSERT_EQ(grid().rows(), 4);
    EXPECT_EQ(grid().text(2, 0), "全合計");
    EXPECT_EQ(grid().text(3, 0), "選択合計");
    EXPECT_EQ(rowTexts(1), QStringList(10, QString()));
    EXPECT_EQ(rowTexts(2), QStringList(10, kYen));
    EXPECT_EQ(rowTexts(3), QStringList(10, QString()));

    const QStringList before = snapshot(grid());
    for (int row = 0; row < 4; ++row)
        for (int col : {0, 1, 10})
            click(row, col);
    EXPECT_EQ(snapshot(grid()), before);
}

TEST_P(ListWindow, ShowsTextsAsStoredAndTotalsThem)
{
    struct Case
    {
        std::vector<Entry> entries;
        pomiro::PeriodTexts total;
    };
    pomiro::PeriodTexts plain;
    plain.fill(QStringLiteral("1000"));
    pomiro::PeriodTexts plainTotal;
    plainTotal.fill(QStringLiteral("\\1,000"));
    pomiro::PeriodTexts doubled = {"\\1,000",    "\\7,000",    "\\30,000",    "\\182,500",   "\\365,000",
                                   "\\1,095,000", "\\1,825,000", "\\3,650,000", "\\7,300,000", "\\10,950,000"};
    const Case cases[] = {
        {{Entry{"禁煙", k500}}, k500},
        {{Entry{"手入力", plain}}, plainTotal},
        {{Entry{"禁煙", k500}, entry("空", ""), Entry{"禁煙", k500}, entry("零", kYen)}, doubled},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entries.size());
        open(tableOf(c.entries));
        const int n = static_cast<int>(c.entries.size());
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(rowTexts(i + 1), QStringList(c.entries[i].amounts.begin(), c.entries[i].amounts.end()));
        EXPECT_EQ(rowTexts(n + 2), QStringList(c.total.begin(), c.total.end()));
        delete m_window.data();
    }
}

TEST_P(ListWindow, ClicksToggleWholeRowsAndRecountTheSelection)
{
    open(tableOf({entry("禁煙", "\\100"), entry("禁煙", "\\20"), entry("コーヒー", "\\3")}));
    const QColor nameColour = grid().cellBackground(1, 0);
    const QColor untouched = grid().cellBackground(4, 1); // the spacer keeps the normal colour

    click(2, 7);
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(grid().cellBackground(2, c), kCyan) << c;
    EXPECT_EQ(grid().cellBackground(2, 0), nameColour);
    EXPECT_EQ(grid().cellBackground(1, 1), untouched) << "the other row of the same name stays";
    EXPECT_EQ(rowTexts(6), QStringList(10, "\\20"));
    EXPECT_EQ(grid().currentRow(), 6);
    EXPECT_EQ(grid().currentCol(), 10);

    click(1, 0); // the Name cell toggles its row too
    EXPECT_EQ(rowTexts(6), QStringList(10, "\\120"));
    click(3, 1);
    EXPECT_EQ(rowTexts(6), rowTexts(5)) << "everything selected";

    for (int row : {1, 2, 3})
        click(row, 10);
    EXPECT_EQ(rowTexts(6), QStringList(10, kYen));
    for (int row : {1, 2, 3}) {
        EXPECT_EQ(grid().cellBackground(row, 1), kWhite);
        EXPECT_EQ(grid().cellBackground(row, 0), nameColour);
    }
    if (m_scripted) {
        EXPECT_NE(untouched, kWhite) << "a row never clicked must keep the grid's own colour";
    }
}

TEST_P(ListWindow, ClicksOutsideTheEntryRowsChangeNothing)
{
    open(tableOf({entry("禁煙", "\\100"), entry("酒", "\\abc")}));
    click(1, 3);
    const QStringList before = snapshot(grid());
    for (int row : {0, 3, 4, 5})
        for (int col : {0, 1, 5, 10})
            click(row, col);
    EXPECT_EQ(snapshot(grid()), before);
}

TEST_P(ListWindow, ThreeHundredEntriesEndWithTheSelectedTotalAtRow303)
{
    std::vector<Entry> entries;
    for (int i = 1; i <= 300; ++i)
        entries.push_back(entry(QStringLiteral("項目%1").arg(i), QStringLiteral("\\%1").arg(i)));
    open(tableOf(entries));
    ASSERT_EQ(grid().rows(), 304);
    EXPECT_EQ(grid().text(300, 0), "項目300");
    EXPECT_EQ(grid().text(302, 1), "\\45,150");
    EXPECT_EQ(grid().text(303, 0), "選択合計");
    click(300, 2);
    click(1, 2);
    EXPECT_EQ(grid().text(303, 1), "\\301");
    if (m_real) {
        EXPECT_FALSE(m_real->cellCentre(1, 2).isNull()) << "the view must stay where the user clicked";
    }
}

TEST_P(ListWindow, KeepsItsRowsWhenTheTableChanges)
{
    Entries table = tableOf({entry("禁煙", "\\100"), entry("酒", "\\20")});
    open(table);
    table.removeFirst(); // the main window deletes the first entry
    click(1, 1);
    click(2, 1);
    EXPECT_EQ(grid().rows(), 6);
    EXPECT_EQ(grid().text(1, 0), "禁煙");
    EXPECT_EQ(rowTexts(5), QStringList(10, "\\120"));
}

TEST_P(ListWindow, MarksTotalsThatLeftRowsOutOrOverflowed)
{
    const QString max = QStringLiteral("\\922,337,203,685,477");
    struct Case
    {
        QStringList texts; // one entry per text, named A, B, C...
        QString total;
        QStringList named; // rows the tooltip must name
    };
    const Case cases[] = {
        {{"", kYen, "\\5"}, "\\5", {}},
        {{"\\5", "abc", "\\1"}, "\\6 *", {"B"}},
        {{"x", "\\1.2.3", "\\"}, "\\ *", {"A", "B"}},
        {{"\\5", "  ", " \\ "}, "\\5 *", {"B"}},
        {{max, "\\1"}, "桁あふれ", {}},
        {{max, "\\1", "-5"}, "桁あふれ", {}},
        {{"\\99,999,999,999,999,999", "\\-1"}, "桁あふれ", {}},
        {{max, "zz"}, "\\922,337,203,685,477 *", {"B"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.texts.join(u' ').toStdString());
        std::vector<Entry> entries;
        for (qsizetype i = 0; i < c.texts.size(); ++i)
            entries.push_back(entry(QString(QChar(char16_t(u'A' + i))), c.texts[i]));
        open(tableOf(entries));
        const int n = static_cast<int>(entries.size());
        for (int row = 1; row <= n; ++row)
            click(row, 1);
        for (int totalRow : {n + 2, n + 3}) {
            EXPECT_EQ(grid().text(totalRow, 10), c.total);
            const QString tip = grid().cellToolTip(totalRow, 10);
            for (qsizetype i = 0; i < c.texts.size(); ++i) {
                const QString name(QChar(char16_t(u'A' + i)));
                EXPECT_EQ(tip.contains(name), c.named.contains(name)) << tip.toStdString();
            }
            if (c.total == "桁あふれ" || c.total.endsWith(" *")) {
                EXPECT_NE(tip, QStringLiteral("クリックで選択"));
            }
        }
        delete m_window.data();
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, ListWindow, ::testing::Values(Kind::Scripted, Kind::Real),
                         [](const auto &info) { return info.param == Kind::Scripted ? "Scripted" : "Real"; });

// The window as the main window opens it: its frame, controls and the second opening.
TEST(ListWindowOpening, BuildsTheFixedWindowBesideTheMainWindow)
{
    QWidget mainWindow;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::red);
    mainWindow.setWindowIcon(QIcon(pixmap));
    QPointer<frmSub> list;
    Entries table = tableOf({entry("禁煙", "\\100"), entry("酒", "\\20")});

    frmSub *w = frmSub::showList(table, &mainWindow, list);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(w->objectName(), "frmSub");
    EXPECT_EQ(w->windowTitle(), "ぽみろ一覧");
    EXPECT_EQ(w->size(), QSize(629, 450));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->windowIcon().cacheKey(), mainWindow.windowIcon().cacheKey());
    // Centred within the width of a window frame.
    EXPECT_LE((w->geometry().center() - w->screen()->availableGeometry().center()).manhattanLength(), 8);
    auto *msg1 = w->findChild<QWidget *>("msg1");
    auto *label = w->findChild<QLabel *>("Label1");
    auto *back = w->findChild<QPushButton *>("cmdModori");
    ASSERT_TRUE(msg1 && label && back);
    EXPECT_EQ(msg1->geometry(), QRect(10, 10, 611, 391));
    EXPECT_EQ(label->geometry(), QRect(20, 420, 406, 26));
    EXPECT_EQ(back->geometry(), QRect(510, 410, 106, 31));
    EXPECT_EQ(back->text(), "戻る");
    EXPECT_EQ(label->text(), "行をクリックすると選択した「ぽみろ…」の小計を表示します");
    EXPECT_EQ(w->focusWidget(), back);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(back, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), msg1) << "the grid follows the button in the tab order";

    // A second List click brings the same window forward as it stands.
    w->grid().setCurrentCell(2, 4);
    dynamic_cast<pomiro::QtGrid &>(w->grid()).scrollToCell(2, 4);
    const QPoint at = dynamic_cast<pomiro::QtGrid &>(w->grid()).cellCentre(2, 4);
    QTest::mouseClick(msg1->childAt(at), Qt::LeftButton, {}, msg1->childAt(at)->mapFrom(msg1, at));
    ASSERT_EQ(w->grid().cellBackground(2, 1), kCyan);
    table.clear();
    EXPECT_EQ(frmSub::showList(table, &mainWindow, list), w);
    EXPECT_EQ(w->grid().cellBackground(2, 1), kCyan);
    EXPECT_EQ(w->grid().rows(), 6);

    // Back discards the window; the next opening starts afresh from the table.
    QTest::mouseClick(back, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());
    frmSub *again = frmSub::showList(table, &mainWindow, list);
    EXPECT_EQ(again->grid().rows(), 4);
    delete again;
}

} // namespace
