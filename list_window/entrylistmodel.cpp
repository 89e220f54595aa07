#include "list_window/entrylistmodel.h"

#include "core/amount.h"
#include "core/periodtotal.h"
#include "core/spokencell.h"
#include "list_window/layout.h"
#include "list_window/texts.h"

#include <QCollator>
#include <QColor>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <numeric>
#include <optional>

namespace pomiro {

namespace {

// A total names at most this many left-out rows; a longer tooltip would leave the screen.
constexpr int kMaxNamedRows = 10;

// An amount as the sort sees it: the value the totals count, or none for a text they leave out.
std::optional<Amount> sortValue(const QString &text)
{
    if (isZeroText(text))
        return Amount{};
    const auto value = parseAmountText(text);
    return value ? std::optional<Amount>(*value) : std::nullopt;
}

// The tooltip of a total: why it is "桁あふれ" and which rows it left out, as rich text with the
// names escaped so that a name is shown exactly as typed.
QString totalNotes(bool overflow, const QStringList &skipped)
{
    QStringList notes;
    if (overflow)
        notes << listtexts::kOverflowNote;
    if (!skipped.isEmpty()) {
        QStringList names;
        for (qsizetype i = 0; i < skipped.size() && i < kMaxNamedRows; ++i)
            names << listtexts::shownName(skipped[i].toHtmlEscaped());
        notes << listtexts::skippedNote(names, skipped.size() - names.size());
    }
    return notes.isEmpty() ? QString()
                           : QStringLiteral("<qt>") + notes.join(QStringLiteral("<br>"));
}

} // namespace

EntryListModel::EntryListModel(const Entries &entries, QObject *parent)
    : QAbstractTableModel(parent), m_entries(entries),
      m_selection(new QItemSelectionModel(this, this)), m_touched(entries.size(), false),
      m_order(entries.size())
{
    std::iota(m_order.begin(), m_order.end(), 0);
    fillTotals();
}

int EntryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : entryCount() + 3;
}

int EntryListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant EntryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return section == 0
                   ? listtexts::kNameHeader
                   : QString::fromUtf16(kPeriods[static_cast<size_t>(section - 1)].listHeader);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::InitialSortOrderRole:
        // What a first click on the title sorts by: names from A on, amounts from the largest.
        return section == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    default:
        return {};
    }
}

// Entry rows can be selected (by toggleRow(), never by the view itself).
Qt::ItemFlags EntryListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return isEntryRow(index.row()) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled;
}

QVariant EntryListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    const int col = index.column();
    const bool total = row == totalRow() || row == selectedTotalRow();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(col == 0 ? Qt::Alignment(Qt::AlignCenter)
                                            : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return background(row, col);
    case Qt::ForegroundRole:
        // The fixed backgrounds are light whatever the desktop's theme; their text stays dark.
        return background(row, col).isValid() ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::ToolTipRole:
        if (total && col >= 1) {
            const Totals &totals = row == totalRow() ? m_total : m_selectedTotal;
            const QString &notes = totals[static_cast<size_t>(col - 1)].toolTip;
            if (!notes.isEmpty())
                return notes;
        }
        return listtexts::kClickHint;
    case Qt::AccessibleTextRole:
        return spokenText(row, col);
    default:
        return {};
    }
}

QVariant EntryListModel::background(int row, int col) const
{
    if (row == totalRow())
        return listlayout::kTotalRow;
    if (row == selectedTotalRow())
        return listlayout::kSelectedTotalRow;
    if (isEntryRow(row) && col >= 1 && m_touched[m_order[row]])
        return isSelected(row) ? listlayout::kSelectedRow : listlayout::kDeselectedRow;
    return {};
}

QString EntryListModel::text(int row, int col) const
{
    if (isEntryRow(row)) {
        const Entry &entry = m_entries[m_order[row]];
        return col == 0 ? entry.name : entry.amount(col - 1);
    }
    if (row == totalRow())
        return col == 0 ? listtexts::kTotal : m_total[static_cast<size_t>(col - 1)].text;
    if (row == selectedTotalRow())
        return col == 0 ? listtexts::kSelectedTotal
                        : m_selectedTotal[static_cast<size_t>(col - 1)].text;
    return {};
}

// A nameless entry still needs a name to be heard by; the grid itself shows it blank.
QString EntryListModel::rowName(int row) const
{
    if (isEntryRow(row))
        return listtexts::shownName(m_entries[m_order[row]].name);
    return text(row, 0);
}

QString EntryListModel::spokenText(int row, int col) const
{
    if (row == spacerRow())
        return {};
    return spokenCell(col, rowName(row), headerData(col, Qt::Horizontal).toString(),
                      text(row, col));
}

bool EntryListModel::isSelected(int row) const
{
    // Whole rows are selected, so one cell answers for its row.
    return isEntryRow(row) && m_selection->isSelected(index(row, 0));
}

QList<int> EntryListModel::takenRows() const
{
    const bool selectedOnly = hasSelection();
    QList<int> rows;
    for (int row = 0; row < entryCount(); ++row) {
        if (!selectedOnly || isSelected(row))
            rows << row;
    }
    return rows;
}

void EntryListModel::toggleRow(int row)
{
    if (!isEntryRow(row))
        return;
    m_touched[m_order[row]] = true;
    m_selection->select(index(row, 0), QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
    emit dataChanged(index(row, 1), index(row, kColumns - 1), {Qt::BackgroundRole});

    m_selectedTotal = totalsOf(true);
    emit dataChanged(index(selectedTotalRow(), 1), index(selectedTotalRow(), kColumns - 1),
                     {Qt::DisplayRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
    emit rowSelectionChanged(row, isSelected(row));
}

void EntryListModel::sort(int column, Qt::SortOrder order)
{
    const QList<int> sorted = sortedOrder(column, order);
    if (sorted == m_order)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Where each entry goes, so that the view's selection and current cell go with it.
    QList<int> newRow(m_order.size());
    for (int row = 0; row < sorted.size(); ++row)
        newRow[sorted[row]] = row;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from)
        to << (isEntryRow(index.row()) ? this->index(newRow[m_order[index.row()]], index.column())
                                       : index);
    m_order = sorted;
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// Always sorted from the file's order with a stable sort, so that ties keep the file's order
// whichever column was sorted before.
QList<int> EntryListModel::sortedOrder(int column, Qt::SortOrder order) const
{
    QList<int> sorted(m_entries.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    if (column < 0 || column >= kColumns)
        return sorted;
    const bool descending = order == Qt::DescendingOrder;
    if (column == 0) {
        QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
        // "項目2" before "項目10", as people count.
        collator.setNumericMode(true);
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            const QString &x = m_entries[a].name;
            const QString &y = m_entries[b].name;
            if (x.isEmpty() || y.isEmpty())
                return !x.isEmpty() && y.isEmpty(); // nameless entries last
            const int c = collator.compare(x, y);
            return descending ? c > 0 : c < 0;
        });
        return sorted;
    }
    QList<std::optional<Amount>> values;
    values.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        values << sortValue(entry.amount(column - 1));
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        const std::optional<Amount> &x = values[a];
        const std::optional<Amount> &y = values[b];
        if (!x || !y)
            return x.has_value() && !y.has_value(); // unreadable texts last
        return descending ? *x > *y : *x < *y;
    });
    return sorted;
}

// The total row over all entries; the selected-total row stays empty until a row is clicked.
void EntryListModel::fillTotals()
{
    m_total = totalsOf(false);
}

// Each column's total over all rows or the selected ones. A text that cannot be read is left out
// and named; a text or sum beyond the Amount range makes the whole total "桁あふれ".
EntryListModel::Totals EntryListModel::totalsOf(bool selectedOnly) const
{
    // In the file's order, so that a tooltip names the rows left out as the file has them.
    QList<bool> chosen;
    if (selectedOnly) {
        chosen.resize(entryCount());
        for (const QItemSelectionRange &range : m_selection->selection()) {
            for (int row = range.top(); row <= range.bottom(); ++row) {
                if (isEntryRow(row))
                    chosen[m_order[row]] = true;
            }
        }
    }
    Totals totals;
    for (int period = 0; period < kPeriodCount; ++period) {
        const PeriodTotal sum = periodTotal(m_entries, period, chosen);
        Total &total = totals[static_cast<size_t>(period)];
        total.text = sum.overflow ? listtexts::kOverflow : formatAmountText(sum.sum);
        if (!sum.leftOut.isEmpty())
            total.text += QStringLiteral(" *");
        total.toolTip = totalNotes(sum.overflow, sum.leftOut);
    }
    return totals;
}

} // namespace pomiro
