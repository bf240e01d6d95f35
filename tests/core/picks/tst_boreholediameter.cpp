// KIVO Log Viewer
#include "picks/boreholediameter.h"

#include <QtTest>

using namespace kivo;

class TestBoreholeDiameter : public QObject {
    Q_OBJECT

private slots:
    void bitSizeOfTheRunHoldingTheDepth_data();
    void bitSizeOfTheRunHoldingTheDepth();
};

void TestBoreholeDiameter::bitSizeOfTheRunHoldingTheDepth_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<bool>("run3Used"); // run 3 in use but without a bit size
    QTest::addColumn<double>("size");   // 0: none
    QTest::newRow("top end of run 1") << 0.0 << false << 150.0;
    QTest::newRow("shared end: the first run") << 50.0 << false << 150.0;
    QTest::newRow("just past it: run 2") << 50.001 << false << 96.0;
    QTest::newRow("run 2 given bottom first, its far end") << 120.0 << false << 96.0;
    QTest::newRow("beyond: run 3 is not used") << 120.5 << false << 0.0;
    QTest::newRow("run without a bit size is passed over") << 130.0 << true << 0.0;
    QTest::newRow("above every run") << -0.5 << false << 0.0;
}

void TestBoreholeDiameter::bitSizeOfTheRunHoldingTheDepth()
{
    QFETCH(double, depth);
    QFETCH(bool, run3Used);
    QFETCH(double, size);
    uniheader header;
    header.Runs[1].RunNo = 1;
    header.Runs[1].BitRec = 150;
    header.Runs[1].BitRecFrom = 0;
    header.Runs[1].BitRecTo = 50;
    header.Runs[2].RunNo = 7;
    header.Runs[2].BitRec = 96;
    header.Runs[2].BitRecFrom = 120;
    header.Runs[2].BitRecTo = 50;
    header.Runs[3].RunNo = 0; // covers everything, but is not a run
    header.Runs[3].BitRec = 76;
    header.Runs[3].BitRecFrom = -100;
    header.Runs[3].BitRecTo = 500;
    if (run3Used) {
        header.Runs[3].RunNo = 3;
        header.Runs[3].BitRec = 0;
    }
    const std::optional<double> bit = bitSizeAt(header, depth);
    QCOMPARE(bit.value_or(0.0), size);
}

QTEST_GUILESS_MAIN(TestBoreholeDiameter)
#include "tst_boreholediameter.moc"
