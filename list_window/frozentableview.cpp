#include "list_window/frozentableview.h"

#include "list_window/gridcells.h"
#include "platform/accessibility.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace pomiro {

namespace {

// Rows follow the font, with a little air above and below the text.
constexpr int kRowPadding = 6;

void setUp(QTableView *view, QAbstractItemDelegate *delegate)
{
    view->setHorizontalHeader(new FixedCellHeader(view));
    view->setItemDelegate(delegate);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Whole rows are what gets selected; it also keeps a header click from moving the current cell.
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
}

} // namespace

// The first column, laid over the main view's left edge with a title of its own. It follows the
// main view up and down, hands the wheel to it and reports clicks as the main view's, so the two
// never drift apart; it never selects anything itself.
class FrozenColumn : public QTableView
{
public:
    explicit FrozenColumn(FrozenTableView *main) : QTableView(main), m_main(main)
    {
        setUp(this, new GridCellDelegate(main, GridCellDelegate::Cells::Fixed, this));
        setSelectionMode(QAbstractItemView::NoSelection);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setAutoScroll(false);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(this, &QAbstractItemView::clicked, main, &FrozenTableView::cellTriggered);
    }

    void follow()
    {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(m_main->verticalScrollBar()->value());
    }

protected:
    void updateGeometries() override
    {
        QTableView::updateGeometries();
        follow();
    }

    void wheelEvent(QWheelEvent *event) override
    {
        QCoreApplication::sendEvent(m_main->viewport(), event);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_main->setKeyboardUse(false);
        QTableView::mousePressEvent(event);
    }

    // The names are part of the one grid: its menu opens over them too.
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        emit m_main->menuRequested(event->globalPos(), event->reason() != QContextMenuEvent::Mouse);
        event->accept();
    }

    // The main view tells screen readers about the selection and the current cell; this twin
    // stays silent. Its own focus reports would name cells of a view that is not in the window's
    // accessible tree, and a screen reader would then speak no change on the real ones.
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override
    {
        QAbstractItemView::selectionChanged(selected, deselected);
    }

    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override
    {
        QAbstractItemView::currentChanged(current, previous);
    }

private:
    FrozenTableView *m_main;
};

FrozenTableView::FrozenTableView(QWidget *parent)
    : QTableView(parent), m_frozen(new FrozenColumn(this)),
      m_rowHeight(QFontMetrics(font()).height() + kRowPadding)
{
    setUp(this, new GridCellDelegate(this, GridCellDelegate::Cells::Scrolling, this));
    // Several rows can be selected, but only by whoever owns the data (see selectionCommand()).
    setSelectionMode(QAbstractItemView::MultiSelection);
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // A title click sorts the rows in the model itself (QAbstractItemModel::sort()), so that the
    // frozen names, the selection and whoever reads the model all see one order. The frozen
    // column's title stands in for this view's first one, which it covers; the two headers keep
    // one sort indicator between them. Each opening shows the file's order, with no arrow.
    QHeaderView *titles = horizontalHeader();
    QHeaderView *frozenTitles = m_frozen->horizontalHeader();
    for (QHeaderView *header : {titles, frozenTitles}) {
        header->setSortIndicator(-1, Qt::DescendingOrder);
        header->setSortIndicatorShown(true);
    }
    setSortingEnabled(true);
    connect(frozenTitles, &QHeaderView::sortIndicatorChanged, titles,
            &QHeaderView::setSortIndicator);
    connect(titles, &QHeaderView::sortIndicatorChanged, frozenTitles,
            &QHeaderView::setSortIndicator);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_frozen, &FrozenColumn::follow);
    connect(this, &QAbstractItemView::clicked, this, &FrozenTableView::cellTriggered);
}

void FrozenTableView::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    m_frozen->setModel(model);
    m_frozen->setSelectionModel(selectionModel());
    syncSections();
}

// Both views show one selection. (The selection models the views make on setModel() stay their
// children, unused once replaced.)
void FrozenTableView::setSelectionModel(QItemSelectionModel *selectionModel)
{
    QTableView::setSelectionModel(selectionModel);
    if (selectionModel && m_frozen->model() == selectionModel->model())
        m_frozen->setSelectionModel(selectionModel);
}

void FrozenTableView::setColumnWidths(const QList<int> &widths)
{
    m_widths = widths;
    syncSections();
}

// Brings widths, row heights and title heights of both views in line; the frozen view shows the
// first column alone.
void FrozenTableView::syncSections()
{
    if (!model())
        return;
    const int cols = model()->columnCount();
    for (QTableView *view : std::initializer_list<QTableView *>{this, m_frozen}) {
        view->verticalHeader()->setDefaultSectionSize(m_rowHeight);
        view->horizontalHeader()->setFixedHeight(m_rowHeight);
        for (int col = 0; col < cols && col < m_widths.size(); ++col)
            view->setColumnWidth(col, m_widths[col]);
    }
    for (int col = 1; col < cols; ++col)
        m_frozen->setColumnHidden(col, true);
    updateGeometries();
}

void FrozenTableView::placeFrozenColumn()
{
    m_frozen->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                          horizontalHeader()->height() + viewport()->height());
    m_frozen->raise();
    m_frozen->follow();
}

// The frozen column covers the left of the viewport: a cell that scrolls into view must come out
// right of it, and bringing a name into view moves the rows only.
void FrozenTableView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    const int x = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (!index.isValid())
        return;
    if (index.column() == 0) {
        horizontalScrollBar()->setValue(x);
        return;
    }
    const int covered = columnWidth(0) - columnViewportPosition(index.column());
    if (covered > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

void FrozenTableView::sortAsTitleClick(int column)
{
    QHeaderView *titles = horizontalHeader();
    Qt::SortOrder order = Qt::DescendingOrder;
    if (column >= 0 && column == titles->sortIndicatorSection()) {
        order = titles->sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                   : Qt::AscendingOrder;
    } else if (column >= 0 && model()) {
        order = model()
                    ->headerData(column, Qt::Horizontal, Qt::InitialSortOrderRole)
                    .value<Qt::SortOrder>();
    }
    titles->setSortIndicator(column, order);
}

QItemSelectionModel::SelectionFlags FrozenTableView::selectionCommand(const QModelIndex &,
                                                                      const QEvent *) const
{
    return QItemSelectionModel::NoUpdate;
}

void FrozenTableView::selectionChanged(const QItemSelection &selected,
                                       const QItemSelection &deselected)
{
    QTableView::selectionChanged(selected, deselected);
    accessibility::announceSelectionAtCurrentCell(this, selected, true);
    accessibility::announceSelectionAtCurrentCell(this, deselected, false);
}

void FrozenTableView::keyPressEvent(QKeyEvent *event)
{
    setKeyboardUse(true);
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool trigger = key == Qt::Key_Space || key == Qt::Key_Select || key == Qt::Key_Return ||
                         key == Qt::Key_Enter;
    if (trigger && plain && currentIndex().isValid())
        emit cellTriggered(currentIndex());
    else if (event->matches(QKeySequence::Copy)) // Qt's own copy would take the current cell alone
        emit copyRequested();
    // Qt (6.4) makes no menu of Shift+F10, nor of the Menu key on every platform.
    else if ((key == Qt::Key_Menu && plain) ||
             (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier))
        emit menuRequested(menuPositionForKeys(), true);
    else if (event->matches(QKeySequence::SelectAll)) // only the data's owner selects
        return event->ignore();
    else
        return QTableView::keyPressEvent(event);
    event->accept();
}

// The platform's own menu request: from the mouse, or from a key the platform turned into one.
void FrozenTableView::contextMenuEvent(QContextMenuEvent *event)
{
    const bool byKeys = event->reason() != QContextMenuEvent::Mouse;
    emit menuRequested(byKeys ? menuPositionForKeys() : event->globalPos(), byKeys);
    event->accept();
}

// The middle of the current cell, brought into view; the grid's top left corner when there is
// none (or it lies under the frozen column).
QPoint FrozenTableView::menuPositionForKeys()
{
    const QModelIndex current = currentIndex();
    if (current.isValid())
        scrollTo(current);
    const QPoint centre = cellCentre(current);
    return mapToGlobal(centre.isNull() ? viewport()->geometry().topLeft() : centre);
}

void FrozenTableView::mousePressEvent(QMouseEvent *event)
{
    setKeyboardUse(false);
    QTableView::mousePressEvent(event);
}

void FrozenTableView::focusInEvent(QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason)
        setKeyboardUse(true);
    else if (reason == Qt::MouseFocusReason)
        setKeyboardUse(false);
    QTableView::focusInEvent(event);
    m_frozen->viewport()->update();
}

void FrozenTableView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
    m_frozen->viewport()->update();
}

bool FrozenTableView::marksCurrentCell() const
{
    return m_keyboardUse && hasFocus();
}

void FrozenTableView::setKeyboardUse(bool keys)
{
    if (keys == m_keyboardUse)
        return;
    m_keyboardUse = keys;
    viewport()->update();
    m_frozen->viewport()->update();
}

void FrozenTableView::updateGeometries()
{
    QTableView::updateGeometries();
    // A page is what the user sees of the scrolling columns, right of the frozen one; it also
    // sizes the scroll bar's handle.
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width() - columnWidth(0)));
    placeFrozenColumn();
}

void FrozenTableView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // The frozen view and the titles take the font as children of this view.
    if (event->type() == QEvent::FontChange) {
        m_rowHeight = QFontMetrics(font()).height() + kRowPadding;
        syncSections();
    }
}

QPoint FrozenTableView::cellCentre(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    const bool frozen = index.column() == 0;
    const QTableView *view = frozen ? static_cast<const QTableView *>(m_frozen) : this;
    const QPoint centre = view->visualRect(index).center();
    if (!view->viewport()->rect().contains(centre) || (!frozen && centre.x() < columnWidth(0)))
        return {};
    return view->viewport()->mapTo(this, centre);
}

} // namespace pomiro
