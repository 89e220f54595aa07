#pragma once

#include "core/amount.h"
#include "core/result.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace pomiro {

// One stretch of time without the habit: from the day the user quit (day 0) to the day they
// started again, or on to today while it goes on. `firstDaily` is what the habit cost a day (the
// entry's １日 amount) when the run started.
struct QuitRun
{
    QDate start;
    std::optional<QDate> end; // none while the run goes on
    Amount firstDaily;

    bool goesOn() const { return !end.has_value(); }

    friend bool operator==(const QuitRun &, const QuitRun &) = default;
};

// From `from` on, the habit costs `daily` a day (a tax rise, a new price).
struct PriceChange
{
    QDate from;
    Amount daily;

    friend bool operator==(const PriceChange &, const PriceChange &) = default;
};

// Everything the user has told about quitting one habit: each run, oldest first (only the last may
// go on; each starts on or after the end of the one before), and each price change, by date. The
// record belongs to the first entry of `name`, the name as the data file holds it.
struct QuitRecord
{
    QString name;
    QList<QuitRun> runs;
    QList<PriceChange> prices;

    // The run going on, or none.
    const QuitRun *currentRun() const;

    friend bool operator==(const QuitRecord &, const QuitRecord &) = default;
};

using QuitRecords = QList<QuitRecord>;

// What a record comes to on a given day. Days are calendar days (QDate::daysTo), the start itself
// day 0; a day before a run's start (a clock set back) counts none. A sum beyond the Amount range
// is overflow, shown as the list shows it.
struct RunFigures
{
    qint64 days = 0;
    Result<Amount, AmountError> saved = Amount{}; // whole yen
};

struct RecordFigures
{
    std::optional<QDate> quitOn;                    // the start of the run going on
    qint64 days = 0;                                // of the run going on; 0 without one
    Result<Amount, AmountError> current = Amount{}; // saved in the run going on
    Result<Amount, AmountError> overall = Amount{}; // saved over all runs
    qint64 longest = 0;                             // the longest run, in days
};

// The daily amount on `day` within `run`: the latest of `prices` dated from the run's start to
// `day`, or the run's first price.
Amount dailyAmountOn(const QuitRun &run, const QList<PriceChange> &prices, QDate day);

// What `run` saved up to its end, or up to `today` while it goes on: each stretch between price
// changes at its daily amount times its days, summed exactly and rounded once to whole yen, half
// away from zero.
RunFigures runFigures(const QuitRun &run, const QList<PriceChange> &prices, QDate today);

RecordFigures recordFigures(const QuitRecord &record, QDate today);

// The sum of the records' これまで; overflow when any is, or the sum is.
Result<Amount, AmountError> overallTotal(const QList<RecordFigures> &figures);

// Why a change of a record is not made.
enum class RecordEditError {
    DateInFuture,   // after today
    DateTooEarly,   // before 1900-01-01
    BeforePrevious, // a run may not start before the end of the one before
    NoRunGoingOn,   // there is no run to end
    NoSuchLine,     // the history line is no longer there
    BeforeRunStart, // a price change dated before the run going on started
};

// The earliest day a run may start. QDate's constructor is not constexpr, hence const.
inline const QDate kEarliestDate{1900, 1, 1};

// The record with a run going on from `start`: a new run (at `daily`, the entry's １日 amount now)
// when none goes on, or the run going on moved to `start`.
Result<QuitRecord, RecordEditError> withQuitDate(QuitRecord record, QDate start, Amount daily,
                                                 QDate today);

// The record with the run going on ended `today`.
Result<QuitRecord, RecordEditError> withRunEnded(QuitRecord record, QDate today);

// The record with a price change to `daily` from `from`, a day of the run going on (from its start
// to today): NoRunGoingOn without one, DateInFuture after today, BeforeRunStart before its start.
// Unchanged when the amount is the one already in force that day; a change dated the same day as
// another replaces it, and one back to the amount in force before it leaves the day without one.
Result<QuitRecord, RecordEditError> withPriceChange(QuitRecord record, Amount daily, QDate from,
                                                    QDate today);

// The record without its run at `index`, or its price change at `index`.
Result<QuitRecord, RecordEditError> withoutRun(QuitRecord record, qsizetype index);
Result<QuitRecord, RecordEditError> withoutPriceChange(QuitRecord record, qsizetype index);

} // namespace pomiro
