// The main window's way back after a mistake: save as new, save over and delete are steps that
// Ctrl+Z takes back and Ctrl+Shift+Z or Ctrl+Y makes again, each a change of the data file with
// every guarantee of a save.
#include "main_window/mainwindow.h"

#include "core/entrystore.h"
#include "platform/stepcommand.h"
#include "platform/stephistory.h"

#include <QComboBox>
#include <algorithm>

namespace pomiro {

void MainWindow::setUpSteps(const QList<QWidget *> &typingFields)
{
    m_steps = new StepHistory(this);
    m_steps->addKeys(this, typingFields);
    connect(m_steps, &StepHistory::moved, this,
            [this](const StepCommand &step) { showStepEntry(step.entryToShow()); });
    connect(m_steps, &StepHistory::refused, this, [this](const StepRefusal &refusal) {
        // The file was read again: the entries shown are what it holds now.
        if (refusal.stale)
            showPosition(std::min(m_position, int(m_store.count())));
    });
}

void MainWindow::recordStep(StepCommand *step)
{
    m_steps->push(step); // its redo() finds the change made
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

} // namespace pomiro
