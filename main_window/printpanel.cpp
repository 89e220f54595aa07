#include "main_window/printpanel.h"

#include "main_window/texts.h"

#include <QKeyEvent>

namespace pomiro {

PrintPanel::PrintPanel(QWidget *parent) : QFrame(parent)
{
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
