// KIVO Log Viewer
#pragma once

#include "picks/pickset.h"
#include "picks/picktablemodel.h"

#include <QDockWidget>

#include <optional>

class QTableView;

namespace kivo {

// The pick table: a dock window with one row per pick, sorted by depth. Type (from the offered
// list, or any text) and Comment are edited in place; choosing a row selects that pick and
// scrolls the view to it; Delete removes the selected pick.
class PickTable : public QDockWidget {
    Q_OBJECT

public:
    PickTable(PickSet &picks, QWidget *parent = nullptr);

    QTableView *view() const { return m_view; }
    // Shows a pick's row chosen (nullopt: none).
    void select(std::optional<PickId> id);

signals:
    // The user chose a row.
    void pickChosen(PickId id);
    void deleteRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PickSet &m_picks;
    PickTableModel m_model;
    QTableView *m_view;
    bool m_selecting = false;
};

} // namespace kivo
