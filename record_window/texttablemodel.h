#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace pomiro {

// A table of texts made elsewhere, shown as they stand: the first column names each row and is
// aligned left, the figures after it right. A screen reader hears each cell with its row's name
// and its column's title, since it hears one cell at a time.
class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TextTableModel(QStringList titles, QObject *parent = nullptr);

    void setRows(QList<QStringList> rows);
    const QList<QStringList> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_titles;
    QList<QStringList> m_rows;
};

} // namespace pomiro
