#include "list_window/listreport.h"

#include "core/amount.h"
#include "list_window/entrylistmodel.h"

namespace pomiro {

namespace {

// Added by the model to a total that left unreadable rows out; its tooltip names them.
const QString kLeftOutMark = QStringLiteral(" *");

QStringList cellsOf(const EntryListModel &model, int row, QString (*reported)(const QString &))
{
    QStringList cells{model.index(row, 0).data().toString()};
    for (int col = 1; col < EntryListModel::kColumns; ++col)
        cells << reported(model.index(row, col).data().toString());
    return cells;
}

} // namespace

QString reportedAmount(const QString &text)
{
    // "\" alone is how the grid writes a zero amount; the reader takes it for no number.
    if (text.trimmed() == QString(kYenSign))
        return QStringLiteral("0");
    const auto amount = parseAmountText(text);
    if (!amount)
        return text;
    // The displayed text less its signs, so that the rounding is the grid's own by construction.
    QString yen = formatAmountText(*amount);
    yen.remove(kYenSign);
    yen.remove(u',');
    return yen.isEmpty() ? QStringLiteral("0") : yen;
}

QString reportedTotal(const QString &text)
{
    return reportedAmount(text.endsWith(kLeftOutMark) ? text.chopped(kLeftOutMark.size()) : text);
}

csv::Table ListReport::table() const
{
    csv::Table all{header};
    all += rows;
    all << total;
    if (!selectedTotal.isEmpty())
        all << selectedTotal;
    return all;
}

ListReport makeListReport(const EntryListModel &model)
{
    ListReport report;
    for (int col = 0; col < EntryListModel::kColumns; ++col)
        report.header << model.headerData(col, Qt::Horizontal).toString();

    // The model keeps its rows in the order the grid shows them.
    bool anySelected = false;
    for (int row = 0; row < model.entryCount() && !anySelected; ++row)
        anySelected = model.isSelected(row);
    for (int row = 0; row < model.entryCount(); ++row) {
        if (anySelected && !model.isSelected(row))
            continue;
        report.rows << cellsOf(model, row, &reportedAmount);
    }
    report.total = cellsOf(model, model.totalRow(), &reportedTotal);
    if (anySelected)
        report.selectedTotal = cellsOf(model, model.selectedTotalRow(), &reportedTotal);
    return report;
}

} // namespace pomiro
