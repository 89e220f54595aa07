#include "list_window/gridcells.h"

#include "list_window/frozentableview.h"

#include <QPainter>

namespace pomiro {

namespace {

void paintAsFixedCell(QStyleOptionViewItem *option)
{
    option->backgroundBrush = option->palette.color(QPalette::Active, QPalette::Button);
    option->palette.setColor(QPalette::Text,
                             option->palette.color(QPalette::Active, QPalette::ButtonText));
}

} // namespace

GridCellDelegate::GridCellDelegate(const FrozenTableView *grid, Cells cells, QObject *parent)
    : QStyledItemDelegate(parent), m_grid(grid), m_cells(cells)
{}

void GridCellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_Selected;
    // The frozen column never has the focus itself; the grid's current cell decides.
    option->state.setFlag(QStyle::State_HasFocus,
                          m_grid->marksCurrentCell() && index == m_grid->currentIndex());
    if (m_cells == Cells::Fixed && option->backgroundBrush.style() == Qt::NoBrush)
        paintAsFixedCell(option);
}

FixedCellHeader::FixedCellHeader(QWidget *table) : QHeaderView(Qt::Horizontal, table)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

void FixedCellHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
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

// Where and how the style draws a header's arrow, and in Qt's sense of it: a header sorted A to Z
// is QStyleOptionHeader::SortDown, as QHeaderView itself draws it.
void FixedCellHeader::paintSortArrow(QPainter *painter, const QRect &rect) const
{
    QStyleOptionHeader arrow;
    arrow.initFrom(this);
    arrow.rect = rect;
    arrow.orientation = orientation();
    arrow.state.setFlag(QStyle::State_Horizontal, orientation() == Qt::Horizontal);
    arrow.sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortDown
                                                                     : QStyleOptionHeader::SortUp;
    arrow.palette.setColor(QPalette::ButtonText,
                           arrow.palette.color(QPalette::Active, QPalette::ButtonText));
    arrow.rect = style()->subElementRect(QStyle::SE_HeaderArrow, &arrow, this);
    style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &arrow, painter, this);
}

} // namespace pomiro
