// KIVO Log Viewer
// What the picks' overlay costs each time the view goes on screen, as the window lays it: the
// row map of a 1000-row view, a copy of the 783 x 1000 picture, and 200 traces drawn over it.
// Compare with bench_redraw's fullPass (the same view): the goal is at most a tenth of it.
// The parts are timed alone too, and the floor: the same pixels stored at addresses worked out
// beforehand, which any drawing of these 200 traces in full has to pay.
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
            traces.push_back({trace, QColor::fromHsv(i % 360, 255, 255), 1, i % 7 == 0});
        }
        surface.fill(Qt::gray);
    }
    std::vector<std::optional<double>> depths;
    std::vector<TraceStyle> traces;
    QImage surface{Width, Rows, QImage::Format_RGB32};
};

void copyFrame(QImage &frame, const QImage &surface)
{
    std::memcpy(frame.bits(), surface.constBits(), size_t(surface.sizeInBytes()));
}

void overlay200Picks(benchmark::State &state)
{
    const Scene scene;
    QImage frame(scene.surface.size(), scene.surface.format());
    for (auto _ : state) {
        copyFrame(frame, scene.surface);
        drawTraces(frame, ImageLeft, RowDepthMap(scene.depths), scene.traces);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void frameCopy(benchmark::State &state)
{
    const Scene scene;
    QImage frame(scene.surface.size(), scene.surface.format());
    for (auto _ : state) {
        copyFrame(frame, scene.surface);
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

void tracesOnly(benchmark::State &state)
{
    const Scene scene;
    QImage frame = scene.surface.copy();
    const RowDepthMap map(scene.depths);
    for (auto _ : state) {
        drawTraces(frame, ImageLeft, map, scene.traces);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

// The traces' rows worked out and clipped, no pixel stored: a frame of one column, left of
// the image.
void rowsOnly(benchmark::State &state)
{
    const Scene scene;
    QImage frame(1, Rows, QImage::Format_RGB32);
    const RowDepthMap map(scene.depths);
    for (auto _ : state) {
        drawTraces(frame, ImageLeft, map, scene.traces);
        benchmark::DoNotOptimize(frame.constBits());
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
BENCHMARK(frameCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(rowMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(tracesOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(rowsOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(floorStores)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
