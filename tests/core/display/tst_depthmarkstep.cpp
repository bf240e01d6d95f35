// KIVO Log Viewer
#include "display/depthmarkstep.h"

#include <QtTest>

using namespace kivo;

class TestDepthMarkStep : public QObject {
    Q_OBJECT

private slots:
    void step_data();
    void step();
};

void TestDepthMarkStep::step_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<double>("spacing"); // thousandths between records
    QTest::addColumn<int>("labelRows");
    QTest::addColumn<int>("step");
    // Zoom 1 marks every tenth, however close the labels come.
    QTest::newRow("1:1, 1 cm records") << 1 << 10.0 << 12 << 100;
    QTest::newRow("1:1, 0.2 unit records") << 1 << 200.0 << 12 << 100;
    // 1 mm records: tenths stand 100 / zoom rows apart; they must stand 12 apart.
    QTest::newRow("1:2, 1 mm") << 2 << 1.0 << 12 << 100;   // 50 rows
    QTest::newRow("1:8, 1 mm") << 8 << 1.0 << 12 << 100;   // 12.5 rows
    QTest::newRow("1:16, 1 mm") << 16 << 1.0 << 12 << 200; // 6.25 rows for tenths
    // 5 mm records at 1:4: 20 thousandths a row, 0.24 needed for 12 rows, so 0.5.
    QTest::newRow("1:4, 5 mm") << 4 << 5.0 << 12 << 500;
    // 1 cm records at 1:16: tenths stood 10 rows apart at 1:1, the most asked; 1.6 needed.
    QTest::newRow("1:16, 1 cm") << 16 << 10.0 << 12 << 2000;
    QTest::newRow("1:16, 1 cm, depths falling") << 16 << -10.0 << 12 << 2000;
    // Records 0.2 apart: tenths were half a row apart at 1:1; at 1:2 that needs 0.2.
    QTest::newRow("1:2, 0.2 unit records") << 2 << 200.0 << 12 << 200;
    QTest::newRow("1:16, 1 unit records") << 16 << 1000.0 << 12 << 2000;
    QTest::newRow("no spacing known") << 16 << 0.0 << 12 << 100;
}

void TestDepthMarkStep::step()
{
    QFETCH(int, zoom);
    QFETCH(double, spacing);
    QFETCH(int, labelRows);
    QFETCH(int, step);
    QCOMPARE(depthMarkStep(zoom, spacing, labelRows), step);
}

QTEST_GUILESS_MAIN(TestDepthMarkStep)
#include "tst_depthmarkstep.moc"
