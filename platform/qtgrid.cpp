#include "platform/qtgrid.h"

#include "platform/twips.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWheelEvent>

#include <algorithm>
#include <vector>

namespace pomiro {

namespace {

constexpr int kDefaultColTwips = 1000;
constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr double kDefaultFontSize = 9.0;

// The current cell is the grid's business, not something to paint: no focus frame on a cell.
class PlainDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

} // namespace

namespace detail {

struct Cell
{
    QString text;
    QColor background; // invalid: never set
    QString toolTip;
};

// Every cell of the grid, fixed or not, with the per-column settings.
class GridModel : public QAbstractTableModel
{
public:
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }

    Qt::ItemFlags flags(const QModelIndex &) const override { return Qt::ItemIsEnabled; }

    // The headers only make room for the fixed cells and are never seen; without texts they are
    // cheap to measure.
    QVariant headerData(int, Qt::Orientation, int) const override { return {}; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const int row = index.row();
        const int col = index.column();
        if (!contains(row, col))
            return {};
        const Cell &c = m_cells[row][col];
        switch (role) {
        case Qt::DisplayRole:
            return c.text;
        case Qt::BackgroundRole:
            return background(row, col);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignment(row, col));
        case Qt::ToolTipRole:
            return c.toolTip.isEmpty() ? (m_toolTip.isEmpty() ? QVariant() : QVariant(m_toolTip))
                                       : QVariant(c.toolTip);
        default:
            return {};
        }
    }

    bool contains(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }
    bool isFixed(int row, int col) const { return row < fixedRows || col < fixedCols; }

    QColor background(int row, int col) const
    {
        const QColor &set = m_cells[row][col].background;
        if (set.isValid())
            return set;
        return isFixed(row, col) ? fixedColour : normalColour;
    }

    Qt::Alignment alignment(int row, int col) const
    {
        return isFixed(row, col) ? fixedAlignment[col] : cellAlignment[col];
    }

    void resize(int rows, int cols)
    {
        rows = std::max(rows, 0);
        cols = std::max(cols, 0);
        if (cols > m_cols) {
            beginInsertColumns({}, m_cols, cols - 1);
            setShape(m_rows, cols);
            endInsertColumns();
        } else if (cols < m_cols) {
            beginRemoveColumns({}, cols, m_cols - 1);
            setShape(m_rows, cols);
            endRemoveColumns();
        }
        if (rows > m_rows) {
            beginInsertRows({}, m_rows, rows - 1);
            setShape(rows, m_cols);
            endInsertRows();
        } else if (rows < m_rows) {
            beginRemoveRows({}, rows, m_rows - 1);
            setShape(rows, m_cols);
            endRemoveRows();
        }
    }

    Cell &cell(int row, int col) { return m_cells[row][col]; }
    const Cell &cell(int row, int col) const { return m_cells[row][col]; }

    void changed(int row, int col) { emit dataChanged(index(row, col), index(row, col)); }
    void changedAll()
    {
        if (m_rows > 0 && m_cols > 0)
            emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
    }

    void setToolTip(const QString &text) { m_toolTip = text; }

    int fixedRows = 1;
    int fixedCols = 1;
    std::vector<int> widthTwips;
    std::vector<Qt::Alignment> fixedAlignment;
    std::vector<Qt::Alignment> cellAlignment;
    QColor fixedColour;
    QColor normalColour;

private:
    void setShape(int rows, int cols)
    {
        m_cells.resize(static_cast<size_t>(rows));
        for (auto &row : m_cells)
            row.resize(static_cast<size_t>(cols));
        widthTwips.resize(static_cast<size_t>(cols), kDefaultColTwips);
        fixedAlignment.resize(static_cast<size_t>(cols), kDefaultAlignment);
        cellAlignment.resize(static_cast<size_t>(cols), kDefaultAlignment);
        m_rows = rows;
        m_cols = cols;
    }

    int m_rows = 0;
    int m_cols = 0;
    std::vector<std::vector<Cell>> m_cells;
    QString m_toolTip;
};

// A view of the fixed cells laid over the main view. It moves only in the directions it follows
// the main view and hands the wheel to it, so the two never drift apart.
class Overlay : public QTableView
{
public:
    Overlay(QTableView *main, bool followsX, bool followsY)
        : QTableView(main), m_main(main), m_followsX(followsX), m_followsY(followsY)
    {
    }

    void follow()
    {
        horizontalScrollBar()->setValue(m_followsX ? m_main->horizontalScrollBar()->value() : 0);
        verticalScrollBar()->setValue(m_followsY ? m_main->verticalScrollBar()->value() : 0);
    }

protected:
    void updateGeometries() override
    {
        QTableView::updateGeometries();
        follow();
    }

    void wheelEvent(QWheelEvent *event) override { QCoreApplication::sendEvent(m_main->viewport(), event); }

private:
    QTableView *m_main;
    bool m_followsX;
    bool m_followsY;
};

// The movable cells, with the fixed rows and columns drawn by three overlays on its margins:
// `top` over the fixed rows (scrolls sideways with the cells), `left` over the fixed columns
// (scrolls up and down with them) and `corner` where both meet (never scrolls).
class GridView : public QTableView
{
public:
    explicit GridView(GridModel *model) : m_model(model)
    {
        setup(this);
        setFocusPolicy(Qt::StrongFocus);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

        horizontalHeader()->show();
        verticalHeader()->show();

        top = new Overlay(this, true, false);
        left = new Overlay(this, false, true);
        corner = new Overlay(this, false, false);
        for (Overlay *overlay : {top, left, corner}) {
            setup(overlay);
            overlay->setFrameShape(QFrame::NoFrame);
            overlay->setFocusPolicy(Qt::NoFocus);
            overlay->setAutoScroll(false);
            overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            overlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, top, &Overlay::follow);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, left, &Overlay::follow);
    }

    Overlay *top = nullptr;
    Overlay *left = nullptr;
    Overlay *corner = nullptr;
    int rowHeight = 20;

    // Brings widths, row heights and the hidden fixed sections of all four views in line with the
    // model; the margins give the fixed cells their room.
    void syncSections()
    {
        const int rows = m_model->rowCount();
        const int cols = m_model->columnCount();
        const int fixedRows = std::min(m_model->fixedRows, rows);
        const int fixedCols = std::min(m_model->fixedCols, cols);

        for (QTableView *view : std::initializer_list<QTableView *>{this, top, left, corner}) {
            view->verticalHeader()->setDefaultSectionSize(rowHeight);
            for (int col = 0; col < cols; ++col)
                view->setColumnWidth(col, twipsToPixels(m_model->widthTwips[static_cast<size_t>(col)]));
        }
        // The movable part hides what the overlays draw, so that scrolling starts at the first
        // movable row and column and both sides count the same pixels.
        for (int row = 0; row < std::min(rows, std::max(fixedRows, m_hiddenRows)); ++row) {
            setRowHidden(row, row < fixedRows);
            left->setRowHidden(row, row < fixedRows);
        }
        for (int col = 0; col < std::min(cols, std::max(fixedCols, m_hiddenCols)); ++col) {
            setColumnHidden(col, col < fixedCols);
            top->setColumnHidden(col, col < fixedCols);
        }
        m_hiddenRows = fixedRows;
        m_hiddenCols = fixedCols;

        m_fixedWidth = 0;
        for (int col = 0; col < fixedCols; ++col)
            m_fixedWidth += twipsToPixels(m_model->widthTwips[static_cast<size_t>(col)]);
        m_fixedHeight = fixedRows * rowHeight;
        // The table view sizes its margins from its headers; sized to the fixed cells, they make
        // the room the overlays cover.
        horizontalHeader()->setFixedHeight(m_fixedHeight);
        verticalHeader()->setFixedWidth(m_fixedWidth);
        updateGeometries();
    }

    void placeOverlays()
    {
        if (!top)
            return;
        const QRect vp = viewport()->geometry();
        top->setGeometry(vp.left(), vp.top() - m_fixedHeight, vp.width(), m_fixedHeight);
        left->setGeometry(vp.left() - m_fixedWidth, vp.top(), m_fixedWidth, vp.height());
        corner->setGeometry(vp.left() - m_fixedWidth, vp.top() - m_fixedHeight, m_fixedWidth, m_fixedHeight);
        for (Overlay *overlay : {top, left, corner}) {
            overlay->raise();
            overlay->follow();
        }
    }

    // The view that draws a cell.
    QTableView *viewFor(int row, int col)
    {
        const bool fixedRow = row < m_model->fixedRows;
        const bool fixedCol = col < m_model->fixedCols;
        if (fixedRow && fixedCol)
            return corner;
        if (fixedRow)
            return top;
        if (fixedCol)
            return left;
        return this;
    }

protected:
    void updateGeometries() override
    {
        QTableView::updateGeometries();
        placeOverlays();
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QTableView::resizeEvent(event);
        placeOverlays();
    }

private:
    void setup(QTableView *view)
    {
        view->setModel(m_model);
        view->setItemDelegate(new PlainDelegate(view));
        view->horizontalHeader()->hide();
        view->verticalHeader()->hide();
        view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        view->setWordWrap(false);
        view->setCornerButtonEnabled(false);
    }

    GridModel *m_model;
    int m_hiddenRows = 0;
    int m_hiddenCols = 0;
    int m_fixedWidth = 0;
    int m_fixedHeight = 0;
};

} // namespace detail

QtGrid::QtGrid() : m_model(std::make_unique<detail::GridModel>())
{
    m_view = new detail::GridView(m_model.get());
    m_model->normalColour = m_view->palette().color(QPalette::Base);
    m_model->fixedColour = m_view->palette().color(QPalette::Button);
    for (QTableView *view : std::initializer_list<QTableView *>{m_view, m_view->top, m_view->left, m_view->corner}) {
        QObject::connect(view, &QAbstractItemView::clicked, m_view,
                         [this](const QModelIndex &index) { onCellClicked(index.row(), index.column()); });
    }
    QFont f = m_view->font();
    f.setPointSizeF(kDefaultFontSize);
    m_view->setFont(f);
    applyFont();
}

QtGrid::~QtGrid()
{
    // The view may already have gone with a window that owned it.
    delete m_view.data();
}

QWidget *QtGrid::widget()
{
    return m_view;
}

void QtGrid::setCols(int cols)
{
    m_model->resize(m_model->rowCount(), cols);
    if (m_view)
        m_view->syncSections();
}

void QtGrid::setRows(int rows)
{
    m_model->resize(rows, m_model->columnCount());
    if (m_view)
        m_view->syncSections();
}

int QtGrid::cols() const
{
    return m_model->columnCount();
}

int QtGrid::rows() const
{
    return m_model->rowCount();
}

void QtGrid::setFixedRows(int rows)
{
    m_model->fixedRows = std::max(rows, 0);
    m_model->changedAll();
    if (m_view)
        m_view->syncSections();
}

void QtGrid::setFixedCols(int cols)
{
    m_model->fixedCols = std::max(cols, 0);
    m_model->changedAll();
    if (m_view)
        m_view->syncSections();
}

int QtGrid::fixedRows() const
{
    return m_model->fixedRows;
}

int QtGrid::fixedCols() const
{
    return m_model->fixedCols;
}

void QtGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= cols())
        return;
    m_model->widthTwips[static_cast<size_t>(col)] = std::max(twips, 0);
    if (m_view)
        m_view->syncSections();
}

int QtGrid::colWidth(int col) const
{
    if (col < 0 || col >= cols())
        return 0;
    return m_model->widthTwips[static_cast<size_t>(col)];
}

void QtGrid::setText(int row, int col, const QString &text)
{
    if (!m_model->contains(row, col))
        return;
    m_model->cell(row, col).text = text;
    m_model->changed(row, col);
}

QString QtGrid::text(int row, int col) const
{
    return m_model->contains(row, col) ? m_model->cell(row, col).text : QString();
}

void QtGrid::setCellBackground(int row, int col, const QColor &colour)
{
    if (!m_model->contains(row, col))
        return;
    m_model->cell(row, col).background = colour;
    m_model->changed(row, col);
}

QColor QtGrid::cellBackground(int row, int col) const
{
    return m_model->contains(row, col) ? m_model->background(row, col) : QColor();
}

void QtGrid::setToolTip(const QString &text)
{
    m_model->setToolTip(text);
    if (m_view)
        m_view->setToolTip(text); // for the area below the last row
}

void QtGrid::setCellToolTip(int row, int col, const QString &text)
{
    if (!m_model->contains(row, col))
        return;
    m_model->cell(row, col).toolTip = text;
}

QString QtGrid::cellToolTip(int row, int col) const
{
    return m_model->contains(row, col) ? m_model->data(m_model->index(row, col), Qt::ToolTipRole).toString()
                                       : QString();
}

void QtGrid::setColAlignmentFixed(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= cols())
        return;
    m_model->fixedAlignment[static_cast<size_t>(col)] = alignment;
    m_model->changedAll();
}

void QtGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= cols())
        return;
    m_model->cellAlignment[static_cast<size_t>(col)] = alignment;
    m_model->changedAll();
}

Qt::Alignment QtGrid::cellAlignment(int row, int col) const
{
    return m_model->contains(row, col) ? m_model->alignment(row, col) : Qt::Alignment();
}

void QtGrid::setFontName(const QString &family)
{
    if (!m_view)
        return;
    QFont f = m_view->font();
    f.setFamily(family);
    m_view->setFont(f);
    applyFont();
}

void QtGrid::setFontSize(double points)
{
    if (!m_view || !(points > 0))
        return;
    QFont f = m_view->font();
    f.setPointSizeF(points);
    m_view->setFont(f);
    applyFont();
}

QString QtGrid::fontName() const
{
    return m_view ? m_view->font().family() : QString();
}

double QtGrid::fontSize() const
{
    return m_view ? m_view->font().pointSizeF() : 0.0;
}

void QtGrid::applyFont()
{
    // The overlays inherit the font as children of the view; rows follow the font's height.
    m_view->rowHeight = QFontMetrics(m_view->font()).height() + 6;
    m_view->syncSections();
}

void QtGrid::setCurrentCell(int row, int col)
{
    if (!m_model->contains(row, col))
        return;
    m_currentRow = row;
    m_currentCol = col;
}

int QtGrid::currentRow() const
{
    return m_currentRow;
}

int QtGrid::currentCol() const
{
    return m_currentCol;
}

void QtGrid::setClickHandler(std::function<void()> handler)
{
    m_clickHandler = std::move(handler);
}

void QtGrid::onCellClicked(int row, int col)
{
    setCurrentCell(row, col);
    if (m_clickHandler)
        m_clickHandler();
}

QPoint QtGrid::cellCentre(int row, int col) const
{
    if (!m_view || !m_model->contains(row, col))
        return {};
    QTableView *view = m_view->viewFor(row, col);
    if (view->isRowHidden(row) || view->isColumnHidden(col))
        return {};
    const QRect rect = view->visualRect(m_model->index(row, col));
    const QPoint centre = rect.center();
    if (!view->viewport()->rect().contains(centre))
        return {};
    return view->viewport()->mapTo(m_view.data(), centre);
}

void QtGrid::scrollToCell(int row, int col)
{
    if (!m_view || !m_model->contains(row, col))
        return;
    const int movableRow = std::max(row, std::min(m_model->fixedRows, rows() - 1));
    const int movableCol = std::max(col, std::min(m_model->fixedCols, cols() - 1));
    m_view->scrollTo(m_model->index(movableRow, movableCol));
}

} // namespace pomiro
