#include "platform/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
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

} // namespace

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
