#pragma once

#include "platform/grid.h"

#include <QPoint>
#include <QPointer>
#include <memory>

namespace pomiro {

namespace detail {
class GridModel;
class GridView;
} // namespace detail

// The grid over Qt's table view. The fixed rows and columns are drawn by three small views laid
// over the margins of the main view and kept in step with its scrolling, so they stay in view.
// Cells cannot be edited.
class QtGrid : public Grid
{
public:
    QtGrid();
    ~QtGrid() override;
    QtGrid(const QtGrid &) = delete;
    QtGrid &operator=(const QtGrid &) = delete;

    QWidget *widget() override;

    void setCols(int cols) override;
    void setRows(int rows) override;
    int cols() const override;
    int rows() const override;

    void setFixedRows(int rows) override;
    void setFixedCols(int cols) override;
    int fixedRows() const override;
    int fixedCols() const override;

    void setColWidth(int col, int twips) override;
    int colWidth(int col) const override;

    void setText(int row, int col, const QString &text) override;
    QString text(int row, int col) const override;

    void setCellBackground(int row, int col, const QColor &colour) override;
    QColor cellBackground(int row, int col) const override;

    void setToolTip(const QString &text) override;
    void setCellToolTip(int row, int col, const QString &text) override;
    QString cellToolTip(int row, int col) const override;

    void setColAlignmentFixed(int col, Qt::Alignment alignment) override;
    void setColAlignment(int col, Qt::Alignment alignment) override;
    Qt::Alignment cellAlignment(int row, int col) const override;

    void setFontName(const QString &family) override;
    void setFontSize(double points) override;
    QString fontName() const override;
    double fontSize() const override;

    void setCurrentCell(int row, int col) override;
    int currentRow() const override;
    int currentCol() const override;

    void setClickHandler(std::function<void()> handler) override;

    // Where the centre of a cell is drawn, in the grid widget's coordinates; a null point when the
    // cell is scrolled out of view. Lets a test click exactly what the user sees.
    QPoint cellCentre(int row, int col) const;
    // Scrolls the movable part so that the cell comes into view.
    void scrollToCell(int row, int col);

private:
    void applyFont();
    void onCellClicked(int row, int col);

    std::unique_ptr<detail::GridModel> m_model;
    QPointer<detail::GridView> m_view;
    int m_currentRow = 0;
    int m_currentCol = 0;
    std::function<void()> m_clickHandler;
};

} // namespace pomiro
