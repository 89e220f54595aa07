#pragma once

#include <QLabel>

class QAccessibleInterface;

namespace pomiro {

// Tells a screen reader about something that changed away from the focus (ten amounts converted,
// another entry shown), without moving the focus and without anything visible on screen.
//
// With Qt 6.8 on, it sends Qt's own announcement. Qt 6.4 has no announcement call, and the Orca of
// its time (43) would not speak one; it speaks a notification: an object whose role is
// QAccessible::Notification, read by name when it is shown. So before 6.8 this is a label that
// stays hidden, answers screen readers with that role and its text as its name, and reports itself
// shown each time it has something to say.
class Announcer : public QLabel
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
};

// The interface through which an Announcer answers screen readers (accessibility.h installs it).
QAccessibleInterface *makeAccessibleAnnouncer(QWidget *announcer);

} // namespace pomiro
