// KIVO Log Viewer
// The redraw passes of a view of 1000 rows of 720 samples, read from a data file in the page
// cache: a full pass with its depth labels (with neutral and with adjusted colour tables), a
// line step (40 new rows; back and forth, and sweeping through the log) and, as the yardstick,
// the same full pass with every pixel drawn through a QPainter.
#include "benchlog.h"
#include "display/colourmap.h"
#include "display/displayarea.h"
#include "display/logview.h"
#include "display/striprenderer.h"
#include "log/imagefile.h"
#include "log/readouts.h"
#include "log/timageline.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace kivo;

namespace {

constexpr int Rows = 1000;
constexpr int Samples = 720;
constexpr int LineStep = 40;
constexpr qint64 Records = 4000;
constexpr qint64 Position = 1000;
constexpr int Width = 783; // more records than rows: the scroll bar shows

// The data file, written once.
class BenchLog {
public:
    static const BenchLog &instance()
    {
        static const BenchLog log;
        return log;
    }
    QString path() const { return m_dir.filePath(QStringLiteral("bench.bhx")); }

private:
    BenchLog() { bench::writeBenchLog(path(), Records, Samples); }

    QTemporaryDir m_dir;
};

TColourMap colourTables(int brightness, int contrast)
{
    TColourMap colours;
    colours.Brightness = brightness;
    colours.Contrast = contrast;
    BuildColourMap(colours);
    return colours;
}

const TColourMap neutral = colourTables(0, 100);

// The log open in the viewer's way: display area, both surface preparations, the view.
struct OpenView {
    explicit OpenView(const TColourMap &tables = neutral)
        : colours(tables)
    {
        layout.SamplesPerLine = Samples;
        layout.LogDirection = 2;
        file.OpenImageFile(BenchLog::instance().path(), layout.recordSize());
        area.setSize(Width, Rows);
        area.Initialize();
        StripRenderer::PrepareSurfaceA(*area.Surface());
        view = std::make_unique<LogView>(area, file, colours, layout, QLocale::c());
        view->setGeometry({file.RecordCount(), Rows, layout.LogDirection});
        StripRenderer::PrepareSurfaceB(*area.Surface());
        view->fullPass(Position);
    }

    LogLayout layout;
    TColourMap colours;
    ImageFile file;
    DisplayArea area;
    std::unique_ptr<LogView> view;
};

void fullPass(benchmark::State &state)
{
    OpenView open;
    for (auto _ : state)
        open.view->fullPass(Position);
}

// The same after a display adjustment: the colour tables no longer map bytes to themselves.
void fullPassAdjusted(benchmark::State &state)
{
    OpenView open(colourTables(20, 150));
    for (auto _ : state)
        open.view->fullPass(Position);
}

// Down one line step and back up, so that the view stays where it is.
void lineStep(benchmark::State &state)
{
    OpenView open;
    bool down = true;
    for (auto _ : state) {
        open.view->incrementalPass(down ? Position + LineStep : Position);
        down = !down;
    }
}

// Line steps all the way down the log and all the way up again, as a user holding an arrow
// key: the surface runs out of spare rows now and then and moves the picture back.
void lineStepSweep(benchmark::State &state)
{
    OpenView open;
    const qint64 last = Records - Rows;
    qint64 position = Position;
    int step = LineStep;
    for (auto _ : state) {
        if (position + step < 0 || position + step > last)
            step = -step;
        position += step;
        open.view->incrementalPass(position);
    }
}

// The full pass written the plain way: every pixel set through a painter with a pen of its
// colour, the frame, ticks and labels drawn as the records are read.
void naivePainterFullPass(benchmark::State &state)
{
    const TColourMap &colours = neutral;
    ImageFile file;
    file.OpenImageFile(BenchLog::instance().path(), TImageLine::recordSize(Samples));
    QImage image(Width, Rows, QImage::Format_RGB32);
    image.fill(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    const int ascent = QFontMetrics(font).ascent();
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setBackground(Qt::white);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.fillRect(0, 0, StripRenderer::ImageLeft, Rows, Qt::white);
        file.SeekRecord(Position, Rows);
        for (int y = 0; y < Rows; ++y) {
            const uchar *bytes = file.ReadRecordView();
            if (!bytes)
                break;
            const TImageLine line(bytes, Samples);
            if (const auto label = formatDepthMark(line.Depth(), QStringLiteral("m"))) {
                painter.setPen(Qt::black);
                painter.drawLine(StripRenderer::TickLeft, y, StripRenderer::ImageLeft - 1, y);
                painter.drawText(0, y - StripRenderer::LabelRise + ascent, *label);
            }
            const uchar *sample = line.Samples();
            for (int i = 0; i < Samples; ++i, sample += 3) {
                const qint32 colour = colours.RedTable[sample[0]] + colours.GreenTable[sample[1]] +
                                      colours.BlueTable[sample[2]];
                painter.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
                painter.drawPoint(StripRenderer::ImageLeft + i, y);
            }
            painter.setPen(Qt::white);
            painter.drawPoint(StripRenderer::ImageLeft, y);
            painter.drawPoint(StripRenderer::RightFrame, y);
        }
    }
    benchmark::DoNotOptimize(image.constBits());
}

// With repetitions, the fastest one next to the mean and median: on a shared machine it shows
// what the code costs when nothing else runs.
double fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(fullPass)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);
BENCHMARK(fullPassAdjusted)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);
BENCHMARK(lineStep)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);
BENCHMARK(lineStepSweep)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);
BENCHMARK(naivePainterFullPass)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);

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
