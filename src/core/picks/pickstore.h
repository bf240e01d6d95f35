// KIVO Log Viewer
#pragma once

#include "picks/pick.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace kivo {

// Where the picks of one log live, and their saving. The picks of LOG.bhx are LOG.picks.csv
// beside it; when that folder cannot be written they go to the user's data folder
// ($XDG_DATA_HOME/kivo/picks) under a name made from the log's absolute path, and stay there
// from then on. Every save is atomic and keeps the file it replaces as "<file>~". A file that
// could not be read is never written over.
class PickStore {
public:
    explicit PickStore(const QString &logPath);

    static QString besideLogPath(const QString &logPath);
    static QString fallbackPath(const QString &logPath);

    // The file the picks are read from and saved to now.
    QString path() const { return m_path; }
    bool usesFallback() const { return m_path != besideLogPath(m_logPath); }
    // Where the picks went and why, the first time they are kept in the fallback folder;
    // nullopt after that, and while they are beside the log.
    std::optional<QString> takeFallbackNotice();

    // Reads the picks: none when there is no file. Throws KivoError naming the file and the
    // line; the file is then left as it is, and save() refuses until a load succeeds.
    QList<Pick> load();
    // True when the file is not what this store last read or wrote (another program changed,
    // replaced or removed it).
    bool changedOnDisk() const;
    // Writes the picks file's bytes. Throws KivoError when neither place can be written.
    void save(const QByteArray &bytes);

private:
    struct Content {
        bool exists = false;
        QByteArray hash;
        bool operator==(const Content &o) const { return exists == o.exists && hash == o.hash; }
    };
    static Content contentOf(const QString &path);
    static Content contentOf(const QByteArray &bytes);
    static void saveKeepingOld(const QString &path, const QByteArray &bytes);

    QString m_logPath;
    QString m_path;
    Content m_known; // the file as last read or written
    bool m_unreadable = false;
    bool m_noticeGiven = false;
};

} // namespace kivo
