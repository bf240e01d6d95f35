// KIVO Log Viewer
#include "picks/pickedit.h"

namespace kivo {

PickEdit::PickEdit(PickSet &set, PickId id, std::optional<Pick> before, std::optional<Pick> after,
                   const QString &text)
    : QUndoCommand(text)
    , m_set(set)
    , m_id(id)
    , m_before(std::move(before))
    , m_after(std::move(after))
{}

void PickEdit::apply(const std::optional<Pick> &state)
{
    const bool present = m_set.row(m_id) >= 0;
    if (state && present)
        m_set.replacePick(m_id, *state);
    else if (state)
        m_set.insertPick(m_id, *state);
    else if (present)
        m_set.erasePick(m_id);
}

} // namespace kivo
