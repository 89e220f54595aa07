#include "record_window/recordcommand.h"

#include "core/recordstore.h"
#include "record_window/texts.h"

namespace pomiro {

RecordCommand::RecordCommand(RecordStore &store, QuitRecord before, QuitRecord after)
    : m_store(store), m_before(std::move(before)), m_after(std::move(after))
{
    setText(recordtexts::stepText(m_after.name));
}

QString RecordCommand::undoneText() const
{
    return recordtexts::undone(m_after.name);
}

QString RecordCommand::redoneText() const
{
    return recordtexts::redone(m_after.name);
}

std::optional<StepRefusal> RecordCommand::make()
{
    return put(m_before, m_after);
}

std::optional<StepRefusal> RecordCommand::takeBack()
{
    return put(m_after, m_before);
}

std::optional<StepRefusal> RecordCommand::put(const QuitRecord &from, const QuitRecord &to)
{
    const auto replaced = m_store.replace(from, to);
    if (replaced)
        return std::nullopt;
    const RecordFileError &error = replaced.error();
    return StepRefusal{
        recordtexts::fileError(error),
        error.detail.isEmpty() ? QString() : m_store.path() + QStringLiteral(": ") + error.detail,
        false};
}

} // namespace pomiro
