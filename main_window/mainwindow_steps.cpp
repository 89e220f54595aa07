// The main window's way back after a mistake: save as new, save over and delete are steps that
// Ctrl+Z takes back and Ctrl+Shift+Z or Ctrl+Y makes again, each a change of the data file with
// every guarantee of a save.
#include "main_window/mainwindow.h"

#include "core/entrystore.h"
#include "main_window/texts.h"
#include "platform/messagebox.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoStack>
#include <algorithm>

namespace pomiro {

namespace {

// A QUndoStack keeps the steps' order, where the user stands among them, and whether there is
// anything to take back or make again. The file changes themselves are made by the window before
// the stack moves, since the file may refuse them, and then the stack must stay where it is; so
// undo() and redo() here change nothing.
class StepCommand : public QUndoCommand
{
public:
    explicit StepCommand(const EntryStep &step) : m_step(step) {}

    const EntryStep &step() const { return m_step; }
    void undo() override {}
    void redo() override {}

private:
    EntryStep m_step;
};

bool isRedoKey(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

// The keys go to the field being typed in while it has typing of its own to take back, as text
// editors layer it; once it has none, they go to the entries. A line edit claims Ctrl+Z for
// itself whether or not it has anything to undo, so its claim is withheld then.
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

void MainWindow::setUpSteps(const QList<QWidget *> &typingFields)
{
    m_steps = new QUndoStack(this);
    auto *undo = new QAction(this);
    undo->setShortcut(QKeySequence::Undo);
    auto *redo = new QAction(this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        addAction(action);
    }
    connect(m_steps, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_steps, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undo, &QAction::triggered, this, &MainWindow::undoStep);
    connect(redo, &QAction::triggered, this, &MainWindow::redoStep);

    auto *typingFirst = new TypingFirst(this);
    for (QWidget *field : typingFields)
        field->installEventFilter(typingFirst);
}

void MainWindow::recordStep(const EntryStep &step)
{
    m_steps->push(new StepCommand(step));
}

void MainWindow::undoStep()
{
    moveStep(FileChange::Undo);
}

void MainWindow::redoStep()
{
    moveStep(FileChange::Redo);
}

// The file first; the stack moves only once the file has taken the change.
void MainWindow::moveStep(FileChange way)
{
    const bool back = way == FileChange::Undo;
    if (back ? !m_steps->canUndo() : !m_steps->canRedo())
        return;
    const auto *command = static_cast<const StepCommand *>(
        m_steps->command(back ? m_steps->index() - 1 : m_steps->index()));
    const EntryStep step = command->step();
    const StepResult done =
        back ? pomiro::undoStep(m_store, step) : pomiro::redoStep(m_store, step);
    if (!done) {
        reportStepError(done.error(), step, way);
        return;
    }
    back ? m_steps->undo() : m_steps->redo();
    showStepEntry(done.value());
    inform(this, back ? texts::kUndoTitle : texts::kRedoTitle,
           back ? texts::undone(step.kind, step.name()) : texts::redone(step.kind, step.name()));
}

// The entry a step concerned, or where it was when the step took it out.
void MainWindow::showStepEntry(qsizetype index)
{
    if (m_store.isEmpty()) {
        m_nameBox->setEditText(QString());
        clearFields();
    }
    showPosition(std::clamp(int(index) + 1, firstPosition(), int(m_store.count())));
}

void MainWindow::reportStepError(const StepError &error, const EntryStep &step, FileChange change)
{
    if (error.refusal) {
        reportFileError(*error.refusal, change);
        return;
    }
    // Another program changed the file; the entries shown are what it holds now.
    showPosition(std::min(m_position, int(m_store.count())));
    warn(this, change == FileChange::Undo ? texts::kUndoFailedTitle : texts::kRedoFailedTitle,
         texts::stepEntryGone(step.name(), change));
}

} // namespace pomiro
