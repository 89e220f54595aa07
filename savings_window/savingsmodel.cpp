#include "savings_window/savingsmodel.h"

#include "core/savingsplan.h"

namespace pomiro {

namespace {

constexpr SavingsReport::Figure kFigureOfColumn[] = {
    SavingsReport::Figure::Saved, SavingsReport::Figure::Saved, SavingsReport::Figure::Grown,
    SavingsReport::Figure::Gain};

} // namespace

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

QString SavingsModel::text(int row, int col) const
{
    return col == 0 ? planPeriodName(row) : m_report.shown(row, kFigureOfColumn[col]);
}

QVariant SavingsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(col == 0 ? Qt::Alignment(Qt::AlignCenter)
                                            : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::AccessibleTextRole: {
        if (col == 0)
            return text(row, 0);
        QStringList words{text(row, 0), headerData(col, Qt::Horizontal).toString()};
        if (const QString shown = text(row, col); !shown.isEmpty())
            words << shown;
        return words.join(u' ');
    }
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
