#pragma once

class QWidget;

namespace pomiro::accessibility {

// Gives every control of a window that a user can reach a Japanese name and description for screen
// readers, where the window has not set them itself: a button's caption, the caption label that
// belongs to a field (QLabel::setBuddy), or the tooltip. The tooltip also becomes the description.
void describeControls(QWidget *window);

} // namespace pomiro::accessibility
