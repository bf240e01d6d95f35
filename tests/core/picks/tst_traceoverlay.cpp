// KIVO Log Viewer
#include "picks/traceoverlay.h"

#include <QtTest>

using namespace kivo;

class TestTraceOverlay : public QObject {
    Q_OBJECT

private slots:
    void rowOfDepth_data();
    void rowOfDepth();
    void traceRunsAcrossTheImageEdge();
};

void TestTraceOverlay::rowOfDepth_data()
{
    QTest::addColumn<bool>("rising");
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("row"); // -1: not in view
    // Ten rows a millimetre apart from 5 m, row 4 without a record.
    QTest::newRow("on a row") << true << 5.002 << 2.0;
    QTest::newRow("between rows") << true << 5.0025 << 2.5;
    QTest::newRow("across the gap") << true << 5.0045 << 4.5;
    QTest::newRow("above the view") << true << 4.9 << -1.0;
    QTest::newRow("below the view") << true << 5.0095 << -1.0;
    QTest::newRow("bottom-up") << false << 5.002 << 7.0;
    QTest::newRow("bottom-up, between") << false << 5.0075 << 1.5;
}

void TestTraceOverlay::rowOfDepth()
{
    QFETCH(bool, rising);
    QFETCH(double, depth);
    QFETCH(double, row);
    std::vector<std::optional<double>> depths;
    for (int y = 0; y < 10; ++y)
        depths.push_back(y == 4 ? std::nullopt
                                : std::optional<double>(5.0 + (rising ? y : 9 - y) / 1000.0));
    const RowDepthMap map(depths);
    const auto found = map.rowOf(depth);
    QCOMPARE(found.has_value(), row >= 0);
    if (found)
        QVERIFY2(qAbs(*found - row) < 1e-9, qPrintable(QString::number(*found)));
}

// A trace whose deepest point is at 0 degrees is deepest at both edges of the image: the
// columns either side of the 0/360 edge are drawn on the same row, and nothing else is drawn
// off the trace.
void TestTraceOverlay::traceRunsAcrossTheImageEdge()
{
    std::vector<std::optional<double>> depths;
    for (int y = 0; y < 100; ++y)
        depths.push_back(1.0 + y / 1000.0);
    QImage frame(783, 100, QImage::Format_RGB32);
    frame.fill(Qt::black);
    const Sinusoid trace{1.050, 0.030, 0.0};
    drawTraces(frame, 63, RowDepthMap(depths), {{trace, Qt::red}});
    const QRgb red = QColor(Qt::red).rgb();
    QCOMPARE(frame.pixel(63, 80), red);
    QCOMPARE(frame.pixel(63 + 719, 80), red);
    QCOMPARE(frame.pixel(63 + 360, 20), red);               // the shallowest point, at 180 degrees
    QCOMPARE(frame.pixel(62, 80), QColor(Qt::black).rgb()); // the margin stays
    int drawn = 0;
    for (int y = 0; y < 100; ++y)
        drawn += frame.pixel(63 + 180, y) == red;
    QCOMPARE(drawn, 1); // at 90 degrees, one pixel on the centre row
    QCOMPARE(frame.pixel(63 + 180, 50), red);
}

QTEST_GUILESS_MAIN(TestTraceOverlay)
#include "tst_traceoverlay.moc"
