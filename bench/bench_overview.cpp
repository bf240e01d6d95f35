// KIVO Log Viewer
// Building the overview (1000 rows) and the histograms of a 1 GB log of 720 samples a record:
// a sparse file (nothing on disk, all samples 0) and one written with varying samples, read
// from the page cache. Both files are made in the temporary directory and removed afterwards.
#include "display/overviewbuilder.h"
#include "log/imagefile.h"
#include "log/timageline.h"
#include "shell/jobprogress.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

using namespace kivo;

namespace {

constexpr int Samples = 720;
constexpr qint64 Bytes = 1000LL * 1000 * 1000;

const QTemporaryDir &directory()
{
    static const QTemporaryDir dir;
    return dir;
}

QString sparseLog()
{
    static const QString path = [] {
        const QString p = directory().filePath(QStringLiteral("sparse.bhx"));
        QFile file(p);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(Bytes))
            std::abort();
        return p;
    }();
    return path;
}

QString writtenLog()
{
    static const QString path = [] {
        const QString p = directory().filePath(QStringLiteral("written.bhx"));
        QFile file(p);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        const qint64 size = TImageLine::recordSize(Samples);
        QByteArray block(int(size * 1000), '\0');
        for (qint64 k = 0; k * size < Bytes; k += 1000) {
            for (int r = 0; r < 1000; ++r)
                for (int i = 0; i < 3 * Samples; ++i)
                    block[int(r * size + 4 + i)] = char((k + r) * 3 + i * 7);
            file.write(block);
        }
        return p;
    }();
    return path;
}

void build(benchmark::State &state, const QString &path)
{
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(Samples));
    NoProgress progress;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildOverview(file, Samples, 1000, progress));
    state.SetBytesProcessed(state.iterations() * file.fileSize());
}

void sparse(benchmark::State &state)
{
    build(state, sparseLog());
}

void written(benchmark::State &state)
{
    build(state, writtenLog());
}

double fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(sparse)->Unit(benchmark::kMillisecond)->Iterations(1)->ComputeStatistics("min", fastest);
BENCHMARK(written)->Unit(benchmark::kMillisecond)->Iterations(1)->ComputeStatistics("min", fastest);

BENCHMARK_MAIN();
