// KIVO Log Viewer
#pragma once

#include "picks/pick.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <optional>
#include <vector>

namespace kivo {

class PickCalculator;

using PickId = quint64;

// The picks of the open log, sorted by depth (equal depths in the order made), each with its
// derived values. Every change the user makes goes through the undo stack; the signals say
// what changed, before and after, so that a model can follow row by row.
class PickSet : public QObject {
    Q_OBJECT

public:
    explicit PickSet(QObject *parent = nullptr);

    // The calculator derives the values (null: none but the apparent azimuth); it must outlive
    // its use here. Recomputes every pick.
    void setCalculator(PickCalculator *calculator);
    // Derives every pick's values again (the fallback diameter or the log changed).
    void recompute();
    QUndoStack *undoStack() { return &m_undo; }

    int count() const { return int(m_entries.size()); }
    PickId id(int row) const { return m_entries[size_t(row)].id; }
    int row(PickId id) const; // -1 when there is no such pick
    const Pick &pick(int row) const { return m_entries[size_t(row)].pick; }
    const PickValues &values(int row) const { return m_entries[size_t(row)].values; }
    QList<Pick> picks() const;
    QList<PickValues> allValues() const;
    // The text of the last failure to read the orientation, empty when there was none.
    QString lastError() const { return m_lastError; }

    // Replaces every pick (a file loaded or reloaded) and clears the undo stack.
    void reset(const QList<Pick> &picks);

    // The user's changes, each one undoable. Unknown ids are ignored.
    PickId add(const Pick &pick);
    void move(PickId id, double depth);
    void refit(PickId id, double amplitude, double troughAzimuth);
    void retype(PickId id, const QString &type);
    void setComment(PickId id, const QString &comment);
    void remove(PickId id);

    // The changes the undo commands make, without an undo step of their own.
    void insertPick(PickId id, const Pick &pick);
    void erasePick(PickId id);
    void replacePick(PickId id, const Pick &pick);

signals:
    void aboutToInsert(int row);
    void inserted(int row);
    void aboutToRemove(int row);
    void removed(int row);
    void aboutToMove(int from, int to); // to: the row it has once moved
    void moved(int from, int to);
    void pickChanged(int row); // in place
    void aboutToReset();
    void resetDone();
    void picksChanged(); // after any change: the file is to be saved

private:
    struct Entry {
        PickId id;
        Pick pick;
        PickValues values;
    };
    PickValues valuesOf(const Pick &pick);
    // The row the pick goes to among the others (all but row skip).
    int insertionRow(const Pick &pick, PickId id, int skip = -1) const;
    void change(PickId id, const QString &text, Pick pick);

    std::vector<Entry> m_entries;
    PickCalculator *m_calculator = nullptr;
    QUndoStack m_undo;
    PickId m_nextId = 1;
    QString m_lastError;
};

} // namespace kivo
