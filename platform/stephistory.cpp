#include "platform/stephistory.h"

#include "platform/messagebox.h"
#include "platform/stepcommand.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoStack>
#include <QWidget>

namespace pomiro {

namespace {

bool isRedoKey(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

// A line edit claims Ctrl+Z for itself whether or not it has anything to undo, so its claim is
// withheld once it has none.
class TypingFirst : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        if (!undo && !isRedoKey(key))
            return false;
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (auto *box = qobject_cast<QComboBox *>(watched))
            edit = box->lineEdit();
        if (!edit || (undo ? edit->isUndoAvailable() : edit->isRedoAvailable()))
            return false;
        event->ignore();
        return true;
    }
};

} // namespace

StepHistory::StepHistory(QObject *parent) : QObject(parent), m_stack(new QUndoStack(this)) {}

void StepHistory::push(StepCommand *step)
{
    m_stack->push(step); // its redo() finds the change made
}

void StepHistory::addKeys(QWidget *window, const QList<QWidget *> &typingFields)
{
    auto *undo = new QAction(window);
    undo->setShortcut(QKeySequence::Undo);
    auto *redo = new QAction(window);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    undo->setEnabled(m_stack->canUndo());
    redo->setEnabled(m_stack->canRedo());
    connect(m_stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undo, &QAction::triggered, window, [this, window] { this->undo(window); });
    connect(redo, &QAction::triggered, window, [this, window] { this->redo(window); });

    auto *typingFirst = new TypingFirst(window);
    for (QWidget *field : typingFields)
        field->installEventFilter(typingFirst);
}

void StepHistory::undo(QWidget *window)
{
    move(true, window);
}

void StepHistory::redo(QWidget *window)
{
    move(false, window);
}

void StepHistory::move(bool back, QWidget *window)
{
    if (back ? !m_stack->canUndo() : !m_stack->canRedo())
        return;
    // The stack hands its commands out as const; each is a StepCommand of ours (push).
    auto *step = static_cast<StepCommand *>(
        const_cast<QUndoCommand *>(m_stack->command(m_stack->index() - (back ? 1 : 0))));
    back ? step->undo() : step->redo();
    if (const auto &refusal = step->refusal()) {
        emit refused(*refusal);
        if (!refusal->log.isEmpty())
            qWarning().noquote() << refusal->log;
        warn(window, back ? steptexts::kUndoFailedTitle : steptexts::kRedoFailedTitle,
             refusal->text);
        return;
    }
    back ? m_stack->undo() : m_stack->redo();
    emit moved(*step, back);
    inform(window, back ? steptexts::kUndoTitle : steptexts::kRedoTitle,
           back ? step->undoneText() : step->redoneText());
}

} // namespace pomiro
