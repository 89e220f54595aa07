#pragma once

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QWheelEvent>

namespace pomiro {

// The name box's line edit: a class of its own, so that a screen reader hears the whole name
// (platform/accessiblelineedit.h).
class NameEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit NameEdit(QWidget *parent = nullptr);
};

// An editable box of the saved names.
//
// Qt's (6.4) editable combo box takes a typed text that matches an item as a choice of that item
// when editing ends (Return or leaving the box). Here typing must only change the text, so the
// window asks whether a choice came from the end of an edit and ignores it then.
class NameBox : public QComboBox
{
    Q_OBJECT

public:
    explicit NameBox(QWidget *parent = nullptr);

    bool isEndingEdit() const { return m_endingEdit; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        QScopedValueRollback ending(m_endingEdit, m_endingEdit || enter);
        QComboBox::keyPressEvent(event);
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        QScopedValueRollback ending(m_endingEdit, true);
        QComboBox::focusOutEvent(event);
    }

    void wheelEvent(QWheelEvent *event) override
    {
        // Turning the wheel on the way across the window must not change the entry shown and
        // throw away what was typed: only a box the user is working in takes the wheel. The
        // wheel alone never gives the box the focus (see the constructor).
        if (!hasFocus()) {
            event->ignore();
            return;
        }
        QComboBox::wheelEvent(event);
    }

private:
    bool m_endingEdit = false;
};

} // namespace pomiro
