#include "list_window/listreport.h"

#include "core/amount.h"
#include "list_window/entrylistmodel.h"

namespace pomiro {

namespace {

// Added by the model to a total that left unreadable rows out; its tooltip names them.
const QString kLeftOutMark = QStringLiteral(" *");

// A spreadsheet reads a field that starts with one of these as a formula (a leading tab or CR
// may be dropped on the way in, leaving one). An apostrophe in front keeps it text.
QString guardedText(const QString &text)
{
    static constexpr QStringView kFormulaStarts = u"=+-@\t\r";
    if (!text.isEmpty() && kFormulaStarts.contains(text.front()))
        return u'\'' + text;
    return text;
}

ReportRow cellsOf(const EntryListModel &model, int row, ReportCell (*reported)(const QString &))
{
    ReportRow cells{ReportCell{std::nullopt, model.index(row, 0).data().toString()}};
    for (int col = 1; col < EntryListModel::kColumns; ++col)
        cells << reported(model.index(row, col).data().toString());
    return cells;
}

} // namespace

QString ReportCell::plain() const
{
    // Only typed text can start a formula; the numbers we write are meant to be computed with.
    return amount ? formatWholeYen(*amount) : guardedText(text);
}

QString ReportCell::shown() const
{
    return amount ? formatAmountText(*amount) : text;
}

QStringList plainTexts(const ReportRow &row)
{
    QStringList texts;
    for (const ReportCell &cell : row)
        texts << cell.plain();
    return texts;
}

ReportCell reportedAmount(const QString &text)
{
    // "\" alone is how the grid writes a zero amount; the reader takes it for no number.
    if (text.trimmed() == QString(kYenSign))
        return {Amount{}, text};
    const auto amount = parseAmountText(text);
    return amount ? ReportCell{*amount, text} : ReportCell{std::nullopt, text};
}

ReportCell reportedTotal(const QString &text)
{
    return reportedAmount(text.endsWith(kLeftOutMark) ? text.chopped(kLeftOutMark.size()) : text);
}

csv::Table ListReport::table() const
{
    csv::Table all{header};
    for (const ReportRow &row : rows)
        all << plainTexts(row);
    all << plainTexts(total);
    if (!selectedTotal.isEmpty())
        all << plainTexts(selectedTotal);
    return all;
}

ListReport makeListReport(const EntryListModel &model)
{
    ListReport report;
    for (int col = 0; col < EntryListModel::kColumns; ++col)
        report.header << model.headerData(col, Qt::Horizontal).toString();

    for (const int row : model.takenRows())
        report.rows << cellsOf(model, row, &reportedAmount);
    report.total = cellsOf(model, model.totalRow(), &reportedTotal);
    if (model.hasSelection())
        report.selectedTotal = cellsOf(model, model.selectedTotalRow(), &reportedTotal);
    return report;
}

} // namespace pomiro
