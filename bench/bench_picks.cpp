// KIVO Log Viewer
// What `kivo picks` does with 10 000 picks of a 1 GiB log (sparse, so that it costs no disk):
// the picks file read, every pick derived again (bit size, nearest record's orientation, true
// dip) and the CSV written. Must stay under a second.
#include "demo/demolog.h"
#include "header/headerio.h"
#include "log/imagefile.h"
#include "log/logopener.h"
#include "picks/pickcalculator.h"
#include "picks/picksfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kivo;

namespace {

constexpr int PickCount = 10000;

struct Fixture {
    Fixture()
    {
        writeDemoLog(dir.path());
        QFile::copy(dir.filePath(QStringLiteral("demo.HED")),
                    dir.filePath(QStringLiteral("big.HED")));
        log = dir.filePath(QStringLiteral("big.bhx"));
        QFile file(log);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(1) << 30))
            std::abort();
        QList<Pick> picks;
        for (int i = 0; i < PickCount; ++i) {
            Pick pick;
            pick.trace = {0.1 * i, 0.001 * (i % 50), double(i % 360)};
            pick.type = QStringLiteral("open fracture");
            pick.comment = QStringLiteral("pick %1, \"quoted\"").arg(i);
            picks.append(pick);
        }
        picksFile = writePicksCsv(picks, QList<PickValues>(PickCount));
    }
    QTemporaryDir dir;
    QString log;
    QByteArray picksFile;
};

const Fixture &fixture()
{
    static const Fixture instance;
    return instance;
}

void recomputePicks(benchmark::State &state)
{
    const Fixture &f = fixture();
    qint64 bytes = 0;
    for (auto _ : state) {
        uniheader header;
        ResetHeader(header);
        const LogHeaderCheck check = checkLogHeader(f.log, header, 0, 0);
        if (!check.accepted())
            std::abort();
        ImageFile file;
        file.OpenImageFile(f.log, check.layout.recordSize());
        PickCalculator calculator(header, check.layout.DepthUnit != 0,
                                  AzimuthReference(check.layout.OrientationMode), &file,
                                  check.layout.SamplesPerLine);
        const QList<Pick> picks = readPicksCsv(f.picksFile);
        QList<PickValues> values;
        values.reserve(picks.size());
        for (const Pick &pick : picks)
            values.append(calculator.values(pick));
        bytes += writePicksCsv(picks, values).size();
    }
    benchmark::DoNotOptimize(bytes);
}

} // namespace

BENCHMARK(recomputePicks)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
