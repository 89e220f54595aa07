#pragma once

#include "core/entry.h"
#include "core/quitrecord.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace pomiro {

// One entry's line in the table of records.
struct RecordRow
{
    QString name;      // as the data file holds it
    QuitRecord record; // empty (no runs) when the entry has none
    RecordFigures figures;
};

// Every entry with what its record comes to on one day, and the total, as the window shows them,
// copies them and prints them.
struct RecordReport
{
    static constexpr int kColumns = 6; // 名前, やめた日, 日数, 今回, これまで, 最長

    QDate today;
    QList<RecordRow> rows;
    Result<Amount, AmountError> total = Amount{};

    // The text of a cell: empty where an entry has no run to tell of.
    QString cell(qsizetype row, int column) const;
    // "合計 \57,000".
    QString totalText() const;
    // The title row, the entries' rows, and the total in the last column's place: for the
    // clipboard and the page.
    QList<QStringList> table() const;
};

QStringList recordColumnTitles();

// The report of `entries` on `today`. A record belongs to the first entry of its name: a second
// entry of the same name has none.
RecordReport makeRecordReport(const Entries &entries, const QuitRecords &records, QDate today);

// One line of a record's history: a run or a price change, oldest first.
struct HistoryLine
{
    bool isRun = true;
    qsizetype index = 0; // in the record's runs or prices
    QStringList cells;   // 内容, から, まで, 日数, 金額
};

QStringList historyColumnTitles();
QList<HistoryLine> historyLines(const QuitRecord &record, QDate today);

} // namespace pomiro
