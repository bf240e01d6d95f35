// KIVO Log Viewer
// What the picks' overlay costs each time the view goes on screen, as the window lays it: the
// row map of a 1000-row view, a copy of the 783 x 1000 picture, and 200 traces drawn over it.
// Compare with bench_redraw's fullPass (the same view): the goal is at most a tenth of it.
#include "picks/traceoverlay.h"

#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>

#include <cstring>

using namespace kivo;

namespace {

constexpr int Rows = 1000;

void overlay200Picks(benchmark::State &state)
{
    std::vector<std::optional<double>> depths;
    for (int y = 0; y < Rows; ++y)
        depths.push_back(10.0 + y / 1000.0);
    std::vector<TraceStyle> traces;
    for (int i = 0; i < 200; ++i) {
        const Sinusoid trace{10.0 + (i * 37 % Rows) / 1000.0, (5 + i % 40) / 1000.0,
                             double(i * 53 % 360)};
        traces.push_back({trace, QColor::fromHsv(i % 360, 255, 255), 1, i % 7 == 0});
    }
    QImage surface(783, Rows, QImage::Format_RGB32);
    surface.fill(Qt::gray);
    QImage frame(surface.size(), surface.format());
    for (auto _ : state) {
        std::memcpy(frame.bits(), surface.constBits(), size_t(surface.sizeInBytes()));
        drawTraces(frame, 63, RowDepthMap(depths), traces);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

} // namespace

BENCHMARK(overlay200Picks)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
