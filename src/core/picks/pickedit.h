// KIVO Log Viewer
#pragma once

#include "picks/pick.h"
#include "picks/pickset.h"

#include <QUndoCommand>

#include <optional>

namespace kivo {

// One undoable change of one pick: made (no pick before), deleted (none after) or changed.
class PickEdit : public QUndoCommand {
public:
    PickEdit(PickSet &set, PickId id, std::optional<Pick> before, std::optional<Pick> after,
             const QString &text);

    void redo() override { apply(m_after); }
    void undo() override { apply(m_before); }

private:
    void apply(const std::optional<Pick> &state);

    PickSet &m_set;
    PickId m_id;
    std::optional<Pick> m_before;
    std::optional<Pick> m_after;
};

} // namespace kivo
