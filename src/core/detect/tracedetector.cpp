// KIVO Log Viewer
#include "detect/tracedetector.h"

#include "detect/wallblock.h"
#include "detect/windowdetector.h"
#include "kivoerror.h"
#include "log/imagefile.h"
#include "log/timageline.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kivo {

namespace {

constexpr double Radian = 3.14159265358979323846 / 180.0;
constexpr qint64 WindowRecords = 2048;
// The steepest trace searched (records) whatever the depth step, so that a window's work stays
// bounded.
constexpr double MostRecords = 600.0;
// Traces closer than this (records) found by two windows are one.
constexpr double SameTrace = 6.0;

// The depth between records, from a sample of the file: the median difference.
double recordStep(ImageFile &file, int samplesPerLine, qint64 first, qint64 last)
{
    std::vector<double> steps;
    const qint64 stride = std::max<qint64>(1, (last - first) / 64);
    QByteArray a(TImageLine::recordSize(samplesPerLine), '\0'), b = a;
    for (qint64 k = first; k < last; k += stride) {
        file.SeekRecord(k, 2);
        if (!file.ReadRecord(reinterpret_cast<uchar *>(a.data())) ||
            !file.ReadRecord(reinterpret_cast<uchar *>(b.data())))
            break;
        const TImageLine x(reinterpret_cast<const uchar *>(a.constData()), samplesPerLine);
        const TImageLine y(reinterpret_cast<const uchar *>(b.constData()), samplesPerLine);
        steps.push_back(std::abs(double(y.Depth()) - x.Depth()) / 1000.0);
    }
    if (steps.empty())
        return 0.0;
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() / 2), steps.end());
    return steps[steps.size() / 2];
}

double pathDistance(const Sinusoid &x, const Sinusoid &y)
{
    const double dc = x.depth - y.depth, da = x.a() - y.a(), db = x.b() - y.b();
    return std::sqrt(dc * dc + (da * da + db * db) / 2.0);
}

// The windows' candidates in depth order, of two that are one trace the more confident kept.
QList<Pick> merge(const std::vector<QList<Pick>> &windows, double sameTrace)
{
    QList<Pick> all;
    for (const QList<Pick> &window : windows)
        all.append(window);
    std::stable_sort(all.begin(), all.end(),
                     [](const Pick &x, const Pick &y) { return x.trace.depth < y.trace.depth; });
    QList<Pick> merged;
    for (const Pick &pick : all) {
        auto twin = std::find_if(merged.rbegin(), merged.rend(), [&](const Pick &m) {
            return pathDistance(m.trace, pick.trace) < sameTrace;
        });
        if (twin == merged.rend())
            merged.append(pick);
        else if (pick.confidence > twin->confidence)
            *twin = pick;
    }
    return merged;
}

} // namespace

DetectResult detectTraces(const DetectRequest &request, JobProgress *progress)
{
    if (!(request.diameter > 0.0) || !std::isfinite(request.diameter))
        throw KivoError(QStringLiteral("the hole's diameter must be a positive number"));
    ImageFile file;
    file.OpenImageFile(request.dataPath, TImageLine::recordSize(request.samplesPerLine));
    const qint64 count = file.RecordCount();
    const qint64 first = std::max<qint64>(0, request.firstRecord);
    const qint64 last = std::min(count - 1, request.lastRecord);
    DetectResult result;
    if (last < first)
        return result;

    // The amplitudes searched, from apparent dips of 2.5 to 80 degrees, in records.
    const double step = recordStep(file, request.samplesPerLine, first, last);
    if (!(step > 0.0))
        return result; // every record at one depth: no trace can be told
    const double radius = request.diameter / (request.feet ? 12.0 : 1000.0) / 2.0;
    TraceLimits limits;
    limits.minAmplitude = std::max(1.5, radius * std::tan(2.5 * Radian) / step);
    limits.maxAmplitude = std::min(MostRecords, radius * std::tan(80.0 * Radian) / step);
    const qint64 margin = qint64(std::ceil(limits.maxAmplitude)) + 24;

    const qint64 windows = (last - first + WindowRecords) / WindowRecords;
    std::vector<QList<Pick>> found(static_cast<size_t>(windows));
    std::atomic<qint64> next{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable changed;
    qint64 done = 0;
    std::exception_ptr failure;

    const auto work = [&] {
        ImageFile own;
        try {
            own.OpenImageFile(request.dataPath, file.recordSize());
            for (qint64 w = next++; w < windows && !stop; w = next++) {
                const qint64 from = first + w * WindowRecords;
                const qint64 to = std::min(last + 1, from + WindowRecords);
                const qint64 readFrom = std::max<qint64>(0, from - margin);
                const WallBlock block =
                    readWallBlock(own, request.samplesPerLine, readFrom, to + margin - readFrom);
                found[size_t(w)] =
                    detectInBlock(block, int(from - readFrom), int(to - readFrom), limits);
                const std::lock_guard<std::mutex> lock(mutex);
                done += to - from;
                changed.notify_all();
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(mutex);
            if (!failure)
                failure = std::current_exception();
            stop = true;
            changed.notify_all();
        }
    };
    const int threads = int(std::clamp<qint64>(
        request.threads > 0 ? request.threads : qint64(std::thread::hardware_concurrency()), 1,
        windows));
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back(work);
    {
        std::unique_lock<std::mutex> lock(mutex);
        const qint64 total = last - first + 1;
        qint64 told = -1;
        while (!stop && done < total) {
            if (done != told) {
                told = done;
                lock.unlock();
                const bool goOn = !progress || progress->advance(told, total);
                lock.lock();
                if (!goOn) {
                    stop = true;
                    result.cancelled = true;
                    break;
                }
            }
            changed.wait(lock, [&] { return stop || done != told; });
        }
    }
    for (std::thread &worker : workers)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
    if (result.cancelled)
        return result;
    if (progress)
        progress->advance(last - first + 1, last - first + 1);

    for (const Pick &pick : merge(found, SameTrace * step)) {
        if (pick.confidence.value_or(0.0) >= request.minConfidence)
            result.candidates.append(pick);
    }
    return result;
}

} // namespace kivo
