#pragma once

#include <QList>
#include <QTableView>

namespace pomiro {

class FrozenOverlay;

// A table view whose first row and first column stay in view while the other cells scroll, as in
// Qt's Frozen Column example, with three views over the margins of this one: `top` draws the
// first row (scrolling sideways with the cells), `left` the first column (scrolling up and down
// with them), `corner` the cell where both meet. The first row and column look like fixed cells
// (the palette's button colour) wherever the model gives them no background of their own.
// Cells cannot be selected or edited; a click on any cell, frozen or not, is reported by clicked().
class FrozenTableView : public QTableView
{
    Q_OBJECT

public:
    explicit FrozenTableView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    // Widths in pixels, from the first column on, for this view and the frozen ones alike.
    void setColumnWidths(const QList<int> &widths);

    // Where the centre of a cell is drawn, in this widget's coordinates; a null point when the
    // cell is scrolled out of view. Lets a test click exactly what the user sees.
    QPoint cellCentre(const QModelIndex &index) const;

protected:
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void syncSections();
    void placeOverlays();
    QTableView *viewFor(const QModelIndex &index) const;

    FrozenOverlay *m_top;
    FrozenOverlay *m_left;
    FrozenOverlay *m_corner;
    QList<int> m_widths;
    int m_rowHeight = 0;
};

} // namespace pomiro
