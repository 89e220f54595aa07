#include "platform/accessiblelineedit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>

namespace pomiro {

AccessibleLineEdit::AccessibleLineEdit(QLineEdit *lineEdit)
    : QAccessibleWidget(lineEdit, QAccessible::EditableText)
{}

QLineEdit *AccessibleLineEdit::lineEdit() const
{
    return static_cast<QLineEdit *>(widget());
}

QString AccessibleLineEdit::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return text(0, characterCount());
    QString text = QAccessibleWidget::text(t);
    if (text.isEmpty() && t == QAccessible::Description)
        text = lineEdit()->placeholderText();
    return text;
}

void AccessibleLineEdit::setText(QAccessible::Text t, const QString &text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    if (const QValidator *validator = lineEdit()->validator()) {
        QString checked = text;
        int position = 0;
        if (validator->validate(checked, position) != QValidator::Acceptable)
            return;
    }
    lineEdit()->setText(text);
}

QAccessible::State AccessibleLineEdit::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !lineEdit()->isReadOnly();
    state.readOnly = lineEdit()->isReadOnly();
    state.passwordEdit = lineEdit()->echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    return state;
}

void *AccessibleLineEdit::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleLineEdit::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !lineEdit()->hasSelectedText())
        return;
    *startOffset = lineEdit()->selectionStart();
    *endOffset = lineEdit()->selectionEnd();
}

int AccessibleLineEdit::selectionCount() const
{
    return lineEdit()->hasSelectedText() ? 1 : 0;
}

void AccessibleLineEdit::addSelection(int startOffset, int endOffset)
{
    // A line edit has one selection at most.
    setSelection(0, startOffset, endOffset);
}

void AccessibleLineEdit::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        lineEdit()->deselect();
}

void AccessibleLineEdit::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        lineEdit()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::cursorPosition() const
{
    return lineEdit()->cursorPosition();
}

void AccessibleLineEdit::setCursorPosition(int position)
{
    lineEdit()->setCursorPosition(position);
}

QString AccessibleLineEdit::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    // What is hidden on screen stays hidden from a screen reader too.
    if (lineEdit()->echoMode() != QLineEdit::Normal)
        return QString(endOffset - startOffset, u'*');
    return lineEdit()->text().mid(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::characterCount() const
{
    return int(lineEdit()->text().size());
}

QRect AccessibleLineEdit::characterRect(int offset) const
{
    const QString shown = lineEdit()->displayText();
    if (offset < 0 || offset >= shown.size())
        return {};
    // The caret is where Qt laid the text out (alignment, scrolling); the other characters lie
    // from there by their widths.
    const QRect caret = lineEdit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QFontMetrics metrics(lineEdit()->font());
    const int caretX = caret.left() + caret.width() / 2;
    const int x = caretX + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(lineEdit()->cursorPosition()));
    const QRect character(x, caret.top(), metrics.horizontalAdvance(shown.mid(offset, 1)),
                          caret.height());
    return QRect(lineEdit()->mapToGlobal(character.topLeft()), character.size());
}

int AccessibleLineEdit::offsetAtPoint(const QPoint &point) const
{
    return lineEdit()->cursorPositionAt(lineEdit()->mapFromGlobal(point));
}

void AccessibleLineEdit::scrollToSubstring(int startIndex, int endIndex)
{
    // The end first, so that the start is certainly in view.
    lineEdit()->setCursorPosition(endIndex);
    lineEdit()->setCursorPosition(startIndex);
}

QString AccessibleLineEdit::attributes(int offset, int *startOffset, int *endOffset) const
{
    Q_UNUSED(offset);
    // One run over the whole text, without attributes: a screen reader that joins the runs into
    // what it speaks gets every character.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void AccessibleLineEdit::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void AccessibleLineEdit::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void AccessibleLineEdit::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (lineEdit()->isReadOnly())
        return;
    QString changed = lineEdit()->text();
    changed.replace(startOffset, endOffset - startOffset, text);
    setText(QAccessible::Value, changed);
}

} // namespace pomiro
