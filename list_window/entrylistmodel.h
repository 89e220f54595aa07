#pragma once

#include "core/entry.h"

#include <QAbstractTableModel>
#include <QList>

#include <array>

namespace pomiro {

// The rows of the list window: the header row, one row per entry (a copy of the entries the
// window opened with), an empty spacer, the total row "全合計" and the selected-total row
// "選択合計". Row 0 and column 0 are the header and the names; the view keeps them in view.
//
// Each entry row is selected or not, and the model serves exactly that as the background of its
// amount cells: light cyan when selected, white once deselected, none while never clicked. Cells
// the model gives no background keep the view's own colours; those it gives one have black text.
class EntryListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumns = 11;

    explicit EntryListModel(const Entries &entries, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Selects an entry row or takes its selection back, then counts the selected rows afresh.
    // Any other row is not selectable and changes nothing.
    void toggleRow(int row);
    // Only the tests read the selection this way; the window shows it through the background.
    bool isSelected(int row) const;

    int entryCount() const { return int(m_entries.size()); }
    int totalRow() const { return entryCount() + 2; }
    int selectedTotalRow() const { return entryCount() + 3; }

private:
    enum class Mark { Untouched, Selected, Deselected };

    struct Total
    {
        QString text;
        QString toolTip;
    };
    using Totals = std::array<Total, kPeriodCount>;

    void fillTotals();
    Totals totalsOf(bool selectedOnly) const;
    QString text(int row, int col) const;
    // The cell's own colour, or none where the view's colour shows.
    QVariant background(int row, int col) const;

    Entries m_entries;
    QList<Mark> m_marks;
    Totals m_total;
    // Empty until the first click on an entry row.
    Totals m_selectedTotal;
};

} // namespace pomiro
