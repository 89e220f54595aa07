// The main window on a real Japanese desktop: an input method that stays on, Qt's own menus, the
// desktop's light or dark theme, and the mouse wheel.
#include "list_window/entrylistmodel.h"
#include "list_window/frozentableview.h"
#include "list_window/listwindow.h"
#include "platform/qtjapanese.h"
#include "tests/support/gridpoints.h"
#include "tests/support/mainwindowtest.h"

#include <QHeaderView>
#include <QInputMethodQueryEvent>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <cmath>
#include <qpa/qwindowsysteminterface.h>

namespace pomiro::testing {
namespace {

// What Qt's input context asks the focused widget before it hands a key to the input method.
bool takesComposedText(QWidget *widget)
{
    widget->setFocus();
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(QGuiApplication::focusObject(), &query);
    return query.value(Qt::ImEnabled).toBool();
}

TEST_F(MainWindowTest, AmountFieldsTakeNoComposedTextWhileTheNameBoxDoes)
{
    start();
    for (const char *name : kFieldNames)
        EXPECT_FALSE(takesComposedText(child(name))) << name;
    EXPECT_TRUE(takesComposedText(nameBox()));
    // What an input method commits all the same still reaches the field, as typed.
    QLineEdit *field = child<QLineEdit>("weekField");
    field->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(u"700"_s);
    QApplication::sendEvent(field, &commit);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>("dayField")->text(), u"\\100"_s);
}

// The texts of the menu that `open` pops up, read while it is open, then closed.
QStringList poppedUpMenu(const std::function<void()> &open)
{
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions())
                if (!action->isSeparator())
                    texts << action->text().section(u'\t', 0, 0);
            menu->close();
        }
    });
    open();
    return texts;
}

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(u'\t', 0, 0); // without the shortcut
    delete menu;
    return texts;
}

TEST_F(MainWindowTest, QtsOwnMenusSpeakJapanese)
{
    useQtJapanese(); // as the program does at start
    start();
    const QStringList field = menuTexts(child<QLineEdit>("dayField")->createStandardContextMenu());
    const QStringList name = menuTexts(nameBox()->lineEdit()->createStandardContextMenu());
    const QStringList scrolling = poppedUpMenu([this] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 5),
                                scrollBar()->mapToGlobal(QPoint(20, 5)));
        QApplication::sendEvent(scrollBar(), &event);
    });

    EXPECT_TRUE(field.contains(u"元に戻す(&U)"_s)) << field.join(u", ").toStdString();
    EXPECT_TRUE(field.contains(u"貼り付け(&P)"_s)) << field.join(u", ").toStdString();
    EXPECT_EQ(name, field);
    ASSERT_FALSE(scrolling.isEmpty());
    // Not one English word is left in any of them.
    static const QRegularExpression english(u"[A-Za-z]{2,}"_s);
    for (const QString &text : field + scrolling)
        EXPECT_FALSE(text.contains(english)) << text.toStdString();
}

// WCAG's relative luminance and contrast ratio.
double luminance(QRgb colour)
{
    const auto channel = [](int value) {
        const double s = value / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
           0.0722 * channel(qBlue(colour));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How well the text drawn in `area` of `shot` stands out: its commonest colour is what the text is
// drawn on, and the pixel that differs most from it is the text at its strongest.
double textContrast(const QImage &shot, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[shot.pixel(x, y) | 0xff000000];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(background, most) = std::pair{it.key(), it.value()};
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(background, it.key()));
    return best;
}

// `widget`'s place in its window, less a few pixels of frame.
QRect inside(const QWidget *widget, int inset = 3)
{
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size())
        .adjusted(inset, inset, -inset, -inset);
}

QPalette darkTheme()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
    dark.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::AlternateBase, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xec));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xec));
    dark.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::ToolTipText, Qt::white);
    return dark;
}

struct Theme
{
    const char *name;
    QPalette (*palette)();
};

void PrintTo(const Theme &theme, std::ostream *out)
{
    *out << theme.name;
}

class ThemeTest : public MainWindowTest, public ::testing::WithParamInterface<Theme>
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_previous = QApplication::palette();
        QApplication::setPalette(GetParam().palette());
    }
    void TearDown() override
    {
        if (m_list)
            delete m_list.data();
        MainWindowTest::TearDown();
        QApplication::setPalette(m_previous);
    }

    // Every text drawn in `areas` of `window` reaches WCAG's 4.5:1 against what it is drawn on.
    static void expectReadable(QWidget *window, const QList<std::pair<QString, QRect>> &areas)
    {
        const QImage shot = window->grab().toImage();
        for (const auto &[what, area] : areas)
            EXPECT_GE(textContrast(shot, area), 4.5) << what.toStdString();
    }

    QPointer<QWidget> m_list;

private:
    QPalette m_previous;
};

TEST_P(ThemeTest, EveryTextOfTheMainWindowCanBeRead)
{
    writeDataFile(dataFileBytes(3));
    start();
    QList<std::pair<QString, QRect>> areas;
    for (const char *name : {"nameCaption", "dayField", "thirtyYearsField", "periodCaption0",
                             "periodCaption9", "counter"})
        areas.append({QLatin1String(name), inside(child(name))});
    areas.append({u"name box"_s, inside(nameBox()->lineEdit(), 1)});
    expectReadable(window.get(), areas);
}

TEST_P(ThemeTest, EveryRowOfTheListCanBeRead)
{
    writeDataFile(dataFileBytes(3));
    start();
    click("listButton");
    auto *list = window->findChild<ListWindow *>();
    ASSERT_NE(list, nullptr);
    m_list = list;
    auto *grid = list->findChild<FrozenTableView *>();
    auto *model = qobject_cast<EntryListModel *>(grid->model());
    model->toggleRow(0);
    model->toggleRow(1);
    model->toggleRow(1);
    QCoreApplication::processEvents();

    // Row -1 is the column titles above the rows.
    const struct
    {
        const char *what;
        int row, col;
    } cells[] = {
        {"header", -1, 1},
        {"name", 0, 0},
        {"selected row", 0, 1},
        {"deselected row", 1, 1},
        {"row never clicked", 2, 1},
        {"全合計", 4, 0},
        {"total", 4, 1},
        {"選択合計", 5, 0},
        {"selected total", 5, 1},
    };
    QList<std::pair<QString, QRect>> areas;
    for (const auto &cell : cells) {
        // Around the cell's centre where the user sees it; the names are drawn by the frozen
        // column, narrower than their text is wide.
        const bool title = cell.row < 0;
        const int width = cell.col == 0 ? 80 : grid->columnWidth(cell.col) - 4;
        QRect rect(0, 0, width,
                   (title ? grid->horizontalHeader()->height() : grid->rowHeight(cell.row)) - 2);
        rect.moveCenter(
            grid->mapTo(list, title ? headerCentre(grid, cell.col)
                                    : grid->cellCentre(model->index(cell.row, cell.col))));
        areas.append({QString::fromUtf8(cell.what), rect});
    }
    areas.append({u"caption under the grid"_s, inside(list->findChild<QLabel *>(), 0)});
    expectReadable(list, areas);
}

INSTANTIATE_TEST_SUITE_P(
    DesktopThemes, ThemeTest,
    ::testing::Values(Theme{"light", [] { return QApplication::style()->standardPalette(); }},
                      Theme{"dark", darkTheme}),
    [](const auto &info) { return std::string(info.param.name); });

// Turns the wheel over the middle of `widget` as a mouse does: the window system hands the turn to
// the window, and QApplication gives it to the widget under the pointer, the focus first to a
// widget that takes the focus by the wheel.
void turnWheel(QWidget *widget, int steps)
{
    QWidget *top = widget->window();
    const QPoint at = widget->mapTo(top, widget->rect().center());
    for (int step = 0; step < steps; ++step) {
        QWindowSystemInterface::handleWheelEvent(top->windowHandle(), at, top->mapToGlobal(at),
                                                 QPoint(), QPoint(0, -120));
        QCoreApplication::processEvents();
    }
}

TEST_F(MainWindowTest, TheWheelChangesTheEntryOnlyWhereTheUserIsWorking)
{
    writeDataFile(dataFileBytes(5));
    start();
    scrollBar()->setValue(2);
    QLineEdit *day = child<QLineEdit>("dayField");
    day->setFocus();
    day->clear();
    type(u"500"_s);
    press(Qt::Key_Return);
    ASSERT_EQ(fieldTexts(), k500ADay);
    child<QLineEdit>("weekField")->setText(u"typed"_s);
    PeriodTexts typed = k500ADay;
    typed[1] = u"typed"_s;

    // Passing over the name box and the amount fields on the way elsewhere.
    turnWheel(nameBox(), 2);
    turnWheel(child("yearField"), 1);
    EXPECT_EQ(counter(), u"2 / 5"_s);
    EXPECT_EQ(nameBox()->currentText(), sampleEntry(2).name);
    EXPECT_EQ(fieldTexts(), typed);
    EXPECT_EQ(QApplication::focusWidget(), day);

    // In the name box the user is working in, the wheel browses like the arrow keys of its list.
    nameBox()->setFocus();
    turnWheel(nameBox(), 1);
    expectShows(3, 5);
    // And on the scroll bar, which is there to browse.
    turnWheel(scrollBar(), 1);
    expectShows(4, 5);
}

} // namespace
} // namespace pomiro::testing
