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
    // Orca reads a notification when it appears; the label itself never needs to.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace pomiro
