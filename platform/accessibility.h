#pragma once

class QAbstractItemView;
class QItemSelection;
class QWidget;

namespace pomiro::accessibility {

// Sets up how the program answers screen readers. Call it once, before the first widget: main()
// does, and so does every test that makes widgets. Asking again changes nothing.
//  - The program's own widget classes answer through the interfaces made for them (the table in
//    accessibility.cpp) instead of through Qt's own for their base classes.
//  - A screen reader learns which window is active even when the window manager activated it
//    before Qt's accessibility bridge was up. Qt (measured with 6.4) reports a window's activation
//    only from the moment its bridge has learnt what the screen reader listens to; on a busy
//    desktop the main window is often activated earlier, and Orca then ignores the whole program
//    as not the active one until the user switches windows. Once the bridge is up, the active
//    window, if its role is QAccessible::Window, is reported active again, and its focus widget
//    focused.
void registerInterfaces();

// Gives every control of a window that a user can reach a Japanese name and description for screen
// readers, where the window has not set them itself: a button's caption, the caption label that
// belongs to a field (QLabel::setBuddy), or the tooltip. The tooltip also becomes the description.
void describeControls(QWidget *window);

// Tells screen readers that the row under a view's current cell was selected or deselected. Qt
// (measured with 6.4, and still so in 6.8) reports a changed selection on its first cell only, and
// a screen reader ignores that while the user stands in another column; call this from the view's
// selectionChanged() with each of its two arguments.
void announceSelectionAtCurrentCell(QAbstractItemView *view, const QItemSelection &changed,
                                    bool selected);

} // namespace pomiro::accessibility
