#include "savings_window/savingsreport.h"

#include "core/period.h"
#include "savings_window/texts.h"

namespace pomiro {

namespace {

// A nameless entry still needs a name to be listed by.
QStringList namesOf(const QStringList &names)
{
    QStringList shown;
    for (const QString &name : names)
        shown << savingstexts::shownName(name);
    return shown;
}

// The figure each column of the table shows after the period's.
constexpr SavingsReport::Figure kFigureOfColumn[] = {
    SavingsReport::Figure::Saved, SavingsReport::Figure::Saved, SavingsReport::Figure::Grown,
    SavingsReport::Figure::Gain};

std::optional<Amount> figureOf(const PlanRow &row, SavingsReport::Figure figure)
{
    switch (figure) {
    case SavingsReport::Figure::Saved:
        return row.saved;
    case SavingsReport::Figure::Grown:
        return row.grown;
    case SavingsReport::Figure::Gain:
        return row.gain;
    }
    return std::nullopt;
}

} // namespace

QString SavingsReport::shown(int row, Figure figure) const
{
    if (row < 0 || row >= rows.size())
        return {};
    const std::optional<Amount> value = figureOf(rows[row], figure);
    return value ? formatAmountText(*value) : savingstexts::kOverflow;
}

QString SavingsReport::plain(int row, Figure figure) const
{
    if (row < 0 || row >= rows.size())
        return {};
    const std::optional<Amount> value = figureOf(rows[row], figure);
    return value ? formatWholeYen(*value) : savingstexts::kOverflow;
}

QString SavingsReport::cell(int row, int column) const
{
    if (column < 0 || column >= kColumns)
        return {};
    return column == 0 ? planPeriodName(row) : shown(row, kFigureOfColumn[column]);
}

QString planPeriodName(int row)
{
    return periodName(periodOfYears(kPlanYears.at(static_cast<size_t>(row))));
}

QStringList savingsColumnTitles()
{
    return {savingstexts::kPeriodHeader, savingstexts::kSavedHeader, savingstexts::kGrownHeader,
            savingstexts::kGainHeader};
}

SavingsReport makeSavingsReport(const Entries &chosen, bool all, int rate)
{
    return makeSavingsReport(chosen, all, SavingsChoices{rate, {}, false, {}, kGoalYearsFirst},
                             QDate::currentDate());
}

namespace {

void setGoalSentences(SavingsReport &report, int goalYears, QDate today)
{
    const Amount target = *report.target;
    const QString shownTarget = formatAmountText(target);
    const PlanTerms terms{report.base.yearly, report.start, report.rate, report.taxed};
    if (const auto months = monthsToReach(terms, target); !months) {
        report.targetSentence = savingstexts::targetOutOfReach(shownTarget);
    } else if (months.value() == 0) {
        report.targetSentence = savingstexts::targetAlready(shownTarget);
    } else {
        const YearsAndMonths after = yearsAndMonths(months.value());
        const QDate month = monthAfter(today, months.value());
        report.targetSentence = savingstexts::targetReached(shownTarget, after.years, after.months,
                                                            month.year(), month.month());
    }
    const auto monthly = monthlyNeeded(report.start, report.rate, report.taxed, target, goalYears);
    if (!monthly)
        report.neededSentence = savingstexts::monthlyNeededTooLarge(goalYears);
    else if (monthly.value() == Amount{})
        report.neededSentence = savingstexts::monthlyNeededNone(goalYears);
    else
        report.neededSentence =
            savingstexts::monthlyNeeded(goalYears, formatAmountText(monthly.value()));
}

} // namespace

SavingsReport makeSavingsReport(const Entries &chosen, bool all, const SavingsChoices &choices,
                                QDate today)
{
    SavingsReport report;
    report.base = planBase(chosen);
    report.rate = choices.rate;
    report.start = choices.start;
    report.taxed = choices.taxed;
    report.target = choices.target;
    const int rate = choices.rate;
    if (report.base.overflow) {
        report.sentence = savingstexts::kTotalTooLarge;
    } else if (!report.base.hasSaving()) {
        report.sentence = savingstexts::kNothingToSave;
    } else {
        const Amount yearly = report.base.yearly;
        report.sentence = savingstexts::monthlySentence(formatAmountText(Amount{yearly.units / 12}),
                                                        formatAmountText(yearly));
        report.rows = planRows(PlanTerms{yearly, report.start, rate, report.taxed});
        if (report.target)
            setGoalSentences(report, choices.goalYears, today);
    }
    QStringList names;
    for (const Entry &entry : chosen)
        names << entry.name;
    report.source =
        all ? savingstexts::allEntries(chosen.size()) : savingstexts::chosenEntries(namesOf(names));
    if (!report.base.leftOut.isEmpty())
        report.leftOut = savingstexts::leftOut(namesOf(report.base.leftOut));
    return report;
}

csv::Table SavingsReport::table() const
{
    csv::Table table{savingsColumnTitles()};
    for (int row = 0; row < int(kPlanYears.size()); ++row)
        table << QStringList{planPeriodName(row), plain(row, Figure::Saved),
                             plain(row, Figure::Grown), plain(row, Figure::Gain)};
    return table;
}

} // namespace pomiro
