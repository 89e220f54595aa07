#pragma once

#include "core/csv.h"
#include "core/entry.h"
#include "core/savingsgoal.h"
#include "core/savingsplan.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace pomiro {

// What the user chose in the savings window besides the entries.
struct SavingsChoices
{
    int rate = 0; // tenths of a percent
    Amount start; // what is there already
    bool taxed = false;
    std::optional<Amount> target;
    int goalYears =
        kGoalYearsFirst; // the years the monthly amount for the target is worked out for
};

// Everything the savings window and its page show for the chosen entries at one rate.
struct SavingsReport
{
    PlanBase base;
    int rate = 0; // tenths of a percent
    Amount start;
    bool taxed = false;
    std::optional<Amount> target;
    // When the target is reached, and what a month reaches it in the chosen years; empty without a
    // target or anything to put aside.
    QString targetSentence;
    QString neededSentence;
    // The monthly amount and where it comes from, or why there is nothing to put aside.
    QString sentence;
    // Which entries the plan holds, and the ones left out (empty when none).
    QString source;
    QString leftOut;
    // One row for each of kPlanYears; none when there is nothing to put aside.
    QList<PlanRow> rows;

    enum class Figure { Saved, Grown, Gain };
    // A figure of the row for kPlanYears[row] as the window shows it: "\8,862,457", "桁あふれ"
    // beyond the Amount range, or nothing when there is nothing to put aside.
    QString shown(int row, Figure figure) const;
    // The same as a spreadsheet takes it: whole yen ("8862457").
    QString plain(int row, Figure figure) const;

    // The table the window and the page show: a row for each of kPlanYears, the period's name in
    // the first column (titled 期間) and the three figures after it, as shown().
    static constexpr int kColumns = 4;
    QString cell(int row, int column) const;

    double ratePercent() const { return rate / 10.0; }
    // The table as a spreadsheet takes it: the titles, then whole yen ("8862457") or "桁あふれ".
    csv::Table table() const;
};

// `all`: the entries are every entry, none having been selected. `today`: the month a target's
// calendar month counts from.
SavingsReport makeSavingsReport(const Entries &chosen, bool all, const SavingsChoices &choices,
                                QDate today);
SavingsReport makeSavingsReport(const Entries &chosen, bool all, int rate);

// The name of a plan row's period: "１年" … "３０年".
QString planPeriodName(int row);

// The titles of the table's columns: 期間, then the three figures.
QStringList savingsColumnTitles();

} // namespace pomiro
