#pragma once

#include <QColor>
#include <QString>
#include <Qt>
#include <functional>

class QWidget;

namespace pomiro {

// The table control of the list window. Cells are addressed by row and column from 0; the first
// fixed rows and fixed columns are ordinary cells that stay in view while the rest scrolls.
// Indices outside the grid are ignored by setters and read back as empty.
class Grid
{
public:
    virtual ~Grid() = default;

    // The widget to place in a window; nullptr for a grid that is never drawn.
    virtual QWidget *widget() = 0;

    virtual void setCols(int cols) = 0;
    virtual void setRows(int rows) = 0;
    virtual int cols() const = 0;
    virtual int rows() const = 0;

    virtual void setFixedRows(int rows) = 0;
    virtual void setFixedCols(int cols) = 0;
    virtual int fixedRows() const = 0;
    virtual int fixedCols() const = 0;

    // Widths in twips; 15 twips are one pixel.
    virtual void setColWidth(int col, int twips) = 0;
    virtual int colWidth(int col) const = 0;

    virtual void setText(int row, int col, const QString &text) = 0;
    virtual QString text(int row, int col) const = 0;

    // A cell reads back exactly the colour last set. A cell never set reports the grid's own
    // colour for its kind: the fixed-cell colour or the normal background.
    virtual void setCellBackground(int row, int col, const QColor &colour) = 0;
    virtual QColor cellBackground(int row, int col) const = 0;

    // A cell without a tooltip of its own shows the grid's tooltip.
    virtual void setToolTip(const QString &text) = 0;
    virtual void setCellToolTip(int row, int col, const QString &text) = 0;
    virtual QString cellToolTip(int row, int col) const = 0;

    // Alignment of a column's cells in the fixed rows or fixed columns, and of its other cells.
    virtual void setColAlignmentFixed(int col, Qt::Alignment alignment) = 0;
    virtual void setColAlignment(int col, Qt::Alignment alignment) = 0;
    virtual Qt::Alignment cellAlignment(int row, int col) const = 0;

    virtual void setFontName(const QString &family) = 0;
    virtual void setFontSize(double points) = 0;
    virtual QString fontName() const = 0;
    virtual double fontSize() const = 0;

    virtual void setCurrentCell(int row, int col) = 0;
    virtual int currentRow() const = 0;
    virtual int currentCol() const = 0;

    // Called after a mouse click on a cell; by then the clicked cell is the current cell.
    virtual void setClickHandler(std::function<void()> handler) = 0;
};

} // namespace pomiro
