#include "record_window/recordreport.h"

#include "core/dateform.h"
#include "record_window/texts.h"

#include <QHash>
#include <algorithm>

namespace pomiro {

QStringList recordColumnTitles()
{
    using namespace recordtexts;
    return {kNameHeader,    kQuitOnHeader,  kDaysHeader,
            kCurrentHeader, kOverallHeader, kLongestHeader};
}

QString RecordReport::cell(qsizetype row, int column) const
{
    const RecordRow &line = rows.at(row);
    const RecordFigures &figures = line.figures;
    const bool any = !line.record.runs.isEmpty();
    switch (column) {
    case 0:
        return reporttexts::shownName(line.name);
    case 1:
        return figures.quitOn ? formatDate(*figures.quitOn) : QString();
    case 2:
        return figures.quitOn ? recordtexts::days(figures.days) : QString();
    case 3:
        return figures.quitOn ? recordtexts::figure(figures.current) : QString();
    case 4:
        return any ? recordtexts::figure(figures.overall) : QString();
    case 5:
        return any ? recordtexts::days(figures.longest) : QString();
    default:
        return {};
    }
}

QString RecordReport::totalText() const
{
    return recordtexts::total(recordtexts::figure(total));
}

QList<QStringList> RecordReport::table() const
{
    QList<QStringList> lines{recordColumnTitles()};
    for (qsizetype row = 0; row < rows.size(); ++row) {
        QStringList line;
        for (int column = 0; column < kColumns; ++column)
            line << cell(row, column);
        lines << line;
    }
    QStringList last(kColumns);
    last[0] = recordtexts::kTotalCaption;
    last[4] = recordtexts::figure(total);
    lines << last;
    return lines;
}

RecordReport makeRecordReport(const Entries &entries, const QuitRecords &records, QDate today)
{
    QHash<QString, const QuitRecord *> byName;
    byName.reserve(records.size());
    for (const QuitRecord &record : records)
        byName.insert(record.name, &record);

    RecordReport report;
    report.today = today;
    report.rows.reserve(entries.size());
    QList<RecordFigures> figures;
    figures.reserve(entries.size());
    for (const Entry &entry : entries) {
        RecordRow row{entry.name, QuitRecord{entry.name, {}, {}}, {}};
        // take(): a second entry of the same name finds no record left.
        if (const QuitRecord *record = byName.take(entry.name))
            row.record = *record;
        row.figures = recordFigures(row.record, today);
        figures << row.figures;
        report.rows << std::move(row);
    }
    report.total = overallTotal(figures);
    return report;
}

QStringList historyColumnTitles()
{
    using namespace recordtexts;
    return {kKindHeader, kFromHeader, kToHeader, kDaysHeader, kAmountHeader};
}

QList<HistoryLine> historyLines(const QuitRecord &record, QDate today)
{
    struct Dated
    {
        QDate date;
        HistoryLine line;
    };
    QList<Dated> dated;
    for (qsizetype i = 0; i < record.runs.size(); ++i) {
        const QuitRun &run = record.runs.at(i);
        const RunFigures figures = runFigures(run, record.prices, today);
        dated << Dated{run.start,
                       {true,
                        i,
                        {recordtexts::kRunLine, formatDate(run.start),
                         run.end ? formatDate(*run.end) : recordtexts::kRunGoesOn,
                         recordtexts::days(figures.days), recordtexts::figure(figures.saved)}}};
    }
    for (qsizetype i = 0; i < record.prices.size(); ++i) {
        const PriceChange &price = record.prices.at(i);
        dated << Dated{price.from,
                       {false,
                        i,
                        {recordtexts::kPriceLine, formatDate(price.from), QString(), QString(),
                         recordtexts::dailyAmount(formatAmountText(price.daily))}}};
    }
    // By date; on one day the run's start before the price change it brought.
    std::stable_sort(dated.begin(), dated.end(),
                     [](const Dated &a, const Dated &b) { return a.date < b.date; });
    QList<HistoryLine> lines;
    lines.reserve(dated.size());
    for (Dated &line : dated)
        lines << std::move(line.line);
    return lines;
}

} // namespace pomiro
