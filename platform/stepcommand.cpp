#include "platform/stepcommand.h"

namespace pomiro {

void StepCommand::undo()
{
    m_refusal.reset();
    if (!m_made)
        return;
    m_refusal = takeBack();
    m_made = m_refusal.has_value();
}

void StepCommand::redo()
{
    m_refusal.reset();
    if (m_made)
        return;
    m_refusal = make();
    m_made = !m_refusal.has_value();
}

StepSequence::StepSequence(std::vector<std::unique_ptr<StepCommand>> parts)
    : m_parts(std::move(parts))
{
    Q_ASSERT(!m_parts.empty());
    setText(m_parts.front()->text());
}

std::optional<StepRefusal> StepSequence::moveParts(bool back)
{
    for (auto part = m_parts.begin(); part != m_parts.end(); ++part) {
        back ? (*part)->undo() : (*part)->redo();
        if (const auto refusal = (*part)->refusal()) {
            // What went through is put back; the step stays to be tried again as a whole.
            while (part != m_parts.begin()) {
                --part;
                back ? (*part)->redo() : (*part)->undo();
            }
            return refusal;
        }
    }
    return std::nullopt;
}

} // namespace pomiro
