// Quit records: the days and the money of a run, walked day by day here for the reference; the
// edits and what they refuse; dates as people write them, in both calendars.

#include "core/quitrecord.h"

#include "core/dateform.h"
#include "tests/support/cases.h"

#include <QDate>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using namespace pomiro;
using pomiro::testing::Described;
using pomiro::testing::textName;
using pomiro::testing::whatName;

constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 kMinUnits = std::numeric_limits<qint64>::min();

Amount yen(qint64 whole)
{
    return Amount::fromYen(whole);
}

Amount units(qint64 count)
{
    return Amount{count};
}

QDate day(int y, int m, int d)
{
    return QDate(y, m, d);
}

// --- The reference: every counted day walked one by one -----------------------------------------

__extension__ using Wide = __int128;

// The amount in force on `d`: the last change from the run's start up to `d`, searched plainly.
qint64 referenceDaily(const QuitRun &run, const QList<PriceChange> &prices, QDate d)
{
    qint64 daily = run.firstDaily.units;
    QDate latest;
    for (const PriceChange &price : prices)
        if (price.from >= run.start && price.from <= d &&
            (!latest.isValid() || price.from >= latest))
            latest = price.from, daily = price.daily.units;
    return daily;
}

struct Reference
{
    qint64 days = 0;
    std::optional<qint64> wholeYen; // none: beyond the Amount range
};

Reference walk(const QuitRun &run, const QList<PriceChange> &prices, QDate today)
{
    const QDate until = run.end.value_or(today);
    Reference reference;
    Wide total = 0;
    for (QDate d = run.start; d < until; d = d.addDays(1)) {
        ++reference.days;
        total += referenceDaily(run, prices, d);
    }
    // Truncated to whole yen, then a remainder of half a yen or more goes one further out.
    Wide whole = total / Amount::kUnitsPerYen;
    const Wide rest = total % Amount::kUnitsPerYen;
    if (2 * (rest < 0 ? -rest : rest) >= Amount::kUnitsPerYen)
        whole += total < 0 ? -1 : 1;
    const Wide limit = kMaxUnits / Amount::kUnitsPerYen;
    if (whole <= limit && whole >= -limit)
        reference.wholeYen = qint64(whole);
    return reference;
}

// --- Days and money --------------------------------------------------------------------------

struct Saving : Described
{
    QuitRun run;
    QList<PriceChange> prices;
    QDate today;
    std::optional<qint64> knownDays; // where the calendar says so plainly
    std::optional<qint64> knownYen;  // where the figure is worked out by hand
};

class SavedOverARun : public ::testing::TestWithParam<Saving>
{};

TEST_P(SavedOverARun, IsEveryDayAtItsAmountRoundedOnce)
{
    const Saving &c = GetParam();
    const Reference reference = walk(c.run, c.prices, c.today);
    const RunFigures figures = runFigures(c.run, c.prices, c.today);

    EXPECT_EQ(figures.days, reference.days);
    if (c.knownDays) {
        EXPECT_EQ(figures.days, *c.knownDays);
    }
    if (reference.wholeYen) {
        ASSERT_TRUE(figures.saved) << "overflow reported for a sum that fits";
        EXPECT_EQ(figures.saved->units, *reference.wholeYen * Amount::kUnitsPerYen);
    } else {
        ASSERT_FALSE(figures.saved)
            << "a sum beyond the range came out as " << figures.saved->units;
        EXPECT_EQ(figures.saved.error(), AmountError::OutOfRange);
    }
    if (c.knownYen) {
        ASSERT_TRUE(reference.wholeYen);
        EXPECT_EQ(*reference.wholeYen, *c.knownYen);
    }

    // Each day of the run at the amount in force that day.
    for (QDate d = c.run.start; d < c.run.end.value_or(c.today) && d < c.run.start.addDays(400);
         d = d.addDays(1))
        ASSERT_EQ(dailyAmountOn(c.run, c.prices, d).units, referenceDaily(c.run, c.prices, d))
            << d.toString(Qt::ISODate).toStdString();
}

QuitRun goingOn(QDate start, Amount daily)
{
    return QuitRun{start, std::nullopt, daily};
}

QuitRun ended(QDate start, QDate end, Amount daily)
{
    return QuitRun{start, end, daily};
}

std::vector<Saving> savings()
{
    const QDate sep1 = day(2026, 9, 1);
    const Amount maxWholeYen = yen(kMaxUnits / Amount::kUnitsPerYen);
    // clang-format off
    return {
        {"the start itself is day 0", goingOn(sep1, yen(500)), {}, sep1, 0, 0},
        {"one day", goingOn(sep1, yen(500)), {}, day(2026, 9, 2), 1, 500},
        {"over February 29th", goingOn(day(2024, 2, 28), yen(100)), {}, day(2024, 3, 1), 2, 200},
        {"over a February without one", goingOn(day(2023, 2, 28), yen(100)), {}, day(2023, 3, 1), 1, 100},
        {"2100 is no leap year", goingOn(day(2100, 2, 28), yen(100)), {}, day(2100, 3, 1), 1, 100},
        {"2000 is a leap year", goingOn(day(2000, 2, 28), yen(100)), {}, day(2000, 3, 1), 2, 200},
        {"a whole leap year", goingOn(day(2024, 1, 1), yen(1)), {}, day(2025, 1, 1), 366, 366},
        {"over new year", goingOn(day(2025, 12, 31), yen(300)), {}, day(2026, 1, 1), 1, 300},
        {"since 1900", goingOn(day(1900, 1, 1), yen(1)), {}, day(2026, 9, 1), 46'264, 46'264},
        {"a price change to 600 on October 1st",
         goingOn(sep1, yen(500)), {{day(2026, 10, 1), yen(600)}}, day(2026, 12, 10), 100, 57'000},
        {"a price change on the start day replaces the first price",
         goingOn(sep1, yen(500)), {{sep1, yen(600)}}, day(2026, 9, 11), 10, 6'000},
        {"a price change before the start does not apply",
         goingOn(sep1, yen(500)), {{day(2026, 8, 1), yen(600)}}, day(2026, 9, 11), 10, 5'000},
        {"a price change dated today has no day counted yet",
         goingOn(sep1, yen(500)), {{day(2026, 9, 11), yen(600)}}, day(2026, 9, 11), 10, 5'000},
        {"a price change after today does not apply",
         goingOn(sep1, yen(500)), {{day(2026, 12, 1), yen(600)}}, day(2026, 9, 11), 10, 5'000},
        {"three price changes, one before the run",
         goingOn(sep1, yen(500)),
         {{day(2026, 1, 1), yen(1)}, {day(2026, 9, 3), yen(450)}, {day(2026, 9, 5), yen(-20)},
          {day(2026, 9, 8), units(12'345)}},
         day(2026, 9, 11), 10, 2 * 500 + 2 * 450 - 3 * 20 + 4 /* 3 x 1.2345 */},
        {"an ended run counts to its end", ended(sep1, day(2026, 9, 21), yen(500)), {}, day(2027, 5, 5), 20, 10'000},
        {"an ended run ignores a change after its end",
         ended(sep1, day(2026, 9, 21), yen(500)), {{day(2026, 9, 21), yen(900)}}, day(2027, 5, 5), 20, 10'000},
        {"an ended run that ended on its start", ended(sep1, sep1, yen(500)), {}, day(2027, 1, 1), 0, 0},
        {"a clock set back a day", goingOn(sep1, yen(500)), {}, day(2026, 8, 31), 0, 0},
        {"a clock set back years", goingOn(sep1, yen(500)), {{day(2026, 10, 1), yen(600)}}, day(2001, 1, 1), 0, 0},
        {"half a yen over three days rounds up", goingOn(sep1, units(5'000)), {}, day(2026, 9, 4), 3, 2},
        {"minus half a yen over three days rounds down", goingOn(sep1, units(-5'000)), {}, day(2026, 9, 4), 3, -2},
        {"half a yen over one day", goingOn(sep1, units(5'000)), {}, day(2026, 9, 2), 1, 1},
        {"minus half a yen over one day", goingOn(sep1, units(-5'000)), {}, day(2026, 9, 2), 1, -1},
        {"just under half a yen", goingOn(sep1, units(4'999)), {}, day(2026, 9, 2), 1, 0},
        {"just under minus half a yen", goingOn(sep1, units(-4'999)), {}, day(2026, 9, 2), 1, 0},
        {"0.4 yen a day rounded once, not daily", goingOn(sep1, units(4'000)), {}, day(2026, 9, 6), 5, 2},
        {"a third of a yen rounded once", goingOn(sep1, units(3'333)), {}, day(2026, 9, 4), 3, 1},
        {"halves of two stretches add to a whole",
         goingOn(sep1, units(2'500)), {{day(2026, 9, 2), units(7'500)}}, day(2026, 9, 3), 2, 1},
        {"a habit that earns", goingOn(sep1, yen(-120)), {}, day(2026, 9, 8), 7, -840},
        {"the largest whole yen for one day", goingOn(sep1, maxWholeYen), {}, day(2026, 9, 2), 1, kMaxUnits / 10'000},
        {"the largest amount rounds past the range", goingOn(sep1, units(kMaxUnits)), {}, day(2026, 9, 2), 1, std::nullopt},
        {"the lowest amount rounds past the range", goingOn(sep1, units(kMinUnits)), {}, day(2026, 9, 2), 1, std::nullopt},
        {"the highest half yen rounds past the range", goingOn(sep1, units(kMaxUnits - 807)), {}, day(2026, 9, 2), 1, std::nullopt},
        {"just under the highest half yen fits", goingOn(sep1, units(kMaxUnits - 808)), {}, day(2026, 9, 2), 1, kMaxUnits / 10'000},
        {"the lowest half yen rounds past the range", goingOn(sep1, units(kMinUnits + 808)), {}, day(2026, 9, 2), 1, std::nullopt},
        {"just above the lowest half yen fits", goingOn(sep1, units(kMinUnits + 809)), {}, day(2026, 9, 2), 1, -(kMaxUnits / 10'000)},
        {"the largest whole yen for two days", goingOn(sep1, maxWholeYen), {}, day(2026, 9, 3), 2, std::nullopt},
        {"a sum beyond the range on the way back within it",
         goingOn(sep1, yen(600'000'000'000'000)), {{day(2026, 9, 3), yen(-600'000'000'000'000)}},
         day(2026, 9, 5), 4, 0},
        {"two stretches each in range, together beyond",
         goingOn(sep1, yen(500'000'000'000'000)), {{day(2026, 9, 2), yen(450'000'000'000'000)}},
         day(2026, 9, 3), 2, std::nullopt},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(Runs, SavedOverARun, ::testing::ValuesIn(savings()), whatName);

TEST(RecordFigures, SumAllRunsAndCountTheOngoingOneToToday)
{
    QuitRecord record{u"禁煙"_s,
                      {ended(day(2026, 1, 1), day(2026, 1, 31), yen(400)),
                       ended(day(2026, 2, 10), day(2026, 2, 15), yen(450)),
                       goingOn(day(2026, 3, 1), yen(500))},
                      {{day(2026, 1, 11), yen(420)}, {day(2026, 3, 11), units(5'100'000)}}};
    for (const int daysOn : {0, 10, 29, 30, 31, 45}) {
        const QDate today = day(2026, 3, 1).addDays(daysOn);
        const RecordFigures figures = recordFigures(record, today);
        qint64 overall = 0;
        qint64 longest = 0;
        for (const QuitRun &run : record.runs) {
            const Reference reference = walk(run, record.prices, today);
            overall += *reference.wholeYen;
            longest = std::max(longest, reference.days);
        }
        const Reference current = walk(record.runs.last(), record.prices, today);
        EXPECT_EQ(figures.quitOn, day(2026, 3, 1));
        EXPECT_EQ(figures.days, daysOn);
        ASSERT_TRUE(figures.current);
        EXPECT_EQ(*figures.current, yen(*current.wholeYen));
        ASSERT_TRUE(figures.overall);
        EXPECT_EQ(*figures.overall, yen(overall));
        EXPECT_EQ(figures.longest, longest) << "after " << daysOn << " days";
    }

    // Without a run going on: nothing current, the runs that were still count.
    record.runs.removeLast();
    const RecordFigures afterwards = recordFigures(record, day(2026, 6, 1));
    EXPECT_FALSE(afterwards.quitOn);
    EXPECT_EQ(afterwards.days, 0);
    EXPECT_EQ(*afterwards.current, Amount{});
    EXPECT_EQ(afterwards.longest, 30);
    EXPECT_EQ(*afterwards.overall, yen(*walk(record.runs[0], record.prices, {}).wholeYen +
                                       *walk(record.runs[1], record.prices, {}).wholeYen));
    EXPECT_EQ(recordFigures(QuitRecord{u"空"_s, {}, {}}, day(2026, 6, 1)).longest, 0);
}

TEST(RecordFigures, OverflowOfOneRunOrOfTheSumIsOverflow)
{
    const QDate start = day(2026, 9, 1);
    const Amount big = yen(500'000'000'000'000);
    // Each run fits; both together do not.
    const QuitRecord twoBig{
        u"a"_s, {ended(start, start.addDays(1), big), goingOn(start.addDays(1), big)}, {}};
    const RecordFigures figures = recordFigures(twoBig, start.addDays(2));
    EXPECT_TRUE(figures.current);
    EXPECT_FALSE(figures.overall);
    EXPECT_EQ(figures.longest, 1);

    // One run beyond: the overall too, whatever follows.
    const QuitRecord oneBeyond{
        u"b"_s, {ended(start, start.addDays(3), big), goingOn(start.addDays(3), yen(-1))}, {}};
    EXPECT_FALSE(recordFigures(oneBeyond, start.addDays(5)).overall);
}

struct Totals : Described
{
    std::vector<std::optional<qint64>> overalls; // none: overflow
    std::optional<qint64> total;
};

class OverallTotal : public ::testing::TestWithParam<Totals>
{};

TEST_P(OverallTotal, AddsEveryRecordOrOverflows)
{
    QList<RecordFigures> figures;
    for (const auto &overall : GetParam().overalls) {
        RecordFigures f;
        if (overall)
            f.overall = units(*overall);
        else
            f.overall = fail(AmountError::OutOfRange);
        figures << f;
    }
    const auto total = overallTotal(figures);
    if (GetParam().total) {
        ASSERT_TRUE(total);
        EXPECT_EQ(total->units, *GetParam().total);
    } else {
        ASSERT_FALSE(total);
        EXPECT_EQ(total.error(), AmountError::OutOfRange);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sums, OverallTotal,
    ::testing::Values(Totals{{"no records"}, {}, 0},
                      Totals{{"three records"}, {10'000, -30'000, 50'000}, 30'000},
                      Totals{{"one overflow"}, {10'000, std::nullopt, 50'000}, std::nullopt},
                      Totals{{"the sum beyond the top"}, {kMaxUnits - 5, 10}, std::nullopt},
                      Totals{{"the sum beyond the bottom"}, {kMinUnits + 5, -10}, std::nullopt},
                      Totals{{"past the top and back"}, {kMaxUnits, -kMaxUnits}, 0}),
    whatName);

// --- Edits -------------------------------------------------------------------------------------

const QDate kToday = day(2026, 9, 10);

using Edit = std::function<Result<QuitRecord, RecordEditError>(QuitRecord)>;

struct Editing : Described
{
    QuitRecord before;
    Edit edit;
    std::optional<QuitRecord> after; // none: refused
    std::optional<RecordEditError> error;
};

class EditingARecord : public ::testing::TestWithParam<Editing>
{};

TEST_P(EditingARecord, GivesTheNewRecordOrRefuses)
{
    const Editing &c = GetParam();
    const auto result = c.edit(c.before);
    if (c.after) {
        ASSERT_TRUE(result) << "refused with " << int(result.error());
        EXPECT_EQ(*result, *c.after);
        // What every record keeps: runs in order, only the last going on, prices by date.
        for (qsizetype i = 1; i < result->runs.size(); ++i) {
            ASSERT_TRUE(result->runs[i - 1].end);
            EXPECT_GE(result->runs[i].start, *result->runs[i - 1].end);
        }
        for (qsizetype i = 1; i < result->prices.size(); ++i)
            EXPECT_LT(result->prices[i - 1].from, result->prices[i].from);
    } else {
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error(), *c.error);
    }
}

Edit quitOn(QDate start, Amount daily = yen(500), QDate today = kToday)
{
    return [=](QuitRecord r) { return withQuitDate(std::move(r), start, daily, today); };
}

Edit endRun(QDate today = kToday)
{
    return [=](QuitRecord r) { return withRunEnded(std::move(r), today); };
}

// A price change from `from`, today unless told, seen on `today`.
Edit priceChange(Amount daily, QDate today = kToday, QDate from = {})
{
    return [=](QuitRecord r) {
        return withPriceChange(std::move(r), daily, from.isValid() ? from : today, today);
    };
}

Edit removeRun(qsizetype index)
{
    return [=](QuitRecord r) { return withoutRun(std::move(r), index); };
}

Edit removePrice(qsizetype index)
{
    return [=](QuitRecord r) { return withoutPriceChange(std::move(r), index); };
}

QuitRecord rec(QList<QuitRun> runs, QList<PriceChange> prices = {})
{
    return QuitRecord{u"禁煙"_s, std::move(runs), std::move(prices)};
}

std::vector<Editing> editings()
{
    using E = RecordEditError;
    const QuitRecord none = rec({});
    const QuitRun first = ended(day(2026, 1, 1), day(2026, 2, 1), yen(400));
    const QuitRun now = goingOn(day(2026, 9, 1), yen(500));
    const PriceChange rise{day(2026, 9, 5), yen(600)};
    // clang-format off
    return {
        {"a first run", none, quitOn(day(2026, 9, 1)), rec({now}), {}},
        {"a first run today", none, quitOn(kToday), rec({goingOn(kToday, yen(500))}), {}},
        {"a run on January 1st 1900", none, quitOn(kEarliestDate), rec({goingOn(day(1900, 1, 1), yen(500))}), {}},
        {"tomorrow", none, quitOn(kToday.addDays(1)), {}, E::DateInFuture},
        {"December 31st 1899", none, quitOn(day(1899, 12, 31)), {}, E::DateTooEarly},
        {"no date", none, quitOn(QDate()), {}, E::DateTooEarly},
        {"a new run after an ended one", rec({first}), quitOn(day(2026, 9, 1)), rec({first, now}), {}},
        {"a new run on the end day of the one before", rec({first}), quitOn(day(2026, 2, 1)),
         rec({first, goingOn(day(2026, 2, 1), yen(500))}), {}},
        {"a new run the day before the end of the one before", rec({first}), quitOn(day(2026, 1, 31)), {}, E::BeforePrevious},
        {"the run going on moved earlier, keeping its first price", rec({first, now}, {rise}),
         quitOn(day(2026, 3, 1), yen(999)), rec({first, goingOn(day(2026, 3, 1), yen(500))}, {rise}), {}},
        {"the run going on moved before the one before", rec({first, now}), quitOn(day(2026, 1, 15)), {}, E::BeforePrevious},
        {"the only run moved to 1900", rec({now}), quitOn(kEarliestDate), rec({goingOn(kEarliestDate, yen(500))}), {}},
        {"the run going on moved into the future", rec({now}), quitOn(kToday.addDays(1)), {}, E::DateInFuture},
        {"ended today", rec({first, now}), endRun(), rec({first, ended(now.start, kToday, yen(500))}), {}},
        {"ended on its start", rec({now}), endRun(now.start), rec({ended(now.start, now.start, yen(500))}), {}},
        {"ended with the clock set back", rec({now}), endRun(day(2026, 8, 1)), rec({ended(now.start, now.start, yen(500))}), {}},
        {"nothing to end", rec({first}), endRun(), {}, E::NoRunGoingOn},
        {"nothing at all to end", none, endRun(), {}, E::NoRunGoingOn},
        {"a price change", rec({now}), priceChange(yen(600)), rec({now}, {{kToday, yen(600)}}), {}},
        {"a price change after an earlier one", rec({now}, {rise}), priceChange(yen(700)),
         rec({now}, {rise, {kToday, yen(700)}}), {}},
        {"the price already in force", rec({now}, {rise}), priceChange(yen(600)), rec({now}, {rise}), {}},
        {"the first price still in force", rec({now}), priceChange(yen(500)), rec({now}), {}},
        {"a price change replaces one of the same day", rec({now}, {rise}), priceChange(yen(650), rise.from),
         rec({now}, {{rise.from, yen(650)}}), {}},
        {"a price changed back the same day leaves no change", rec({now}, {rise}), priceChange(yen(500), rise.from),
         rec({now}), {}},
        {"a price change while no run goes on", rec({first}), priceChange(yen(600)), {}, E::NoRunGoingOn},
        {"a price change from an earlier day of the run", rec({now}, {{kToday, yen(700)}}),
         priceChange(yen(600), kToday, day(2026, 9, 3)), rec({now}, {{day(2026, 9, 3), yen(600)}, {kToday, yen(700)}}), {}},
        {"a price change from the run's first day", rec({now}), priceChange(yen(600), kToday, now.start),
         rec({now}, {{now.start, yen(600)}}), {}},
        {"a price change from before the run", rec({first, now}), priceChange(yen(600), kToday, day(2026, 8, 31)),
         {}, E::BeforeRunStart},
        {"a price change from tomorrow", rec({now}), priceChange(yen(600), kToday, kToday.addDays(1)),
         {}, E::DateInFuture},
        {"a price change before an old change of a later date stays in order",
         rec({now}, {{day(2026, 9, 20), yen(800)}}), priceChange(yen(600)),
         rec({now}, {{kToday, yen(600)}, {day(2026, 9, 20), yen(800)}}), {}},
        {"a price change with the clock set back before the start",
         rec({now}), priceChange(yen(600), day(2026, 8, 1)), rec({now}, {{now.start, yen(600)}}), {}},
        {"the first run removed", rec({first, now}), removeRun(0), rec({now}), {}},
        {"the run going on removed", rec({first, now}, {rise}), removeRun(1), rec({first}, {rise}), {}},
        {"a run past the end", rec({first, now}), removeRun(2), {}, E::NoSuchLine},
        {"a run before the start", rec({first, now}), removeRun(-1), {}, E::NoSuchLine},
        {"a price change removed", rec({now}, {rise, {kToday, yen(1)}}), removePrice(0), rec({now}, {{kToday, yen(1)}}), {}},
        {"a price change past the end", rec({now}, {rise}), removePrice(1), {}, E::NoSuchLine},
        {"a price change of none", rec({now}), removePrice(0), {}, E::NoSuchLine},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(Edits, EditingARecord, ::testing::ValuesIn(editings()), whatName);

// --- Dates as people write them ----------------------------------------------------------------

struct DateForm : pomiro::testing::TextCase
{
    QDate date; // invalid: no date
};

class ReadingADate : public ::testing::TestWithParam<DateForm>
{};

TEST_P(ReadingADate, GivesTheDayOrNone)
{
    const DateForm &c = GetParam();
    const auto read = parseDateText(c.text);
    if (c.date.isValid()) {
        ASSERT_TRUE(read) << "no date";
        EXPECT_EQ(*read, c.date) << read->toString(Qt::ISODate).toStdString();
    } else {
        EXPECT_FALSE(read) << read->toString(Qt::ISODate).toStdString();
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Forms, ReadingADate, ::testing::Values(
    DateForm{{u"2026/9/1"_s}, day(2026, 9, 1)},
    DateForm{{u"2026/09/01"_s}, day(2026, 9, 1)},
    DateForm{{u"2026-09-01"_s}, day(2026, 9, 1)},
    DateForm{{u"2026-9-1"_s}, day(2026, 9, 1)},
    DateForm{{u"2026年9月1日"_s}, day(2026, 9, 1)},
    DateForm{{u"２０２６／９／１"_s}, day(2026, 9, 1)},
    DateForm{{u"２０２６－０９－０１"_s}, day(2026, 9, 1)},
    DateForm{{u"２０２６年１２月３１日"_s}, day(2026, 12, 31)},
    DateForm{{u" \t2026/9/1　 "_s}, day(2026, 9, 1)},
    DateForm{{u"2024/2/29"_s}, day(2024, 2, 29)},
    DateForm{{u"1900/1/1"_s}, day(1900, 1, 1)},
    DateForm{{u"令和8年9月1日"_s}, day(2026, 9, 1)},
    DateForm{{u"令和８年９月１日"_s}, day(2026, 9, 1)},
    DateForm{{u"　令和8年9月1日 "_s}, day(2026, 9, 1)},
    DateForm{{u"令和1年5月1日"_s}, day(2019, 5, 1)},
    DateForm{{u"令和元年5月1日"_s}, day(2019, 5, 1)},
    DateForm{{u"平成31年4月30日"_s}, day(2019, 4, 30)},
    DateForm{{u"平成元年1月8日"_s}, day(1989, 1, 8)},
    DateForm{{u"昭和64年1月7日"_s}, day(1989, 1, 7)},
    DateForm{{u"昭和元年12月25日"_s}, day(1926, 12, 25)},
    DateForm{{u"大正15年12月24日"_s}, day(1926, 12, 24)},
    DateForm{{u"大正元年7月30日"_s}, day(1912, 7, 30)},
    DateForm{{u"明治45年7月29日"_s}, day(1912, 7, 29)},
    DateForm{{u"明治元年10月23日"_s}, day(1868, 10, 23)},
    DateForm{{u"明治33年1月1日"_s}, day(1900, 1, 1)},
    DateForm{{u"2026/2/30"_s}, {}},
    DateForm{{u"2025/2/29"_s}, {}},
    DateForm{{u"2100/2/29"_s}, {}},
    DateForm{{u"2026/13/1"_s}, {}},
    DateForm{{u"2026/0/1"_s}, {}},
    DateForm{{u"2026/9/0"_s}, {}},
    DateForm{{u"2026/9/31"_s}, {}},
    DateForm{{u"2026/9/1x"_s}, {}},
    DateForm{{u"2026/9/1 9:00"_s}, {}},
    DateForm{{u"2026年9月1"_s}, {}},
    DateForm{{u"2026年9月1日です"_s}, {}},
    DateForm{{u"2026/9-1"_s}, {}},
    DateForm{{u"2026/9/001"_s}, {}},
    DateForm{{u"26/9/1"_s}, {}},
    DateForm{{u"20260/9/1"_s}, {}},
    DateForm{{u"2026/9"_s}, {}},
    DateForm{{u"2026 / 9 / 1"_s}, {}},
    DateForm{{u"-2026/9/1"_s}, {}},
    DateForm{{u"0000/1/1"_s}, {}},
    DateForm{{u""_s}, {}},
    DateForm{{u"　 "_s}, {}},
    DateForm{{u"令和"_s}, {}},
    DateForm{{u"平成31年5月1日"_s}, {}},
    DateForm{{u"令和元年4月30日"_s}, {}},
    DateForm{{u"昭和64年1月8日"_s}, {}},
    DateForm{{u"平成元年1月7日"_s}, {}},
    DateForm{{u"大正15年12月25日"_s}, {}},
    DateForm{{u"昭和元年12月24日"_s}, {}},
    DateForm{{u"明治45年7月30日"_s}, {}},
    DateForm{{u"大正元年7月29日"_s}, {}},
    DateForm{{u"明治元年10月22日"_s}, {}},
    DateForm{{u"令和0年9月1日"_s}, {}},
    DateForm{{u"令和元元年9月1日"_s}, {}},
    DateForm{{u"令和8年2月29日"_s}, {}},
    DateForm{{u"令和8年9月1日x"_s}, {}},
    DateForm{{u"令和8/9/1"_s}, {}},
    DateForm{{u"慶応3年1月1日"_s}, {}}),
    textName);
// clang-format on

// Each era from its first day to the day before the next, told from what history says.
TEST(EraDates, NameTheEraOfEachDayAndReadBack)
{
    struct Era
    {
        QString name;
        QDate first;
    };
    const Era eras[] = {{u"明治"_s, day(1868, 10, 23)},
                        {u"大正"_s, day(1912, 7, 30)},
                        {u"昭和"_s, day(1926, 12, 25)},
                        {u"平成"_s, day(1989, 1, 8)},
                        {u"令和"_s, day(2019, 5, 1)}};
    EXPECT_EQ(formatEraDate(day(1868, 10, 22)), QString());
    EXPECT_EQ(formatEraDate(QDate()), QString());
    qsizetype era = 0;
    for (QDate d = eras[0].first; d <= day(2060, 12, 31); d = d.addDays(1)) {
        if (era + 1 < qsizetype(std::size(eras)) && d == eras[era + 1].first)
            ++era;
        const int year = d.year() - eras[era].first.year() + 1;
        const QString expected = eras[era].name + (year == 1 ? u"元"_s : QString::number(year)) +
                                 u"年%1月%2日"_s.arg(d.month()).arg(d.day());
        const QString text = formatEraDate(d);
        ASSERT_EQ(text, expected);
        ASSERT_EQ(parseDateText(text), d) << text.toStdString();
        ASSERT_EQ(parseDateText(formatDate(d)), d) << formatDate(d).toStdString();
    }
}

TEST(DateText, IsFourDigitsOfTheYearAndTwoOfMonthAndDay)
{
    EXPECT_EQ(formatDate(day(2026, 9, 1)), u"2026/09/01"_s);
    EXPECT_EQ(formatDate(day(1900, 12, 31)), u"1900/12/31"_s);
    EXPECT_EQ(formatDate(QDate()), QString());
    EXPECT_EQ(formatEraDate(day(2026, 9, 1)), u"令和8年9月1日"_s);
    EXPECT_EQ(formatEraDate(day(2019, 5, 1)), u"令和元年5月1日"_s);
    EXPECT_EQ(kEarliestDate, day(1900, 1, 1));
}

} // namespace
