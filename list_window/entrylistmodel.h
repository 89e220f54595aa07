#pragma once

#include "core/entry.h"

#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <QList>
#include <array>

namespace pomiro {

// The rows of the list window: one row per entry (a copy of the entries the window opened with),
// an empty spacer, the total row "全合計" and the selected-total row "選択合計". The column titles
// ("ぽみろ…", then the ten periods) are the horizontal header data; column 0 holds the names, which
// the view keeps in view.
//
// Each entry row is selected or not, in the model's own selection model (selectionModel()), which
// the views share, so that a screen reader hears a selected row as selected; only toggleRow()
// changes it. The model serves the selection as the background of the row's amount cells (light
// cyan when selected, white once deselected, none while never clicked) and announces each change
// with rowSelectionChanged(). Cells the model gives no background keep the view's own colours;
// those it gives one have black text.
//
// The entry rows can be sorted by a column (sort()); the rows are then served in that order, so
// whoever walks rows 0 to entryCount() - 1 meets the entries as the user sees them. The spacer and
// the two total rows stay last, each entry keeps its selection, and the totals do not change.
//
// Every cell also has a spoken form (Qt::AccessibleTextRole) that names its row and period, since a
// screen reader moving through the grid hears one cell at a time: "禁煙 １日 \500".
class EntryListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The name, then one column per period: the fields of an entry, in the data file's order.
    static constexpr int kColumns = kEntryFieldCount;

    explicit EntryListModel(const Entries &entries, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Amounts by value, the largest first (Qt::DescendingOrder); names in Japanese reading order,
    // A to Z first (Qt::AscendingOrder). Texts that cannot be read as amounts, and empty names,
    // come last in either order; ties keep the order of the file. A column of -1 brings the file's
    // order back. Persistent indexes (the view's selection and current cell) follow their entries.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Selects an entry row or takes its selection back, then counts the selected rows afresh.
    // Any other row is not selectable and changes nothing.
    void toggleRow(int row);
    // Whether an entry row is selected; the window shows it through the background.
    bool isSelected(int row) const;
    // Whether any entry row is selected.
    bool hasSelection() const { return m_selection->hasSelection(); }
    // The entry rows the list's menu takes, in the grid's order: the selected ones, or every entry
    // row when none is selected.
    QList<int> takenRows() const;
    const Entry &entryOfRow(int row) const { return m_entries[m_order[row]]; }
    // The rows' selection, for the views to show; they never change it themselves.
    QItemSelectionModel *selectionModel() const { return m_selection; }

    int entryCount() const { return int(m_entries.size()); }
    bool isEntryRow(int row) const { return row >= 0 && row < entryCount(); }
    int spacerRow() const { return entryCount(); }
    int totalRow() const { return entryCount() + 1; }
    int selectedTotalRow() const { return entryCount() + 2; }

signals:
    // An entry row was selected or deselected by toggleRow().
    void rowSelectionChanged(int row, bool selected);

private:
    struct Total
    {
        QString text;
        QString toolTip;
    };
    using Totals = std::array<Total, kPeriodCount>;

    void fillTotals();
    Totals totalsOf(bool selectedOnly) const;
    QString text(int row, int col) const;
    // The file order of the entries, as the rows serve them.
    QList<int> sortedOrder(int column, Qt::SortOrder order) const;
    // What a screen reader says for a cell: its row's name, the column's period, then the text.
    QString spokenText(int row, int col) const;
    QString rowName(int row) const;
    // The cell's own colour, or none where the view's colour shows.
    QVariant background(int row, int col) const;

    // In the order of the file; m_order[row] is the entry an entry row shows.
    Entries m_entries;
    QItemSelectionModel *m_selection;
    // In the order of the file: whether an entry was ever selected.
    QList<bool> m_touched;
    QList<int> m_order;
    Totals m_total;
    // Empty until the first click on an entry row.
    Totals m_selectedTotal;
};

} // namespace pomiro
