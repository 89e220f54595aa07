#pragma once

#include "core/quitrecord.h"
#include "platform/stepcommand.h"

namespace pomiro {

class RecordStore;

// A change of one quit record, pushed once the record file has taken it: taken back by putting the
// record as it was, made again by putting it as the change left it. Either way goes through the
// store, which refuses it when another program changed that record in between.
class RecordCommand final : public StepCommand
{
public:
    RecordCommand(RecordStore &store, QuitRecord before, QuitRecord after);

    QString undoneText() const override;
    QString redoneText() const override;

protected:
    std::optional<StepRefusal> make() override;
    std::optional<StepRefusal> takeBack() override;

private:
    std::optional<StepRefusal> put(const QuitRecord &from, const QuitRecord &to);

    RecordStore &m_store;
    const QuitRecord m_before;
    const QuitRecord m_after;
};

} // namespace pomiro
