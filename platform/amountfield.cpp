#include "platform/amountfield.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace pomiro {

AmountField::AmountField(QWidget *parent) : QLineEdit(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // A screen reader hears the whole amount (platform/accessibility.cpp).
}

QVariant AmountField::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // The input method asks the focused widget whether it takes composed text, and QLineEdit says
    // yes whenever it is editable, whatever Qt::WA_InputMethodEnabled says. With Mozc on, "500"
    // would become a composition of "５００" that the first Enter only commits.
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void AmountField::focusInEvent(QFocusEvent *event)
{
    // Tab selects the whole text. Of an empty field that selection reaches a screen reader as a
    // caret move before the focus itself, and Orca then takes the field as already presented and
    // says nothing of it: there is nothing to select, so the focus comes as if by a click.
    const Qt::FocusReason reason = event->reason();
    const bool selectsAll = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason;
    if (selectsAll && text().isEmpty()) {
        QFocusEvent plain(event->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&plain);
        return;
    }
    QLineEdit::focusInEvent(event);
}

void AmountField::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Enter in an empty field goes on to the field like any other key.
    if (!enter || text().isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    emit amountEntered();
}

} // namespace pomiro
