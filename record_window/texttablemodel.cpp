#include "record_window/texttablemodel.h"

#include "core/spokencell.h"

namespace pomiro {

TextTableModel::TextTableModel(QStringList titles, QObject *parent)
    : QAbstractTableModel(parent), m_titles(std::move(titles))
{}

void TextTableModel::setRows(QList<QStringList> rows)
{
    if (rows.size() == m_rows.size()) {
        // The same rows with new figures (a new day, a change of one record): the views keep
        // their selection and their place.
        m_rows = std::move(rows);
        if (!m_rows.isEmpty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const QStringList &row = m_rows.at(index.row());
    const QString shown = row.value(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return shown;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                       : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::AccessibleTextRole:
        return spokenCell(index.column(), row.value(0), m_titles.value(index.column()), shown);
    default:
        return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return m_titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace pomiro
