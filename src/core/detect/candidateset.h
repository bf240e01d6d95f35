// KIVO Log Viewer
#pragma once

#include "picks/pick.h"

#include <QList>
#include <QObject>

namespace kivo {

class PickSet;

// The candidates the detector proposed for the open log, waiting for the user: sorted by depth,
// each accepted (it becomes an ordinary pick of the log's pick set, through its undo stack) or
// rejected (it is forgotten). The signals say what changed, so that a table and the overlay can
// follow row by row.
class CandidateSet : public QObject {
    Q_OBJECT

public:
    explicit CandidateSet(QObject *parent = nullptr);

    int count() const { return int(m_candidates.size()); }
    const Pick &candidate(int row) const { return m_candidates[row]; }
    const QList<Pick> &candidates() const { return m_candidates; }

    // Replaces every candidate (a search finished), sorted by depth; clear() forgets them all.
    void reset(const QList<Pick> &candidates);
    void clear() { reset({}); }

    // The candidate of the row becomes a pick of picks (one undo step) or is forgotten. Rows
    // out of range are ignored: false.
    bool accept(int row, PickSet &picks);
    bool reject(int row);
    // Every candidate of at least this confidence becomes a pick, in one undo step; returns
    // how many.
    int acceptAllAbove(double confidence, PickSet &picks);

signals:
    void aboutToRemove(int row);
    void removed(int row);
    void aboutToReset();
    void resetDone();

private:
    void take(int row);

    QList<Pick> m_candidates;
};

} // namespace kivo
