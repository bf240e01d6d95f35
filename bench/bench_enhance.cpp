// KIVO Log Viewer
// A full pass of a view of 1000 rows of 720 samples, plain and with each image enhancement:
// dynamic normalisation over a window of 500 records (0.5 m at 1 mm), the static stretch, the
// grey scale. The data file (4000 records) is in the page cache.
#include "benchlog.h"
#include "display/colourmap.h"
#include "display/displayarea.h"
#include "display/imageenhancement.h"
#include "display/logview.h"
#include "display/striprenderer.h"
#include "log/imagefile.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace kivo;

namespace {

constexpr int Rows = 1000;
constexpr int Samples = 720;
constexpr qint64 Records = 4000;
constexpr qint64 Position = 1500;

QString benchLog(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("bench.bhx"));
    bench::writeBenchLog(path, Records, Samples);
    return path;
}

void fullPass(benchmark::State &state, ImageEnhancement enhancement)
{
    QTemporaryDir dir;
    LogLayout layout;
    layout.SamplesPerLine = Samples;
    layout.LogDirection = 2;
    TColourMap colours;
    ImageFile file;
    file.OpenImageFile(benchLog(dir), layout.recordSize());
    DisplayArea area;
    area.setSize(783, Rows);
    area.Initialize();
    StripRenderer::PrepareSurfaceA(*area.Surface());
    LogView view(area, file, colours, layout, QLocale::c());
    view.setGeometry({file.RecordCount(), Rows, 2});
    view.setEnhancement(&enhancement);
    StripRenderer::PrepareSurfaceB(*area.Surface());
    view.fullPass(Position);
    for (auto _ : state)
        view.fullPass(Position);
}

ImageEnhancement enhancement(Normalisation normalisation, bool grey)
{
    ImageEnhancement e;
    e.normalisation = normalisation;
    e.greyScale = grey;
    e.windowRecords = 500;
    ChannelHistograms histograms;
    for (int v = 30; v < 220; ++v)
        histograms.add(quint8(v), quint8(v), quint8(v));
    e.staticTables = staticStretchTables(histograms);
    return e;
}

double fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK_CAPTURE(fullPass, plain, enhancement(Normalisation::Off, false))
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(fullPass, dynamic, enhancement(Normalisation::Dynamic, false))
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(fullPass, static, enhancement(Normalisation::Static, false))
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(fullPass, grey, enhancement(Normalisation::Off, true))
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);

int main(int argc, char **argv)
{
    // Labels need fonts, fonts need a QGuiApplication, and that needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
