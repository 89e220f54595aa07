#include "platform/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QWidget>

namespace pomiro::accessibility {

namespace {

QString plainCaption(QString text)
{
    // Captions under icons break lines; a screen reader should read them as one phrase.
    return text.remove(u'&').replace(u'\n', u' ').trimmed();
}

QHash<QString, InterfaceMaker> &makers()
{
    static QHash<QString, InterfaceMaker> byClass;
    return byClass;
}

// Qt asks with the object's class name first, then with its base classes' names.
QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    const InterfaceMaker make = makers().value(className);
    return make && object && object->isWidgetType() ? make(static_cast<QWidget *>(object))
                                                    : nullptr;
}

class ActiveWindowReporter final : public QAccessible::ActivationObserver
{
public:
    void accessibilityActiveChanged(bool active) override
    {
        // Qt may say so again while it stays on; only the moment it comes up counts.
        const bool cameUp = active && !m_active;
        m_active = active;
        if (!cameUp)
            return;
        // Qt turns accessibility on before its bridge registers the program and asks which events
        // the screen reader listens to; both are done when the event loop comes back.
        QMetaObject::invokeMethod(
            qApp,
            [] {
                QWidget *window = QApplication::activeWindow();
                if (!window)
                    return;
                QAccessible::State changed;
                changed.active = true;
                QAccessibleStateChangeEvent activated(window, changed);
                QAccessible::updateAccessibility(&activated);
                // And where the focus is, as Qt tells it after an activation: that is what the
                // screen reader reads out.
                if (QWidget *focus = QApplication::focusWidget();
                    focus && focus->window() == window) {
                    QAccessibleEvent focused(focus, QAccessible::Focus);
                    QAccessible::updateAccessibility(&focused);
                }
            },
            Qt::QueuedConnection);
    }

private:
    bool m_active = QAccessible::isActive();
};

} // namespace

void reportActiveWindowWhenBridgeIsUp()
{
    static ActiveWindowReporter reporter;
    static const bool installed = [] {
        QAccessible::installActivationObserver(&reporter);
        return true;
    }();
    Q_UNUSED(installed);
}

void answerThrough(const QMetaObject &type, InterfaceMaker make)
{
    if (makers().isEmpty())
        QAccessible::installFactory(makeInterface);
    makers().insert(QLatin1String(type.className()), make);
}

void describeControls(QWidget *window)
{
    QHash<const QWidget *, QString> captions;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() && !label->text().isEmpty())
            captions.insert(label->buddy(), plainCaption(label->text()));
    }

    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (control->accessibleName().isEmpty()) {
            QString name = captions.value(control);
            if (const auto *button = qobject_cast<const QAbstractButton *>(control);
                name.isEmpty() && button)
                name = plainCaption(button->text());
            if (name.isEmpty())
                name = control->toolTip();
            if (!name.isEmpty())
                control->setAccessibleName(name);
        }
        if (control->accessibleDescription().isEmpty() && !control->toolTip().isEmpty())
            control->setAccessibleDescription(control->toolTip());
    }
}

} // namespace pomiro::accessibility
