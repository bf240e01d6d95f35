// KIVO Log Viewer
#include "detect/candidateset.h"

#include "picks/pickset.h"

#include <algorithm>

namespace kivo {

CandidateSet::CandidateSet(QObject *parent)
    : QObject(parent)
{}

void CandidateSet::reset(const QList<Pick> &candidates)
{
    emit aboutToReset();
    m_candidates = candidates;
    std::stable_sort(m_candidates.begin(), m_candidates.end(),
                     [](const Pick &x, const Pick &y) { return x.trace.depth < y.trace.depth; });
    emit resetDone();
}

void CandidateSet::take(int row)
{
    emit aboutToRemove(row);
    m_candidates.removeAt(row);
    emit removed(row);
}

bool CandidateSet::accept(int row, PickSet &picks)
{
    if (row < 0 || row >= count())
        return false;
    picks.add(m_candidates[row]);
    take(row);
    return true;
}

bool CandidateSet::reject(int row)
{
    if (row < 0 || row >= count())
        return false;
    take(row);
    return true;
}

int CandidateSet::acceptAllAbove(double confidence, PickSet &picks)
{
    int accepted = 0;
    QUndoStack *undo = picks.undoStack();
    for (int row = count() - 1; row >= 0; --row) {
        if (m_candidates[row].confidence.value_or(0.0) < confidence)
            continue;
        if (accepted++ == 0)
            undo->beginMacro(tr("Accept candidates"));
        accept(row, picks);
    }
    if (accepted > 0)
        undo->endMacro();
    return accepted;
}

} // namespace kivo
