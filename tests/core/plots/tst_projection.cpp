// KIVO Log Viewer
#include "plots/projection.h"

#include <QtTest>

#include <cmath>

using namespace kivo;

namespace {

double dot(const Direction &a, const Direction &b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

} // namespace

class TestProjection : public QObject {
    Q_OBJECT

private slots:
    void poleOnTheNet_data();
    void poleOnTheNet();
    void upwardLinesPlotAtTheirLowerEnd();
    void greatCircleLiesInThePlane_data();
    void greatCircleLiesInThePlane();
    void pointsOutsideTheNetShowNothing();
};

void TestProjection::poleOnTheNet_data()
{
    QTest::addColumn<double>("dip");
    QTest::addColumn<double>("dipAzimuth");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    // r = sqrt(2) * sin((90 - plunge) / 2) along the pole's trend, dip azimuth + 180.
    const double r45 = std::sin(qDegreesToRadians(22.5)) * std::sqrt(2.0); // 0.5412
    const double r30 = std::sin(qDegreesToRadians(15.0)) * std::sqrt(2.0); // 0.3660
    QTest::newRow("horizontal plane: the centre") << 0.0 << 123.0 << 0.0 << 0.0;
    QTest::newRow("vertical, dipping east: west on the primitive") << 90.0 << 90.0 << -1.0 << 0.0;
    QTest::newRow("vertical, dipping north: south") << 90.0 << 0.0 << 0.0 << -1.0;
    QTest::newRow("45 toward south: pole north") << 45.0 << 180.0 << 0.0 << r45;
    QTest::newRow("45 toward west: pole east") << 45.0 << 270.0 << r45 << 0.0;
    QTest::newRow("45 toward north-east") << 45.0 << 45.0 << -r45 * M_SQRT1_2 << -r45 * M_SQRT1_2;
    QTest::newRow("30 toward south-east: pole north-west")
        << 30.0 << 135.0 << -r30 * M_SQRT1_2 << r30 * M_SQRT1_2;
}

void TestProjection::poleOnTheNet()
{
    QFETCH(double, dip);
    QFETCH(double, dipAzimuth);
    QFETCH(double, x);
    QFETCH(double, y);
    const NetPoint p = projectLine(poleOf(dip, dipAzimuth));
    QVERIFY2(std::abs(p.x - x) < 1e-9 && std::abs(p.y - y) < 1e-9,
             qPrintable(QStringLiteral("(%1, %2) for (%3, %4)").arg(p.x).arg(p.y).arg(x).arg(y)));
    // The point shows the pole's direction again.
    const auto back = unprojectPoint(p);
    QVERIFY(back);
    QVERIFY(std::abs(std::abs(dot(*back, directionOf(poleOf(dip, dipAzimuth)))) - 1.0) < 1e-9);
}

void TestProjection::upwardLinesPlotAtTheirLowerEnd()
{
    const NetPoint up = projectLine({30.0, -40.0});
    const NetPoint down = projectLine({210.0, 40.0});
    QVERIFY(std::abs(up.x - down.x) < 1e-12 && std::abs(up.y - down.y) < 1e-12);
    const Line line = lineOf({0.0, 0.0, 1.0});
    QCOMPARE(line.plunge, 90.0);
}

void TestProjection::greatCircleLiesInThePlane_data()
{
    QTest::addColumn<double>("dip");
    QTest::addColumn<double>("dipAzimuth");
    QTest::newRow("level") << 0.0 << 0.0;
    QTest::newRow("30 toward 100") << 30.0 << 100.0;
    QTest::newRow("75 toward 300") << 75.0 << 300.0;
    QTest::newRow("vertical toward east") << 90.0 << 90.0;
}

void TestProjection::greatCircleLiesInThePlane()
{
    QFETCH(double, dip);
    QFETCH(double, dipAzimuth);
    const std::vector<NetPoint> points = greatCircle(dip, dipAzimuth, 36);
    QCOMPARE(points.size(), size_t(37));
    const Direction pole = directionOf(poleOf(dip, dipAzimuth));
    for (const NetPoint &p : points) {
        const auto d = unprojectPoint(p);
        QVERIFY(d);
        QVERIFY2(std::abs(dot(*d, pole)) < 1e-9, "a point of the trace off the plane");
    }
    // It runs from strike to strike: both ends on the primitive, opposite each other.
    const double strike = qDegreesToRadians(dipAzimuth - 90.0);
    QVERIFY(std::abs(points.front().x - std::sin(strike)) < 1e-9);
    QVERIFY(std::abs(points.front().y - std::cos(strike)) < 1e-9);
    QVERIFY(std::abs(points.back().x + std::sin(strike)) < 1e-9);
    QVERIFY(std::abs(points.back().y + std::cos(strike)) < 1e-9);
    // Half way, the dip line: r for a plunge of dip.
    const NetPoint middle = points[18];
    QVERIFY(std::abs(std::hypot(middle.x, middle.y) -
                     std::sqrt(2.0) * std::sin(qDegreesToRadians(90.0 - dip) / 2.0)) < 1e-9);
}

void TestProjection::pointsOutsideTheNetShowNothing()
{
    QVERIFY(!unprojectPoint({0.8, 0.8}));
    QVERIFY(!unprojectPoint({std::nan(""), 0.0}));
    QVERIFY(unprojectPoint({1.0, 0.0}));
}

QTEST_GUILESS_MAIN(TestProjection)
#include "tst_projection.moc"
