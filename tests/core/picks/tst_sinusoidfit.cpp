// KIVO Log Viewer
#include "kivoerror.h"
#include "picks/sinusoidfit.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

using namespace kivo;

Q_DECLARE_METATYPE(QList<PickPoint>)

namespace {

constexpr double Pi = 3.14159265358979323846;

// Points of the trace depth + amplitude · cos(φ − trough), written out by hand.
QList<PickPoint> onTrace(double depth, double amplitude, double trough,
                         const QList<double> &azimuths)
{
    QList<PickPoint> points;
    for (double phi : azimuths)
        points.append({depth + amplitude * std::cos((phi - trough) * Pi / 180.0), phi});
    return points;
}

} // namespace

class TestSinusoidFit : public QObject {
    Q_OBJECT

private slots:
    void columnAzimuthIsTheColumnCentre();
    void exactPointsGiveTheirTrace_data();
    void exactPointsGiveTheirTrace();
    void noisyPointsFitWithinTheNoise();
    void refusals_data();
    void refusals();
};

void TestSinusoidFit::columnAzimuthIsTheColumnCentre()
{
    QCOMPARE(columnAzimuth(0), 0.25);
    QCOMPARE(columnAzimuth(180), 90.25);
    QCOMPARE(columnAzimuth(719), 359.75);
    QCOMPARE(azimuthColumn(90.25), 180.0);
    // The trace's deepest point is at its trough, its shallowest opposite.
    const Sinusoid s{12.0, 0.05, 300.0};
    QCOMPARE(s.depthAt(300.0), 12.05);
    QCOMPARE(s.depthAt(120.0), 11.95);
    QVERIFY(std::abs(s.depthAt(30.0) - 12.0) < 1e-12);
}

void TestSinusoidFit::exactPointsGiveTheirTrace_data()
{
    QTest::addColumn<QList<PickPoint>>("points");
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("trough");
    QTest::newRow("three points") << onTrace(10.0, 0.05, 90.0, {0, 90, 180}) << 10.0 << 0.05
                                  << 90.0;
    QTest::newRow("deep, small, trough near 360")
        << onTrace(1523.417, 0.0123, 359.5, {10, 100, 200, 300}) << 1523.417 << 0.0123 << 359.5;
    QTest::newRow("bunched on one side")
        << onTrace(50.0, 0.2, 45.0, {30, 40, 60}) << 50.0 << 0.2 << 45.0;
    QTest::newRow("azimuths past 360 and negative")
        << onTrace(7.0, 0.1, 200.0, {-90, 370, 540}) << 7.0 << 0.1 << 200.0;
    QTest::newRow("level trace") << onTrace(3.0, 0.0, 0.0, {0, 120, 240}) << 3.0 << 0.0 << 0.0;
}

void TestSinusoidFit::exactPointsGiveTheirTrace()
{
    QFETCH(QList<PickPoint>, points);
    QFETCH(double, depth);
    QFETCH(double, amplitude);
    QFETCH(double, trough);
    const SinusoidFit fit = fitSinusoid(points);
    QVERIFY2(std::abs(fit.sinusoid.depth - depth) < 1e-9,
             qPrintable(QString::number(fit.sinusoid.depth, 'f', 12)));
    QVERIFY(std::abs(fit.sinusoid.amplitude - amplitude) < 1e-9);
    if (amplitude > 0.0)
        QVERIFY2(std::abs(fit.sinusoid.troughAzimuth - trough) < 1e-6,
                 qPrintable(QString::number(fit.sinusoid.troughAzimuth)));
    QVERIFY(fit.residual < 1e-9);
}

void TestSinusoidFit::noisyPointsFitWithinTheNoise()
{
    // 72 points around the hole with depth noise of ±2 mm on a 40 mm trace.
    QRandomGenerator random(7);
    QList<PickPoint> points;
    double squares = 0.0;
    for (int i = 0; i < 72; ++i) {
        const double phi = i * 5.0;
        const double noise = (random.generateDouble() - 0.5) * 0.004;
        squares += noise * noise;
        points.append({25.0 + 0.04 * std::cos((phi - 130.0) * Pi / 180.0) + noise, phi});
    }
    const SinusoidFit fit = fitSinusoid(points);
    QVERIFY(std::abs(fit.sinusoid.depth - 25.0) < 0.001);
    QVERIFY(std::abs(fit.sinusoid.amplitude - 0.04) < 0.001);
    QVERIFY(std::abs(fit.sinusoid.troughAzimuth - 130.0) < 2.0);
    // Least squares leaves less than the noise, but not far less with three parameters of 72.
    const double noiseRms = std::sqrt(squares / 72);
    QVERIFY(fit.residual <= noiseRms);
    QVERIFY(fit.residual > 0.9 * noiseRms);
}

void TestSinusoidFit::refusals_data()
{
    QTest::addColumn<QList<PickPoint>>("points");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << QList<PickPoint>{} << "at least three points, not 0";
    QTest::newRow("two") << QList<PickPoint>{{1, 0}, {1.1, 90}} << "at least three points, not 2";
    QTest::newRow("two azimuths") << QList<PickPoint>{{1, 0}, {1.1, 90}, {1.2, 90}, {1.3, 0}}
                                  << "three different azimuths";
    QTest::newRow("same azimuth a turn apart")
        << QList<PickPoint>{{1, 10}, {1.1, 370}, {1.2, 90}} << "three different azimuths";
    QTest::newRow("not a number") << QList<PickPoint>{{1, 0}, {std::nan(""), 90}, {1.2, 180}}
                                  << "must be numbers";
    QTest::newRow("azimuths a few billionths of a degree apart")
        << QList<PickPoint>{{1, 0}, {1.1, 1.5e-9}, {1.2, 3e-9}} << "no trace fits";
    QTest::newRow("depths at both ends of the doubles")
        << QList<PickPoint>{{1.7e308, 0}, {-1.7e308, 120}, {1.7e308, 240}} << "no trace fits";
}

void TestSinusoidFit::refusals()
{
    QFETCH(QList<PickPoint>, points);
    QFETCH(QString, message);
    try {
        fitSinusoid(points);
        QFAIL("no refusal");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().contains(message), qPrintable(error.text()));
    }
}

QTEST_GUILESS_MAIN(TestSinusoidFit)
#include "tst_sinusoidfit.moc"
