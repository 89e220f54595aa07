// The list window's rows without a view: what each cell shows, which rows a click selects, and
// the totals with their marks for left-out texts and overflow, and the rows sorted by a column.
#include "list_window/entrylistmodel.h"

#include "list_window/layout.h"
#include "tests/support/cases.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <gtest/gtest.h>
#include <vector>

using namespace pomiro;

namespace {

using pomiro::testing::Described;
using pomiro::testing::everyPeriod;
using pomiro::testing::k500ADay;
using pomiro::testing::whatName;

// The rows' colours are the list window's own; which row shows which is what these tests check.
const QColor &kSelected = listlayout::kSelectedRow;
const QColor &kDeselected = listlayout::kDeselectedRow;
const QColor &kTotal = listlayout::kTotalRow;
const QColor &kSelectedTotal = listlayout::kSelectedTotalRow;
const QString kYen = QStringLiteral("\\");
const QString kMax = QStringLiteral("\\922,337,203,685,477");

QVariant cell(const EntryListModel &model, int row, int col, int role = Qt::DisplayRole)
{
    return model.index(row, col).data(role);
}

// The same text in all ten amount columns of a row, or "(differs)".
QString rowText(const EntryListModel &model, int row)
{
    const QString first = cell(model, row, 1).toString();
    for (int col = 2; col <= 10; ++col)
        if (cell(model, row, col).toString() != first)
            return QStringLiteral("(differs)");
    return first;
}

TEST(EntryListModel, TitlesTheColumnsAndShowsTheEntriesAsStored)
{
    const EntryListModel model(Entries{{"禁煙", k500ADay}, Entry{"コーヒー", everyPeriod("1000")}});
    ASSERT_EQ(model.rowCount(), 5);
    ASSERT_EQ(model.columnCount(), 11);
    const QStringList headers = {"ぽみろ…", "１日", "１週間", "１ヶ月", "半年",  "１年",
                                 "３年",    "５年", "１０年", "２０年", "３０年"};
    for (int col = 0; col < headers.size(); ++col) {
        EXPECT_EQ(model.headerData(col, Qt::Horizontal).toString(), headers[col]);
        EXPECT_EQ(
            model.headerData(col, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::Alignment(Qt::AlignCenter));
        if (col > 0) {
            EXPECT_EQ(cell(model, 0, col).toString(), k500ADay[static_cast<size_t>(col - 1)]);
        }
    }
}

struct Cell : Described
{
    int row, col;
    QString text;
    QColor background; // invalid: the view's own colour
    Qt::Alignment alignment;
    QString spoken; // what a screen reader says for the cell
    bool selectable = false;
};

class ListCell : public ::testing::TestWithParam<Cell>
{};

// Over two entries: the entries, a blank row, and the two total rows.
TEST_P(ListCell, ShowsItsTextColourAndAlignment)
{
    const Cell &c = GetParam();
    const EntryListModel model(Entries{{"禁煙", k500ADay}, Entry{"", everyPeriod("1000")}});
    EXPECT_EQ(cell(model, c.row, c.col).toString(), c.text);
    EXPECT_EQ(cell(model, c.row, c.col, Qt::BackgroundRole).value<QColor>(), c.background);
    EXPECT_EQ(cell(model, c.row, c.col, Qt::TextAlignmentRole).value<Qt::Alignment>(), c.alignment);
    EXPECT_EQ(cell(model, c.row, c.col, Qt::ToolTipRole).toString(),
              QStringLiteral("クリックで選択"));
    EXPECT_EQ(cell(model, c.row, c.col, Qt::AccessibleTextRole).toString(), c.spoken);
    const Qt::ItemFlags flags =
        c.selectable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled;
    EXPECT_EQ(model.flags(model.index(c.row, c.col)), flags)
        << "cells are never edited; only entries are selected";
}

const Qt::Alignment kCentre = Qt::AlignCenter;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

INSTANTIATE_TEST_SUITE_P(
    TwoEntries, ListCell,
    ::testing::Values(
        Cell{{"name"}, 0, 0, "禁煙", {}, kCentre, "禁煙", true},
        Cell{{"amount"}, 0, 2, "\\3,500", {}, kRight, "禁煙 １週間 \\3,500", true},
        Cell{{"nameless entry"}, 1, 0, "", {}, kCentre, "（名前なし）", true},
        Cell{{"typed amount"}, 1, 10, "1000", {}, kRight, "（名前なし） ３０年 1000", true},
        Cell{{"blank row name"}, 2, 0, "", {}, kCentre, ""},
        Cell{{"blank row amount"}, 2, 4, "", {}, kRight, ""},
        Cell{{"total caption"}, 3, 0, "全合計", kTotal, kCentre, "全合計"},
        Cell{{"total of a day"}, 3, 1, "\\1,500", kTotal, kRight, "全合計 １日 \\1,500"},
        Cell{{"total of 30 years"},
             3,
             10,
             "\\5,476,000",
             kTotal,
             kRight,
             "全合計 ３０年 \\5,476,000"},
        Cell{{"selected total caption"}, 4, 0, "選択合計", kSelectedTotal, kCentre, "選択合計"},
        Cell{{"selected total of a day"}, 4, 1, "", kSelectedTotal, kRight, "選択合計 １日"},
        Cell{{"selected total of 30 years"}, 4, 10, "", kSelectedTotal, kRight, "選択合計 ３０年"}),
    whatName);

struct Clicks : Described
{
    QStringList texts; // one entry per text, named A, B, C...
    QList<int> clicks;
    QString marks; // per entry row: '-' never clicked, 'C' selected (cyan), 'W' deselected (white)
    QString total;
    QString selectedTotal;
    QString named = {}; // rows a total's tooltip names when they are in it
    QString note = {};  // more that the tooltip of a marked total says
};

class ListClicks : public ::testing::TestWithParam<Clicks>
{};

TEST_P(ListClicks, SelectEntryRowsAndTheTotalsCountThem)
{
    const Clicks &c = GetParam();
    Entries entries;
    for (qsizetype i = 0; i < c.texts.size(); ++i)
        entries.append({QString(QChar(char16_t(u'A' + i))), everyPeriod(c.texts[i])});
    EntryListModel model(entries);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QList<std::pair<int, bool>> announced;
    QObject::connect(&model, &EntryListModel::rowSelectionChanged,
                     [&announced](int row, bool selected) {
                         announced.append({row, selected});
                     });
    for (int row : c.clicks)
        model.toggleRow(row);

    const int n = int(entries.size());
    QString marks;
    for (int row = 0; row < n; ++row) {
        const QColor colour = cell(model, row, 1, Qt::BackgroundRole).value<QColor>();
        marks += colour == kSelected     ? u'C'
                 : colour == kDeselected ? u'W'
                 : colour.isValid()      ? u'?'
                                         : u'-';
        for (int col = 2; col <= 10; ++col)
            EXPECT_EQ(cell(model, row, col, Qt::BackgroundRole),
                      cell(model, row, 1, Qt::BackgroundRole));
        EXPECT_FALSE(cell(model, row, 0, Qt::BackgroundRole).isValid())
            << "a name cell changed colour";
        EXPECT_EQ(model.isSelected(row), marks.back() == u'C');
    }
    EXPECT_EQ(marks, c.marks);
    EXPECT_EQ(rowText(model, n + 1), c.total);
    EXPECT_EQ(rowText(model, n + 2), c.selectedTotal);

    // Every toggle is announced with the row's new state, for a view to mirror.
    QList<std::pair<int, bool>> expected;
    QList<bool> state(n, false);
    for (int row : c.clicks)
        if (row >= 0 && row < n)
            expected.append({row, state[row] = !state[row]});
    EXPECT_EQ(announced, expected);

    for (int row : {n + 1, n + 2}) {
        const QString text = cell(model, row, 10).toString();
        const QString tip = cell(model, row, 10, Qt::ToolTipRole).toString();
        if (text != "桁あふれ" && !text.endsWith(" *")) {
            EXPECT_EQ(tip, QStringLiteral("クリックで選択"));
            continue;
        }
        EXPECT_TRUE(tip.contains(c.note)) << tip.toStdString();
        for (int i = 0; i < n; ++i) {
            const QChar name(char16_t(u'A' + i));
            const bool counted = row == n + 1 || marks[i] == u'C';
            EXPECT_EQ(tip.contains(name), counted && c.named.contains(name)) << tip.toStdString();
        }
    }
}

std::vector<Clicks> clicks()
{
    const QStringList twelveX(12, QStringLiteral("x"));
    return {
        {{"no entries"}, {}, {0, 1, 2, 3}, "", kYen, ""},
        {{"one click selects its row"}, {"\\100", "\\20", "\\3"}, {1}, "-C-", "\\123", "\\20"},
        {{"every row selected"}, {"\\100", "\\20", "\\3"}, {1, 0, 2}, "CCC", "\\123", "\\123"},
        {{"a second click deselects"}, {"\\100", "\\20", "\\3"}, {0, 0}, "W--", "\\123", kYen},
        {{"other rows are not selectable"},
         {"\\100", "\\20", "\\3"},
         {-1, 3, 4, 5, 6},
         "---",
         "\\123",
         ""},
        {{"typed numbers are read"}, {"1000", "\\2,000"}, {0}, "C-", "\\3,000", "\\1,000"},
        {{"empty and yen sign count as zero"}, {"", kYen, "\\5"}, {0, 1, 2}, "CCC", "\\5", "\\5"},
        {{"unreadable texts are left out"},
         {"\\5", "abc", "\\1"},
         {0, 1},
         "CC-",
         "\\6 *",
         "\\5 *",
         "B"},
        {{"blanks are typed text"}, {"\\5", "  ", " \\ "}, {1}, "-C-", "\\5 *", "\\ *", "B"},
        {{"nothing readable"}, {"x", "\\1.2.3", kYen}, {2}, "--C", "\\ *", kYen, "AB"},
        {{"more than ten left out"},
         twelveX,
         {},
         "------------",
         "\\ *",
         "",
         "ABCDEFGHIJ",
         "ほか2行"},
        {{"sum beyond the range"}, {kMax, "\\1"}, {0}, "C-", "桁あふれ", kMax, "", "大きすぎる"},
        {{"overflow stays"},
         {kMax, "\\1", "-5"},
         {0, 1, 2},
         "CCC",
         "桁あふれ",
         "桁あふれ",
         "",
         "大きすぎる"},
        {{"a text beyond the range"},
         {"\\99,999,999,999,999,999", "\\-1"},
         {0},
         "C-",
         "桁あふれ",
         "桁あふれ",
         "",
         "大きすぎる"},
        {{"left out next to the largest sum"},
         {kMax, "zz"},
         {0, 1},
         "CC",
         kMax + " *",
         kMax + " *",
         "B"},
    };
}

INSTANTIATE_TEST_SUITE_P(Clicks, ListClicks, ::testing::ValuesIn(clicks()), whatName);

// Sorting: which entries the rows show afterwards, as letters of their place in the file. Before
// the case's own sort, the rows are sorted backwards by the file-order tags in the first amount
// column, so that a stable sort from the current order would show up.
struct Sorting : Described
{
    QStringList names; // empty: A, B, C...
    QStringList texts; // empty: "\1"; otherwise the sorted amount column's texts
    int column;
    Qt::SortOrder order;
    QString rows;
};

class ListSort : public ::testing::TestWithParam<Sorting>
{};

constexpr int kSortedAmount = 3; // １ヶ月

TEST_P(ListSort, ShowsTheEntriesInOrderAndLeavesTheOtherRows)
{
    const Sorting &c = GetParam();
    const qsizetype n = std::max(c.names.size(), c.texts.size());
    Entries entries;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar letter(char16_t(u'A' + i));
        Entry entry{c.names.isEmpty() ? QString(letter) : c.names[i], everyPeriod("\\1")};
        entry.amount(0) = QStringLiteral("\\%1").arg(i); // the tag the rows are told by
        if (!c.texts.isEmpty())
            entry.amount(kSortedAmount - 1) = c.texts[i];
        entries.append(entry);
    }
    EntryListModel model(entries);
    const EntryListModel unsorted(entries);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.sort(1, Qt::DescendingOrder);
    model.sort(c.column, c.order);

    QString rows;
    for (int row = 0; row < model.entryCount(); ++row) {
        const int tag = cell(model, row, 1).toString().mid(1).toInt();
        rows += QChar(char16_t(u'A' + tag));
        EXPECT_EQ(cell(model, row, 0).toString(), entries[tag].name) << "a row came apart";
        EXPECT_EQ(cell(model, row, kSortedAmount).toString(),
                  entries[tag].amount(kSortedAmount - 1));
    }
    EXPECT_EQ(rows, c.rows);
    for (int row = model.spacerRow(); row <= model.selectedTotalRow(); ++row)
        for (int col = 0; col < EntryListModel::kColumns; ++col)
            EXPECT_EQ(cell(model, row, col), cell(unsorted, row, col))
                << "row " << row << " column " << col;
}

const QStringList kAmounts = {"\\100", "\\3,000", "20", "\\-50", "1250.5"};
// Unreadable: A, E (blanks are typed text), G, and H beyond the range. C and D are zero.
const QStringList kMixed = {"abc", "\\5",  "",      "\\",
                            "  ",  "\\-3", "1.2.3", "\\99,999,999,999,999,999"};
const QStringList kTies = {"\\5", "\\7", "5", "\\5", "\\7"};
// Hiragana and katakana by reading, kanji after the kana in the order of the Japanese standard
// (愛 before 一, unlike their code points), numbers as numbers, nameless entries last.
const QStringList kNames = {"酒",   "コーヒー", "あめ",  "一", "愛",   "ケーキ",
                            "かし", "項目10",   "項目2", "",   "Beer", "apple"};
const QStringList kSameNames = {"禁煙", "", "禁煙", "あめ", ""};

INSTANTIATE_TEST_SUITE_P(
    Columns, ListSort,
    ::testing::Values(
        Sorting{{"amounts largest first"}, {}, kAmounts, 3, Qt::DescendingOrder, "BEACD"},
        Sorting{{"amounts smallest first"}, {}, kAmounts, 3, Qt::AscendingOrder, "DCAEB"},
        Sorting{{"unreadable last largest first"}, {}, kMixed, 3, Qt::DescendingOrder, "BCDFAEGH"},
        Sorting{{"unreadable last smallest first"}, {}, kMixed, 3, Qt::AscendingOrder, "FCDBAEGH"},
        Sorting{{"amount ties keep file order"}, {}, kTies, 3, Qt::DescendingOrder, "BEACD"},
        Sorting{
            {"amount ties reversed keep file order"}, {}, kTies, 3, Qt::AscendingOrder, "ACDBE"},
        Sorting{{"names in reading order"}, kNames, {}, 0, Qt::AscendingOrder, "LKCGFBEDIHAJ"},
        Sorting{{"names reversed"}, kNames, {}, 0, Qt::DescendingOrder, "AHIDEBFGCKLJ"},
        Sorting{{"name ties keep file order"}, kSameNames, {}, 0, Qt::AscendingOrder, "DACBE"},
        Sorting{{"name ties reversed"}, kSameNames, {}, 0, Qt::DescendingOrder, "ACDBE"},
        Sorting{{"no column is the file order"}, {}, kAmounts, -1, Qt::AscendingOrder, "ABCDE"},
        Sorting{{"no entries"}, {}, {}, 3, Qt::DescendingOrder, ""}),
    whatName);

// The selection belongs to the entries: it moves with them, clicks after a sort select what the
// row shows, and the totals stay as they were.
TEST(EntryListModel, SortingKeepsEachEntrysSelection)
{
    EntryListModel model(Entries{
        {"A", everyPeriod("\\100")}, {"B", everyPeriod("\\300")}, {"C", everyPeriod("\\200")}});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.toggleRow(0);
    model.toggleRow(2);
    model.toggleRow(2);
    const QPersistentModelIndex a = model.index(0, 5);
    const QPersistentModelIndex total = model.index(model.totalRow(), 2);
    const QString selectedTotal = rowText(model, model.selectedTotalRow());
    ASSERT_EQ(selectedTotal, "\\100");

    model.sort(4, Qt::DescendingOrder);
    const auto names = [&model] {
        QString shown;
        for (int row = 0; row < model.entryCount(); ++row)
            shown += cell(model, row, 0).toString();
        return shown;
    };
    const auto marks = [&model] {
        QString shown;
        for (int row = 0; row < model.entryCount(); ++row) {
            const QColor colour = cell(model, row, 4, Qt::BackgroundRole).value<QColor>();
            shown += colour == kSelected ? u'C' : colour == kDeselected ? u'W' : u'-';
        }
        return shown;
    };
    ASSERT_EQ(names(), "BCA");
    EXPECT_EQ(marks(), "-WC");
    EXPECT_TRUE(model.isSelected(2));
    EXPECT_EQ(a.row(), 2) << "a persistent index stayed at its place instead of its entry";
    EXPECT_EQ(a.column(), 5);
    EXPECT_EQ(total.row(), model.totalRow());
    EXPECT_EQ(rowText(model, model.totalRow()), "\\600");
    EXPECT_EQ(rowText(model, model.selectedTotalRow()), selectedTotal);

    QList<std::pair<int, bool>> announced;
    QObject::connect(&model, &EntryListModel::rowSelectionChanged,
                     [&announced](int row, bool selected) {
                         announced.append({row, selected});
                     });
    model.toggleRow(0); // B, shown first
    EXPECT_EQ(announced, (QList<std::pair<int, bool>>{{0, true}}));
    EXPECT_EQ(rowText(model, model.selectedTotalRow()), "\\400");

    model.sort(-1, Qt::AscendingOrder);
    EXPECT_EQ(names(), "ABC");
    EXPECT_EQ(marks(), "CCW");
    EXPECT_EQ(a.row(), 0);
    EXPECT_EQ(rowText(model, model.selectedTotalRow()), "\\400");

    // What the views show and a screen reader hears is the same selection, whole rows.
    model.toggleRow(model.totalRow());
    QList<int> rows;
    for (const QModelIndex &index :
         model.selectionModel()->selectedRows(EntryListModel::kColumns - 1))
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<int>{0, 1}));
}

} // namespace
