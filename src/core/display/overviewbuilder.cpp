// KIVO Log Viewer
#include "display/overviewbuilder.h"

#include "log/imagefile.h"
#include "log/timageline.h"
#include "shell/jobprogress.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace kivo {

namespace {

// Counts of the bytes of each channel, kept in four copies that alternate by sample so that
// runs of equal samples (a plain wall, a blank log) do not wait on one counter.
struct SplitHistograms {
    std::array<std::array<std::array<quint64, 256>, 3>, 4> counts{};

    void add(const uchar *samples, qint64 count, std::vector<quint64> &sums)
    {
        for (qint64 i = 0; i < count; ++i, samples += 3) {
            auto &copy = counts[size_t(i & 3)];
            ++copy[0][samples[0]];
            ++copy[1][samples[1]];
            ++copy[2][samples[2]];
            sums[size_t(3 * i)] += samples[0];
            sums[size_t(3 * i + 1)] += samples[1];
            sums[size_t(3 * i + 2)] += samples[2];
        }
    }
    ChannelHistograms merged() const
    {
        ChannelHistograms histograms;
        for (const auto &copy : counts)
            for (size_t c = 0; c < 3; ++c)
                for (size_t v = 0; v < 256; ++v)
                    histograms.counts[c][v] += copy[c][v];
        return histograms;
    }
};

void writeMeans(QImage &image, int row, const std::vector<quint64> &sums, qint64 records)
{
    auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(row));
    const quint64 half = quint64(records) / 2;
    for (int i = 0; i < image.width(); ++i) {
        const size_t at = size_t(3 * i);
        pixels[i] = qRgb(int((sums[at] + half) / quint64(records)),
                         int((sums[at + 1] + half) / quint64(records)),
                         int((sums[at + 2] + half) / quint64(records)));
    }
}

} // namespace

qint64 firstRecordOfRow(qint64 count, int rows, int row)
{
    // count * row / rows without overflow for any 64-bit count.
    return qint64((__int128(count) * row) / rows);
}

qint64 Overview::firstRecordOfRow(int row) const
{
    return rows() > 0 ? kivo::firstRecordOfRow(recordCount, rows(), row) : 0;
}

std::optional<Overview> buildOverview(ImageFile &file, int samplesPerLine, int rows,
                                      JobProgress &progress)
{
    Overview overview;
    const qint64 count = file.RecordCount();
    const int height = int(qMin<qint64>(qMax(0, rows), count));
    if (height == 0)
        return overview;
    overview.recordCount = count;
    overview.image = QImage(samplesPerLine, height, QImage::Format_RGB32);
    overview.image.fill(Qt::black);
    auto split = std::make_unique<SplitHistograms>();
    std::vector<quint64> sums(size_t(3 * qint64(samplesPerLine)));
    file.SeekRecord(0, count);
    qint64 record = 0;
    for (int row = 0; row < height; ++row) {
        const qint64 end = firstRecordOfRow(count, height, row + 1);
        const qint64 first = record;
        std::fill(sums.begin(), sums.end(), 0);
        for (; record < end; ++record) {
            const uchar *bytes = file.ReadRecordView();
            if (!bytes)
                break;
            split->add(bytes + TImageLine::SamplesOffset, samplesPerLine, sums);
            if ((record & 1023) == 0 && !progress.advance(record, count))
                return std::nullopt;
        }
        if (record == first) // the file was cut short under us: the rows below stay black
            break;
        writeMeans(overview.image, row, sums, record - first);
    }
    overview.histograms = split->merged();
    progress.advance(count, count);
    return overview;
}

} // namespace kivo
