// KIVO Log Viewer
#include "picks/traceoverlay.h"

#include <QPainter>
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
    void tallTraceMatchesPlainDrawing();
    void framesMatchFreshDrawings_data();
    void framesMatchFreshDrawings();
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

// The traces drawn the plain way, one pixel at a time: each column at its row, joined by a
// vertical run to the column before, a dashed trace drawn 8 columns in 14, pixels kept to the
// frame and to the rows with a record. On an even view the row is the trace depth's rounded
// plus the column's rounded offset from it; on an uneven one the row of the column's depth,
// rounded, and a column off the rows in view is neither drawn nor joined.
QRect plainTraces(QImage &frame, int imageLeft, const RowDepthMap &rows,
                  const std::vector<TraceStyle> &traces)
{
    const auto round = [](double x) {
        return std::floor(x + 0.5);
    };
    QRect drawn;
    for (const TraceStyle &style : traces) {
        const Sinusoid &t = style.trace;
        int previous = -1; // the row of the column before; -1: not in view
        for (int j = 0; j < 720; ++j) {
            const double phi = columnAzimuth(j) * M_PI / 180.0;
            const double offset = t.a() * std::cos(phi) + t.b() * std::sin(phi);
            int y = 0;
            if (rows.even()) {
                y = int(round((t.depth - rows.origin()) * rows.rowsPerDepth()) +
                        round(offset * rows.rowsPerDepth()));
            } else {
                const std::optional<double> row = rows.rowOf(t.depth + offset);
                if (!row || !(*row >= -0.5 && *row < rows.rowCount() - 0.5)) {
                    previous = -1;
                    continue;
                }
                y = int(*row + 0.5);
            }
            const bool joined = rows.even() ? j > 0 : previous >= 0;
            if (!style.dashed || j % 14 < 8) {
                const int from = joined ? std::min(previous + 1, y) : y;
                const int to = (joined ? std::max(previous - 1, y) : y) + style.width - 1;
                for (int yy = from; yy <= to; ++yy) {
                    const QPoint at(imageLeft + j, yy);
                    if (frame.rect().contains(at) && yy >= rows.firstRow() &&
                        yy <= rows.lastRow()) {
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

// Flat, gentle and steep traces, in view and running off its top, its bottom or both, for a
// view whose shallowest row is at `top`.
std::vector<TraceStyle> sampleTraces(double top, int width, bool dashed)
{
    std::vector<TraceStyle> traces;
    const std::vector<Sinusoid> shapes{{top + 0.050, 0.030, 0.0},    {top + 0.010, 0.040, 90.0},
                                       {top + 0.095, 0.020, 200.0},  {top + 0.050, 0.300, 45.0},
                                       {top + 0.060, 0.0, 0.0},      {top, 0.001, 10.0},
                                       {top + 0.0495, 0.0125, 300.0}};
    for (size_t i = 0; i < shapes.size(); ++i)
        traces.push_back({shapes[i], QColor::fromHsv(int(i) * 50, 255, 255), width, dashed});
    return traces;
}

// 100 rows a millimetre apart from `top` down; uneven: every third a quarter further.
std::vector<std::optional<double>> viewRows(double top, bool uneven)
{
    std::vector<std::optional<double>> depths;
    for (int y = 0; y < 100; ++y)
        depths.push_back(top + (y + (uneven && y % 3 == 0) * 0.25) / 1000.0);
    return depths;
}

} // namespace

void TestTraceOverlay::tracesMatchPlainDrawing_data()
{
    QTest::addColumn<double>("step"); // depth from row to row; negative: bottom-up
    QTest::addColumn<bool>("uneven"); // every third row a quarter step further
    QTest::addColumn<int>("gapRow");  // a row without a record, or -1
    QTest::addColumn<int>("endRow");  // the rows from this one on without a record, or -1
    QTest::addColumn<int>("width");   // of every trace
    QTest::addColumn<bool>("dashed"); // every trace
    QTest::addColumn<int>("imageLeft");
    QTest::addColumn<QSize>("frame");
    const QSize usual(783, 100);
    QTest::newRow("even") << 0.001 << false << -1 << -1 << 1 << false << 63 << usual;
    QTest::newRow("bottom-up") << -0.001 << false << -1 << -1 << 1 << false << 63 << usual;
    QTest::newRow("uneven rows") << 0.001 << true << -1 << -1 << 1 << false << 63 << usual;
    QTest::newRow("a row without a record")
        << 0.001 << false << 40 << -1 << 1 << false << 63 << usual;
    QTest::newRow("bottom-up with a gap")
        << -0.001 << false << 70 << -1 << 1 << false << 63 << usual;
    QTest::newRow("past the log's end") << 0.001 << false << -1 << 60 << 1 << false << 63 << usual;
    QTest::newRow("bottom-up, past the end")
        << -0.001 << false << -1 << 30 << 2 << true << 63 << usual;
    QTest::newRow("selected") << 0.001 << false << -1 << -1 << 2 << false << 63 << usual;
    QTest::newRow("dashed") << 0.001 << false << -1 << -1 << 1 << true << 63 << usual;
    QTest::newRow("dashed, selected, gap")
        << 0.001 << false << 40 << -1 << 2 << true << 63 << usual;
    QTest::newRow("image off the left")
        << 0.001 << false << -1 << -1 << 1 << false << -100 << usual;
    QTest::newRow("narrow frame") << 0.001 << false << -1 << -1 << 2 << false << 63
                                  << QSize(400, 100);
    QTest::newRow("frame below the rows")
        << 0.001 << false << -1 << -1 << 2 << false << 0 << QSize(720, 130);
    QTest::newRow("frame short of the rows")
        << 0.001 << false << 40 << -1 << 2 << false << 63 << QSize(783, 70);
    QTest::newRow("even, frame short of the rows")
        << 0.001 << false << -1 << -1 << 1 << false << 63 << QSize(783, 70);
}

void TestTraceOverlay::tracesMatchPlainDrawing()
{
    QFETCH(double, step);
    QFETCH(bool, uneven);
    QFETCH(int, gapRow);
    QFETCH(int, endRow);
    QFETCH(int, width);
    QFETCH(bool, dashed);
    QFETCH(int, imageLeft);
    QFETCH(QSize, frame);
    std::vector<std::optional<double>> depths;
    for (int y = 0; y < 100; ++y) {
        const double depth =
            1.0 + (step > 0 ? y : y - 99) * step + (uneven && y % 3 == 0) * step / 4;
        const bool none = y == gapRow || (endRow >= 0 && y >= endRow);
        depths.push_back(none ? std::nullopt : std::optional<double>(depth));
    }
    const RowDepthMap map(depths);
    QCOMPARE(map.even(), !uneven && gapRow < 0);
    const double top = step > 0 ? 1.0 : 1.0 + 99 * step;
    const std::vector<TraceStyle> traces = sampleTraces(top, width, dashed);
    QImage fast(frame, QImage::Format_RGB32);
    fast.fill(Qt::darkGray);
    QImage plain = fast.copy();
    const QRect drawn = drawTraces(fast, imageLeft, map, traces);
    const QRect expected = plainTraces(plain, imageLeft, map, traces);
    QVERIFY(!expected.isEmpty());
    // The rows drawn in exactly (the window paints those again when the view moves).
    QCOMPARE(drawn.top(), expected.top());
    QCOMPARE(drawn.bottom(), expected.bottom());
    QVERIFY(drawn.contains(expected));
    QCOMPARE(fast, plain);
}

// A trace taller than the overlay keeps stores for is drawn column by column, the same.
void TestTraceOverlay::tallTraceMatchesPlainDrawing()
{
    std::vector<std::optional<double>> depths;
    for (int y = 0; y < 9000; ++y)
        depths.push_back(y / 1000.0);
    const RowDepthMap map(depths);
    const std::vector<TraceStyle> traces{{{4.5, 4.0, 30.0}, Qt::red, 2, false}};
    QImage fast(783, 9000, QImage::Format_RGB32);
    fast.fill(Qt::darkGray);
    QImage plain = fast.copy();
    const QRect drawn = drawTraces(fast, 63, map, traces);
    QCOMPARE(drawn, plainTraces(plain, 63, map, traces));
    QVERIFY(drawn.height() > 8000);
    QCOMPARE(fast, plain);
}

// One overlay drawing frame after frame, as the window does, keeps to the region it is given,
// draws each frame as a fresh drawing would and tells where the traces are outside the region,
// while the view scrolls, the traces change and the frame's row stride changes.
void TestTraceOverlay::framesMatchFreshDrawings_data()
{
    QTest::addColumn<QRegion>("clip");
    QTest::addColumn<bool>("uneven");
    const QList<QPair<const char *, QRegion>> clips = {
        {"whole frame", QRegion(0, 0, 783, 100)},
        {"a band of rows", QRegion(0, 40, 783, 25)},
        {"top and bottom bands", QRegion(0, 0, 783, 10) + QRegion(0, 90, 783, 10)},
        {"a window of the image", QRegion(200, 30, 300, 40)},
    };
    for (const bool uneven : {false, true})
        for (const auto &[row, clip] : clips)
            QTest::addRow("%s%s", row, uneven ? ", uneven rows" : "") << clip << uneven;
}

void TestTraceOverlay::framesMatchFreshDrawings()
{
    QFETCH(QRegion, clip);
    QFETCH(bool, uneven);
    TraceOverlay overlay;
    std::vector<TraceStyle> traces = sampleTraces(1.0, 1, false);
    // The view scrolled by one row, by 37, and back; a trace moved, another made steeper, one
    // dropped, the selected one wider; then a wider frame.
    const std::vector<double> tops{1.0, 1.001, 1.038, 1.0, 1.0, 1.0, 1.0, 1.0};
    for (size_t round = 0; round < tops.size(); ++round) {
        if (round == 4)
            traces[2].trace.depth += 0.0123;
        if (round == 5)
            traces[1].trace.amplitude *= 2;
        if (round == 6) {
            traces.erase(traces.begin() + 3);
            traces[0].width = 2;
        }
        const int frameWidth = round == 7 ? 900 : 783;
        const RowDepthMap map(viewRows(tops[round], uneven));
        QImage frame(frameWidth, 100, QImage::Format_RGB32);
        frame.fill(Qt::darkGray);
        QImage expected = frame.copy();
        const QRect covered = overlay.draw(frame, 63, map, traces, clip);
        const QRect whole = drawTraces(expected, 63, map, traces);
        QImage fresh = frame.copy();
        fresh.fill(Qt::darkGray);
        QPainter painter(&fresh);
        painter.setClipRegion(clip);
        painter.drawImage(0, 0, expected);
        painter.end();
        QCOMPARE(frame, fresh);
        // Where the traces are in the whole frame, also where the clip kept them out.
        QCOMPARE(covered.top(), whole.top());
        QCOMPARE(covered.bottom(), whole.bottom());
    }
}

QTEST_GUILESS_MAIN(TestTraceOverlay)
#include "tst_traceoverlay.moc"
