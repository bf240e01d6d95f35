// KIVO Log Viewer
// Does the window keep answering while an overview builds? A 10 ms timer ticks in the main
// thread while the overview job reads a 1 GB sparse log (made in the temporary directory and
// removed afterwards) and delivers its progress there; the longest gap between two ticks is the
// longest any event would have waited. Prints the build time and that gap, after the longest gap
// of the same timer over two seconds without a build: what the machine's load alone costs.
#include "display/overviewjob.h"
#include "log/timageline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace kivo;

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    constexpr int Samples = 720;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sparse.bhx"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(1000LL * 1000 * 1000))
            return 1;
    }
    {
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout,
                         [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
        QTimer::singleShot(2000, &application, [] { QCoreApplication::exit(0); });
        timer.start();
        sinceTick.start();
        QCoreApplication::exec();
        std::printf("no build, 2 s: longest gap %lld ms\n", longestGap);
    }
    for (int run = 0; run < 5; ++run) {
        OverviewJob job;
        QElapsedTimer build, sinceTick;
        qint64 longestGap = 0;
        int ticks = 0;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            longestGap = qMax(longestGap, sinceTick.restart());
            ++ticks;
        });
        QObject::connect(&job, &OverviewJob::finished, &application,
                         [&] { QCoreApplication::exit(0); });
        timer.start();
        sinceTick.start();
        build.start();
        job.start(path, TImageLine::recordSize(Samples), Samples, 1000);
        QCoreApplication::exec();
        std::printf("run %d: overview of 1 GB built in %lld ms; %d ticks of a 10 ms timer, "
                    "longest gap %lld ms\n",
                    run + 1, build.elapsed(), ticks, longestGap);
    }
    return 0;
}
