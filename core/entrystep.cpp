#include "core/entrystep.h"

#include "core/entrystore.h"

#include <algorithm>

namespace pomiro {

namespace {

qsizetype locate(const EntryStore &store, qsizetype index, const QString &name)
{
    if (index >= 0 && index < store.count() && store.at(index).name == name)
        return index;
    return store.indexOf(name);
}

StepResult refused(const DataFileError &error)
{
    return fail(StepError{error});
}

StepResult gone()
{
    return fail(StepError{std::nullopt});
}

StepResult put(EntryStore &store, qsizetype index, const Entry &entry)
{
    const qsizetype at = std::clamp<qsizetype>(index, 0, store.count());
    if (const auto inserted = store.insert(at, entry); !inserted)
        return refused(inserted.error());
    return at;
}

StepResult takeOut(EntryStore &store, qsizetype index, const QString &name)
{
    const qsizetype at = locate(store, index, name);
    if (at < 0)
        return gone();
    if (const auto removed = store.remove(at); !removed)
        return refused(removed.error());
    return at;
}

StepResult giveAmounts(EntryStore &store, qsizetype index, const Entry &entry)
{
    const qsizetype at = locate(store, index, entry.name);
    if (at < 0)
        return gone();
    if (const auto replaced = store.replace(at, entry); !replaced)
        return refused(replaced.error());
    return at;
}

} // namespace

StepResult undoStep(EntryStore &store, const EntryStep &step)
{
    switch (step.kind) {
    case EntryStep::Kind::Added:
        return takeOut(store, step.index, step.after.name);
    case EntryStep::Kind::Changed:
        return giveAmounts(store, step.index, step.before);
    case EntryStep::Kind::Removed:
        return put(store, step.index, step.before);
    }
    return gone();
}

StepResult redoStep(EntryStore &store, const EntryStep &step)
{
    switch (step.kind) {
    case EntryStep::Kind::Added:
        return put(store, step.index, step.after);
    case EntryStep::Kind::Changed:
        return giveAmounts(store, step.index, step.after);
    case EntryStep::Kind::Removed:
        return takeOut(store, step.index, step.before.name);
    }
    return gone();
}

} // namespace pomiro
