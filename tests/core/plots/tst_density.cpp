// KIVO Log Viewer
#include "plots/contours.h"
#include "plots/density.h"
#include "plots/fisher.h"

#include <QtTest>

#include <cmath>

using namespace kivo;

namespace {

PlotPick plane(double dip, double dipAzimuth, std::optional<double> holeDeviation = 0.0,
               double holeAzimuth = 0.0)
{
    PlotPick pick;
    pick.oriented = true;
    pick.dip = dip;
    pick.dipAzimuth = dipAzimuth;
    pick.holeDeviation = holeDeviation;
    pick.holeAzimuth = holeAzimuth;
    return pick;
}

// 27 poles in a vertical hole: 9 level planes (poles at the centre) and 18 vertical planes
// dipping east (poles horizontal toward the west), 90 degrees from the first.
std::vector<PlotPick> twoClusters()
{
    std::vector<PlotPick> picks(9, plane(0.0, 0.0));
    picks.insert(picks.end(), 18, plane(90.0, 90.0));
    return picks;
}

constexpr Direction Down = {0.0, 0.0, -1.0};
constexpr Direction East = {1.0, 0.0, 0.0};

} // namespace

class TestDensity : public QObject {
    Q_OBJECT

private slots:
    void kambCountsAClusterInSigma_data();
    void kambCountsAClusterInSigma();
    void gridPeaksOnTheCluster();
    void contoursCircleThePeak();
    void terzaghiWeight_data();
    void terzaghiWeight();
    void meanPoleAndFisherK();
};

void TestDensity::kambCountsAClusterInSigma_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("weighted");
    QTest::addColumn<bool>("atCentre");
    QTest::addColumn<double>("density");
    // N = 27: A = 9 / 36 = 0.25, sigma = sqrt(27 * 0.25 * 0.75) = 2.25; the cone is 41.4
    // degrees, so neither cluster reaches the other.
    QTest::newRow("9 at the centre") << int(DensityMethod::Kamb) << false << true << 4.0;
    // The horizontal poles count at both ends: east finds the west-pointing ones.
    QTest::newRow("18 on the primitive") << int(DensityMethod::Kamb) << false << false << 8.0;
    // Weights 1 and 10 (vertical planes along a vertical hole), scaled to sum 27:
    // 9 * 27 / 189 at the centre.
    QTest::newRow("weighted, the centre")
        << int(DensityMethod::Kamb) << true << true << 9.0 / 7.0 / 2.25;
    QTest::newRow("1 % circle, in percent")
        << int(DensityMethod::OnePercent) << false << true << 100.0 / 3.0;
}

void TestDensity::kambCountsAClusterInSigma()
{
    QFETCH(int, method);
    QFETCH(bool, weighted);
    QFETCH(bool, atCentre);
    QFETCH(double, density);
    const double value =
        poleDensityAt(twoClusters(), atCentre ? Down : East, DensityMethod(method), weighted);
    // The weights are summed in floats.
    QVERIFY2(std::abs(value - density) < 1e-6, qPrintable(QString::number(value)));
}

void TestDensity::gridPeaksOnTheCluster()
{
    std::vector<PlotPick> picks(9, plane(0.0, 0.0));
    picks.insert(picks.end(), 18, plane(60.0, 200.0));
    const DensityGrid grid = poleDensity(picks, DensityMethod::Kamb, false, 61);
    QCOMPARE(grid.values.size(), size_t(61 * 61));
    QCOMPARE(grid.interval, 2.0);
    // The centre node is the net's centre.
    QCOMPARE(grid.at(30, 30), 4.0);
    // The second cluster's poles plunge 30 toward 020: r = sqrt(2) sin 30 = 0.707.
    const double r = std::sqrt(0.5);
    const double peak = poleDensityAt(picks, directionOf({20.0, 30.0}), DensityMethod::Kamb, false);
    QCOMPARE(peak, 8.0);
    const double step = 2.0 / 60.0;
    const int column = int(std::lround((1.0 + r * std::sin(qDegreesToRadians(20.0))) / step));
    const int row = int(std::lround((1.0 - r * std::cos(qDegreesToRadians(20.0))) / step));
    QCOMPARE(grid.at(column, row), 8.0);
    // Far from both clusters, nothing.
    QCOMPARE(grid.at(58, 30), 0.0);
}

void TestDensity::contoursCircleThePeak()
{
    const std::vector<PlotPick> picks(20, plane(0.0, 0.0));
    const DensityGrid grid = poleDensity(picks, DensityMethod::Kamb, false, 41);
    // 20 poles: A = 9 / 29, sigma = 2.068, the peak 9.67 sigma: contours at 2, 4, 6 and 8.
    const std::vector<ContourLevel> levels = contourLines(grid);
    QCOMPARE(levels.size(), size_t(4));
    // Every line lies where the cone reaches, inside its angle from the vertical (46.4
    // degrees: r = sqrt(2) sin 23.2 = 0.557), plus a cell's diagonal.
    const double reach = std::sqrt(2.0) * std::sin(std::acos(1.0 - 9.0 / 29.0) / 2.0) + 0.08;
    for (const ContourLevel &level : levels) {
        QVERIFY(!level.segments.empty());
        for (const auto &[a, b] : level.segments)
            QVERIFY(std::hypot(a.x, a.y) < reach && std::hypot(b.x, b.y) < reach);
    }
}

void TestDensity::terzaghiWeight_data()
{
    QTest::addColumn<double>("dip");
    QTest::addColumn<double>("dipAzimuth");
    QTest::addColumn<double>("holeDeviation"); // -1: unknown
    QTest::addColumn<double>("holeAzimuth");
    QTest::addColumn<double>("weight");
    QTest::newRow("level plane, vertical hole") << 0.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("60 degrees: sin 30") << 60.0 << 45.0 << 0.0 << 0.0 << 2.0;
    QTest::newRow("along the hole: held at ten") << 90.0 << 10.0 << 0.0 << 0.0 << 10.0;
    QTest::newRow("nearly along: held") << 85.0 << 10.0 << 0.0 << 0.0 << 10.0;
    // A hole 30 degrees toward north across a plane dipping 30 toward south meets it square.
    QTest::newRow("inclined hole square to the plane") << 30.0 << 180.0 << 30.0 << 0.0 << 1.0;
    // The same hole along a plane dipping 60 toward north.
    QTest::newRow("inclined hole along the plane") << 60.0 << 0.0 << 30.0 << 0.0 << 10.0;
    QTest::newRow("unknown hole") << 60.0 << 0.0 << -1.0 << 0.0 << 1.0;
}

void TestDensity::terzaghiWeight()
{
    QFETCH(double, dip);
    QFETCH(double, dipAzimuth);
    QFETCH(double, holeDeviation);
    QFETCH(double, holeAzimuth);
    QFETCH(double, weight);
    const PlotPick pick =
        plane(dip, dipAzimuth, holeDeviation < 0.0 ? std::nullopt : std::optional(holeDeviation),
              holeAzimuth);
    QVERIFY2(std::abs(kivo::terzaghiWeight(pick) - weight) < 1e-9,
             qPrintable(QString::number(kivo::terzaghiWeight(pick))));
}

void TestDensity::meanPoleAndFisherK()
{
    // Two poles 10 degrees either side of a pole plunging 45 toward north: the mean is that
    // pole; R = 2 cos 10, K = 1 / (2 - 2 cos 10).
    const std::vector<PlotPick> pair = {plane(45.0 - 10.0, 180.0), plane(45.0 + 10.0, 180.0)};
    const auto mean = meanPole(pair);
    QVERIFY(mean);
    QCOMPARE(mean->count, 2);
    QVERIFY(std::abs(mean->dip - 45.0) < 1e-9);
    QVERIFY(std::abs(mean->dipAzimuth - 180.0) < 1e-9);
    QVERIFY(mean->fisherK);
    const double r = 2.0 * std::cos(qDegreesToRadians(10.0));
    QVERIFY(std::abs(*mean->fisherK - 1.0 / (2.0 - r)) < 1e-6);
    // Poles near the horizontal, either side of the primitive, are one family: the mean of
    // vertical planes dipping 85 toward 090 and 85 toward 270 is vertical.
    const auto steep = meanPole({plane(85.0, 90.0), plane(85.0, 270.0)});
    QVERIFY(std::abs(steep->dip - 90.0) < 1e-9);
    QVERIFY(std::abs(std::fmod(steep->dipAzimuth, 180.0) - 90.0) < 1e-9);
    // One pole has no spread to measure; nothing oriented, no mean.
    QVERIFY(!meanPole({plane(30.0, 10.0)})->fisherK);
    PlotPick apparent = plane(30.0, 10.0);
    apparent.oriented = false;
    QVERIFY(!meanPole({apparent}));
}

QTEST_GUILESS_MAIN(TestDensity)
#include "tst_density.moc"
