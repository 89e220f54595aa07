#include "core/quitrecord.h"

#include <algorithm>
#include <limits>

namespace pomiro {

namespace {

// Exact sums of amount times days: a qint64 count of units times a day count fits with room for
// the sum of all the stretches of a run, whose days add up to one daysTo().
__extension__ using WideUnits = __int128;
__extension__ using WideMagnitude = unsigned __int128;

// Whole yen, halves away from zero, as an Amount; OutOfRange when that leaves the Amount range.
Result<Amount, AmountError> roundToWholeYen(WideUnits units)
{
    const bool negative = units < 0;
    const WideMagnitude magnitude =
        negative ? WideMagnitude(0) - WideMagnitude(units) : WideMagnitude(units);
    const WideMagnitude yen = (magnitude + Amount::kUnitsPerYen / 2) / Amount::kUnitsPerYen;
    const WideMagnitude roundedUnits = yen * Amount::kUnitsPerYen;
    // The largest whole yen fit on both sides: the negative limit is 5,808 units past a whole yen.
    constexpr auto kLimit = WideMagnitude(std::numeric_limits<qint64>::max());
    if (roundedUnits > kLimit)
        return fail(AmountError::OutOfRange);
    const auto value = static_cast<qint64>(roundedUnits);
    return Amount{negative ? -value : value};
}

// The first price change dated on or after `day` (prices are sorted by date).
QList<PriceChange>::const_iterator firstPriceFrom(const QList<PriceChange> &prices, QDate day)
{
    return std::lower_bound(prices.cbegin(), prices.cend(), day,
                            [](const PriceChange &price, QDate d) { return price.from < d; });
}

QDate countedUntil(const QuitRun &run, QDate today)
{
    return run.end.value_or(today);
}

} // namespace

const QuitRun *QuitRecord::currentRun() const
{
    return !runs.isEmpty() && runs.last().goesOn() ? &runs.last() : nullptr;
}

Amount dailyAmountOn(const QuitRun &run, const QList<PriceChange> &prices, QDate day)
{
    Amount daily = run.firstDaily;
    for (auto price = firstPriceFrom(prices, run.start);
         price != prices.cend() && price->from <= day; ++price)
        daily = price->daily;
    return daily;
}

RunFigures runFigures(const QuitRun &run, const QList<PriceChange> &prices, QDate today)
{
    const QDate until = countedUntil(run, today);
    RunFigures figures;
    figures.days = std::max<qint64>(0, run.start.daysTo(until));
    if (figures.days == 0)
        return figures;

    // Each counted day, start to the day before `until`, at the amount in force that day: a
    // change dated `until` or later has no day to count yet.
    WideUnits total = 0;
    QDate stretchFrom = run.start;
    Amount daily = run.firstDaily;
    for (auto price = firstPriceFrom(prices, run.start);
         price != prices.cend() && price->from < until; ++price) {
        total += WideUnits(daily.units) * stretchFrom.daysTo(price->from);
        stretchFrom = price->from;
        daily = price->daily;
    }
    total += WideUnits(daily.units) * stretchFrom.daysTo(until);
    figures.saved = roundToWholeYen(total);
    return figures;
}

RecordFigures recordFigures(const QuitRecord &record, QDate today)
{
    RecordFigures figures;
    for (const QuitRun &run : record.runs) {
        const RunFigures ran = runFigures(run, record.prices, today);
        figures.longest = std::max(figures.longest, ran.days);
        if (figures.overall.ok())
            figures.overall = ran.saved.ok() ? addAmounts(*figures.overall, *ran.saved) : ran.saved;
        if (run.goesOn()) {
            figures.quitOn = run.start;
            figures.days = ran.days;
            figures.current = ran.saved;
        }
    }
    return figures;
}

Result<Amount, AmountError> overallTotal(const QList<RecordFigures> &figures)
{
    Amount total;
    for (const RecordFigures &record : figures) {
        if (!record.overall)
            return record.overall;
        const auto sum = addAmounts(total, *record.overall);
        if (!sum)
            return sum;
        total = *sum;
    }
    return total;
}

Result<QuitRecord, RecordEditError> withQuitDate(QuitRecord record, QDate start, Amount daily,
                                                 QDate today)
{
    if (start.isValid() && start > today)
        return fail(RecordEditError::DateInFuture);
    if (!start.isValid() || start < kEarliestDate)
        return fail(RecordEditError::DateTooEarly);
    const bool goesOn = record.currentRun() != nullptr;
    // The run before the one going on, or the last one when none goes on.
    const qsizetype previous = record.runs.size() - (goesOn ? 2 : 1);
    if (previous >= 0 && start < record.runs[previous].end.value_or(start))
        return fail(RecordEditError::BeforePrevious);
    if (goesOn)
        record.runs.last().start = start;
    else
        record.runs.append(QuitRun{start, std::nullopt, daily});
    return record;
}

Result<QuitRecord, RecordEditError> withRunEnded(QuitRecord record, QDate today)
{
    if (!record.currentRun())
        return fail(RecordEditError::NoRunGoingOn);
    QuitRun &run = record.runs.last();
    // A clock set back must not make a run that ends before it starts.
    run.end = std::max(today, run.start);
    return record;
}

Result<QuitRecord, RecordEditError> withPriceChange(QuitRecord record, Amount daily, QDate from,
                                                    QDate today)
{
    const QuitRun *run = record.currentRun();
    if (!run)
        return fail(RecordEditError::NoRunGoingOn);
    if (from > today)
        return fail(RecordEditError::DateInFuture);
    // Today before the run's start is a clock set back: the change counts from the start.
    if (from == today)
        from = std::max(from, run->start);
    if (from < run->start)
        return fail(RecordEditError::BeforeRunStart);
    // A change made earlier the same day is replaced: the amount is compared with the one in force
    // without it, and when they agree the day keeps no change at all.
    const auto sameDay = firstPriceFrom(record.prices, from);
    if (sameDay != record.prices.cend() && sameDay->from == from) {
        QuitRecord without = record;
        without.prices.removeAt(sameDay - record.prices.cbegin());
        if (dailyAmountOn(*without.currentRun(), without.prices, from) == daily)
            return without;
        record.prices[sameDay - record.prices.cbegin()].daily = daily;
        return record;
    }
    if (dailyAmountOn(*run, record.prices, from) == daily)
        return record;
    record.prices.insert(sameDay - record.prices.cbegin(), PriceChange{from, daily});
    return record;
}

Result<QuitRecord, RecordEditError> withoutRun(QuitRecord record, qsizetype index)
{
    if (index < 0 || index >= record.runs.size())
        return fail(RecordEditError::NoSuchLine);
    record.runs.removeAt(index);
    return record;
}

Result<QuitRecord, RecordEditError> withoutPriceChange(QuitRecord record, qsizetype index)
{
    if (index < 0 || index >= record.prices.size())
        return fail(RecordEditError::NoSuchLine);
    record.prices.removeAt(index);
    return record;
}

} // namespace pomiro
