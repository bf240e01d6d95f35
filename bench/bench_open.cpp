// KIVO Log Viewer
// From the start of an open to the first picture presented: the header read and checked, the
// data file opened and counted, the display made and prepared, the first full pass drawn and
// presented. For the demonstration log and for a 4 GiB log (sparse, so that it costs no disk):
// the time must not grow with the file.
#include "demo/demolog.h"
#include "display/colourmap.h"
#include "display/displayarea.h"
#include "display/logview.h"
#include "display/striprenderer.h"
#include "header/headerio.h"
#include "log/imagefile.h"
#include "log/logopener.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kivo;

namespace {

constexpr int Rows = 1000;

struct Logs {
    Logs()
    {
        writeDemoLog(dir.path());
        demo = dir.filePath(QStringLiteral("demo.bhx"));
        QFile::copy(dir.filePath(QStringLiteral("demo.HED")),
                    dir.filePath(QStringLiteral("big.HED")));
        big = dir.filePath(QStringLiteral("big.bhx"));
        QFile file(big);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(4) << 30))
            std::abort();
    }
    QTemporaryDir dir;
    QString demo;
    QString big;
};

const Logs &logs()
{
    static const Logs instance;
    return instance;
}

void openToFirstPicture(benchmark::State &state, const QString &path)
{
    TColourMap colours;
    BuildColourMap(colours);
    int presented = 0;
    for (auto _ : state) {
        uniheader header;
        ResetHeader(header);
        const LogHeaderCheck check = checkLogHeader(path, header, 0, 0);
        if (!check.accepted())
            std::abort();
        ImageFile file;
        file.OpenImageFile(path, check.layout.recordSize());
        const qint64 count = file.RecordCount();
        DisplayArea area;
        area.setPresenter([&](const QImage &) { ++presented; });
        area.setSize(count > Rows ? 783 : 801, Rows);
        area.Initialize();
        StripRenderer::PrepareSurfaceA(*area.Surface());
        LogView view(area, file, colours, check.layout);
        view.setGeometry({count, Rows, check.layout.LogDirection});
        StripRenderer::PrepareSurfaceB(*area.Surface());
        area.Present();
        view.fullPass(0);
    }
    benchmark::DoNotOptimize(presented);
}

void demoLog(benchmark::State &state)
{
    openToFirstPicture(state, logs().demo);
}

void fourGigabyteLog(benchmark::State &state)
{
    openToFirstPicture(state, logs().big);
}

} // namespace

BENCHMARK(demoLog)->Unit(benchmark::kMillisecond);
BENCHMARK(fourGigabyteLog)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Label text needs fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
