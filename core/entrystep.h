#pragma once

#include "core/datafileerror.h"
#include "core/entry.h"
#include "core/result.h"

#include <optional>

namespace pomiro {

class EntryStore;

// One change of the stored entries that can be taken back and made again: a save as a new entry,
// a save over a stored one, a delete. Both ways are changes of the data file with every guarantee
// of a save (EntryStore): written safely, or refused with the file as it was.
struct EntryStep
{
    enum class Kind { Added, Changed, Removed };

    Kind kind = Kind::Added;
    // Where the entry was added, changed or removed.
    qsizetype index = 0;
    // The entry before the change (Changed, Removed) and after it (Added, Changed), as stored.
    Entry before;
    Entry after;

    const QString &name() const { return kind == Kind::Added ? after.name : before.name; }
};

// Why a step could not be taken back or made again: the store refused the change, or the entry is
// no longer stored (another program changed the file and it was read again).
struct StepError
{
    std::optional<DataFileError> refusal; // none: the entry is gone
};

// Takes the step back, or makes it again, in `store`. A step finds its entry at its index while the
// name there is still its own, otherwise as the first entry of that name. Returns where the entry
// is afterwards (for an entry taken out: where it was).
using StepResult = Result<qsizetype, StepError>;
StepResult undoStep(EntryStore &store, const EntryStep &step);
StepResult redoStep(EntryStore &store, const EntryStep &step);

} // namespace pomiro
