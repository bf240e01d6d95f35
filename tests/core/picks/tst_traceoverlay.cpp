// KIVO Log Viewer
#include "picks/traceoverlay.h"

#include <QtTest>

#include <cmath>

using namespace kivo;

class TestTraceOverlay : public QObject {
    Q_OBJECT

private slots:
    void rowOfDepth_data();
    void rowOfDepth();
    void traceRunsAcrossTheImageEdge();
    void tracesMatchPlainDrawing_data();
    void tracesMatchPlainDrawing();
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

namespace {

// The traces drawn the plain way, one pixel at a time from the trace formula: each column at
// the row of its depth, joined by a vertical run to the column before, a dashed trace drawn 8
// columns in 14; pixels off the frame are left out.
QRect plainTraces(QImage &frame, int imageLeft, const RowDepthMap &rows,
                  const std::vector<TraceStyle> &traces)
{
    QRect drawn;
    for (const TraceStyle &style : traces) {
        int previous = -1; // the row of the column before; -1: not in view
        for (int j = 0; j < 720; ++j) {
            const double phi = columnAzimuth(j) * M_PI / 180.0;
            const double depth = style.trace.depth + style.trace.a() * std::cos(phi) +
                                 style.trace.b() * std::sin(phi);
            const std::optional<double> row =
                rows.even() ? (depth - rows.origin()) * rows.rowsPerDepth() : rows.rowOf(depth);
            if (!row || !(*row >= -0.5 && *row < rows.rowCount() - 0.5)) {
                previous = -1;
                continue;
            }
            const int y = int(*row + 0.5);
            if (!style.dashed || j % 14 < 8) {
                const int from = previous >= 0 ? std::min(previous + 1, y) : y;
                const int to = (previous >= 0 ? std::max(previous - 1, y) : y) + style.width - 1;
                for (int yy = from; yy <= to; ++yy) {
                    const QPoint at(imageLeft + j, yy);
                    if (frame.rect().contains(at)) {
                        frame.setPixel(at, style.colour.rgb());
                        drawn |= QRect(at, QSize(1, 1));
                    }
                }
            }
            previous = y;
        }
    }
    return drawn;
}

} // namespace

void TestTraceOverlay::tracesMatchPlainDrawing_data()
{
    QTest::addColumn<double>("step"); // depth from row to row; negative: bottom-up
    QTest::addColumn<bool>("uneven"); // every third row a quarter step further
    QTest::addColumn<int>("gapRow");  // a row without a record, or -1
    QTest::addColumn<int>("width");   // of every trace
    QTest::addColumn<bool>("dashed"); // every trace
    QTest::addColumn<int>("imageLeft");
    QTest::addColumn<QSize>("frame");
    const QSize usual(783, 100);
    QTest::newRow("even") << 0.001 << false << -1 << 1 << false << 63 << usual;
    QTest::newRow("bottom-up") << -0.001 << false << -1 << 1 << false << 63 << usual;
    QTest::newRow("uneven rows") << 0.001 << true << -1 << 1 << false << 63 << usual;
    QTest::newRow("a row without a record") << 0.001 << false << 40 << 1 << false << 63 << usual;
    QTest::newRow("bottom-up with a gap") << -0.001 << false << 70 << 1 << false << 63 << usual;
    QTest::newRow("selected") << 0.001 << false << -1 << 2 << false << 63 << usual;
    QTest::newRow("dashed") << 0.001 << false << -1 << 1 << true << 63 << usual;
    QTest::newRow("dashed, selected, gap") << 0.001 << false << 40 << 2 << true << 63 << usual;
    QTest::newRow("image off the left") << 0.001 << false << -1 << 1 << false << -100 << usual;
    QTest::newRow("narrow frame") << 0.001 << false << -1 << 2 << false << 63 << QSize(400, 100);
    QTest::newRow("frame below the rows")
        << 0.001 << false << -1 << 2 << false << 0 << QSize(720, 130);
    QTest::newRow("frame short of the rows")
        << 0.001 << false << 40 << 2 << false << 63 << QSize(783, 70);
}

void TestTraceOverlay::tracesMatchPlainDrawing()
{
    QFETCH(double, step);
    QFETCH(bool, uneven);
    QFETCH(int, gapRow);
    QFETCH(int, width);
    QFETCH(bool, dashed);
    QFETCH(int, imageLeft);
    QFETCH(QSize, frame);
    std::vector<std::optional<double>> depths;
    for (int y = 0; y < 100; ++y) {
        const double depth =
            1.0 + (step > 0 ? y : y - 99) * step + (uneven && y % 3 == 0) * step / 4;
        depths.push_back(y == gapRow ? std::nullopt : std::optional<double>(depth));
    }
    const RowDepthMap map(depths);
    QCOMPARE(map.even(), !uneven && gapRow < 0);
    // Flat, gentle and steep traces, in view and running off its top, its bottom or both.
    const double top = step > 0 ? 1.0 : 1.0 + 99 * step;
    std::vector<TraceStyle> traces;
    const std::vector<Sinusoid> shapes{{top + 0.050, 0.030, 0.0},    {top + 0.010, 0.040, 90.0},
                                       {top + 0.095, 0.020, 200.0},  {top + 0.050, 0.300, 45.0},
                                       {top + 0.060, 0.0, 0.0},      {top, 0.001, 10.0},
                                       {top + 0.0495, 0.0125, 300.0}};
    for (size_t i = 0; i < shapes.size(); ++i)
        traces.push_back({shapes[i], QColor::fromHsv(int(i) * 50, 255, 255), width, dashed});
    QImage fast(frame, QImage::Format_RGB32);
    fast.fill(Qt::darkGray);
    QImage plain = fast.copy();
    const QRect drawn = drawTraces(fast, imageLeft, map, traces);
    QCOMPARE(drawn, plainTraces(plain, imageLeft, map, traces));
    QVERIFY(!drawn.isEmpty());
    QCOMPARE(fast, plain);
}

QTEST_GUILESS_MAIN(TestTraceOverlay)
#include "tst_traceoverlay.moc"
