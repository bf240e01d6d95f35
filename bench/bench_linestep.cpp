// KIVO Log Viewer
// A line step in the window, as the user makes it: the main window on the X server it is given
// (xvfb in `make bench`), the demonstration log open in a view of about 1000 rows, and 200
// presses of the Down and Up keys on the scroll bar (40 records each, turning every 30 steps),
// each one served by the open command's loop before the next. The figure is the process's own
// CPU time (getrusage: the viewer's threads, not the X server's) per step, at zoom 1:1 and 1:4.
#include "demo/demolog.h"
#include "log/logsession.h"
#include "ui/viewer/opencommand.h"
#include "ui/viewer/tform1.h"
#include "ui/viewer/tscrollbar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>

using namespace kivo;

namespace {

constexpr int Steps = 200;
constexpr int Turn = 30;
constexpr int WarmUp = 10;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + t.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

const QString &demoLog()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        writeDemoLog(dir.path());
        return dir.filePath(QStringLiteral("demo.bhx"));
    }();
    return path;
}

void press(QWidget *bar, Qt::Key key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(bar, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(bar, &up);
}

// Opens the log, makes the steps from inside the open command's loop and closes it; the CPU
// seconds of the steps themselves.
double runSteps(int zoom)
{
    TForm1 form({QStringLiteral("kivo-viewer")});
    form.setGeometry(0, 0, 1000, 1100);
    form.show();
    auto *bar = form.findChild<TScrollBar *>(QStringLiteral("ScrollBar4"));
    int step = -WarmUp;
    double started = 0;
    double used = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, &form, [&] {
        if (!form.openCommand().viewing() || form.state().RedrawPending)
            return;
        if (step == -WarmUp) {
            form.session().setZoom(zoom);
            ++step;
            return;
        }
        if (step == 0)
            started = cpuSeconds();
        if (step == Steps) {
            used = cpuSeconds() - started;
            driver.stop();
            form.Close1Click();
            return;
        }
        press(bar, (step + WarmUp) / Turn % 2 ? Qt::Key_Up : Qt::Key_Down);
        ++step;
    });
    driver.start(0);
    form.openFile(demoLog());
    return used;
}

void BM_LineStepInWindow(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(runSteps(int(state.range(0))) / Steps);
}
BENCHMARK(BM_LineStepInWindow)
    ->Arg(1)
    ->Arg(4)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The viewer keeps its settings file under the configuration folder: a folder of its own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
