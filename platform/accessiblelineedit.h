#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace pomiro {

// A line edit as a screen reader should hear it: its whole text, every time.
//
// Qt's own interface for a line edit (6.4, and still 6.8) answers every question about text
// attributes with a run of length zero, and Orca, joining the runs into the text it speaks, stops
// one character short: "\500" is heard as "\50". This interface tells the same as Qt's own (role,
// state, value, text, caret, selection, editing) but reports the whole text as one run without
// attributes.
class AccessibleLineEdit : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit AccessibleLineEdit(QLineEdit *lineEdit);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    QLineEdit *lineEdit() const;
};

} // namespace pomiro
