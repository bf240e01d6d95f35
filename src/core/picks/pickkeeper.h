// KIVO Log Viewer
#pragma once

#include "picks/pickstore.h"

#include <QObject>
#include <QString>

#include <optional>

namespace kivo {

class PickSet;

// Keeps a log's picks on disk while it is open: loads them when the log opens and writes the
// file at once after every change, atomically. A file another program changed since it was
// last read or written is not overwritten: the keeper asks (changedElsewhere) and the user
// chooses to reload it or to keep theirs. A file that cannot be read opens nothing of it and
// is never written over.
class PickKeeper : public QObject {
    Q_OBJECT

public:
    explicit PickKeeper(PickSet &picks, QObject *parent = nullptr);

    // Starts keeping the picks of a log: reads its picks file into the set (none when there is
    // none). Throws KivoError naming the file and line of a file that cannot be read; the set
    // is then empty, and each later save fails with a message rather than write over it.
    void open(const QString &logPath);
    // Stops keeping (the log closed).
    void close();
    // The picks file, empty while no log is open.
    QString path() const;

    // The answers to changedElsewhere.
    void reload();
    void keepMine();
    // Looks whether another program changed the file (the window calls it when it becomes
    // active again); asks as a save would.
    void checkDisk();

signals:
    // The file on disk is not what was last read or written: nothing was saved.
    void changedElsewhere(const QString &path);
    // Saving failed; the picks are still in memory.
    void saveFailed(const QString &text);
    // Told once: where the picks are kept when the log's folder cannot be written.
    void notice(const QString &text);

private:
    void save();
    void write();

    PickSet &m_picks;
    std::optional<PickStore> m_store;
    bool m_loading = false;
    bool m_asking = false; // changedElsewhere is waiting for an answer
};

} // namespace kivo
