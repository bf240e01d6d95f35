// KIVO Log Viewer
// A long session in one process: a 1 GB log opened, scrolled through from top to bottom with a
// full redraw at each stop, a pick added (and saved, then taken back), a depth range exported
// to PNG, and the log closed, 100 times over. Prints the resident memory after the first and the
// last round and the open file descriptors before and after, and fails (exit 1) when the memory
// grew by more than 5 % or a descriptor was left open.
// Usage: soak_session [ROUNDS]   (QT_QPA_PLATFORM=offscreen; the log goes to a temporary folder)
#include "demo/demolog.h"
#include "display/fullview.h"
#include "export/imageexport.h"
#include "kivoerror.h"
#include "log/imagefile.h"
#include "log/logsession.h"
#include "log/timageline.h"
#include "picks/pickkeeper.h"
#include "shell/jobprogress.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>
#include <QThreadPool>

#include <cstdio>
#include <cstdlib>
#include <malloc.h>

using namespace kivo;

namespace {

constexpr int Samples = 720;
constexpr qint64 LogBytes = qint64(1) << 30;
constexpr int Rows = 1000;
constexpr int Stops = 20; // scroll positions per round, top to bottom
constexpr qint64 ExportRecords = 2000;
constexpr qint32 DepthStep = 10; // thousandths of a metre between records

// The demo log's header over a data file of 1 GB of records 1 cm apart, written in blocks.
QString writeLog(const QString &dir)
{
    writeDemoLog(dir);
    const QString path = dir + QStringLiteral("/soak.bhx");
    if (!QFile::copy(dir + QStringLiteral("/demo.HED"), dir + QStringLiteral("/soak.HED")))
        std::abort();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    const qint64 recordSize = TImageLine::recordSize(Samples);
    const qint64 records = LogBytes / recordSize;
    constexpr qint64 PerBlock = 1000;
    QByteArray block(int(recordSize * PerBlock), '\0');
    for (qint64 first = 0; first < records; first += PerBlock) {
        const qint64 count = qMin(PerBlock, records - first);
        for (qint64 i = 0; i < count; ++i) {
            const qint64 k = first + i;
            auto *bytes = reinterpret_cast<uchar *>(block.data() + i * recordSize);
            qToLittleEndian<qint32>(qint32(k) * DepthStep, bytes);
            for (int s = 0; s < Samples; ++s) {
                bytes[4 + 3 * s] = uchar(k + s);
                bytes[5 + 3 * s] = uchar(k * 3);
                bytes[6 + 3 * s] = uchar(s * 5);
            }
        }
        if (file.write(block.constData(), count * recordSize) != count * recordSize)
            std::abort();
    }
    return path;
}

// Ends the threads of Qt's pool (image conversions use them), each holding memory and a
// descriptor while it waits for work, and gives the heap's free pages back to the system:
// what is then resident or open is what the rounds kept, not the allocator's slack.
void settle()
{
    QThreadPool::globalInstance()->waitForDone();
    malloc_trim(0);
}

qint64 residentKiB()
{
    settle();
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        std::abort();
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    std::abort();
}

qint64 openDescriptors()
{
    // The listing's own descriptor is among them, before as after.
    settle();
    return qint64(QDir(QStringLiteral("/proc/self/fd"))
                      .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                      .size());
}

void round(LogSession &session, PickKeeper &keeper, const QString &log, const QString &exportDir,
           int number)
{
    session.prepareOpen();
    if (!session.readHeader(log).accepted())
        std::abort();
    session.openDataFile(log);
    keeper.open(log);
    session.setRows(Rows);
    const qint64 scrollMax = session.geometry().scrollMax();
    for (int stop = 0; stop <= Stops; ++stop) {
        session.setPosition(scrollMax * stop / Stops);
        const TDIB picture =
            fullViewPicture(session.imageFile(), session.layout(), session.geometry(),
                            session.position(), session.colourMap());
        if (picture.width() == 0)
            std::abort();
    }

    const qint64 records = session.imageFile().RecordCount();
    const double depth = double((number * 4999) % records * DepthStep) / 1000.0;
    Pick pick;
    pick.trace = {depth, 0.02, double(number % 360)};
    pick.diameter = 216.0;
    session.picks().remove(session.picks().add(pick));

    ExportRequest request;
    request.fromDepth = depth;
    request.toDepth = depth + double(ExportRecords * DepthStep) / 1000.0;
    request.path = exportDir + QStringLiteral("/range.png");
    request.colours = session.colourMap();
    NoProgress progress;
    if (exportImage(session.imageFile(), session.layout(), request, progress).value_or(0) < 1)
        std::abort();

    keeper.close();
    session.close();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    if (rounds < 2) {
        std::fprintf(stderr, "soak_session: give 2 rounds or more\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString log = writeLog(dir.path());
    const QString exportDir = dir.filePath(QStringLiteral("exports"));
    QDir().mkpath(exportDir);

    try {
        LogSession session;
        PickKeeper keeper(session.picks());
        const qint64 descriptorsBefore = openDescriptors();
        QElapsedTimer timer;
        timer.start();
        round(session, keeper, log, exportDir, 1);
        const qint64 first = residentKiB();
        const qint64 firstMs = timer.elapsed();
        for (int n = 2; n <= rounds; ++n)
            round(session, keeper, log, exportDir, n);
        const qint64 last = residentKiB();
        const qint64 descriptorsAfter = openDescriptors();
        const double growth = 100.0 * double(last - first) / double(first);
        std::printf("rounds: %d of a %lld MiB log, %.1f s (the first %.1f s)\n", rounds,
                    LogBytes >> 20, double(timer.elapsed()) / 1000.0, double(firstMs) / 1000.0);
        std::printf("resident memory: %lld KiB after round 1, %lld KiB after round %d (%+.2f %%)\n",
                    first, last, rounds, growth);
        std::printf("file descriptors: %lld before, %lld after\n", descriptorsBefore,
                    descriptorsAfter);
        const bool ok = growth <= 5.0 && descriptorsAfter <= descriptorsBefore;
        std::printf("%s\n", ok ? "soak: ok" : "soak: FAILED");
        return ok ? 0 : 1;
    } catch (const KivoError &error) {
        std::fprintf(stderr, "soak_session: %s\n", qPrintable(error.text()));
        return 2;
    }
}
