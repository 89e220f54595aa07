#pragma once

// Where the list's grid draws a column's title, so that a test clicks exactly what the user sees.

#include "list_window/frozentableview.h"

#include <QHeaderView>
#include <QPoint>
#include <QRect>
#include <QTableView>

namespace pomiro::testing {

// The centre of column `column`'s title in `grid`'s coordinates, on the frozen names' header for
// the first column; a null point when it is scrolled out of view or lies under the frozen column.
inline QPoint headerCentre(const FrozenTableView *grid, int column)
{
    const bool frozen = column == 0;
    const QHeaderView *header =
        frozen ? grid->findChild<QTableView *>()->horizontalHeader() : grid->horizontalHeader();
    if (column < 0 || column >= header->count())
        return {};
    const QPoint centre = QRect(header->sectionViewportPosition(column), 0,
                                header->sectionSize(column) - 1, header->height() - 1)
                              .center();
    if (!header->viewport()->rect().contains(centre) ||
        (!frozen && centre.x() < grid->columnWidth(0)))
        return {};
    return header->viewport()->mapTo(grid, centre);
}

} // namespace pomiro::testing
