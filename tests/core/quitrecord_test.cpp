// Quit records: the days and money of a run against a walk through every day, the edits and what
// they refuse, and dates as people write them in both calendars.

#include "core/quitrecord.h"

#include "core/dateform.h"
#include "tests/support/cases.h"

#include <QDate>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using namespace pomiro;
using pomiro::testing::Described;
using pomiro::testing::TextCase;
using pomiro::testing::textName;
using pomiro::testing::whatName;

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kTopYen = kMax / Amount::kUnitsPerYen; // the largest whole yen an Amount holds

const auto day = [](int y, int m, int d) { return QDate(y, m, d); };
const auto yen = [](qint64 whole) { return Amount::fromYen(whole); };
const auto run = [](QDate start, Amount daily, std::optional<QDate> end = {}) {
    return QuitRun{start, end, daily};
};

// --- The reference: every counted day walked one by one ------------------------------------------

// The amount in force on `d`: the last change dated from the run's start to `d`, searched plainly.
qint64 dailyOn(const QuitRun &r, const QList<PriceChange> &prices, QDate d)
{
    qint64 daily = r.firstDaily.units;
    for (const PriceChange &price : prices)
        if (price.from >= r.start && price.from <= d)
            daily = price.daily.units;
    return daily;
}

struct Walked
{
    qint64 days = 0;
    std::optional<qint64> yen; // none: beyond the Amount range
};

Walked walk(const QuitRun &r, const QList<PriceChange> &prices, QDate today)
{
    Walked walked;
    __extension__ __int128 total = 0;
    for (QDate d = r.start; d < r.end.value_or(today); d = d.addDays(1), ++walked.days)
        total += dailyOn(r, prices, d);
    // Truncated to whole yen; a rest of half a yen or more goes one further from zero.
    __extension__ __int128 whole = total / Amount::kUnitsPerYen;
    const auto rest = total % Amount::kUnitsPerYen;
    if (2 * (rest < 0 ? -rest : rest) >= Amount::kUnitsPerYen)
        whole += total < 0 ? -1 : 1;
    if (whole >= -kTopYen && whole <= kTopYen)
        walked.yen = qint64(whole);
    return walked;
}

// --- Days and money ----------------------------------------------------------------------------

struct Saving : Described
{
    QuitRun run;
    QList<PriceChange> prices;
    QDate today;
    qint64 days;               // as the calendar says
    std::optional<qint64> yen; // as worked out by hand; none: beyond the Amount range
};

class SavedOverARun : public ::testing::TestWithParam<Saving>
{};

TEST_P(SavedOverARun, IsEveryDayAtItsAmountRoundedOnce)
{
    const Saving &c = GetParam();
    const Walked walked = walk(c.run, c.prices, c.today);
    const RunFigures figures = runFigures(c.run, c.prices, c.today);
    ASSERT_EQ(walked.days, c.days) << "the walk and the calendar disagree";
    ASSERT_EQ(walked.yen, c.yen) << "the walk and the hand disagree";
    EXPECT_EQ(figures.days, c.days);
    if (c.yen) {
        ASSERT_TRUE(figures.saved) << "overflow reported for a sum that fits";
        EXPECT_EQ(*figures.saved, yen(*c.yen));
    } else {
        ASSERT_FALSE(figures.saved) << "beyond the range, yet " << figures.saved->units;
        EXPECT_EQ(figures.saved.error(), AmountError::OutOfRange);
    }
    const QDate until = std::min(c.run.end.value_or(c.today), c.run.start.addDays(400));
    for (QDate d = c.run.start; d < until; d = d.addDays(1))
        ASSERT_EQ(dailyAmountOn(c.run, c.prices, d).units, dailyOn(c.run, c.prices, d));
}

const QDate kSep1 = day(2026, 9, 1);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, SavedOverARun, ::testing::Values(
    Saving{{"the start itself is day 0"}, run(kSep1, yen(500)), {}, kSep1, 0, 0},
    Saving{{"over February 29th"}, run(day(2024, 2, 28), yen(100)), {}, day(2024, 3, 1), 2, 200},
    Saving{{"over a February without one"}, run(day(2023, 2, 28), yen(100)), {}, day(2023, 3, 1), 1, 100},
    Saving{{"2100 is no leap year"}, run(day(2100, 2, 28), yen(100)), {}, day(2100, 3, 1), 1, 100},
    Saving{{"2000 is one"}, run(day(2000, 2, 28), yen(100)), {}, day(2000, 3, 1), 2, 200},
    Saving{{"a whole leap year"}, run(day(2024, 1, 1), yen(1)), {}, day(2025, 1, 1), 366, 366},
    Saving{{"over new year"}, run(day(2025, 12, 31), yen(300)), {}, day(2026, 1, 1), 1, 300},
    Saving{{"since 1900"}, run(day(1900, 1, 1), yen(1)), {}, kSep1, 46'264, 46'264},
    Saving{{"a change to 600 on October 1st"}, run(kSep1, yen(500)), {{day(2026, 10, 1), yen(600)}}, day(2026, 12, 10), 100, 30 * 500 + 70 * 600},
    Saving{{"a change on the start day"}, run(kSep1, yen(500)), {{kSep1, yen(600)}}, day(2026, 9, 11), 10, 6'000},
    Saving{{"a change before the start"}, run(kSep1, yen(500)), {{day(2026, 8, 1), yen(600)}}, day(2026, 9, 11), 10, 5'000},
    Saving{{"a change dated today"}, run(kSep1, yen(500)), {{day(2026, 9, 11), yen(600)}}, day(2026, 9, 11), 10, 5'000},
    Saving{{"four changes, one before the run"}, run(kSep1, yen(500)),
           {{day(2026, 1, 1), yen(1)}, {day(2026, 9, 3), yen(450)}, {day(2026, 9, 5), yen(-20)}, {day(2026, 9, 8), Amount{12'345}}},
           day(2026, 9, 11), 10, 2 * 500 + 2 * 450 - 3 * 20 + 4 /* 3.7035 rounded with the rest */},
    Saving{{"an ended run counts to its end"}, run(kSep1, yen(500), day(2026, 9, 21)), {{day(2026, 9, 21), yen(900)}}, day(2027, 5, 5), 20, 10'000},
    Saving{{"a run ended on its start"}, run(kSep1, yen(500), kSep1), {}, day(2027, 1, 1), 0, 0},
    Saving{{"a clock set back"}, run(kSep1, yen(500)), {{day(2026, 10, 1), yen(600)}}, day(2026, 8, 31), 0, 0},
    Saving{{"half a yen for three days"}, run(kSep1, Amount{5'000}), {}, day(2026, 9, 4), 3, 2},
    Saving{{"minus half a yen for three days"}, run(kSep1, Amount{-5'000}), {}, day(2026, 9, 4), 3, -2},
    Saving{{"minus half a yen for a day"}, run(kSep1, Amount{-5'000}), {}, day(2026, 9, 2), 1, -1},
    Saving{{"just under minus half a yen"}, run(kSep1, Amount{-4'999}), {}, day(2026, 9, 2), 1, 0},
    Saving{{"0.4 yen for five days, rounded once"}, run(kSep1, Amount{4'000}), {}, day(2026, 9, 6), 5, 2},
    Saving{{"quarters of two stretches"}, run(kSep1, Amount{2'500}), {{day(2026, 9, 2), Amount{7'500}}}, day(2026, 9, 3), 2, 1},
    Saving{{"a habit that earns"}, run(kSep1, yen(-120)), {}, day(2026, 9, 8), 7, -840},
    Saving{{"the largest whole yen"}, run(kSep1, yen(kTopYen)), {}, day(2026, 9, 2), 1, kTopYen},
    Saving{{"the largest whole yen twice"}, run(kSep1, yen(kTopYen)), {}, day(2026, 9, 3), 2, std::nullopt},
    Saving{{"the largest amount"}, run(kSep1, Amount{kMax}), {}, day(2026, 9, 2), 1, std::nullopt},
    Saving{{"just under half a yen past the top"}, run(kSep1, Amount{kMax - 808}), {}, day(2026, 9, 2), 1, kTopYen},
    Saving{{"the lowest amount"}, run(kSep1, Amount{kMin}), {}, day(2026, 9, 2), 1, std::nullopt},
    Saving{{"half a yen past the bottom"}, run(kSep1, Amount{kMin + 808}), {}, day(2026, 9, 2), 1, std::nullopt},
    Saving{{"just under half a yen past the bottom"}, run(kSep1, Amount{kMin + 809}), {}, day(2026, 9, 2), 1, -kTopYen},
    Saving{{"past the top and back"}, run(kSep1, yen(600'000'000'000'000)), {{day(2026, 9, 3), yen(-600'000'000'000'000)}}, day(2026, 9, 5), 4, 0}),
    whatName);
// clang-format on

// The figures of a record on each of several days, and the sum of records' figures.
TEST(RecordFigures, SumEveryRunAndCountTheOneGoingOnToToday)
{
    QuitRecord record{u"禁煙"_s,
                      {run(day(2026, 1, 1), yen(400), day(2026, 1, 31)),
                       run(day(2026, 2, 10), yen(450), day(2026, 2, 15)),
                       run(day(2026, 3, 1), yen(500))},
                      {{day(2026, 1, 11), yen(420)}, {day(2026, 3, 11), Amount{5'100'000}}}};
    for (const int daysOn : {0, 10, 29, 30, 31, 45}) {
        const QDate today = day(2026, 3, 1).addDays(daysOn);
        const RecordFigures figures = recordFigures(record, today);
        qint64 overall = 0;
        qint64 longest = 0;
        for (const QuitRun &r : record.runs) {
            overall += *walk(r, record.prices, today).yen;
            longest = std::max(longest, walk(r, record.prices, today).days);
        }
        EXPECT_EQ(figures.quitOn, day(2026, 3, 1));
        EXPECT_EQ(figures.days, daysOn);
        EXPECT_EQ(figures.current.value(), yen(*walk(record.runs[2], record.prices, today).yen));
        EXPECT_EQ(figures.overall.value(), yen(overall));
        EXPECT_EQ(figures.longest, longest) << daysOn << " days on";
    }
    record.runs.removeLast();
    const RecordFigures ended = recordFigures(record, day(2026, 6, 1));
    EXPECT_FALSE(ended.quitOn);
    EXPECT_EQ(ended.days, 0);
    EXPECT_EQ(ended.current.value(), Amount{});
    EXPECT_EQ(ended.longest, 30);

    // Each of two runs fits, their sum does not; one record beyond makes the total beyond.
    const Amount big = yen(500'000'000'000'000);
    const QuitRecord twoBig{
        u"a"_s, {run(kSep1, big, kSep1.addDays(1)), run(kSep1.addDays(1), big)}, {}};
    const RecordFigures beyond = recordFigures(twoBig, kSep1.addDays(2));
    EXPECT_TRUE(beyond.current);
    EXPECT_FALSE(beyond.overall);
    const auto total = [](std::vector<Result<Amount, AmountError>> overalls) {
        QList<RecordFigures> figures;
        for (const auto &overall : overalls)
            figures.append(RecordFigures{{}, 0, Amount{}, overall, 0});
        return overallTotal(figures);
    };
    EXPECT_EQ(total({}).value(), Amount{});
    EXPECT_EQ(total({yen(3), yen(-5), yen(7)}).value(), yen(5));
    EXPECT_EQ(total({Amount{kMax}, Amount{-kMax}}).value(), Amount{});
    EXPECT_FALSE(total({yen(3), beyond.overall, yen(7)}));
    EXPECT_FALSE(total({Amount{kMax - 5}, Amount{10}}));
    EXPECT_FALSE(total({Amount{kMin + 5}, Amount{-10}}));
}

// --- Edits -------------------------------------------------------------------------------------

const QDate kToday = day(2026, 9, 10);
using Edit = std::function<Result<QuitRecord, RecordEditError>(QuitRecord)>;

struct Editing : Described
{
    QList<QuitRun> runs;
    QList<PriceChange> prices;
    Edit edit;
    std::optional<QuitRecord> after;
    RecordEditError error = RecordEditError::NoSuchLine;
};

class EditingARecord : public ::testing::TestWithParam<Editing>
{};

TEST_P(EditingARecord, GivesTheNewRecordOrRefuses)
{
    const Editing &c = GetParam();
    const auto result = c.edit(QuitRecord{u"禁煙"_s, c.runs, c.prices});
    if (!c.after) {
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error(), c.error);
        return;
    }
    ASSERT_TRUE(result) << "refused with " << int(result.error());
    EXPECT_EQ(result.value(), *c.after);
}

// clang-format off
Edit quitOn(QDate start, QDate today = kToday) { return [=](QuitRecord r) { return withQuitDate(r, start, yen(500), today); }; }
Edit ended(QDate today = kToday) { return [=](QuitRecord r) { return withRunEnded(r, today); }; }
Edit noRun(qsizetype i) { return [=](QuitRecord r) { return withoutRun(r, i); }; }
Edit noPrice(qsizetype i) { return [=](QuitRecord r) { return withoutPriceChange(r, i); }; }
// A price change from `from` (today unless told), seen on `today`.
Edit newPrice(qint64 daily, QDate today = kToday, QDate from = {})
{
    return [=](QuitRecord r) { return withPriceChange(r, yen(daily), from.isValid() ? from : today, today); };
}
QuitRecord rec(QList<QuitRun> runs, QList<PriceChange> prices = {}) { return QuitRecord{u"禁煙"_s, runs, prices}; }
// clang-format on

const QuitRun kJanuary = run(day(2026, 1, 1), yen(400), day(2026, 2, 1));
const QuitRun kNow = run(kSep1, yen(500));
const PriceChange kRise{day(2026, 9, 5), yen(600)};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edits, EditingARecord, ::testing::Values(
    Editing{{"a first run"}, {}, {}, quitOn(kSep1), rec({kNow})},
    Editing{{"a first run today"}, {}, {}, quitOn(kToday), rec({run(kToday, yen(500))})},
    Editing{{"a run from January 1st 1900"}, {}, {}, quitOn(kEarliestDate), rec({run(day(1900, 1, 1), yen(500))})},
    Editing{{"tomorrow"}, {}, {}, quitOn(kToday.addDays(1)), {}, RecordEditError::DateInFuture},
    Editing{{"December 31st 1899"}, {}, {}, quitOn(day(1899, 12, 31)), {}, RecordEditError::DateTooEarly},
    Editing{{"no date"}, {}, {}, quitOn(QDate()), {}, RecordEditError::DateTooEarly},
    Editing{{"a new run after an ended one"}, {kJanuary}, {}, quitOn(kSep1), rec({kJanuary, kNow})},
    Editing{{"a new run on the end day of the last"}, {kJanuary}, {}, quitOn(day(2026, 2, 1)), rec({kJanuary, run(day(2026, 2, 1), yen(500))})},
    Editing{{"a new run a day before the end of the last"}, {kJanuary}, {}, quitOn(day(2026, 1, 31)), {}, RecordEditError::BeforePrevious},
    Editing{{"the run going on moved, keeping its price"}, {kJanuary, run(kSep1, yen(700))}, {kRise}, quitOn(day(2026, 3, 1)), rec({kJanuary, run(day(2026, 3, 1), yen(700))}, {kRise})},
    Editing{{"the run going on moved before the last"}, {kJanuary, kNow}, {}, quitOn(day(2026, 1, 15)), {}, RecordEditError::BeforePrevious},
    Editing{{"the run going on moved to tomorrow"}, {kNow}, {}, quitOn(kToday.addDays(1)), {}, RecordEditError::DateInFuture},
    Editing{{"ended today"}, {kJanuary, kNow}, {}, ended(), rec({kJanuary, run(kSep1, yen(500), kToday)})},
    Editing{{"ended on its start"}, {kNow}, {}, ended(kSep1), rec({run(kSep1, yen(500), kSep1)})},
    Editing{{"ended with the clock set back"}, {kNow}, {}, ended(day(2026, 8, 1)), rec({run(kSep1, yen(500), kSep1)})},
    Editing{{"nothing to end"}, {kJanuary}, {}, ended(), {}, RecordEditError::NoRunGoingOn},
    Editing{{"a price change"}, {kNow}, {kRise}, newPrice(700), rec({kNow}, {kRise, {kToday, yen(700)}})},
    Editing{{"the price in force"}, {kNow}, {kRise}, newPrice(600), rec({kNow}, {kRise})},
    Editing{{"the first price in force"}, {kNow}, {}, newPrice(500), rec({kNow})},
    Editing{{"a second change the same day"}, {kNow}, {kRise}, newPrice(650, kRise.from), rec({kNow}, {{kRise.from, yen(650)}})},
    Editing{{"a change back the same day"}, {kNow}, {kRise}, newPrice(500, kRise.from), rec({kNow})},
    Editing{{"a change while no run goes on"}, {kJanuary}, {}, newPrice(600), {}, RecordEditError::NoRunGoingOn},
    Editing{{"a change from an earlier day of the run"}, {kNow}, {{kToday, yen(700)}}, newPrice(600, kToday, day(2026, 9, 3)), rec({kNow}, {{day(2026, 9, 3), yen(600)}, {kToday, yen(700)}})},
    Editing{{"a change from the run's first day"}, {kNow}, {}, newPrice(600, kToday, kSep1), rec({kNow}, {{kSep1, yen(600)}})},
    Editing{{"a change from before the run"}, {kJanuary, kNow}, {}, newPrice(600, kToday, kSep1.addDays(-1)), {}, RecordEditError::BeforeRunStart},
    Editing{{"a change from tomorrow"}, {kNow}, {}, newPrice(600, kToday, kToday.addDays(1)), {}, RecordEditError::DateInFuture},
    Editing{{"a change before a later one"}, {kNow}, {{day(2026, 9, 20), yen(800)}}, newPrice(600), rec({kNow}, {{kToday, yen(600)}, {day(2026, 9, 20), yen(800)}})},
    Editing{{"a change with the clock before the start"}, {kNow}, {}, newPrice(600, day(2026, 8, 1)), rec({kNow}, {{kSep1, yen(600)}})},
    Editing{{"the first run removed"}, {kJanuary, kNow}, {kRise}, noRun(0), rec({kNow}, {kRise})},
    Editing{{"a run past the end"}, {kJanuary, kNow}, {}, noRun(2), {}},
    Editing{{"a run before the first"}, {kJanuary}, {}, noRun(-1), {}},
    Editing{{"a price change removed"}, {kNow}, {kRise, {kToday, yen(1)}}, noPrice(0), rec({kNow}, {{kToday, yen(1)}})},
    Editing{{"a price change past the end"}, {kNow}, {kRise}, noPrice(1), {}}),
    whatName);
// clang-format on

// --- Dates as people write them ----------------------------------------------------------------

struct DateForm : TextCase
{
    QDate date; // none: no date
};

class ReadingADate : public ::testing::TestWithParam<DateForm>
{};

TEST_P(ReadingADate, GivesTheDayOrNone)
{
    const auto read = parseDateText(GetParam().text);
    EXPECT_EQ(read.value_or(QDate()), GetParam().date)
        << read.value_or(QDate()).toString().toStdString();
    EXPECT_EQ(read.has_value(), GetParam().date.isValid());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Forms, ReadingADate, ::testing::Values(
    DateForm{{u"2026/9/1"_s}, kSep1}, DateForm{{u"2026-09-01"_s}, kSep1}, DateForm{{u"2026年9月1日"_s}, kSep1},
    DateForm{{u"２０２６／９／１"_s}, kSep1}, DateForm{{u"２０２６－０９－０１"_s}, kSep1}, DateForm{{u" \t2026/9/1　"_s}, kSep1},
    DateForm{{u"2024/2/29"_s}, day(2024, 2, 29)}, DateForm{{u"令和８年９月１日"_s}, kSep1}, DateForm{{u"　令和8年9月1日 "_s}, kSep1},
    DateForm{{u"令和1年5月1日"_s}, day(2019, 5, 1)}, DateForm{{u"令和元年5月1日"_s}, day(2019, 5, 1)},
    DateForm{{u"平成31年4月30日"_s}, day(2019, 4, 30)}, DateForm{{u"平成元年1月8日"_s}, day(1989, 1, 8)},
    DateForm{{u"昭和64年1月7日"_s}, day(1989, 1, 7)}, DateForm{{u"大正15年12月24日"_s}, day(1926, 12, 24)},
    DateForm{{u"明治元年10月23日"_s}, day(1868, 10, 23)}, DateForm{{u"明治33年1月1日"_s}, day(1900, 1, 1)},
    DateForm{{u"2026/2/30"_s}, {}}, DateForm{{u"2025/2/29"_s}, {}}, DateForm{{u"2100/2/29"_s}, {}}, DateForm{{u"2026/13/1"_s}, {}},
    DateForm{{u"2026/9/0"_s}, {}}, DateForm{{u"2026/9/1x"_s}, {}}, DateForm{{u"2026年9月1"_s}, {}}, DateForm{{u"2026/9-1"_s}, {}},
    DateForm{{u"2026/9/001"_s}, {}}, DateForm{{u"26/9/1"_s}, {}}, DateForm{{u"2026 / 9 / 1"_s}, {}}, DateForm{{u"0000/1/1"_s}, {}},
    DateForm{{u""_s}, {}}, DateForm{{u"　 "_s}, {}}, DateForm{{u"令和"_s}, {}}, DateForm{{u"平成31年5月1日"_s}, {}},
    DateForm{{u"令和元年4月30日"_s}, {}}, DateForm{{u"昭和64年1月8日"_s}, {}}, DateForm{{u"大正15年12月25日"_s}, {}},
    DateForm{{u"明治45年7月30日"_s}, {}}, DateForm{{u"明治元年10月22日"_s}, {}}, DateForm{{u"令和0年9月1日"_s}, {}},
    DateForm{{u"令和元元年9月1日"_s}, {}}, DateForm{{u"令和8年2月29日"_s}, {}}, DateForm{{u"令和8/9/1"_s}, {}}, DateForm{{u"慶応3年1月1日"_s}, {}}),
    textName);
// clang-format on

// Each day from 明治 on in its era, as history dates the eras, and read back in either form.
TEST(EraDates, NameTheEraOfEachDayAndReadBack)
{
    const std::pair<QString, QDate> eras[] = {
        {u"明治"_s, day(1868, 10, 23)}, {u"大正"_s, day(1912, 7, 30)},
        {u"昭和"_s, day(1926, 12, 25)}, {u"平成"_s, day(1989, 1, 8)},
        {u"令和"_s, day(2019, 5, 1)},   {{}, day(9999, 1, 1)}};
    EXPECT_EQ(formatEraDate(day(1868, 10, 22)), QString());
    EXPECT_EQ(formatEraDate(QDate()), QString());
    EXPECT_EQ(formatDate(QDate()), QString());
    EXPECT_EQ(formatDate(kSep1), u"2026/09/01"_s);
    EXPECT_EQ(formatEraDate(day(2019, 5, 1)), u"令和元年5月1日"_s);
    int era = 0;
    for (QDate d = eras[0].second; d <= day(2060, 12, 31); d = d.addDays(1)) {
        era += d == eras[era + 1].second ? 1 : 0;
        const int year = d.year() - eras[era].second.year() + 1;
        const QString text = eras[era].first + (year == 1 ? u"元"_s : QString::number(year)) +
                             u"年%1月%2日"_s.arg(d.month()).arg(d.day());
        ASSERT_EQ(formatEraDate(d), text);
        ASSERT_EQ(parseDateText(text), d) << text.toStdString();
        ASSERT_EQ(parseDateText(formatDate(d)), d) << formatDate(d).toStdString();
    }
}

} // namespace
