#pragma once

#include "savings_window/savingsreport.h"

#include <QAbstractTableModel>

namespace pomiro {

// The plan as a table: a row for each of its years, the period in the first column (titled 期間)
// and the three figures after it. Every cell also has a spoken form that names its row and
// column, since a screen reader hears one cell at a time: "１０年 運用した場合 \2,125,234".
class SavingsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumns = SavingsReport::kColumns;

    explicit SavingsModel(QObject *parent = nullptr);

    void setReport(const SavingsReport &report);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    SavingsReport m_report;
};

} // namespace pomiro
