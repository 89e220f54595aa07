#include "platform/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pomiro {

namespace {

class AccessibleAnnouncer : public QAccessibleWidget
{
public:
    explicit AccessibleAnnouncer(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Notification)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

} // namespace

QAccessibleInterface *makeAccessibleAnnouncer(QWidget *announcer)
{
    return new AccessibleAnnouncer(announcer);
}

Announcer::Announcer(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("announcer"));
    hide();
}

void Announcer::announce(const QString &text)
{
    setText(text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt 6.8 announces by itself, from the window, and the screen readers of its time speak it
    // (Orca since 46, as in Debian 13).
    QAccessibleAnnouncementEvent announcement(window(), text);
    QAccessible::updateAccessibility(&announcement);
#else
    // Orca reads a notification when it appears; the label itself never needs to.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

} // namespace pomiro
