#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace pomiro {

class FrozenTableView;

// How the list's grid draws its cells: the model's colours are the selection the user sees, so
// Qt's highlight never covers them, and the current cell is marked only while the user works the
// grid by keys (FrozenTableView::marksCurrentCell()). The frozen column wears the fixed-cell
// colours (the palette's button colours) wherever the model gives no background of its own.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    enum class Cells { Scrolling, Fixed };

    GridCellDelegate(const FrozenTableView *grid, Cells cells, QObject *parent);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const FrozenTableView *m_grid;
    Cells m_cells;
};

// The column titles, drawn exactly as a row of fixed cells with the table's grid lines, so that
// the real header looks like the first row it replaced, with the style's sort arrow on the title
// the rows are sorted by. Clicks sort as on any header.
class FixedCellHeader : public QHeaderView
{
public:
    explicit FixedCellHeader(QWidget *table);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    void paintSortArrow(QPainter *painter, const QRect &rect) const;
};

} // namespace pomiro
