#include "main_window/entrycommand.h"

#include <algorithm>

namespace pomiro {

EntryCommand::EntryCommand(EntryStore &store, const EntryChange &change)
    : m_store(store), m_change(change), m_index(change.index)
{}

std::optional<StepRefusal> EntryCommand::putBack(const Entry &entry, FileChange way)
{
    // Where it was, or the nearer end when another program left fewer entries.
    const qsizetype at = std::clamp<qsizetype>(m_index, 0, m_store.count());
    const auto inserted = m_store.insert(at, entry);
    if (!inserted)
        return refused(inserted.error(), way);
    m_index = inserted->index;
    return std::nullopt;
}

std::optional<StepRefusal> EntryCommand::takeOut(const Entry &entry, FileChange way)
{
    const qsizetype at = m_store.indexOf(entry, m_index);
    if (at < 0)
        return StepRefusal{texts::stepEntryGone(entry.name, way), {}, true};
    const auto removed = m_store.remove(at);
    if (!removed)
        return refused(removed.error(), way);
    m_index = removed->index;
    return std::nullopt;
}

std::optional<StepRefusal> EntryCommand::changeAmounts(const Entry &from, const Entry &to,
                                                       FileChange way)
{
    const qsizetype at = m_store.indexOf(from, m_index);
    if (at < 0)
        return StepRefusal{texts::stepEntryGone(from.name, way), {}, true};
    const auto replaced = m_store.replace(at, to);
    if (!replaced)
        return refused(replaced.error(), way);
    m_index = replaced->index;
    return std::nullopt;
}

StepRefusal EntryCommand::refused(const DataFileError &error, FileChange way) const
{
    StepRefusal refusal{texts::fileError(error, way, m_store.entries()), {}, false};
    if (!error.detail.isEmpty())
        refusal.log = QStringLiteral("%1 : %2").arg(m_store.path(), error.detail);
    // The store has read again a file changed elsewhere.
    refusal.stale = error.kind == DataFileError::Kind::ChangedElsewhere;
    return refusal;
}

SaveAsNewCommand::SaveAsNewCommand(EntryStore &store, const EntryChange &added)
    : EntryCommand(store, added)
{
    Q_ASSERT(added.kind == EntryChange::Kind::Added);
}

QString SaveAsNewCommand::undoneText() const
{
    return texts::newEntryUndone(change().after.name);
}

QString SaveAsNewCommand::redoneText() const
{
    return texts::newEntryRedone(change().after.name);
}

std::optional<StepRefusal> SaveAsNewCommand::make()
{
    return putBack(change().after, FileChange::Redo);
}

std::optional<StepRefusal> SaveAsNewCommand::takeBack()
{
    return takeOut(change().after, FileChange::Undo);
}

SaveOverCommand::SaveOverCommand(EntryStore &store, const EntryChange &changed)
    : EntryCommand(store, changed)
{
    Q_ASSERT(changed.kind == EntryChange::Kind::Changed);
}

QString SaveOverCommand::undoneText() const
{
    return texts::updateUndone(change().before.name);
}

QString SaveOverCommand::redoneText() const
{
    return texts::updateRedone(change().before.name);
}

std::optional<StepRefusal> SaveOverCommand::make()
{
    return changeAmounts(change().before, change().after, FileChange::Redo);
}

std::optional<StepRefusal> SaveOverCommand::takeBack()
{
    return changeAmounts(change().after, change().before, FileChange::Undo);
}

DeleteCommand::DeleteCommand(EntryStore &store, const EntryChange &removed)
    : EntryCommand(store, removed)
{
    Q_ASSERT(removed.kind == EntryChange::Kind::Removed);
}

QString DeleteCommand::undoneText() const
{
    return texts::deleteUndone(change().before.name);
}

QString DeleteCommand::redoneText() const
{
    return texts::deleteRedone(change().before.name);
}

std::optional<StepRefusal> DeleteCommand::make()
{
    return takeOut(change().before, FileChange::Redo);
}

std::optional<StepRefusal> DeleteCommand::takeBack()
{
    return putBack(change().before, FileChange::Undo);
}

} // namespace pomiro
