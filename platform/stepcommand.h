#pragma once

#include <QString>
#include <QUndoCommand>
#include <memory>
#include <optional>
#include <vector>

namespace pomiro {

// Why a step changed nothing, as the window tells it.
struct StepRefusal
{
    QString text; // the message box's text, saying what to do
    QString log;  // the file and the system's own words, for whoever reads the log; may be empty
    bool stale = false; // the file was read again: the window shows what it holds now
};

// One step Ctrl+Z takes back and Ctrl+Shift+Z or Ctrl+Y makes again: a change of a file, pushed
// on the main window's QUndoStack once the file has taken it.
//
// The file may refuse a step (a full disk, another program's change, its entry gone), and then the
// stack must stay where it is, so that the step can be tried again. So the window tries a step
// first, by calling its undo() or redo(), and moves the stack only when refusal() is empty.
// undo() and redo() change the file only while it is not yet as they would leave it: the stack's
// own call after the try, and its redo() on push, find nothing left to do.
//
// A new kind of step is one more subclass, with its own change of its own file and its own texts.
class StepCommand : public QUndoCommand
{
public:
    void undo() final;
    void redo() final;

    // Why the last undo() or redo() changed nothing; empty when it went through.
    const std::optional<StepRefusal> &refusal() const { return m_refusal; }

    // What the message box says once an undo or a redo went through.
    virtual QString undoneText() const = 0;
    virtual QString redoneText() const = 0;

    // The entry (by its index) that the window shows once the step went through; -1: none.
    virtual qsizetype entryToShow() const { return -1; }

protected:
    // Pushed once the change is in the file.
    StepCommand() = default;

    // Makes the change again, or takes it back; a refusal leaves the file as it was.
    virtual std::optional<StepRefusal> make() = 0;
    virtual std::optional<StepRefusal> takeBack() = 0;

private:
    bool m_made = true; // the change is in the file
    std::optional<StepRefusal> m_refusal;
};

// One user action that changes more than one file, as one step: its parts are made and taken back
// in the order given (the data file first), and a part that is refused has the parts before it
// put back as they were, so that the step as a whole goes through or changes nothing. Its texts
// and the entry it shows are its first part's.
class StepSequence final : public StepCommand
{
public:
    explicit StepSequence(std::vector<std::unique_ptr<StepCommand>> parts);

    QString undoneText() const override { return m_parts.front()->undoneText(); }
    QString redoneText() const override { return m_parts.front()->redoneText(); }
    qsizetype entryToShow() const override { return m_parts.front()->entryToShow(); }

protected:
    std::optional<StepRefusal> make() override { return moveParts(false); }
    std::optional<StepRefusal> takeBack() override { return moveParts(true); }

private:
    std::optional<StepRefusal> moveParts(bool back);

    std::vector<std::unique_ptr<StepCommand>> m_parts;
};

} // namespace pomiro
