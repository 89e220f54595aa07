#pragma once

class QWidget;

namespace pomiro {

// Moves a top-level window to the centre of its screen's available area.
void centreOnScreen(QWidget *window);

// Shows a top-level window in front of the others: restored if minimised, raised and activated.
void bringToFront(QWidget *window);

} // namespace pomiro
