// KIVO Log Viewer
// The structure plots: a stereonet with density contours of 10 000 picks (under 100 ms), and
// what the plots panel does after a pick changes with 1 000 picks in the demo log (under one
// frame, 16 ms): the picks read again from the session and the tadpole track, the stereonet
// with contours and the rose drawn at the panel's sizes.
#include "demo/demolog.h"
#include "log/logsession.h"
#include "plots/plotfile.h"
#include "plots/roseplot.h"
#include "plots/stereonetplot.h"
#include "plots/tadpoletrack.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kivo;

namespace {

// Two sets of fractures and a scatter, in a vertical hole.
std::vector<PlotPick> randomPicks(int count)
{
    QRandomGenerator random(7);
    std::vector<PlotPick> picks;
    for (int i = 0; i < count; ++i) {
        PlotPick p;
        p.id = PickId(i + 1);
        p.depth = 10.0 + 15.0 * i / count;
        p.oriented = true;
        const int set = i % 3;
        p.dip = set == 2 ? random.bounded(90.0) : (set ? 70.0 : 35.0) + random.bounded(10.0);
        p.dipAzimuth =
            set == 2 ? random.bounded(360.0) : (set ? 250.0 : 110.0) + random.bounded(20.0);
        p.holeDeviation = 0.0;
        p.type = set ? QStringLiteral("open fracture") : QStringLiteral("bedding");
        picks.push_back(p);
    }
    return picks;
}

void stereonetContours10000(benchmark::State &state)
{
    const std::vector<PlotPick> picks = randomPicks(10000);
    StereonetOptions options;
    options.contours = true;
    for (auto _ : state) {
        const QImage image = plotImage(QSize(600, 600), [&](QPainter &painter, const QRectF &area) {
            drawStereonet(painter, area, picks, options);
        });
        benchmark::DoNotOptimize(image.constBits());
    }
}

struct Session {
    Session()
    {
        writeDemoLog(dir.path());
        const QString log = dir.filePath(QStringLiteral("demo.bhx"));
        session.prepareOpen();
        if (!session.readHeader(log).accepted())
            std::abort();
        session.openDataFile(log);
        session.setRows(600);
        QList<Pick> picks;
        QRandomGenerator random(11);
        for (int i = 0; i < 1000; ++i) {
            Pick pick;
            pick.trace = {10.0 + 0.015 * i, random.bounded(0.1), random.bounded(360.0)};
            pick.diameter = 96.0;
            pick.type = QStringLiteral("open fracture");
            picks.append(pick);
        }
        session.picks().reset(picks);
    }
    QTemporaryDir dir;
    LogSession session;
};

void panelUpdate1000(benchmark::State &state)
{
    Session fixture;
    PickSet &picks = fixture.session.picks();
    const TadpoleRange range{10.0, 25.0, QStringLiteral("m")};
    StereonetOptions net;
    net.contours = true;
    int step = 0;
    for (auto _ : state) {
        ++step;
        picks.retype(picks.id(step % picks.count()), step % 2 ? "vein" : "fault");
        const std::vector<PlotPick> shown = plotPicks(picks);
        const QImage track = plotImage(QSize(400, 600), [&](QPainter &p, const QRectF &area) {
            drawTadpoleTrack(p, area, shown, range);
        });
        const QImage stereonet = plotImage(QSize(400, 400), [&](QPainter &p, const QRectF &area) {
            drawStereonet(p, area, shown, net);
        });
        const QImage rose = plotImage(QSize(400, 400), [&](QPainter &p, const QRectF &area) {
            drawRose(p, area, shown, RoseOptions{});
        });
        benchmark::DoNotOptimize(track.constBits());
        benchmark::DoNotOptimize(stereonet.constBits());
        benchmark::DoNotOptimize(rose.constBits());
    }
}

} // namespace

BENCHMARK(stereonetContours10000)->Unit(benchmark::kMillisecond);
BENCHMARK(panelUpdate1000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Labels need fonts, fonts need a QGuiApplication, and that needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
