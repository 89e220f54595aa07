#pragma once

#include <QAccessible>
#include <QAccessibleEvent>
#include <QList>
#include <QPointer>
#include <QString>
#include <algorithm>

namespace pomiro::testing {

// Turns Qt's accessibility on, as a screen reader on the desktop does. Without it Qt reports no
// accessibility event at all, and the offscreen platform never starts one by itself.
void activateAccessibility();
// Turns it off again, as before a screen reader's bridge is up.
void deactivateAccessibility();

// What a screen reader would be told while an object of this class lives: every accessibility
// event with the object it is about, its role and its name at that moment.
class AccessibilityEvents
{
public:
    struct Event
    {
        QAccessible::Event type;
        QPointer<QObject> object;
        QAccessible::Role role;
        QString name;
        int child;
        // Which object a screen reader is told about: cells of a table have no QObject of their
        // own.
        QAccessible::Id id;
    };

    AccessibilityEvents()
    {
        s_current = this;
        m_previous = QAccessible::installUpdateHandler(&AccessibilityEvents::record);
        activateAccessibility();
    }
    ~AccessibilityEvents()
    {
        QAccessible::installUpdateHandler(m_previous);
        s_current = nullptr;
    }
    AccessibilityEvents(const AccessibilityEvents &) = delete;
    AccessibilityEvents &operator=(const AccessibilityEvents &) = delete;

    const QList<Event> &events() const { return m_events; }
    void clear() { m_events.clear(); }

    // How many events of this type were about this object.
    qsizetype count(QAccessible::Event type, QAccessibleInterface *about) const
    {
        const QAccessible::Id id = QAccessible::uniqueId(about);
        return std::count_if(m_events.begin(), m_events.end(), [&](const Event &event) {
            return event.type == type && event.id == id;
        });
    }

    // What was announced, in order: the words of each announcement (Qt 6.8), or of each
    // notification reported shown (before, see platform/announcer.h).
    QStringList announced() const
    {
        QStringList words;
        for (const Event &event : m_events)
            if (isAnnouncement(event.type) ||
                (event.type == QAccessible::ObjectShow && event.role == QAccessible::Notification))
                words << event.name;
        return words;
    }

    static bool isAnnouncement(QAccessible::Event type)
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        return type == QAccessible::Announcement;
#else
        Q_UNUSED(type);
        return false;
#endif
    }

    // The names of the objects with `role` that were reported shown, in order.
    QStringList shown(QAccessible::Role role) const
    {
        QStringList names;
        for (const Event &event : m_events)
            if (event.type == QAccessible::ObjectShow && event.role == role)
                names << event.name;
        return names;
    }

private:
    static void record(QAccessibleEvent *event)
    {
        if (!s_current)
            return;
        QAccessibleInterface *iface = event->accessibleInterface();
        QString name = iface ? iface->text(QAccessible::Name) : QString();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event->type() == QAccessible::Announcement)
            name = static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#endif
        s_current->m_events.append(
            {event->type(), event->object(), iface ? iface->role() : QAccessible::NoRole, name,
             event->child(), iface ? QAccessible::uniqueId(iface) : QAccessible::Id()});
    }

    static inline AccessibilityEvents *s_current = nullptr;
    QAccessible::UpdateHandler m_previous = nullptr;
    QList<Event> m_events;
};

} // namespace pomiro::testing
