#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QUndoStack;
class QWidget;

namespace pomiro {

class StepCommand;
struct StepRefusal;

namespace steptexts {
inline const QString kUndoTitle = QStringLiteral("元に戻す");
inline const QString kRedoTitle = QStringLiteral("やり直し");
inline const QString kUndoFailedTitle = QStringLiteral("元に戻せません");
inline const QString kRedoFailedTitle = QStringLiteral("やり直せません");
} // namespace steptexts

// The program's one line of steps, shared by every window that changes a file: Ctrl+Z takes the
// last step back and Ctrl+Shift+Z or Ctrl+Y makes it again, whichever window the keys are pressed
// in. The file first: a step is tried on its own, and the stack moves only once the file has taken
// the change (StepCommand says how); a refused step stays where it was, to be tried again.
class StepHistory : public QObject
{
    Q_OBJECT

public:
    explicit StepHistory(QObject *parent = nullptr);

    // Pushes a change its file has taken; the history owns it.
    void push(StepCommand *step);

    // Gives `window` the keys. `typingFields` keep their own typing to take back first, as text
    // editors layer it: the keys reach the steps once a field has nothing of its own left.
    void addKeys(QWidget *window, const QList<QWidget *> &typingFields = {});

    // Takes back the last step, or makes the next one again, and tells the user in `window` what
    // was done or why it was not.
    void undo(QWidget *window);
    void redo(QWidget *window);

    const QUndoStack &stack() const { return *m_stack; }

signals:
    // Emitted before the user is told, so that the windows show what the file now holds.
    void moved(const StepCommand &step, bool back);
    void refused(const StepRefusal &refusal);

private:
    void move(bool back, QWidget *window);

    QUndoStack *m_stack;
};

} // namespace pomiro
