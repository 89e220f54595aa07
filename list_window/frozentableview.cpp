#include "list_window/frozentableview.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace pomiro {

namespace {

// Rows follow the font, with a little air above and below the text.
constexpr int kRowPadding = 6;

// Clicks act on whole rows, so no cell is drawn as the current one.
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

// The frozen cells: the fixed-cell colours unless the model gives its own.
class FrozenCellDelegate : public PlainDelegate
{
public:
    using PlainDelegate::PlainDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        PlainDelegate::initStyleOption(option, index);
        if (option->backgroundBrush.style() == Qt::NoBrush) {
            option->backgroundBrush = option->palette.color(QPalette::Active, QPalette::Button);
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Active, QPalette::ButtonText));
        }
    }
};

void setUp(QTableView *view, QStyledItemDelegate *delegate)
{
    view->setItemDelegate(delegate);
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

} // namespace

// A view of frozen cells laid over the main view. It moves only in the directions it follows the
// main view and hands the wheel to it, so the two never drift apart.
class FrozenOverlay : public QTableView
{
public:
    FrozenOverlay(QTableView *main, bool followsX, bool followsY)
        : QTableView(main), m_main(main), m_followsX(followsX), m_followsY(followsY)
    {
        setUp(this, new FrozenCellDelegate(this));
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setAutoScroll(false);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

FrozenTableView::FrozenTableView(QWidget *parent)
    : QTableView(parent)
    , m_top(new FrozenOverlay(this, true, false))
    , m_left(new FrozenOverlay(this, false, true))
    , m_corner(new FrozenOverlay(this, false, false))
    , m_rowHeight(QFontMetrics(font()).height() + kRowPadding)
{
    setUp(this, new PlainDelegate(this));
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The headers are never seen: sized to the frozen row and column, they make the margins the
    // overlays cover.
    horizontalHeader()->show();
    verticalHeader()->show();

    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_top, &FrozenOverlay::follow);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_left, &FrozenOverlay::follow);
    for (FrozenOverlay *overlay : {m_top, m_left, m_corner})
        connect(overlay, &QAbstractItemView::clicked, this, &QAbstractItemView::clicked);
}

void FrozenTableView::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    for (FrozenOverlay *overlay : {m_top, m_left, m_corner})
        overlay->setModel(model);
    syncSections();
}

void FrozenTableView::setColumnWidths(const QList<int> &widths)
{
    m_widths = widths;
    syncSections();
}

// Brings widths, row heights and the hidden frozen sections of all four views in line. This view
// hides what the overlays draw, so that scrolling starts at the first movable row and column and
// both sides count the same pixels.
void FrozenTableView::syncSections()
{
    if (!model())
        return;
    const int cols = model()->columnCount();
    for (QTableView *view : std::initializer_list<QTableView *>{this, m_top, m_left, m_corner}) {
        view->verticalHeader()->setDefaultSectionSize(m_rowHeight);
        for (int col = 0; col < cols && col < m_widths.size(); ++col)
            view->setColumnWidth(col, m_widths[col]);
    }
    if (model()->rowCount() > 0) {
        setRowHidden(0, true);
        m_left->setRowHidden(0, true);
    }
    if (cols > 0) {
        setColumnHidden(0, true);
        m_top->setColumnHidden(0, true);
    }
    horizontalHeader()->setFixedHeight(m_rowHeight);
    verticalHeader()->setFixedWidth(m_widths.value(0));
    updateGeometries();
}

void FrozenTableView::placeOverlays()
{
    const int frozenWidth = m_widths.value(0);
    const int frozenHeight = m_rowHeight;
    const QRect vp = viewport()->geometry();
    m_top->setGeometry(vp.left(), vp.top() - frozenHeight, vp.width(), frozenHeight);
    m_left->setGeometry(vp.left() - frozenWidth, vp.top(), frozenWidth, vp.height());
    m_corner->setGeometry(vp.left() - frozenWidth, vp.top() - frozenHeight, frozenWidth, frozenHeight);
    for (FrozenOverlay *overlay : {m_top, m_left, m_corner}) {
        overlay->raise();
        overlay->follow();
    }
}

void FrozenTableView::updateGeometries()
{
    QTableView::updateGeometries();
    placeOverlays();
}

void FrozenTableView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeOverlays();
}

void FrozenTableView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // The overlays take the font as children of this view.
    if (event->type() == QEvent::FontChange) {
        m_rowHeight = QFontMetrics(font()).height() + kRowPadding;
        syncSections();
    }
}

QTableView *FrozenTableView::viewFor(const QModelIndex &index) const
{
    if (index.row() == 0)
        return index.column() == 0 ? m_corner : m_top;
    if (index.column() == 0)
        return m_left;
    return const_cast<FrozenTableView *>(this);
}

QPoint FrozenTableView::cellCentre(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    QTableView *view = viewFor(index);
    const QPoint centre = view->visualRect(index).center();
    if (view->isRowHidden(index.row()) || view->isColumnHidden(index.column()) ||
        !view->viewport()->rect().contains(centre))
        return {};
    return view->viewport()->mapTo(this, centre);
}

} // namespace pomiro
