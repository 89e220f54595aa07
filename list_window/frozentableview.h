#pragma once

#include <QList>
#include <QTableView>

namespace pomiro {

class FrozenColumn;

// A table view whose first column stays in view while the other columns scroll sideways, as in
// Qt's Frozen Column example: the column titles are the model's header data in a real horizontal
// header, and one more view, laid over the left edge of this one and sharing its model and
// selection model, draws the first column and follows the vertical scrolling. The titles and the
// first column look like fixed cells (gridcells.h).
//
// The view never selects or edits by itself: a click on any cell, frozen or not, and Space or Enter
// on the current cell are reported by cellTriggered(); whoever owns the data decides what that
// means, and may give both views its own selection model to show (setSelectionModel()). A click on
// a column's title sorts the model by that column (the model's Qt::InitialSortOrderRole gives the
// first order, a second click reverses it) and shows the indicator. Tab leaves the view; the arrows
// move the current cell, which is marked only while the user works the view by keys. Likewise the
// view only reports a wish for its menu (a right click, the Menu key, Shift+F10) and Ctrl+C; it
// copies nothing itself.
class FrozenTableView : public QTableView
{
    Q_OBJECT

public:
    explicit FrozenTableView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    void setSelectionModel(QItemSelectionModel *selectionModel) override;
    // Widths in pixels, from the first column on, for this view and the frozen one alike.
    void setColumnWidths(const QList<int> &widths);

    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

    // Sorts by `column` exactly as a click on its title does: by the model's first order
    // (Qt::InitialSortOrderRole), or the other way when the rows are sorted by it already. A column
    // of -1 brings back the model's own order, with no indicator.
    void sortAsTitleClick(int column);

    // Where the centre of a cell is drawn, in this widget's coordinates; a null point when it is
    // scrolled out of view or lies under the frozen column. The menu opens there by keys.
    QPoint cellCentre(const QModelIndex &index) const;

    // Whether the current cell carries the focus mark: while the view has the focus and the user
    // last moved by keys. A mouse click marks nothing, so the grid looks as it always did.
    bool marksCurrentCell() const;

signals:
    void cellTriggered(const QModelIndex &index);
    // Where the menu should open, in global coordinates: at the mouse, or at the current cell
    // when asked for by keys.
    void menuRequested(const QPoint &globalPos, bool byKeys);
    void copyRequested();

protected:
    QItemSelectionModel::SelectionFlags
    selectionCommand(const QModelIndex &index, const QEvent *event = nullptr) const override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void updateGeometries() override;
    void changeEvent(QEvent *event) override;

private:
    friend class FrozenColumn;

    void syncSections();
    void placeFrozenColumn();
    void setKeyboardUse(bool keys);
    QPoint menuPositionForKeys();

    FrozenColumn *m_frozen;
    QList<int> m_widths;
    int m_rowHeight = 0;
    bool m_keyboardUse = false;
};

} // namespace pomiro
