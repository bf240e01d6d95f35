// KIVO Log Viewer
#include "picks/truedip.h"

#include <QtTest>

#include <cmath>

using namespace kivo;

namespace {

constexpr double None = -1.0; // an undefined value in the tables

std::optional<double> given(double value)
{
    return value == None ? std::nullopt : std::optional<double>(value);
}

double orNone(const std::optional<double> &value)
{
    return value ? *value : None;
}

double azimuthGap(double a, double b)
{
    const double gap = std::fmod(std::abs(a - b), 360.0);
    return std::min(gap, 360.0 - gap);
}

} // namespace

class TestTrueDip : public QObject {
    Q_OBJECT

private slots:
    void apparentDipFromAmplitude_data();
    void apparentDipFromAmplitude();
    void trueDipOfWorkedCases_data();
    void trueDipOfWorkedCases();
};

void TestTrueDip::apparentDipFromAmplitude_data()
{
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<bool>("feet");
    QTest::addColumn<double>("dip");
    // Half the trace's height over the hole's radius is the tangent of the dip to the hole.
    QTest::newRow("metres, 48 mm over a 48 mm radius") << 0.048 << 96.0 << false << 45.0;
    QTest::newRow("feet, 3 in over a 3 in radius") << 0.25 << 6.0 << true << 45.0;
    QTest::newRow("feet read as metres is another dip") << 0.25 << 6.0 << false << 89.3125;
    QTest::newRow("tan 30 degrees") << 0.0277128 << 96.0 << false << 30.0;
    QTest::newRow("flat trace") << 0.0 << 96.0 << false << 0.0;
    QTest::newRow("no diameter") << 0.05 << 0.0 << false << None;
    QTest::newRow("amplitude not a number") << qQNaN() << 96.0 << false << None;
    QTest::newRow("infinite amplitude") << qInf() << 96.0 << false << None;
    QTest::newRow("infinite diameter") << 0.05 << qInf() << false << None;
    QTest::newRow("negative amplitude") << -5.3e-315 << 216.0 << false << None;
    QTest::newRow("tiny diameter: steep") << 0.05 << 1e-300 << false << 90.0;
}

void TestTrueDip::apparentDipFromAmplitude()
{
    QFETCH(double, amplitude);
    QFETCH(double, diameter);
    QFETCH(bool, feet);
    QFETCH(double, dip);
    const std::optional<double> result = apparentDip(amplitude, diameter, feet);
    QCOMPARE(result.has_value(), dip != None);
    if (result)
        QVERIFY2(std::abs(*result - dip) < 1e-3, qPrintable(QString::number(*result)));
}

void TestTrueDip::trueDipOfWorkedCases_data()
{
    QTest::addColumn<double>("apparent");
    QTest::addColumn<double>("trough");
    QTest::addColumn<double>("deviation");
    QTest::addColumn<double>("holeAzimuth");
    QTest::addColumn<int>("reference");
    QTest::addColumn<double>("dip");
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("tolerance");
    const int north = int(AzimuthReference::North);
    const int low = int(AzimuthReference::LowSide);
    // The published drill-core example: 70.0 toward 025.
    QTest::newRow("core example") << 30.0 << 320.0 << 45.0 << 225.0 << low << 70.0 << 25.0 << 0.05;
    QTest::newRow("vertical hole: true is apparent")
        << 30.0 << 100.0 << 0.0 << 0.0 << north << 30.0 << 100.0 << 1e-9;
    QTest::newRow("vertical hole, bearing ignored")
        << 30.0 << 100.0 << 0.0 << 270.0 << north << 30.0 << 100.0 << 1e-9;
    QTest::newRow("across a hole 20 east, low side")
        << 0.0 << 0.0 << 20.0 << 90.0 << low << 20.0 << 270.0 << 1e-9;
    QTest::newRow("across a hole 20 east, north")
        << 0.0 << 123.0 << 20.0 << 90.0 << north << 20.0 << 270.0 << 1e-9;
    // A hole 30 toward North, a trace as steep as that, deepest on the high side.
    QTest::newRow("level plane, low side")
        << 30.0 << 180.0 << 30.0 << 0.0 << low << 0.0 << None << 1e-6;
    QTest::newRow("level plane, north")
        << 30.0 << 0.0 << 30.0 << 0.0 << north << 0.0 << None << 1e-6;
    // Horizontal toward East, deepest at the bottom: the plane goes east as it goes down.
    QTest::newRow("horizontal hole, low side")
        << 45.0 << 0.0 << 90.0 << 90.0 << low << 45.0 << 90.0 << 1e-9;
    // Looking up the hole, clockwise runs North, West: the directions mirror.
    QTest::newRow("upward vertical hole, north")
        << 30.0 << 100.0 << 180.0 << 0.0 << north << 30.0 << 80.0 << 1e-9;
    QTest::newRow("vertical hole, low side: no azimuth")
        << 30.0 << 100.0 << 0.0 << 0.0 << low << 30.0 << None << 1e-9;
    QTest::newRow("upward vertical hole, low side: no azimuth")
        << 30.0 << 100.0 << 180.0 << 45.0 << low << 30.0 << None << 1e-9;
    QTest::newRow("horizontal hole toward North, north: none")
        << 30.0 << 100.0 << 90.0 << 0.0 << north << None << None << 0.0;
    QTest::newRow("horizontal hole toward South, north: none")
        << 30.0 << 100.0 << 90.0 << 180.0 << north << None << None << 0.0;
    QTest::newRow("no deviation (angle past 180)")
        << 30.0 << 100.0 << None << 0.0 << low << None << None << 0.0;
    QTest::newRow("deviation not a number")
        << 30.0 << 100.0 << qQNaN() << 0.0 << north << None << None << 0.0;
    QTest::newRow("infinite deviation")
        << 30.0 << 100.0 << qInf() << 0.0 << low << None << None << 0.0;
    QTest::newRow("hole azimuth not a number")
        << 30.0 << 100.0 << 20.0 << qQNaN() << north << None << None << 0.0;
    QTest::newRow("negative apparent dip, vertical hole, low side")
        << -1e-300 << 0.0 << 0.0 << 3.5e-310 << low << None << None << 0.0;
    QTest::newRow("apparent dip past 90")
        << 100.0 << 0.0 << 20.0 << 0.0 << north << None << None << 0.0;
    QTest::newRow("apparent dip not a number")
        << qQNaN() << 100.0 << 0.0 << 0.0 << low << None << None << 0.0;
    QTest::newRow("infinite trough azimuth")
        << 30.0 << -qInf() << 20.0 << 0.0 << north << None << None << 0.0;
    QTest::newRow("huge hole azimuth")
        << 30.0 << 100.0 << 0.0 << 1e300 << north << 30.0 << 100.0 << 1e-9;
}

void TestTrueDip::trueDipOfWorkedCases()
{
    QFETCH(double, apparent);
    QFETCH(double, trough);
    QFETCH(double, deviation);
    QFETCH(double, holeAzimuth);
    QFETCH(int, reference);
    QFETCH(double, dip);
    QFETCH(double, azimuth);
    QFETCH(double, tolerance);
    const TrueDip result =
        trueDip(apparent, trough, given(deviation), holeAzimuth, AzimuthReference(reference));
    const QString got =
        QStringLiteral("%1 toward %2").arg(orNone(result.dip)).arg(orNone(result.azimuth));
    QCOMPARE(result.dip.has_value(), dip != None);
    QCOMPARE(result.azimuth.has_value(), azimuth != None);
    if (result.dip)
        QVERIFY2(std::abs(*result.dip - dip) <= tolerance, qPrintable(got));
    if (result.azimuth) {
        QVERIFY2(azimuthGap(*result.azimuth, azimuth) <= tolerance, qPrintable(got));
        QVERIFY(*result.azimuth >= 0.0 && *result.azimuth < 360.0);
    }
}

QTEST_GUILESS_MAIN(TestTrueDip)
#include "tst_truedip.moc"
