// KIVO Log Viewer
#include "display/imageenhancement.h"
#include "display/normalisation.h"
#include "log/imagefile.h"
#include "log/timageline.h"
#include "testlog.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace kivo;
using namespace kivo::test;

namespace {

using Counts = std::array<quint64, 256>;
using Spikes = QList<QPair<int, int>>; // (value, count)

// (value, count) pairs to a histogram.
Counts histogramOf(const Spikes &spikes)
{
    Counts counts{};
    for (const auto &[value, count] : spikes)
        counts[size_t(value)] += quint64(count);
    return counts;
}

// The p-th percentile by rank: the value at position ceil(p % of n) in the sorted samples.
int percentileByRank(const Counts &counts, int percent)
{
    std::vector<int> sorted;
    for (int v = 0; v < 256; ++v)
        sorted.insert(sorted.end(), size_t(counts[size_t(v)]), v);
    const size_t rank = size_t(std::ceil(double(sorted.size()) * percent / 100.0));
    return sorted[std::max<size_t>(rank, 1) - 1];
}

// A grey sample of value v.
QByteArray greySamples(const std::vector<int> &values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(3, char(v));
    return bytes;
}

uchar *data(QByteArray &bytes)
{
    return reinterpret_cast<uchar *>(bytes.data());
}

} // namespace

class TestNormalisation : public QObject {
    Q_OBJECT

private slots:
    void staticTables_data();
    void staticTables();
    void equalisation_data();
    void equalisation();
    void equalisationKeepsHue();
    void longRunsEqualSingleSamples();
    void greyScale_data();
    void greyScale();
    void windowRecords_data();
    void windowRecords();
    void dynamicRecordsOfALog();
};

void TestNormalisation::staticTables_data()
{
    QTest::addColumn<Spikes>("spikes");
    QTest::addRow("even over all bytes") << [] {
        Spikes all;
        for (int v = 0; v < 256; ++v)
            all.append(qMakePair(v, 100));
        return all;
    }();
    QTest::addRow("two halves") << Spikes{{10, 500}, {200, 500}};
    QTest::addRow("outliers cut") << Spikes{{0, 5}, {40, 300}, {90, 390}, {130, 300}, {255, 5}};
    QTest::addRow("one value") << Spikes{{77, 1000}};
    QTest::addRow("empty") << Spikes{};
}

void TestNormalisation::staticTables()
{
    QFETCH(Spikes, spikes);
    ChannelHistograms histograms;
    // Each channel gets the spikes moved by a different amount, so a mixed-up channel shows.
    for (size_t c = 0; c < 3; ++c) {
        Spikes moved;
        for (const auto &[v, n] : spikes)
            moved.append(qMakePair(std::min(255, v + int(c) * (v < 200 ? 20 : 0)), n));
        histograms.counts[c] = histogramOf(moved);
    }
    const ChannelTables tables = staticStretchTables(histograms);
    for (size_t c = 0; c < 3; ++c) {
        const Counts &counts = histograms.counts[c];
        const bool empty = std::all_of(counts.begin(), counts.end(), [](quint64 n) { return !n; });
        const int low = empty ? 0 : percentileByRank(counts, 1);
        const int high = empty ? 0 : percentileByRank(counts, 99);
        if (!empty) {
            QCOMPARE(int(percentileOf(counts, 1)), low);
            QCOMPARE(int(percentileOf(counts, 99)), high);
        }
        for (int v = 0; v < 256; ++v) {
            const int expected =
                high > low
                    ? int(std::lround(std::clamp(double(v - low) / (high - low), 0.0, 1.0) * 255.0))
                    : v;
            QCOMPARE(int(tables[c][size_t(v)]), expected);
        }
    }
}

void TestNormalisation::equalisation_data()
{
    QTest::addColumn<std::vector<int>>("window"); // grey values of the window's samples
    QTest::addColumn<std::vector<int>>("samples");
    QTest::addColumn<std::vector<int>>("expected");
    std::vector<int> even(256);
    for (int v = 0; v < 256; ++v)
        even[size_t(v)] = v;
    QTest::addRow("even window: identity") << even << even << even;
    // Half the window at 50, half at 100: cdf 1/2 -> 127, cdf 1 -> 255.
    QTest::addRow("two values") << std::vector<int>{50, 50, 100, 100}
                                << std::vector<int>{50, 100, 0} << std::vector<int>{127, 255, 0};
    // A dark window: 10, 20, 30, 40 spread to quarters of 255.
    QTest::addRow("dark window stretched")
        << std::vector<int>{10, 20, 30, 40} << std::vector<int>{10, 20, 30, 40, 25}
        << std::vector<int>{63, 127, 191, 255, 127};
}

void TestNormalisation::equalisation()
{
    QFETCH(std::vector<int>, window);
    QFETCH(std::vector<int>, samples);
    QFETCH(std::vector<int>, expected);
    LuminanceHistogram histogram{};
    QByteArray windowBytes = greySamples(window);
    addLuminances(histogram, data(windowBytes), int(window.size()));
    QByteArray bytes = greySamples(samples);
    applyLuminanceGains(equalisationGains(histogram), data(bytes), int(samples.size()));
    QCOMPARE(bytes, greySamples(expected));
}

void TestNormalisation::equalisationKeepsHue()
{
    // A dark window of random colours: the gains lift it, and each sample's channels keep their
    // ratios within the rounding of each (|r'g - g'r| <= (r + g) / 2).
    QRandomGenerator random(7);
    QByteArray window(3 * 2000, 0);
    for (auto &byte : window)
        byte = char(random.bounded(0, 120));
    LuminanceHistogram histogram{};
    addLuminances(histogram, data(window), 2000);
    QByteArray samples = window;
    applyLuminanceGains(equalisationGains(histogram), data(samples), 2000);
    int lifted = 0;
    for (int i = 0; i < 2000; ++i) {
        const int in[3] = {uchar(window[3 * i]), uchar(window[3 * i + 1]),
                           uchar(window[3 * i + 2])};
        const int out[3] = {uchar(samples[3 * i]), uchar(samples[3 * i + 1]),
                            uchar(samples[3 * i + 2])};
        lifted += out[0] + out[1] + out[2] > in[0] + in[1] + in[2];
        for (int a = 0; a < 3; ++a)
            for (int b = a + 1; b < 3; ++b)
                QVERIFY2(std::abs(out[a] * in[b] - out[b] * in[a]) <= (in[a] + in[b] + 1) / 2,
                         qPrintable(QStringLiteral("sample %1").arg(i)));
    }
    QVERIFY(lifted > 1500);
}

void TestNormalisation::longRunsEqualSingleSamples()
{
    // A long run goes eight samples at a time where the processor allows; each sample must come
    // out as it does alone. Bright, dark and saturated samples, with gains of a dark window.
    QRandomGenerator random(11);
    QByteArray run(3 * 1001, 0);
    for (auto &byte : run)
        byte = char(random.bounded(0, 256));
    LuminanceHistogram dark{};
    for (int y = 0; y < 100; ++y)
        dark[size_t(y)] = 10;
    const LuminanceGains gains = equalisationGains(dark);
    QByteArray together = run;
    applyLuminanceGains(gains, data(together), 1001);
    for (int i = 0; i < 1001; ++i) {
        QByteArray alone = run.mid(3 * i, 3);
        applyLuminanceGains(gains, data(alone), 1);
        QCOMPARE(together.mid(3 * i, 3), alone);
    }
}

void TestNormalisation::greyScale_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    for (const auto &rgb : std::vector<std::array<int, 3>>{{0, 0, 0},
                                                           {255, 255, 255},
                                                           {128, 128, 128},
                                                           {255, 0, 0},
                                                           {0, 255, 0},
                                                           {0, 0, 255},
                                                           {200, 100, 50},
                                                           {13, 240, 77}})
        QTest::addRow("%d,%d,%d", rgb[0], rgb[1], rgb[2]) << rgb[0] << rgb[1] << rgb[2];
}

void TestNormalisation::greyScale()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QByteArray sample;
    sample.append(char(red)).append(char(green)).append(char(blue));
    toGreyScale(data(sample), 1);
    // Rec. 601 luma, to within a step of the integer weights; grey stays exactly grey.
    const double luma = 0.299 * red + 0.587 * green + 0.114 * blue;
    QCOMPARE(sample[0], sample[1]);
    QCOMPARE(sample[1], sample[2]);
    QVERIFY2(std::abs(uchar(sample[0]) - luma) <= 1.0, qPrintable(QString::number(luma)));
    if (red == green && green == blue)
        QCOMPARE(int(uchar(sample[0])), red);
}

void TestNormalisation::windowRecords_data()
{
    QTest::addColumn<double>("spacing");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("expected");
    QTest::addRow("1 mm, metres") << 0.001 << 0 << 500;
    QTest::addRow("5 mm, metres") << 0.005 << 0 << 100;
    QTest::addRow("0.01 ft") << 0.01 << 1 << 164; // 0.5 m = 1.6404 ft
    QTest::addRow("coarser than the window") << 2.0 << 0 << 1;
    QTest::addRow("absurdly fine") << 1e-9 << 0 << 10000;
    QTest::addRow("no spacing") << 0.0 << 0 << 1;
    QTest::addRow("not a number") << std::nan("") << 0 << 1;
}

void TestNormalisation::windowRecords()
{
    QFETCH(double, spacing);
    QFETCH(int, unit);
    QFETCH(int, expected);
    QCOMPARE(windowRecordsFor(DynamicWindowMetres, spacing, unit), expected);
}

void TestNormalisation::dynamicRecordsOfALog()
{
    // Grey records, record k all of value v(k): record k's equalised value is 255 times the
    // share of its window's samples at or below v(k), its window k-2..k+2 cut to the log.
    constexpr int samples = 8, count = 40, w = 5;
    const auto value = [](qint64 k) {
        return int((k * 37 + 11) % 256);
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("grey.bhx");
    DataFileContent content(samples, count);
    content.colour = [&](qint64 k, int) {
        return Rgb{uchar(value(k)), uchar(value(k)), uchar(value(k))};
    };
    writeDataFile(path, content);
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(samples));
    ImageEnhancement enhancement;
    enhancement.normalisation = Normalisation::Dynamic;
    enhancement.windowRecords = w;
    // Whatever run a pass prepares, each record comes out the same.
    for (const auto &[first, last] :
         std::vector<std::pair<int, int>>{{0, 39}, {10, 12}, {37, 39}}) {
        StripEnhancer enhancer(samples);
        enhancer.prepare(enhancement, file, first, last);
        for (int k = first; k <= last; ++k) {
            int atOrBelow = 0, total = 0;
            for (int j = qMax(0, k - 2); j <= qMin(count - 1, k + 2); ++j, ++total)
                atOrBelow += value(j) <= value(k);
            const int expected = value(k) == 0 ? 0 : 255 * atOrBelow / total;
            const QByteArray record = makeRecord(samples, 0, 0, 0, [&](int) {
                return Rgb{uchar(value(k)), uchar(value(k)), uchar(value(k))};
            });
            const uchar *out =
                enhancer.enhance(reinterpret_cast<const uchar *>(record.constData()), k);
            for (int i = 0; i < 3 * samples; ++i)
                QCOMPARE(int(out[TImageLine::SamplesOffset + i]), expected);
        }
    }
}

QTEST_GUILESS_MAIN(TestNormalisation)
#include "tst_normalisation.moc"
