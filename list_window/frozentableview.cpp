#include "list_window/frozentableview.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace pomiro {

namespace {

// Rows follow the font, with a little air above and below the text.
constexpr int kRowPadding = 6;

// The fixed-cell look of the titles and of the frozen column where the model gives no colour.
void paintAsFixedCell(QStyleOptionViewItem *option)
{
    option->backgroundBrush = option->palette.color(QPalette::Active, QPalette::Button);
    option->palette.setColor(QPalette::Text,
                             option->palette.color(QPalette::Active, QPalette::ButtonText));
}

// The model's colours are the selection the user sees; Qt's highlight never covers them. The
// current cell is marked only while the user works the grid by keys.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(const FrozenTableView *main, QObject *parent)
        : QStyledItemDelegate(parent), m_main(main)
    {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_Selected;
        // The frozen view never has the focus itself; the main view's current cell decides.
        option->state.setFlag(QStyle::State_HasFocus,
                              m_main->marksCurrentCell() && index == m_main->currentIndex());
    }

    const FrozenTableView *m_main;
};

// The frozen column: the fixed-cell colours unless the model gives its own.
class FrozenCellDelegate : public CellDelegate
{
public:
    using CellDelegate::CellDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        CellDelegate::initStyleOption(option, index);
        if (option->backgroundBrush.style() == Qt::NoBrush)
            paintAsFixedCell(option);
    }
};

// The column titles, drawn exactly as a row of fixed cells with the table's grid lines, so that
// the real header looks like the first row it replaced, with the style's sort arrow on the title
// the rows are sorted by. A click sorts (see FrozenTableView).
class FixedCellHeader : public QHeaderView
{
public:
    explicit FixedCellHeader(QWidget *table) : QHeaderView(Qt::Horizontal, table)
    {
        setSectionsClickable(true);
        setHighlightSections(false);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        if (!rect.isValid() || !model())
            return;
        const QWidget *table = parentWidget();
        // The option as the table gives its own cells, so that text lands on the same pixels.
        QStyleOptionViewItem cell;
        cell.initFrom(table);
        cell.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        cell.state.setFlag(QStyle::State_Active, table->hasFocus());
        const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, table);
        cell.decorationSize = QSize(icon, icon);
        cell.decorationAlignment = Qt::AlignCenter;
        cell.showDecorationSelected =
            style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, table);
        const QColor grid = QColor::fromRgba(
            static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &cell, table)));
        cell.rect = rect.adjusted(0, 0, -1, -1);
        cell.font = font();
        cell.fontMetrics = fontMetrics();
        cell.widget = table;
        cell.features = QStyleOptionViewItem::HasDisplay;
        cell.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        const QVariant alignment =
            model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
        cell.displayAlignment =
            alignment.isValid() ? alignment.value<Qt::Alignment>() : defaultAlignment();
        cell.textElideMode = Qt::ElideRight;
        paintAsFixedCell(&cell);
        style()->drawControl(QStyle::CE_ItemViewItem, &cell, painter, table);

        painter->save();
        painter->setPen(grid);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->restore();

        if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex)
            paintSortArrow(painter, cell.rect);
    }

private:
    // Where and how the style draws a header's arrow, and in Qt's sense of it: a header sorted
    // A to Z is QStyleOptionHeader::SortDown, as QHeaderView itself draws it.
    void paintSortArrow(QPainter *painter, const QRect &rect) const
    {
        QStyleOptionHeader arrow;
        arrow.initFrom(this);
        arrow.rect = rect;
        arrow.orientation = orientation();
        arrow.state.setFlag(QStyle::State_Horizontal, orientation() == Qt::Horizontal);
        arrow.sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder
                                  ? QStyleOptionHeader::SortDown
                                  : QStyleOptionHeader::SortUp;
        arrow.palette.setColor(QPalette::ButtonText,
                               arrow.palette.color(QPalette::Active, QPalette::ButtonText));
        arrow.rect = style()->subElementRect(QStyle::SE_HeaderArrow, &arrow, this);
        style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &arrow, painter, this);
    }
};

void setUp(QTableView *view, QStyledItemDelegate *delegate)
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
        setUp(this, new FrozenCellDelegate(main, this));
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
    setUp(this, new CellDelegate(this, this));
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
    QItemSelectionModel *own = m_frozen->selectionModel();
    m_frozen->setSelectionModel(selectionModel());
    if (own != selectionModel())
        delete own;
    syncSections();
}

void FrozenTableView::setSelectionModel(QItemSelectionModel *selectionModel)
{
    QTableView::setSelectionModel(selectionModel);
    // setModel() passes the first one on once the frozen view has the model too.
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

QItemSelectionModel::SelectionFlags FrozenTableView::selectionCommand(const QModelIndex &,
                                                                      const QEvent *) const
{
    return QItemSelectionModel::NoUpdate;
}

void FrozenTableView::selectionChanged(const QItemSelection &selected,
                                       const QItemSelection &deselected)
{
    QTableView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive() || !isVisible())
        return;
    announceSelection(selected, true);
    announceSelection(deselected, false);
}

// Qt (6.4) reports a changed selection on its first cell only, and a screen reader ignores that
// while the user stands in another column. So the current cell reports it too, through the view's
// own table interface, whichever column it is in.
void FrozenTableView::announceSelection(const QItemSelection &changed, bool selected)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !changed.contains(current) || changed.indexes().value(0) == current)
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *cells = table ? table->tableInterface() : nullptr;
    QAccessibleInterface *cell = cells ? cells->cellAt(current.row(), current.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(cell,
                           selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
    QAccessible::updateAccessibility(&event);
}

void FrozenTableView::keyPressEvent(QKeyEvent *event)
{
    setKeyboardUse(true);
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain && currentIndex().isValid()) {
            emit cellTriggered(currentIndex());
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    // Only the data's owner selects.
    if (event->matches(QKeySequence::SelectAll)) {
        event->ignore();
        return;
    }
    // Qt's own copy would take the current cell alone.
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        event->accept();
        return;
    }
    // Qt (6.4) makes no menu of Shift+F10, nor of the Menu key on every platform.
    if ((event->key() == Qt::Key_Menu && plain) ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        emit menuRequested(menuPositionForKeys(), true);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
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

void FrozenTableView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
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
