#pragma once

#include "core/entrystore.h"
#include "main_window/texts.h"
#include "platform/stepcommand.h"

namespace pomiro {

// A step of the stored entries, built from the store's answer to the user's change; each way it
// changes the data file through the store, with every guarantee of a save. A step finds its own
// entry whole, name and amounts (EntryStore::indexOf(const Entry &, qsizetype)), where it last left
// it first: another entry of the same name is never taken for it, and a step whose entry is gone
// is refused without changing any other.
class EntryCommand : public StepCommand
{
public:
    qsizetype entryToShow() const override { return m_index; }

protected:
    EntryCommand(EntryStore &store, const EntryChange &change);

    // What the user's change did, as the store answered it.
    const EntryChange &change() const { return m_change; }

    // What the steps are made of. Each leaves the step's index where the entry now is (for one
    // taken out: where it was).
    std::optional<StepRefusal> putBack(const Entry &entry, FileChange way);
    std::optional<StepRefusal> takeOut(const Entry &entry, FileChange way);
    std::optional<StepRefusal> changeAmounts(const Entry &from, const Entry &to, FileChange way);

private:
    StepRefusal refused(const DataFileError &error, FileChange way) const;

    EntryStore &m_store;
    const EntryChange m_change;
    qsizetype m_index;
};

// A save as a new entry: taken back by removing the entry as saved, made again by putting it back.
class SaveAsNewCommand final : public EntryCommand
{
public:
    SaveAsNewCommand(EntryStore &store, const EntryChange &added);

    QString undoneText() const override;
    QString redoneText() const override;

protected:
    std::optional<StepRefusal> make() override;
    std::optional<StepRefusal> takeBack() override;
};

// A save over a stored entry: its old amounts back, or its new ones again.
class SaveOverCommand final : public EntryCommand
{
public:
    SaveOverCommand(EntryStore &store, const EntryChange &changed);

    QString undoneText() const override;
    QString redoneText() const override;

protected:
    std::optional<StepRefusal> make() override;
    std::optional<StepRefusal> takeBack() override;
};

// A delete: taken back by putting the entry back where it was, made again by removing it.
class DeleteCommand final : public EntryCommand
{
public:
    DeleteCommand(EntryStore &store, const EntryChange &removed);

    QString undoneText() const override;
    QString redoneText() const override;

protected:
    std::optional<StepRefusal> make() override;
    std::optional<StepRefusal> takeBack() override;
};

} // namespace pomiro
