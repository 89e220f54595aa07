#include "savings_window/savingsmodel.h"

#include "core/savingsplan.h"
#include "core/spokencell.h"

namespace pomiro {

SavingsModel::SavingsModel(QObject *parent) : QAbstractTableModel(parent) {}

void SavingsModel::setReport(const SavingsReport &report)
{
    m_report = report;
    emit dataChanged(index(0, 1), index(rowCount() - 1, kColumns - 1));
}

int SavingsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(kPlanYears.size());
}

int SavingsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant SavingsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_report.cell(row, col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(col == 0 ? Qt::Alignment(Qt::AlignCenter)
                                            : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::AccessibleTextRole:
        return spokenCell(col, m_report.cell(row, 0), headerData(col, Qt::Horizontal).toString(),
                          m_report.cell(row, col));
    default:
        return {};
    }
}

QVariant SavingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return savingsColumnTitles().value(section);
    return section >= 0 && section < rowCount() ? QVariant(planPeriodName(section)) : QVariant();
}

} // namespace pomiro
