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

// Gives every control of a window that a user can reach a Japanese name and description for screen
// readers, where the window has not set them itself: a button's caption, the caption label that
// belongs to a field (QLabel::setBuddy), or the tooltip. The tooltip also becomes the description.
void describeControls(QWidget *window);

} // namespace pomiro::accessibility
