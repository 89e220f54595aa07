#include "main_window/stepcommand.h"

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

} // namespace pomiro
