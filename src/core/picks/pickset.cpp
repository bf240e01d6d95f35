// KIVO Log Viewer
#include "picks/pickset.h"

#include "kivoerror.h"
#include "picks/pickcalculator.h"
#include "picks/pickedit.h"

namespace kivo {

PickSet::PickSet(QObject *parent)
    : QObject(parent)
{}

void PickSet::setCalculator(PickCalculator *calculator)
{
    m_calculator = calculator;
    recompute();
}

void PickSet::recompute()
{
    m_lastError.clear();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        m_entries[i].values = valuesOf(m_entries[i].pick);
        emit pickChanged(int(i));
    }
}

int PickSet::row(PickId id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id)
            return int(i);
    }
    return -1;
}

QList<Pick> PickSet::picks() const
{
    QList<Pick> all;
    for (const Entry &entry : m_entries)
        all.append(entry.pick);
    return all;
}

QList<PickValues> PickSet::allValues() const
{
    QList<PickValues> all;
    for (const Entry &entry : m_entries)
        all.append(entry.values);
    return all;
}

void PickSet::reset(const QList<Pick> &picks)
{
    emit aboutToReset();
    m_undo.clear();
    m_entries.clear();
    m_lastError.clear();
    for (const Pick &pick : picks) {
        const PickId id = m_nextId++;
        const int at = insertionRow(pick, id);
        m_entries.insert(m_entries.begin() + at, Entry{id, pick, valuesOf(pick)});
    }
    emit resetDone();
}

PickId PickSet::add(const Pick &pick)
{
    const PickId id = m_nextId++;
    m_undo.push(new PickEdit(*this, id, std::nullopt, pick, tr("New Pick")));
    return id;
}

void PickSet::move(PickId id, double depth)
{
    const int r = row(id);
    if (r < 0)
        return;
    Pick pick = m_entries[size_t(r)].pick;
    pick.trace.depth = depth;
    change(id, tr("Move Pick"), pick);
}

void PickSet::refit(PickId id, double amplitude, double troughAzimuth)
{
    const int r = row(id);
    if (r < 0)
        return;
    Pick pick = m_entries[size_t(r)].pick;
    pick.trace.amplitude = amplitude;
    pick.trace.troughAzimuth = normalizedAzimuth(troughAzimuth);
    change(id, tr("Refit Pick"), pick);
}

void PickSet::retype(PickId id, const QString &type)
{
    const int r = row(id);
    if (r < 0)
        return;
    Pick pick = m_entries[size_t(r)].pick;
    pick.type = type;
    change(id, tr("Change Type"), pick);
}

void PickSet::setComment(PickId id, const QString &comment)
{
    const int r = row(id);
    if (r < 0)
        return;
    Pick pick = m_entries[size_t(r)].pick;
    pick.comment = comment;
    change(id, tr("Change Comment"), pick);
}

void PickSet::remove(PickId id)
{
    const int r = row(id);
    if (r >= 0)
        m_undo.push(
            new PickEdit(*this, id, m_entries[size_t(r)].pick, std::nullopt, tr("Delete Pick")));
}

void PickSet::change(PickId id, const QString &text, Pick pick)
{
    const Pick &before = m_entries[size_t(row(id))].pick;
    if (pick != before) // no undo step that changes nothing
        m_undo.push(new PickEdit(*this, id, before, pick, text));
}

void PickSet::insertPick(PickId id, const Pick &pick)
{
    const int at = insertionRow(pick, id);
    emit aboutToInsert(at);
    m_entries.insert(m_entries.begin() + at, Entry{id, pick, valuesOf(pick)});
    emit inserted(at);
    emit picksChanged();
}

void PickSet::erasePick(PickId id)
{
    const int at = row(id);
    if (at < 0)
        return;
    emit aboutToRemove(at);
    m_entries.erase(m_entries.begin() + at);
    emit removed(at);
    emit picksChanged();
}

void PickSet::replacePick(PickId id, const Pick &pick)
{
    const int from = row(id);
    if (from < 0)
        return;
    Entry entry{id, pick, valuesOf(pick)};
    const int to = insertionRow(pick, id, from);
    if (to != from)
        emit aboutToMove(from, to);
    m_entries.erase(m_entries.begin() + from);
    m_entries.insert(m_entries.begin() + to, std::move(entry));
    if (to != from)
        emit moved(from, to);
    emit pickChanged(to);
    emit picksChanged();
}

PickValues PickSet::valuesOf(const Pick &pick)
{
    if (!m_calculator) {
        PickValues values;
        values.apparentDipAzimuth = pick.trace.troughAzimuth;
        return values;
    }
    try {
        return m_calculator->values(pick);
    } catch (const KivoError &error) {
        // The data file cannot be read: what needs no orientation is still known.
        m_lastError = error.text();
        PickValues values;
        values.diameter = m_calculator->diameter(pick);
        if (values.diameter)
            values.apparentDip =
                apparentDip(pick.trace.amplitude, *values.diameter, m_calculator->feet());
        values.apparentDipAzimuth = pick.trace.troughAzimuth;
        return values;
    }
}

int PickSet::insertionRow(const Pick &pick, PickId id, int skip) const
{
    int at = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries[i];
        const bool before = entry.pick.trace.depth < pick.trace.depth ||
                            (entry.pick.trace.depth == pick.trace.depth && entry.id < id);
        if (int(i) != skip && before)
            ++at;
    }
    return at;
}

} // namespace kivo
