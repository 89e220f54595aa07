#include "platform/accessibility.h"

#include "platform/accessiblelineedit.h"
#include "platform/announcer.h"
#include "platform/messagebox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace pomiro::accessibility {

using namespace Qt::StringLiterals;

namespace {

QString plainCaption(QString text)
{
    // Captions under icons break lines; a screen reader should read them as one phrase.
    return text.remove(u'&').replace(u'\n', u' ').trimmed();
}

using InterfaceMaker = QAccessibleInterface *(*)(QWidget *widget);

QAccessibleInterface *asWindow(QWidget *widget)
{
    return new QAccessibleWidget(widget, QAccessible::Window);
}

QAccessibleInterface *asGroup(QWidget *widget)
{
    return new QAccessibleWidget(widget, QAccessible::Grouping);
}

QAccessibleInterface *asChart(QWidget *widget)
{
    return new QAccessibleWidget(widget, QAccessible::Chart);
}

QAccessibleInterface *readInFull(QWidget *lineEdit)
{
    return new AccessibleLineEdit(static_cast<QLineEdit *>(lineEdit));
}

// Which of our classes answers through which interface. Qt asks the factory with an object's own
// class name first, so a subclass of ours is the way to serve a different interface than Qt's.
struct OwnInterface
{
    QLatin1StringView className;
    InterfaceMaker make;
};

const OwnInterface kOwnInterfaces[] = {
    // The main window is a window to a screen reader, as Qt's own main windows are, not a pane:
    // only a window can be reported active again once the bridge is up.
    {"pomiro::MainWindow"_L1, asWindow},
    // The print panel is a group of buttons inside the window, not a window of its own.
    {"pomiro::PrintPanel"_L1, asGroup},
    // A calculator must never be heard saying a wrong amount, nor a wrong name.
    {"pomiro::AmountField"_L1, readInFull},
    {"pomiro::NameEdit"_L1, readInFull},
    {"pomiro::Announcer"_L1, makeAccessibleAnnouncer},
    {"pomiro::InformationBox"_L1, makeAccessibleInformationBox},
    // A picture of figures, described in words; Qt would make it a plain pane.
    {"pomiro::SavingsChart"_L1, asChart},
};

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    for (const OwnInterface &own : kOwnInterfaces) {
        if (own.className == className)
            return own.make(static_cast<QWidget *>(object));
    }
    return nullptr;
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

void registerInterfaces()
{
    static ActiveWindowReporter reporter;
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        QAccessible::installActivationObserver(&reporter);
        return true;
    }();
    Q_UNUSED(installed);
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

void announceSelectionAtCurrentCell(QAbstractItemView *view, const QItemSelection &changed,
                                    bool selected)
{
    const QModelIndex current = view->currentIndex();
    if (!QAccessible::isActive() || !view->isVisible() || !current.isValid() ||
        !changed.contains(current) || changed.indexes().value(0) == current)
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface *cells = table ? table->tableInterface() : nullptr;
    QAccessibleInterface *cell = cells ? cells->cellAt(current.row(), current.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(cell,
                           selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
    QAccessible::updateAccessibility(&event);
}

} // namespace pomiro::accessibility
