// KIVO Log Viewer
// Arbitrary bytes as a log's picks file: parsed as bytes, and loaded by the store from a file
// beside a log in a private folder that is also the user's data folder. Expected refusals are
// KivoError with a text; a pick outside what the file's readers promise, a pick that does not
// survive being written and read again, or any file made, changed or removed by reading is a
// finding.
#include "kivoerror.h"
#include "picks/picksfile.h"
#include "picks/pickstore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>

using namespace kivo;

namespace {

void check(bool promise)
{
    if (!promise)
        std::abort();
}

void checkPick(const Pick &pick)
{
    check(std::isfinite(pick.trace.depth));
    check(std::isfinite(pick.trace.amplitude) && pick.trace.amplitude >= 0.0);
    check(pick.trace.troughAzimuth >= 0.0 && pick.trace.troughAzimuth < 360.0);
    check(!pick.diameter || (std::isfinite(*pick.diameter) && *pick.diameter > 0.0));
    check(!pick.confidence || std::isfinite(*pick.confidence));
    check(!pick.type.isEmpty());
}

std::optional<QList<Pick>> parsed(const QByteArray &bytes)
{
    try {
        return readPicksCsv(bytes);
    } catch (const KivoError &error) {
        check(!error.text().isEmpty());
        return std::nullopt;
    }
}

// Every file and folder under root with its size and modification time.
QStringList listing(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.append(QStringLiteral("%1 %2 %3")
                           .arg(info.filePath())
                           .arg(info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}

void loadThroughStore(const QByteArray &bytes, const std::optional<QList<Pick>> &expected)
{
    static QTemporaryDir folder;
    static const bool dataHome = qputenv("XDG_DATA_HOME", folder.filePath("data").toLocal8Bit());
    check(folder.isValid() && dataHome);
    const QString log = folder.filePath("log.bhx");
    QFile file(PickStore::besideLogPath(log));
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
          file.write(bytes) == bytes.size());
    file.close();
    const QStringList before = listing(folder.path());
    PickStore store(log);
    try {
        const QList<Pick> picks = store.load();
        check(expected && picks == *expected);
    } catch (const KivoError &error) {
        check(!expected && error.text().contains(QLatin1String("log.picks.csv")));
    }
    check(!store.changedOnDisk());
    check(listing(folder.path()) == before);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QList<Pick>> picks = parsed(bytes);
    if (picks) {
        for (const Pick &pick : *picks)
            checkPick(pick);
        // What the file's writer makes of them reads back as the same picks, to its decimals.
        const auto again = parsed(writePicksCsv(*picks, QList<PickValues>(picks->size())));
        check(again && again->size() == picks->size());
        for (qsizetype i = 0; i < again->size(); ++i)
            check((*again)[i].type == (*picks)[i].type &&
                  (*again)[i].comment == (*picks)[i].comment);
    }
    loadThroughStore(bytes, picks);
    return 0;
}
