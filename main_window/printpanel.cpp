#include "main_window/printpanel.h"

#include "main_window/texts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>

namespace pomiro {

namespace {

QAccessibleInterface *printPanelInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(PrintPanel::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

PrintPanel::PrintPanel(QWidget *parent) : QFrame(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(printPanelInterface);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("printPanel"));
    setAccessibleName(texts::kPrintPanelName);
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setAutoFillBackground(true);
}

void PrintPanel::keyPressEvent(QKeyEvent *event)
{
    // A key that none of the buttons took comes up to the panel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit closeRequested();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace pomiro
