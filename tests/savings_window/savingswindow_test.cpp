// The savings window as the user meets it: the figures for the chosen entries, the rate changed by
// keys and remembered, nothing to put aside, unreadable rows named, the keys that move and close,
// what a screen reader hears, the copy, and the chart in a light and a dark theme.
#include "savings_window/savingswindow.h"

#include "savings_window/savingschart.h"
#include "savings_window/savingsmodel.h"
#include "tests/support/accessibilityevents.h"
#include "tests/support/cases.h"
#include "tests/support/messageboxes.h"
#include "tests/support/pdftext.h"
#include "tests/support/programfonts.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>

using namespace pomiro;
using namespace Qt::StringLiterals;
using pomiro::testing::AccessibilityEvents;
using pomiro::testing::Described;
using pomiro::testing::MessageBoxes;
using pomiro::testing::whatName;

namespace {

// An entry whose １年 text is `year`; its other periods say something the plan must not read.
Entry yearly(const QString &name, const QString &year)
{
    Entry entry = pomiro::testing::entry(name, u"\\999"_s);
    entry.amounts.fill(u"\\777"_s);
    entry.amount(4) = year;
    return entry;
}

class SavingsWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { pomiro::testing::useProgramFonts(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_settings.isValid());
        // The user's settings live here for the test, as ~/.config does for the program.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }

    void TearDown() override { delete m_window.data(); }

    SavingsWindow *open(const Entries &chosen, bool all = false)
    {
        m_window = new SavingsWindow(chosen, all, m_settings.path());
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window));
        return m_window;
    }

    template <typename T = QWidget> T *child(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }

    QString cell(int row, int col) const
    {
        return child<QTableView>("table")->model()->index(row, col).data().toString();
    }

    QStringList column(int col) const
    {
        QStringList texts;
        for (int row = 0; row < 6; ++row)
            texts << cell(row, col);
        return texts;
    }

    // A key as the user presses it: through the application to whatever has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_window->windowHandle(), key, modifiers);
    }

    // Tab until the control named `name` has the focus, as a user goes round the window.
    void tabTo(const char *name)
    {
        for (int i = 0; i < 12 && QApplication::focusWidget() != child(name); ++i)
            press(Qt::Key_Tab);
    }

    QTemporaryDir m_settings;
    QPointer<SavingsWindow> m_window;
};

TEST_F(SavingsWindowTest, ShowsThePlanForTheChosenEntries)
{
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    EXPECT_EQ(m_window->windowTitle(), u"ぽみろの積み立て"_s);
    EXPECT_EQ(child<QLabel>("sentence")->text(),
              u"毎月 \\15,208 を積み立てます（１年 \\182,500 ÷ 12）"_s);
    EXPECT_EQ(child<QLabel>("source")->text(), u"禁煙"_s);
    EXPECT_FALSE(child<QLabel>("leftOut")->isVisible());
    EXPECT_EQ(child<QDoubleSpinBox>("rate")->value(), 3.0) << "the first rate offered";
    EXPECT_EQ(column(0), (QStringList{u"１年"_s, u"３年"_s, u"５年"_s, u"１０年"_s, u"２０年"_s,
                                      u"３０年"_s}));
    EXPECT_EQ(cell(0, 2), u"\\185,030"_s);
    EXPECT_EQ(cell(3, 2), u"\\2,125,234"_s);
    EXPECT_EQ(cell(5, 1), u"\\5,475,000"_s);
    EXPECT_EQ(cell(5, 2), u"\\8,862,457"_s);
    EXPECT_EQ(cell(5, 3), u"\\3,387,457"_s);
    const QAbstractItemModel *model = child<QTableView>("table")->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), u"期間"_s);
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), u"増えた分"_s);
    // Fixed in size, as the program's other windows.
    EXPECT_EQ(m_window->minimumSize(), m_window->maximumSize());
}

// Every selected entry is named; with none selected, all entries are, by their count.
TEST_F(SavingsWindowTest, NamesWhereTheMonthlyAmountComesFrom)
{
    open({yearly(u"禁煙"_s, u"\\365,000"_s), yearly(u""_s, u"\\360,100"_s),
          yearly(u"コーヒー"_s, u"たくさん"_s), yearly(u"空"_s, u"\\"_s)},
         true);
    EXPECT_EQ(child<QLabel>("source")->text(), u"すべての「ぽみろ」（4 件）"_s);
    EXPECT_EQ(child<QLabel>("sentence")->text(),
              u"毎月 \\60,425 を積み立てます（１年 \\725,100 ÷ 12）"_s)
        << "the unreadable row is left out, a zero counts 0";
    EXPECT_TRUE(child<QLabel>("leftOut")->isVisible());
    EXPECT_EQ(child<QLabel>("leftOut")->text(),
              u"１年の金額が読めないため入れなかった「ぽみろ」：コーヒー"_s);
    delete m_window.data();

    open({yearly(u"禁煙"_s, u"\\365,000"_s), yearly(u""_s, u"\\1"_s)});
    EXPECT_EQ(child<QLabel>("source")->text(), u"禁煙、（名前なし）"_s);
}

struct Nothing : Described
{
    Entries chosen;
    QString sentence;
};

class NothingToPutAside : public SavingsWindowTest, public ::testing::WithParamInterface<Nothing>
{};

// The window still opens, says so in one sentence, shows no figures and draws no lines.
TEST_P(NothingToPutAside, SaysSoAndDrawsNoLines)
{
    open(GetParam().chosen, true);
    EXPECT_EQ(child<QLabel>("sentence")->text(), GetParam().sentence);
    for (int col = 1; col < 4; ++col)
        EXPECT_EQ(column(col), QStringList(6, QString())) << "column " << col;
    auto *chart = child<SavingsChart>("chart");
    EXPECT_FALSE(chart->plan().hasSaving);
    const QImage picture = chart->grab().toImage();
    const ChartColours colours = chartColours(chart->palette());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor seen = picture.pixelColor(x, y);
            // The legend's samples are there; nothing else in the lines' colours.
            if (y > 30) {
                ASSERT_TRUE(seen != colours.saved && seen != colours.grown)
                    << "a line at " << x << "," << y;
            }
        }
    EXPECT_EQ(chart->accessibleDescription(), u"積み立てる金額がないため、線はありません。"_s);
}

const QString kNothing =
    u"積み立てる金額がありません。１年の金額が 0 円より多い「ぽみろ」を選んでください。"_s;

INSTANTIATE_TEST_SUITE_P(
    Entries, NothingToPutAside,
    ::testing::Values(
        Nothing{{"no entries"}, {}, kNothing},
        Nothing{{"none readable"}, {yearly(u"a"_s, u"たくさん"_s)}, kNothing},
        Nothing{{"zero"}, {yearly(u"a"_s, u"\\"_s), yearly(u"b"_s, u""_s)}, kNothing},
        Nothing{{"less than zero"},
                {yearly(u"a"_s, u"\\-500"_s), yearly(u"b"_s, u"\\100"_s)},
                kNothing},
        Nothing{
            {"a total too large"},
            {yearly(u"a"_s, u"\\99,999,999,999,999,999,999"_s)},
            u"１年の合計が大きすぎるため計算できません。「ぽみろ」を選んで少なくしてください。"_s}),
    whatName);

// A figure beyond the Amount range is shown as the list shows an overflow, never as a number.
TEST_F(SavingsWindowTest, AFigureTooLargeIsShownAsAnOverflow)
{
    open({yearly(u"a"_s, u"\\100,000,000,000,000"_s)});
    EXPECT_EQ(cell(0, 1), u"\\100,000,000,000,000"_s);
    EXPECT_EQ(cell(5, 1), u"桁あふれ"_s);
    EXPECT_EQ(cell(5, 2), u"桁あふれ"_s);
    EXPECT_EQ(cell(5, 3), u"桁あふれ"_s);
}

// The rate by keys: each step redraws the table and the chart at once, is remembered for the next
// window, and a screen reader hears the new 30-year figure.
TEST_F(SavingsWindowTest, TheRateChangedByKeysIsShownHeardAndRemembered)
{
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    auto *rate = child<QDoubleSpinBox>("rate");
    ASSERT_TRUE(rate->hasFocus()) << "the rate is where the window starts";
    AccessibilityEvents heard;
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(rate->value(), 0.0) << "no rate below 0";
    EXPECT_EQ(column(2), column(1)) << "at 0 % the plan holds exactly what was put aside";
    EXPECT_EQ(child<SavingsChart>("chart")->plan().rate, 0);
    press(Qt::Key_Up);
    EXPECT_EQ(rate->value(), 0.5);
    EXPECT_EQ(m_window->report().rate, 5);
    const QStringList announced = heard.announced();
    ASSERT_FALSE(announced.isEmpty());
    EXPECT_EQ(announced.constLast(), u"年利 0.5％ で運用した場合、３０年で %1"_s.arg(cell(5, 2)));

    for (int i = 0; i < 5; ++i)
        press(Qt::Key_PageUp);
    press(Qt::Key_Up);
    EXPECT_EQ(rate->value(), 20.0) << "no rate above 20";
    delete m_window.data();

    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    EXPECT_EQ(child<QDoubleSpinBox>("rate")->value(), 20.0) << "the last rate was not remembered";
}

// A goal by keys, on the plan a user can check by hand (１年 \182,500 at 3.0 %): the target typed
// as people write it gives the month it is reached and what a month reaches it in the chosen
// years, the chart gets its line, the start counts as put aside, the tax is remembered, and an
// amount that cannot be read is told and put back.
TEST_F(SavingsWindowTest, AGoalAStartAndTheTaxChangeThePlanAsTyped)
{
    QSettings().setValue(SavingsWindow::rateSettingKey(), 3.0);
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    auto *target = child<QLineEdit>("target");
    auto *start = child<QLineEdit>("start");
    EXPECT_EQ(start->text(), u"\\"_s) << "nothing saved so far: the start is zero";
    EXPECT_FALSE(child<QCheckBox>("taxed")->isChecked()) << "no tax at first";

    AccessibilityEvents heard;
    target->setFocus();
    target->setText(u"１００万円"_s);
    press(Qt::Key_Return);
    const QDate month = QDate::currentDate().addMonths(61);
    const QString reached =
        u"目標の \\1,000,000 に届くのは 5 年 1 ヶ月後（%1 年 %2 月）です"_s.arg(month.year())
            .arg(month.month());
    EXPECT_EQ(child<QLabel>("targetSentence")->text(), reached);
    EXPECT_EQ(child<QLabel>("neededSentence")->text(), u"１０年で届くには毎月 \\7,157"_s);
    EXPECT_EQ(target->text(), u"\\1,000,000"_s);
    ASSERT_FALSE(heard.announced().isEmpty());
    EXPECT_TRUE(heard.announced().constLast().startsWith(reached));
    EXPECT_EQ(child<SavingsChart>("chart")->plan().target, Amount::fromYen(1'000'000));

    auto *years = child<QSpinBox>("goalYears");
    years->setValue(50);
    EXPECT_TRUE(child<QLabel>("neededSentence")->text().startsWith(u"５０年で届くには毎月 "_s));

    // The start counts as put aside; "5万" as people write it.
    start->setFocus();
    start->setText(u"5万"_s);
    press(Qt::Key_Return);
    EXPECT_EQ(cell(0, 1), formatAmountText(Amount::fromYen(50'000 + 182'500)));

    // An amount that cannot be read is told, and the field shows what the plan still uses.
    MessageBoxes boxes;
    start->setFocus();
    start->setText(u"たくさん"_s);
    press(Qt::Key_Return);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(start->text(), u"\\50,000"_s);

    // The tax lowers what the plan shows and is remembered.
    const QString untaxed = cell(5, 2);
    child<QCheckBox>("taxed")->setChecked(true);
    EXPECT_LT(parseAmountText(cell(5, 2)).value(), parseAmountText(untaxed).value());
    delete m_window.data();
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    EXPECT_TRUE(child<QCheckBox>("taxed")->isChecked()) << "the tax was not remembered";
    child<QCheckBox>("taxed")->setChecked(false);
}

// Every change by keys is told with each figure it moved on screen: the plan's last figure, the
// month the target is reached and what a month reaches it. The reference is the screen before and
// after the change, so a sentence the change moved but the announcement left out fails.
TEST_F(SavingsWindowTest, EveryChangeIsToldWithTheFiguresItMoved)
{
    QSettings().setValue(SavingsWindow::rateSettingKey(), 3.0);
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    const auto type = [this](const char *field, const QString &text) {
        return [this, field, text] {
            child(field)->setFocus();
            child<QLineEdit>(field)->setText(text);
            press(Qt::Key_Return);
        };
    };
    const auto key = [this](const char *control, Qt::Key pressed) {
        return [this, control, pressed] {
            child(control)->setFocus();
            press(pressed);
        };
    };
    const auto shown = [this] {
        return QStringList{cell(5, 2), child<QLabel>("targetSentence")->text(),
                           child<QLabel>("neededSentence")->text()};
    };
    const struct
    {
        const char *what;
        std::function<void()> change;
    } changes[] = {
        {"a target", type("target", u"300万"_s)},
        {"a rate step", key("rate", Qt::Key_Up)},
        {"a start", type("start", u"20万"_s)},
        {"the tax", key("taxed", Qt::Key_Space)},
        {"the years", key("goalYears", Qt::Key_Down)},
        {"another target", type("target", u"50万"_s)},
        {"a start past the target", type("start", u"60万"_s)},
    };
    for (const auto &step : changes) {
        SCOPED_TRACE(step.what);
        const QStringList before = shown();
        AccessibilityEvents heard;
        step.change();
        const QStringList after = shown();
        ASSERT_NE(before, after) << "the change moved nothing; the table is wrong";
        ASSERT_FALSE(heard.announced().isEmpty());
        const QString told = heard.announced().constLast();
        for (qsizetype i = 0; i < after.size(); ++i) {
            if (after[i] != before[i] && !after[i].isEmpty()) {
                EXPECT_TRUE(told.contains(after[i]))
                    << qPrintable(after[i]) << " not in " << qPrintable(told);
            }
        }
    }
    child<QCheckBox>("taxed")->setChecked(false);
}

// A rate remembered before the window found its settings by the application's names is still
// there: the settings file and its key are the ones the program has always written, by these
// explicit names, and the window reads the rate from them and writes a new one back.
TEST_F(SavingsWindowTest, TheRateIsKeptInTheSettingsFileItAlwaysWasIn)
{
    const QString key = u"savings/yearlyRatePercent"_s;
    for (const double remembered : {0.0, 7.5, 19.5}) {
        QSettings(u"pomiro-checker"_s, u"pomiro-checker"_s).setValue(key, remembered);
        open({yearly(u"禁煙"_s, u"\\182,500"_s)});
        auto *rate = child<QDoubleSpinBox>("rate");
        EXPECT_EQ(rate->value(), remembered);
        press(Qt::Key_Up);
        const double chosen = rate->value();
        EXPECT_EQ(chosen, remembered + 0.5);
        delete m_window.data();
        EXPECT_EQ(QSettings(u"pomiro-checker"_s, u"pomiro-checker"_s).value(key).toDouble(), chosen)
            << "the rate went elsewhere";
    }
    EXPECT_TRUE(QFileInfo::exists(m_settings.filePath(u"pomiro-checker/pomiro-checker.conf"_s)));
}

// Tab goes 年利 → table → buttons and round again; Esc closes.
TEST_F(SavingsWindowTest, TabGoesRateTableButtonsAndEscCloses)
{
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        visited << QApplication::focusWidget()->objectName();
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{u"rate"_s, u"start"_s, u"taxed"_s, u"target"_s, u"goalYears"_s,
                                    u"table"_s, u"copyButton"_s, u"pdfButton"_s, u"printButton"_s,
                                    u"closeButton"_s, u"rate"_s}));
    press(Qt::Key_Escape);
    EXPECT_TRUE(m_window.isNull() || !m_window->isVisible()) << "Esc left the window open";
}

TEST_F(SavingsWindowTest, CopiesTheTableAsTabSeparatedText)
{
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    QApplication::clipboard()->clear();
    tabTo("copyButton");
    ASSERT_EQ(QApplication::focusWidget(), child("copyButton"));
    press(Qt::Key_Space);
    const QStringList lines = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7) << QApplication::clipboard()->text().toStdString();
    EXPECT_EQ(lines[0], u"期間\t積み立てた額\t運用した場合\t増えた分"_s);
    EXPECT_EQ(lines[1], u"１年\t182500\t185030\t2530"_s);
    EXPECT_EQ(lines[6], u"３０年\t5475000\t8862457\t3387457"_s);
}

// PDF で保存 by keys: the dialog proposes ぽみろの積み立て.pdf beside the data file, and the page
// lands where the user chose, as every saved file does, with the figures shown.
TEST_F(SavingsWindowTest, SavesThePageAsAPdfWhereTheUserChose)
{
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    QStringList proposed;
    const QString chosen = m_settings.filePath(u"控え.pdf"_s);
    m_window->setPrinting(PdfPrinting([] { return std::nullopt; }, [] { return QDate(2009, 1, 5); },
                                      [&](QWidget *, const QString &path) {
                                          proposed << path;
                                          return chosen;
                                      }));
    MessageBoxes boxes;
    tabTo("pdfButton");
    ASSERT_EQ(QApplication::focusWidget(), child("pdfButton"));
    press(Qt::Key_Space);
    EXPECT_EQ(proposed, QStringList{m_settings.filePath(u"ぽみろの積み立て.pdf"_s)});
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, u"「%1」に保存しました。"_s.arg(chosen));
    const QString text = pomiro::testing::pdfText(chosen);
    EXPECT_TRUE(text.contains(u"ぽみろの積み立て"_s) && text.contains(u"\\8,862,457"_s))
        << text.toStdString();
}

// A screen reader meets a real table with its titles, hears each cell with its row and column,
// and meets the chart as a chart described by its 30-year figures.
TEST_F(SavingsWindowTest, IsHeardAsATableAndAChart)
{
    AccessibilityEvents heard;
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(child("table"));
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 6);
    EXPECT_EQ(table->tableInterface()->columnCount(), 4);
    QAccessibleInterface *grown10 = table->tableInterface()->cellAt(3, 2);
    ASSERT_NE(grown10, nullptr);
    EXPECT_EQ(grown10->text(QAccessible::Name), u"１０年 運用した場合 \\2,125,234"_s);
    // Qt makes a new header cell for each question and leaves it to whoever asked.
    QAccessibleInterface *header = grown10->tableCellInterface()->columnHeaderCells().value(0);
    ASSERT_NE(header, nullptr);
    const QString headerName = header->text(QAccessible::Name);
    QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
    EXPECT_EQ(headerName, u"運用した場合"_s);

    QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(child("chart"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name), u"積み立てのグラフ"_s);
    EXPECT_EQ(chart->text(QAccessible::Description),
              u"３０年で、積み立てた額は \\5,475,000、運用した場合は \\8,862,457 になります。"_s);
}

// The chart drawn in a light and in a dark theme: the same two lines at the same places, each
// standing out from the background by at least 3:1, the plan's above what was put aside.
TEST_F(SavingsWindowTest, TheChartIsTheSameInALightAndADarkTheme)
{
    open({yearly(u"禁煙"_s, u"\\182,500"_s)});
    auto *chart = child<SavingsChart>("chart");
    const auto linesOf = [chart](const QPalette &palette) {
        chart->setPalette(palette);
        const ChartColours colours = chartColours(palette);
        const QImage picture = chart->grab().toImage();
        // Pixels of each line's exact colour: the middle of its stroke.
        QList<QPoint> saved, grown;
        for (int y = 40; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor seen = picture.pixelColor(x, y);
                if (seen == colours.saved)
                    saved << QPoint(x, y);
                else if (seen == colours.grown)
                    grown << QPoint(x, y);
            }
        return std::pair{saved, grown};
    };
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    const auto [lightSaved, lightGrown] = linesOf(light);
    const auto [darkSaved, darkGrown] = linesOf(dark);
    ASSERT_GT(lightSaved.size(), 100);
    ASSERT_GT(lightGrown.size(), 100);
    // The same line where the two themes both draw it, within a pixel; a pixel where the lines
    // cross may blend differently over the other line's colour.
    const auto sameLine = [](const QList<QPoint> &a, const QList<QPoint> &b) {
        const auto middles = [](const QList<QPoint> &points) {
            QMap<int, QList<int>> columns;
            for (const QPoint &point : points)
                columns[point.x()] << point.y();
            QMap<int, double> middle;
            for (auto it = columns.cbegin(); it != columns.cend(); ++it)
                middle[it.key()] = std::accumulate(it->begin(), it->end(), 0.0) / it->size();
            return middle;
        };
        const QMap<int, double> first = middles(a);
        const QMap<int, double> second = middles(b);
        int shared = 0;
        for (auto it = first.cbegin(); it != first.cend(); ++it) {
            if (!second.contains(it.key()))
                continue;
            ++shared;
            if (std::abs(second[it.key()] - it.value()) > 1.0)
                return false;
        }
        return shared >= 0.95 * std::max(first.size(), second.size());
    };
    EXPECT_TRUE(sameLine(lightSaved, darkSaved));
    EXPECT_TRUE(sameLine(lightGrown, darkGrown));
    // At the right end the plan's dashed line runs above the straight one.
    const auto rightmost = [](const QList<QPoint> &points) {
        return *std::max_element(points.begin(), points.end(),
                                 [](QPoint a, QPoint b) { return a.x() < b.x(); });
    };
    EXPECT_LT(rightmost(lightGrown).y(), rightmost(lightSaved).y());

    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const auto contrast = [&](const QColor &a, const QColor &b) {
        const double la = luminance(a), lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    };
    for (const QPalette &palette : {light, dark}) {
        const ChartColours colours = chartColours(palette);
        EXPECT_GE(contrast(colours.saved, colours.background), 3.0);
        EXPECT_GE(contrast(colours.grown, colours.background), 3.0);
        EXPECT_GE(contrast(colours.text, colours.background), 4.5);
    }
}

} // namespace
