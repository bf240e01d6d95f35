// KIVO Log Viewer
// What the picks' overlay costs each time the view goes on screen, as the window lays it: the
// row map of a 1000-row view and 200 traces drawn over the 783 x 1000 picture where it is
// painted, the view a row further each frame. Compare with bench_redraw's fullPass (the same
// view): the goal is at most a tenth of it. Also timed: the first frame after the traces
// change (their shapes worked out anew), the row map alone, and the floor: the same pixels
// stored at addresses worked out beforehand, which any drawing of these 200 traces has to pay.
#include "picks/traceoverlay.h"

#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>

#include <cstring>

using namespace kivo;

namespace {

constexpr int Rows = 1000;
constexpr int Width = 783;
constexpr int ImageLeft = 63;

struct Scene {
    Scene()
    {
        for (int y = 0; y < Rows; ++y)
            depths.push_back(10.0 + y / 1000.0);
        for (int i = 0; i < 200; ++i) {
            const Sinusoid trace{10.0 + (i * 37 % Rows) / 1000.0, (5 + i % 40) / 1000.0,
                                 double(i * 53 % 360)};
            // The window's colours are RGB ones, as the picks' type colours are.
            traces.push_back({trace, QColor::fromHsv(i % 360, 255, 255).toRgb(), 1, i % 7 == 0});
        }
        surface.fill(Qt::gray);
    }
    std::vector<std::optional<double>> depths;
    std::vector<TraceStyle> traces;
    QImage surface{Width, Rows, QImage::Format_RGB32};
};

// The view one row down every other frame, as a line step moves it.
std::vector<std::optional<double>> scrolled(const Scene &scene, int frame)
{
    std::vector<std::optional<double>> depths = scene.depths;
    if (frame % 2 != 0)
        for (std::optional<double> &depth : depths)
            *depth += 0.001;
    return depths;
}

void overlay200Picks(benchmark::State &state)
{
    const Scene scene;
    const std::vector<std::optional<double>> views[] = {scrolled(scene, 0), scrolled(scene, 1)};
    QImage frame = scene.surface.copy();
    const QRegion whole(frame.rect());
    TraceOverlay overlay;
    int frames = 0;
    for (auto _ : state) {
        overlay.draw(frame, ImageLeft, RowDepthMap(views[frames++ % 2]), scene.traces, whole);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void firstFrame(benchmark::State &state)
{
    const Scene scene;
    QImage frame = scene.surface.copy();
    const RowDepthMap map(scene.depths);
    for (auto _ : state) {
        drawTraces(frame, ImageLeft, map, scene.traces);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void rowMap(benchmark::State &state)
{
    const Scene scene;
    for (auto _ : state) {
        const RowDepthMap map(scene.depths);
        benchmark::DoNotOptimize(&map);
    }
}

// Every pixel the traces set, trace by trace and column by column as they are drawn: each
// trace alone on a frame of a colour none of them has, read back column by column.
struct Store {
    qsizetype offset;
    quint32 pixel;
};

std::vector<Store> storesOf(const Scene &scene)
{
    std::vector<Store> stores;
    const RowDepthMap map(scene.depths);
    QImage frame(scene.surface.size(), scene.surface.format());
    const qsizetype stride = frame.bytesPerLine() / qsizetype(sizeof(quint32));
    for (const TraceStyle &trace : scene.traces) {
        std::memset(frame.bits(), 0, size_t(frame.sizeInBytes())); // no colour has alpha 0
        const QRect drawn = drawTraces(frame, ImageLeft, map, {trace});
        const auto *pixels = reinterpret_cast<const quint32 *>(frame.constBits());
        for (int x = drawn.left(); x <= drawn.right(); ++x)
            for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
                const qsizetype offset = y * stride + x;
                if (pixels[offset] != 0u)
                    stores.push_back({offset, pixels[offset]});
            }
    }
    return stores;
}

void floorStores(benchmark::State &state)
{
    const Scene scene;
    const std::vector<Store> stores = storesOf(scene);
    QImage frame = scene.surface.copy();
    auto *pixels = reinterpret_cast<quint32 *>(frame.bits());
    for (auto _ : state) {
        for (const Store &store : stores)
            pixels[store.offset] = store.pixel;
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = double(stores.size());
}

} // namespace

BENCHMARK(overlay200Picks)->Unit(benchmark::kMicrosecond);
BENCHMARK(firstFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(rowMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(floorStores)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
