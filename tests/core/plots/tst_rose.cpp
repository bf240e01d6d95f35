// KIVO Log Viewer
#include "plots/rose.h"

#include <QtTest>

using namespace kivo;

namespace {

PlotPick dipping(double dipAzimuth, bool oriented = true)
{
    PlotPick pick;
    pick.oriented = oriented;
    pick.dip = 40.0;
    pick.dipAzimuth = dipAzimuth;
    return pick;
}

using Counts = QMap<int, int>; // bin -> count, the other bins empty

} // namespace

class TestRose : public QObject {
    Q_OBJECT

private slots:
    void binCounts_data();
    void binCounts();
    void binWidths_data();
    void binWidths();
};

void TestRose::binCounts_data()
{
    QTest::addColumn<QList<double>>("dipAzimuths");
    QTest::addColumn<bool>("strikes");
    QTest::addColumn<double>("width");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<int>("total");
    // Strike = dip azimuth - 90, counted in its bin and the opposite one.
    QTest::newRow("strike north") << QList<double>{90.0} << true << 10.0 << Counts{{0, 1}, {18, 1}}
                                  << 1;
    QTest::newRow("opposite strikes are one")
        << QList<double>{100.0, 280.0} << true << 10.0 << Counts{{1, 2}, {19, 2}} << 2;
    QTest::newRow("strike 355 is 175")
        << QList<double>{85.0} << true << 10.0 << Counts{{17, 1}, {35, 1}} << 1;
    QTest::newRow("bin edges belong to the bin above")
        << QList<double>{120.0, 119.99} << true << 30.0 << Counts{{0, 1}, {1, 1}, {6, 1}, {7, 1}}
        << 2;
    QTest::newRow("dip azimuths, one way") << QList<double>{0.0, 359.9, 45.0, 45.5} << false << 10.0
                                           << Counts{{0, 1}, {35, 1}, {4, 2}} << 4;
    QTest::newRow("dip azimuths in 90-degree bins")
        << QList<double>{10.0, 100.0, 190.0, 280.0, 350.0} << false << 90.0
        << Counts{{0, 1}, {1, 1}, {2, 1}, {3, 2}} << 5;
}

void TestRose::binCounts()
{
    QFETCH(QList<double>, dipAzimuths);
    QFETCH(bool, strikes);
    QFETCH(double, width);
    QFETCH(Counts, counts);
    QFETCH(int, total);
    std::vector<PlotPick> picks;
    for (double azimuth : dipAzimuths)
        picks.push_back(dipping(azimuth));
    // Picks without a true azimuth are left out.
    picks.push_back(dipping(90.0, false));
    PlotPick level = dipping(0.0);
    level.dipAzimuth.reset();
    picks.push_back(level);
    const RoseBins rose =
        roseBins(picks, strikes ? RoseMode::Strikes : RoseMode::DipAzimuths, width);
    QCOMPARE(rose.counts.size(), size_t(360.0 / width));
    QCOMPARE(rose.total, total);
    for (int bin = 0; bin < int(rose.counts.size()); ++bin)
        QVERIFY2(
            rose.counts[size_t(bin)] == counts.value(bin, 0),
            qPrintable(QStringLiteral("bin %1 holds %2").arg(bin).arg(rose.counts[size_t(bin)])));
}

void TestRose::binWidths_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<bool>("strikes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("10") << 10.0 << true << true;
    QTest::newRow("7 does not divide 180") << 7.0 << true << false;
    QTest::newRow("24 divides 360 but not 180") << 24.0 << true << false;
    QTest::newRow("24 for dip azimuths") << 24.0 << false << true;
    QTest::newRow("zero") << 0.0 << true << false;
    QTest::newRow("not a number") << std::nan("") << false << false;
}

void TestRose::binWidths()
{
    QFETCH(double, width);
    QFETCH(bool, strikes);
    QFETCH(bool, valid);
    QCOMPARE(roseBinWidthValid(width, strikes ? RoseMode::Strikes : RoseMode::DipAzimuths), valid);
}

QTEST_GUILESS_MAIN(TestRose)
#include "tst_rose.moc"
