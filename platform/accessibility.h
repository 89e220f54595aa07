#pragma once

class QAccessibleInterface;
class QWidget;
struct QMetaObject;

namespace pomiro::accessibility {

// Builds the interface through which a widget answers screen readers.
using InterfaceMaker = QAccessibleInterface *(*)(QWidget *widget);

// Widgets of the class `type`, one of ours, answer screen readers through what `make` builds
// instead of through Qt's own interface for their base class. Asking again for the same class
// changes nothing, so a constructor may ask each time.
void answerThrough(const QMetaObject &type, InterfaceMaker make);

// Makes sure a screen reader learns which window is active even when the window manager activated
// it before Qt's accessibility bridge was up. Qt (measured with 6.4) reports a window's activation
// only from the moment its bridge has learnt what the screen reader listens to; on a busy desktop
// the main window is often activated earlier, and Orca then ignores the whole program as not the
// active one until the user switches windows. Once the bridge is up, the active window, if its
// role is QAccessible::Window, is reported active again, and its focus widget focused. Asking again
// changes nothing.
void reportActiveWindowWhenBridgeIsUp();

// Gives every control of a window that a user can reach a Japanese name and description for screen
// readers, where the window has not set them itself: a button's caption, the caption label that
// belongs to a field (QLabel::setBuddy), or the tooltip. The tooltip also becomes the description.
void describeControls(QWidget *window);

} // namespace pomiro::accessibility
