// KIVO Log Viewer
// Automatic picking on generated walls of a 96 mm hole at one millimetre a record: the speed in
// records a second over 3, 6 and 12 m (it should be linear in the range, and at least 20 000 a
// second on two cores), the recall and precision over 20 walls of 12 m each, and how soon a
// search run in the background stops when it is cancelled.
#include "demo/tracedwall.h"
#include "demo/tracematch.h"
#include "detect/detectjob.h"
#include "detect/tracedetector.h"

#include <QTemporaryDir>
#include <QThread>

#include <memory>

#include <benchmark/benchmark.h>

using namespace kivo;

namespace {

constexpr qint64 Records = 12000;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The wall of a seed, written once.
QString wallLog(quint32 seed, QList<PlantedTrace> *planted = nullptr)
{
    TracedWallDesign design;
    design.records = Records;
    design.seed = seed;
    TracedWall wall(design);
    if (planted)
        *planted = wall.planted();
    const QString name = QStringLiteral("wall%1").arg(seed);
    const QString path = folder().filePath(name + ".bhx");
    return QFile::exists(path) ? path : writeTracedLog(folder().path(), name, wall);
}

DetectRequest request(const QString &path, qint64 records, int threads)
{
    DetectRequest r;
    r.dataPath = path;
    r.lastRecord = records - 1;
    r.diameter = TracedWall::Diameter;
    r.threads = threads;
    return r;
}

void BM_DetectSpeed(benchmark::State &state)
{
    const QString path = wallLog(1);
    const qint64 records = state.range(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(detectTraces(request(path, records, int(state.range(1)))));
    state.counters["records/s"] =
        benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DetectSpeed)
    ->Args({3000, 2})
    ->Args({6000, 2})
    ->Args({12000, 2})
    ->Args({12000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_DetectQuality(benchmark::State &state)
{
    TraceMatch total;
    for (auto _ : state) {
        total = {};
        for (quint32 seed = 1; seed <= 20; ++seed) {
            QList<PlantedTrace> planted;
            const QString path = wallLog(seed, &planted);
            const TraceMatch match =
                matchTraces(planted, detectTraces(request(path, Records, 2)).candidates);
            total.planted += match.planted;
            total.candidates += match.candidates;
            total.found += match.found;
        }
    }
    state.counters["planted"] = total.planted;
    state.counters["candidates"] = total.candidates;
    state.counters["recall"] = total.recall();
    state.counters["precision"] = total.precision();
}
BENCHMARK(BM_DetectQuality)->Iterations(1)->Unit(benchmark::kSecond);

// From cancel to the search's thread ended (the job's destructor cancels and waits), with the
// search under way over a 12 m wall: the Cancel button and closing the log wait this long.
void BM_DetectCancel(benchmark::State &state)
{
    const QString path = wallLog(1);
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<DetectJob>(request(path, Records, 2));
        job->start();
        while (job->done() == 0)
            QThread::yieldCurrentThread();
        state.ResumeTiming();
        job.reset();
    }
}
BENCHMARK(BM_DetectCancel)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
