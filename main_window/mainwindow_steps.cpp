// The main window's way back after a mistake: save as new, save over and delete are steps that
// Ctrl+Z takes back and Ctrl+Shift+Z or Ctrl+Y makes again, each a change of the data file with
// every guarantee of a save.
#include "main_window/mainwindow.h"

#include "core/entrystore.h"
#include "main_window/stepcommand.h"
#include "main_window/texts.h"
#include "platform/messagebox.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoStack>
#include <algorithm>

namespace pomiro {

namespace {

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

void MainWindow::recordStep(StepCommand *step)
{
    m_steps->push(step); // its redo() finds the change made
}

void MainWindow::undoStep()
{
    moveStep(FileChange::Undo);
}

void MainWindow::redoStep()
{
    moveStep(FileChange::Redo);
}

// The file first: the step is tried on its own, and the stack moves only once the file has taken
// the change, its own call to the step then finding nothing left to do.
void MainWindow::moveStep(FileChange way)
{
    const bool back = way == FileChange::Undo;
    if (back ? !m_steps->canUndo() : !m_steps->canRedo())
        return;
    // The stack hands its commands out as const; each is a StepCommand of ours (recordStep).
    auto *step = static_cast<StepCommand *>(const_cast<QUndoCommand *>(
        m_steps->command(back ? m_steps->index() - 1 : m_steps->index())));
    back ? step->undo() : step->redo();
    if (const auto &refusal = step->refusal()) {
        reportStepRefusal(*refusal, way);
        return;
    }
    back ? m_steps->undo() : m_steps->redo();
    showStepEntry(step->entryToShow());
    inform(this, back ? texts::kUndoTitle : texts::kRedoTitle,
           back ? step->undoneText() : step->redoneText());
}

// The entry a step concerned, or where it was when the step took it out; none: the window stays.
void MainWindow::showStepEntry(qsizetype index)
{
    if (index < 0)
        return;
    if (m_store.isEmpty()) {
        m_nameBox->setEditText(QString());
        clearFields();
    }
    showPosition(std::clamp(int(index) + 1, firstPosition(), int(m_store.count())));
}

void MainWindow::reportStepRefusal(const StepRefusal &refusal, FileChange change)
{
    // The file was read again: the entries shown are what it holds now.
    if (refusal.stale)
        showPosition(std::min(m_position, int(m_store.count())));
    if (!refusal.log.isEmpty())
        qWarning().noquote() << refusal.log;
    warn(this, change == FileChange::Undo ? texts::kUndoFailedTitle : texts::kRedoFailedTitle,
         refusal.text);
}

} // namespace pomiro
