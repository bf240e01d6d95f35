// KIVO Log Viewer
#pragma once

#include "detect/candidatetablemodel.h"
#include "picks/pickset.h"
#include "picks/picktablemodel.h"

#include <QDockWidget>

#include <optional>

class QComboBox;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace kivo {

class LogSession;

// The pick table: a dock window with one row per pick, sorted by depth. Type (from the offered
// list, or any text) and Comment are edited in place; choosing a row selects that pick and
// scrolls the view to it; Delete removes the selected pick. Its filter shows the detector's
// candidates instead: Enter accepts the current one (it becomes a pick), Delete rejects it,
// "Accept All Above..." accepts every one of at least a confidence asked for.
class PickTable : public QDockWidget {
    Q_OBJECT

public:
    PickTable(LogSession &session, QWidget *parent = nullptr);

    QTableView *view() const { return m_view; }
    QTableView *candidateView() const { return m_candidateView; }
    QComboBox *filter() const { return m_filter; }
    QPushButton *acceptAllButton() const { return m_acceptAll; }
    // Shows a pick's row chosen (nullopt: none).
    void select(std::optional<PickId> id);
    // The picks, or the candidates.
    void showCandidates(bool candidates);
    bool candidatesShown() const;

    void acceptCurrent();
    void rejectCurrent();
    void acceptAllAbove();
    // While a pick is being made, Enter is left to finish it, wherever the focus is.
    void setPicking(bool picking) { m_picking = picking; }

signals:
    // The user chose a row.
    void pickChosen(PickId id);
    void candidateChosen(int row);
    void deleteRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool candidateKey(QEvent *event);

    LogSession &m_session;
    PickTableModel m_model;
    CandidateTableModel m_candidateModel;
    QComboBox *m_filter;
    QPushButton *m_acceptAll;
    QStackedWidget *m_pages;
    QTableView *m_view;
    QTableView *m_candidateView;
    bool m_selecting = false;
    bool m_picking = false;
};

} // namespace kivo
