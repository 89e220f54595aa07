// The list taken away as the user does it: the grid's menu opened by keys and by the mouse,
// Ctrl+C, the CSV file saved through the menu, with a stand-in for the save dialog, and the list
// printed or saved as a PDF through the menu.
#include "list_window/entrylistmodel.h"
#include "list_window/frozentableview.h"
#include "list_window/listwindow.h"
#include "savings_window/savingswindow.h"
#include "tests/support/accessibilityevents.h"
#include "tests/support/cases.h"
#include "tests/support/fsfaults.h"
#include "tests/support/messageboxes.h"
#include "tests/support/pdfwords.h"
#include "tests/support/programfonts.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

using namespace pomiro;
using namespace Qt::StringLiterals;

namespace {

using pomiro::testing::AccessibilityEvents;
using pomiro::testing::Box;
using pomiro::testing::Described;
using pomiro::testing::everyPeriod;
using pomiro::testing::FolderFault;
using pomiro::testing::MessageBoxes;
using pomiro::testing::whatName;

const QString kHeaderLine =
    u"ぽみろ…\t１日\t１週間\t１ヶ月\t半年\t１年\t３年\t５年\t１０年\t２０年\t３０年\n"_s;

QString line(const QString &name, const QString &amount)
{
    return name + (u'\t' + amount).repeated(10) + u'\n';
}

class ListMenuTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { pomiro::testing::useProgramFonts(); }

    void TearDown() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        delete m_window.data();
    }

    FrozenTableView *open(const Entries &table, const QString &folder = QDir::currentPath())
    {
        m_window = new ListWindow(table, nullptr, folder);
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window));
        return m_window->findChild<FrozenTableView *>(u"grid"_s);
    }

    // A key as the user presses it: through the application to whatever has the focus (the open
    // menu, while there is one).
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_window->windowHandle(), key, modifiers);
    }

    static QMenu *openMenu() { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }

    QPointer<ListWindow> m_window;
};

// How the user asks for the menu.
enum class Ask { ShiftF10, MenuKey, RightClickOnAmount, RightClickOnName };

struct MenuCase : Described
{
    Ask ask;
};

class ListMenu : public ListMenuTest, public ::testing::WithParamInterface<MenuCase>
{};

// Made on first use, with exactly its five items, at the current cell when asked by keys; a right
// click selects nothing.
TEST_P(ListMenu, OpensWithExactlyItsItemsWhereAsked)
{
    FrozenTableView *grid =
        open({Entry{u"禁煙"_s, everyPeriod(u"\\100"_s)}, Entry{u"酒"_s, everyPeriod(u"\\20"_s)}});
    EXPECT_EQ(m_window->findChild<QMenu *>(), nullptr) << "the menu was made before its first use";
    press(Qt::Key_Tab); // from the back button to the grid
    ASSERT_TRUE(grid->hasFocus());
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    const QModelIndex current = grid->currentIndex();
    ASSERT_EQ(current.row(), 1);

    QPoint expected;
    switch (GetParam().ask) {
    case Ask::ShiftF10:
        press(Qt::Key_F10, Qt::ShiftModifier);
        expected = grid->mapToGlobal(grid->cellCentre(current));
        break;
    case Ask::MenuKey:
        press(Qt::Key_Menu);
        expected = grid->mapToGlobal(grid->cellCentre(current));
        break;
    case Ask::RightClickOnAmount:
    case Ask::RightClickOnName: {
        const int col = GetParam().ask == Ask::RightClickOnName ? 0 : 3;
        const QPoint at = grid->cellCentre(grid->model()->index(0, col));
        ASSERT_FALSE(at.isNull());
        QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, {}, grid->mapTo(m_window, at));
        expected = grid->mapToGlobal(at);
        break;
    }
    }

    QMenu *menu = openMenu();
    ASSERT_NE(menu, nullptr) << "no menu opened";
    EXPECT_EQ(menu->parentWidget(), m_window.data());
    QStringList items;
    for (QAction *action : menu->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{u"コピー(&C)"_s, u"CSV で保存(&S)…"_s, u"PDF で保存(&D)…"_s,
                                  u"印刷(&P)"_s, u"積み立てると(&T)…"_s, u"並べ替え(&O)"_s}));
    EXPECT_EQ(menu->actions().value(0)->shortcut(), QKeySequence(QKeySequence::Copy));
    EXPECT_TRUE(menu->actions().value(0)->isShortcutVisibleInContextMenu());
    EXPECT_EQ(menu->pos(), expected);
    // Opened by keys it stands on its first item, which a screen reader then speaks; opened by the
    // mouse it waits for the mouse.
    const bool byKeys = GetParam().ask == Ask::ShiftF10 || GetParam().ask == Ask::MenuKey;
    EXPECT_EQ(menu->activeAction(), byKeys ? menu->actions().value(0) : nullptr);
    EXPECT_EQ(grid->model()->index(0, 3).data(Qt::BackgroundRole), QVariant())
        << "the right click selected its row";

    press(Qt::Key_Escape);
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_TRUE(m_window->isVisible()) << "Esc closed the window, not the menu";
}

INSTANTIATE_TEST_SUITE_P(
    Asks, ListMenu,
    ::testing::Values(MenuCase{{"Shift F10"}, Ask::ShiftF10},
                      MenuCase{{"the Menu key"}, Ask::MenuKey},
                      MenuCase{{"a right click on an amount"}, Ask::RightClickOnAmount},
                      MenuCase{{"a right click on a name"}, Ask::RightClickOnName}),
    whatName);

TEST_F(ListMenuTest, CtrlCAndTheMenuCopyTheSelectedRowsAsTabSeparatedText)
{
    FrozenTableView *grid =
        open({Entry{u"禁煙"_s, everyPeriod(u"\\100"_s)}, Entry{u"酒"_s, everyPeriod(u"\\-20"_s)},
              Entry{u"茶"_s, everyPeriod(u"\\3"_s)}});
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    press(Qt::Key_Tab);
    ASSERT_TRUE(grid->hasFocus());
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), kHeaderLine + line(u"禁煙"_s, u"100"_s) + line(u"酒"_s, u"-20"_s) +
                                     line(u"茶"_s, u"3"_s) + line(u"全合計"_s, u"83"_s));

    // Rows selected by keys, the lower first; then the menu's item by its key.
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Space);
    press(Qt::Key_Home, Qt::ControlModifier);
    press(Qt::Key_Space);
    clipboard->clear();
    press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NE(openMenu(), nullptr);
    press(Qt::Key_C);
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_EQ(clipboard->text(), kHeaderLine + line(u"禁煙"_s, u"100"_s) + line(u"茶"_s, u"3"_s) +
                                     line(u"全合計"_s, u"83"_s) + line(u"選択合計"_s, u"103"_s));
    EXPECT_TRUE(grid->hasFocus()) << "the focus did not come back to the grid";
}

// 印刷 and PDF で保存 by their keys in the menu: the printer gets the rows the user selected, in
// the grid's order, and the PDF is proposed beside the data file.
TEST_F(ListMenuTest, PrintsAndSavesAsPdfWhatTheGridShows)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    FrozenTableView *grid =
        open({Entry{u"禁煙"_s, everyPeriod(u"\\100"_s)}, Entry{u"酒"_s, everyPeriod(u"\\20"_s)},
              Entry{u"茶"_s, everyPeriod(u"\\3"_s)}},
             tmp.path());
    QStringList printed;
    QStringList proposed;
    m_window->setPrinting(PdfPrinting(
        [&]() -> std::optional<PrintDestination> {
            return PrintDestination{QPageSize(QPageSize::A4),
                                    [&](const QString &pdf, const QPageSize &) {
                                        for (const auto &page : pomiro::testing::readPdfPages(pdf))
                                            for (const auto &word : page.words)
                                                printed << word.text;
                                        return true;
                                    }};
        },
        &QDate::currentDate,
        [&](QWidget *, const QString &at) {
            proposed << at;
            return QString();
        }));
    MessageBoxes boxes;
    press(Qt::Key_Tab);
    ASSERT_TRUE(grid->hasFocus());
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Space); // 茶

    press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NE(openMenu(), nullptr);
    press(Qt::Key_P);
    EXPECT_TRUE(printed.contains(u"茶"_s)) << printed.join(u' ').toStdString();
    EXPECT_FALSE(printed.contains(u"禁煙"_s)) << "a row that was not selected was printed";
    EXPECT_TRUE(printed.contains(u"選択合計"_s));
    EXPECT_TRUE(boxes.shown.isEmpty()) << "printing is silent when it works";

    press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NE(openMenu(), nullptr);
    press(Qt::Key_D);
    EXPECT_EQ(proposed, QStringList{QDir(tmp.path()).filePath(u"ぽみろ一覧.pdf"_s)});
    EXPECT_TRUE(QDir(tmp.path()).isEmpty()) << "a cancelled save wrote something";
    EXPECT_TRUE(m_window->isVisible());
}

// 積み立てると (Shift+F10, T) opens the savings window over the list, modal, for the selected rows
// in the grid's order, or for every row when none is selected; Esc brings the list back.
TEST_F(ListMenuTest, OpensTheSavingsWindowForTheRowsTaken)
{
    QTemporaryDir settings;
    ASSERT_TRUE(settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    open({Entry{u"禁煙"_s, everyPeriod(u"\\100"_s)}, Entry{u"酒"_s, everyPeriod(u"\\20"_s)},
          Entry{u"茶"_s, everyPeriod(u"\\3"_s)}});
    const auto openSavings = [this]() -> SavingsWindow * {
        press(Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_NE(openMenu(), nullptr);
        press(Qt::Key_T);
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        return qobject_cast<SavingsWindow *>(QApplication::activeModalWidget());
    };
    press(Qt::Key_Tab);
    SavingsWindow *all = openSavings();
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->parentWidget(), m_window.data());
    EXPECT_EQ(all->report().source, u"すべての「ぽみろ」（3 件）"_s);
    EXPECT_EQ(all->report().base.yearly, Amount::fromYen(123));
    QTest::keyClick(all->windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QTRY_VERIFY(QApplication::activeWindow() == m_window.data());

    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Space); // 茶
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Space); // 禁煙
    SavingsWindow *chosen = openSavings();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->report().source, u"禁煙、茶"_s);
    EXPECT_EQ(chosen->report().base.yearly, Amount::fromYen(103));
    QTest::keyClick(chosen->windowHandle(), Qt::Key_Escape);
}

// 並べ替え by keys (Shift+F10, O, the arrows, Return): a column sorts exactly as a click on its
// title, the same column again reverses, 元の順 (R) brings the file's order back; the header shows
// the indicator, the item of the order is checked, and a screen reader hears the new order.
TEST_F(ListMenuTest, SortsByKeysAsATitleClickDoes)
{
    FrozenTableView *grid =
        open({Entry{u"禁煙"_s, everyPeriod(u"\\100"_s)}, Entry{u"酒"_s, everyPeriod(u"\\300"_s)},
              Entry{u"茶"_s, everyPeriod(u"\\20"_s)}});
    AccessibilityEvents heard;
    const auto names = [grid] {
        QString shown;
        for (int row = 0; row < 3; ++row)
            shown += grid->model()->index(row, 0).data().toString();
        return shown;
    };
    const auto lastHeard = [&heard] {
        const QStringList words = heard.announced();
        return words.isEmpty() ? QString() : words.constLast();
    };
    const auto sortBy = [this](int downs) {
        press(Qt::Key_F10, Qt::ShiftModifier);
        press(Qt::Key_O);
        auto *sort = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        EXPECT_NE(sort, nullptr);
        EXPECT_EQ(sort ? sort->objectName() : QString(), u"sortMenu"_s);
        for (int i = 0; i < downs; ++i)
            press(Qt::Key_Down);
        press(Qt::Key_Return);
        return sort;
    };
    press(Qt::Key_Tab);
    ASSERT_TRUE(grid->hasFocus());

    QMenu *sort = sortBy(5); // ぽみろ… is first: the sixth item is １年
    ASSERT_NE(sort, nullptr);
    QStringList items;
    for (QAction *action : sort->actions())
        items << (action->isSeparator() ? u"-"_s : action->text());
    EXPECT_EQ(items, (QStringList{u"ぽみろ…"_s, u"１日"_s, u"１週間"_s, u"１ヶ月"_s, u"半年"_s,
                                  u"１年"_s, u"３年"_s, u"５年"_s, u"１０年"_s, u"２０年"_s,
                                  u"３０年"_s, u"-"_s, u"元の順(&R)"_s}));
    EXPECT_EQ(names(), u"酒禁煙茶"_s) << "the largest first, as a first click";
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), 5);
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_TRUE(sort->actions().value(5)->isChecked());
    EXPECT_EQ(lastHeard(), u"１年の大きい順に並べ替えました"_s);

    sortBy(5);
    EXPECT_EQ(names(), u"茶禁煙酒"_s) << "the same column again reverses";
    EXPECT_EQ(lastHeard(), u"１年の小さい順に並べ替えました"_s);

    sortBy(0);
    EXPECT_EQ(names(), u"禁煙酒茶"_s);
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(lastHeard(), u"名前の順に並べ替えました"_s);

    press(Qt::Key_F10, Qt::ShiftModifier);
    press(Qt::Key_O);
    press(Qt::Key_R);
    EXPECT_EQ(names(), u"禁煙酒茶"_s);
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), -1) << "no indicator in file order";
    EXPECT_TRUE(sort->actions().constLast()->isChecked());
    EXPECT_EQ(lastHeard(), u"元の順に並べ替えました"_s);
    EXPECT_TRUE(grid->hasFocus()) << "the menu gave the focus back to the grid";
}

// Saving through the menu (Shift+F10, S) with the save dialog answered by a stand-in.
enum class Fault { None, Cancel, ReadOnlyFolder, FullDisk, UnwritableName };

struct SaveCase : Described
{
    Fault fault;
    Box box;        // the box shown
    QString starts; // how its text starts; empty: no box at all
    bool asked;     // whether the dialog was asked at all
};

class ListCsvSave : public ListMenuTest, public ::testing::WithParamInterface<SaveCase>
{};

TEST_P(ListCsvSave, WritesTheWholeFileOrNothingAndSaysSo)
{
    const SaveCase &c = GetParam();
    if (c.fault == Fault::FullDisk || c.fault == Fault::ReadOnlyFolder)
        POMIRO_REQUIRE_MOUNTS(c.what);
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = tmp.filePath(u"data"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    std::optional<pomiro::testing::FaultyFolder> faulty;
    if (c.fault == Fault::FullDisk || c.fault == Fault::ReadOnlyFolder) {
        faulty.emplace(folder, c.fault == Fault::FullDisk ? FolderFault::DiskFull
                                                          : FolderFault::ReadOnlyMount);
        ASSERT_TRUE(faulty->error().isEmpty()) << faulty->error().toStdString();
    }
    // An earlier list there must survive a failed save byte for byte.
    const QString path = QDir(folder).filePath(u"ぽみろ一覧.csv"_s);
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    if (faulty) {
        ASSERT_TRUE(faulty->strike(u"ぽみろ一覧.csv"_s));
    }
    const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    const QString name = c.fault == Fault::UnwritableName ? u"笑顔😀"_s : u"禁煙"_s;
    open({Entry{name, everyPeriod(u"\\100"_s)}}, folder);
    QStringList proposed;
    m_window->setAskSavePath([&](QWidget *, const QString &at) {
        proposed << at;
        return c.fault == Fault::Cancel ? QString() : path;
    });
    MessageBoxes boxes;
    press(Qt::Key_Tab);
    press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NE(openMenu(), nullptr);
    press(Qt::Key_S);

    EXPECT_EQ(proposed, c.asked ? QStringList{path} : QStringList{});
    ASSERT_EQ(boxes.shown.size(), c.starts.isEmpty() ? 0 : 1);
    if (!c.starts.isEmpty()) {
        EXPECT_EQ(boxes.shown[0].box, c.box);
        EXPECT_TRUE(boxes.shown[0].text.startsWith(c.starts)) << boxes.shown[0].text.toStdString();
        EXPECT_EQ(boxes.shown[0].title,
                  c.fault == Fault::None ? u"CSV で保存"_s : u"保存できません"_s);
    }
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    if (c.fault == Fault::None) {
        EXPECT_EQ(boxes.shown[0].text, u"「%1」に保存しました。"_s.arg(path));
        EXPECT_TRUE(bytes.startsWith("\x82\xdb\x82\xdd\x82\xeb\x81\x63,")) << "not CP932";
        EXPECT_TRUE(bytes.endsWith("\x91\x53\x8d\x87\x8c\x76,100,100,100,100,100,100,100,100,100,"
                                   "100\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), 3);
    } else {
        EXPECT_EQ(bytes, "old\r\n");
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), before)
            << "something was left behind";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ListCsvSave,
    ::testing::Values(
        SaveCase{{"saved"}, Fault::None, Box::Information, u"「"_s, true},
        SaveCase{{"cancelled"}, Fault::Cancel, Box::Other, QString(), true},
        SaveCase{{"a read only folder"},
                 Fault::ReadOnlyFolder,
                 Box::Warning,
                 u"CSVファイルを保存できませんでした。保存先のフォルダーに書き込めるか"_s,
                 true},
        SaveCase{{"a full disk"},
                 Fault::FullDisk,
                 Box::Warning,
                 u"ディスクの空きが足りないため、CSVファイルを保存できませんでした。"_s,
                 true},
        SaveCase{{"a name CP932 cannot hold"},
                 Fault::UnwritableName,
                 Box::Warning,
                 u"「笑顔😀」の行に、CSVファイル（Shift_JIS）に書けない文字「😀」があるため"_s,
                 false}),
    whatName);

} // namespace
