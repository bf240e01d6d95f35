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
#include <cstring>

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

// The luminance histogram of every sample of a run.
LuminanceHistogram histogramOfSamples(const QByteArray &samples)
{
    const int count = int(samples.size() / 3);
    std::vector<uchar> luminances(static_cast<size_t>(count));
    luminancesOf(reinterpret_cast<const uchar *>(samples.constData()), count, 1, luminances.data());
    LuminanceHistogram histogram{};
    addLuminances(histogram, luminances.data(), count);
    return histogram;
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
    void luminances_data();
    void luminances();
    void gains_data();
    void gains();
    void longRunsEqualSingleSamples_data();
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
    QByteArray bytes = greySamples(samples);
    applyLuminanceGains(equalisationGains(histogramOfSamples(greySamples(window))), data(bytes),
                        data(bytes), int(samples.size()));
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
    QByteArray samples = window;
    applyLuminanceGains(equalisationGains(histogramOfSamples(window)), data(window), data(samples),
                        2000);
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

void TestNormalisation::luminances_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("stride");
    for (const int count : {0, 5, 31, 32, 33, 720, 721})
        for (const int stride : {1, 4})
            QTest::addRow("%d samples, stride %d", count, stride) << count << stride;
}

void TestNormalisation::luminances()
{
    QFETCH(int, count);
    QFETCH(int, stride);
    QRandomGenerator random(quint32(count * 8 + stride));
    QByteArray samples(3 * count, 0);
    for (auto &byte : samples)
        byte = char(random.bounded(0, 256));
    const int expectedCount = (count + stride - 1) / stride;
    // One byte more than expected, which must stay untouched.
    std::vector<uchar> luminances(size_t(expectedCount) + 1, 0xA5);
    luminancesOf(data(samples), count, stride, luminances.data());
    for (int j = 0; j < expectedCount; ++j) {
        const uchar *sample = data(samples) + 3 * stride * j;
        QCOMPARE(int(luminances[size_t(j)]), luminanceOf(sample[0], sample[1], sample[2]));
    }
    QCOMPARE(int(luminances.back()), 0xA5);
}

void TestNormalisation::gains_data()
{
    QTest::addColumn<LuminanceHistogram>("window");
    QRandomGenerator random(5);
    const auto randomWindow = [&](quint32 most) {
        LuminanceHistogram window{};
        for (auto &count : window)
            count = random.bounded(most + 1);
        return window;
    };
    LuminanceHistogram single{};
    single[77] = 9;
    LuminanceHistogram black{};
    black[0] = 100;
    QTest::addRow("one luminance") << single;
    QTest::addRow("all black") << black;
    QTest::addRow("a few samples") << randomWindow(2);
    QTest::addRow("500 records' worth") << randomWindow(700);
    QTest::addRow("near 2^31 samples") << randomWindow(15'000'000);
    QTest::addRow("past 2^31 samples") << randomWindow(40'000'000);
}

void TestNormalisation::gains()
{
    // Against exact integer arithmetic: Y' = 255 cdf(Y) / total, gain = Y' 2^16 / Y, both
    // rounded down.
    QFETCH(LuminanceHistogram, window);
    quint64 total = 0;
    for (quint32 count : window)
        total += count;
    const LuminanceGains gains = equalisationGains(window);
    QCOMPARE(gains[0], 0u);
    quint64 cumulative = window[0];
    for (size_t y = 1; y < 256; ++y) {
        cumulative += window[y];
        const quint64 equalised = 255 * cumulative / total;
        QCOMPARE(gains[y], quint32((equalised << 16) / y));
    }
}

void TestNormalisation::longRunsEqualSingleSamples_data()
{
    QTest::addColumn<LuminanceGains>("gains");
    LuminanceHistogram dark{};
    for (size_t y = 0; y < 100; ++y)
        dark[y] = 10;
    LuminanceHistogram bright{};
    for (size_t y = 150; y < 256; ++y)
        bright[y] = 3;
    LuminanceGains highest{};
    highest.fill(255u << 16); // every sample is held back by its brightest channel
    QTest::addRow("dark window") << equalisationGains(dark);
    QTest::addRow("bright window") << equalisationGains(bright);
    QTest::addRow("highest gains") << highest;
}

void TestNormalisation::longRunsEqualSingleSamples()
{
    // A long run goes eight samples at a time where the processor allows; each sample must come
    // out as it does alone. Every colour once, in one run.
    QFETCH(LuminanceGains, gains);
    constexpr int colours = 1 << 24;
    QByteArray run(3 * colours, 0);
    for (int i = 0; i < colours; ++i) {
        run[3 * i] = char(i >> 16);
        run[3 * i + 1] = char(i >> 8);
        run[3 * i + 2] = char(i);
    }
    QByteArray together = run;
    applyLuminanceGains(gains, data(together), data(together), colours);
    int differ = 0;
    int first = -1;
    for (int i = 0; i < colours; ++i) {
        uchar alone[3] = {uchar(run[3 * i]), uchar(run[3 * i + 1]), uchar(run[3 * i + 2])};
        applyLuminanceGains(gains, alone, alone, 1);
        if (std::memcmp(alone, together.constData() + 3 * i, 3) != 0 && differ++ == 0)
            first = i;
    }
    QVERIFY2(differ == 0, qPrintable(QStringLiteral("%1 colours differ, the first %2")
                                         .arg(differ)
                                         .arg(first, 6, 16, QLatin1Char('0'))));
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
