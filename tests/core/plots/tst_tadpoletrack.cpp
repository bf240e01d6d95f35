// KIVO Log Viewer
#include "picks/typecolour.h"
#include "plots/plotfile.h"
#include "plots/tadpoletrack.h"

#include <QtTest>

#include <cmath>

using namespace kivo;

namespace {

constexpr QSize Size(300, 600);

bool inked(QRgb pixel)
{
    return qGray(pixel) < 190;
}

// The track's frame as the picture shows it: the outermost columns and rows inked along most
// of the picture (the frame, and the 30 and 60 degree lines between), a pixel's rounding wide.
QRect frameOf(const QImage &image)
{
    const auto columnInked = [&](int x) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += inked(image.pixel(x, y));
        return n > image.height() * 8 / 10;
    };
    const auto rowInked = [&](int y, int from, int to) {
        int n = 0;
        for (int x = from; x <= to; ++x)
            n += inked(image.pixel(x, y));
        return n > (to - from) * 9 / 10;
    };
    int left = 0;
    while (left < image.width() - 1 && !columnInked(left))
        ++left;
    int right = image.width() - 1;
    while (right > left && !columnInked(right))
        --right;
    int top = 0;
    while (top < image.height() - 1 && !rowInked(top, left, right))
        ++top;
    int bottom = image.height() - 1;
    while (bottom > top && !rowInked(bottom, left, right))
        --bottom;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

PlotPick pick(double depth, double dip, std::optional<double> azimuth, bool oriented,
              const QString &type)
{
    PlotPick p;
    p.id = 7;
    p.depth = depth;
    p.dip = dip;
    p.dipAzimuth = azimuth;
    p.oriented = oriented;
    p.type = type;
    return p;
}

QImage track(const std::vector<PlotPick> &picks)
{
    const TadpoleRange range{100.0, 200.0, QStringLiteral("m")};
    return plotImage(Size, [&](QPainter &painter, const QRectF &area) {
        drawTadpoleTrack(painter, area, picks, range);
    });
}

} // namespace

class TestTadpoleTrack : public QObject {
    Q_OBJECT

private slots:
    void headAndTail_data();
    void headAndTail();
    void clickFindsThePick();
};

void TestTadpoleTrack::headAndTail_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("dip");
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<bool>("oriented");
    // Each head and tail clear of the grid (every 10 degrees and 20 m here).
    QTest::newRow("45 toward east, half way down") << 150.0 << 45.0 << 90.0 << true;
    QTest::newRow("35 toward north") << 125.0 << 35.0 << 0.0 << true;
    QTest::newRow("65 toward south-west") << 175.0 << 65.0 << 225.0 << true;
    QTest::newRow("apparent only, toward west") << 130.0 << 22.0 << 270.0 << false;
}

void TestTadpoleTrack::headAndTail()
{
    QFETCH(double, depth);
    QFETCH(double, dip);
    QFETCH(double, azimuth);
    QFETCH(bool, oriented);
    const QImage image = track({pick(depth, dip, azimuth, oriented, "fault")});
    const QRect frame = frameOf(image);
    QVERIFY2(frame.width() > 150 && frame.height() > 500,
             qPrintable(QStringLiteral("frame %1x%2").arg(frame.width()).arg(frame.height())));
    // Depth 100 at the frame's top, 200 at its bottom; dip 0 at its left, 90 at its right. The
    // frame is found to a pixel, so each place is looked at with its neighbours.
    const QPointF head(frame.left() + dip / 90.0 * frame.width(),
                       frame.top() + (depth - 100.0) / 100.0 * frame.height());
    const auto around = [&](const QPointF &at) {
        QList<QRgb> pixels;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                pixels << image.pixel(int(std::floor(at.x())) + dx, int(std::floor(at.y())) + dy);
        return pixels;
    };
    const QRgb fill = oriented ? pickTypeColour("fault").rgb() : qRgb(255, 255, 255);
    QVERIFY2(around(head).contains(fill), "the head is not filled as it should be");
    // The tail runs 12 pixels from the head toward the azimuth, North up and East right: ink
    // along it past the head's rim, paper the other way and past its end.
    const double a = qDegreesToRadians(azimuth);
    const QPointF along(std::sin(a), -std::cos(a));
    const auto inkAt = [&](double distance) {
        const QList<QRgb> pixels = around(head + along * distance);
        return std::any_of(pixels.begin(), pixels.end(), [](QRgb p) { return qGray(p) < 150; });
    };
    const auto paperAt = [&](double distance) {
        const QList<QRgb> pixels = around(head + along * distance);
        return std::all_of(pixels.begin(), pixels.end(),
                           [](QRgb p) { return p == qRgb(255, 255, 255); });
    };
    QVERIFY2(inkAt(7.0) && inkAt(10.0), "no tail toward the azimuth");
    QVERIFY2(paperAt(-9.0), "ink on the side away from the azimuth");
    QVERIFY2(paperAt(16.0), "the tail runs on too far");
}

void TestTadpoleTrack::clickFindsThePick()
{
    const QRectF area(QPointF(0, 0), QSizeF(Size));
    const TadpoleRange range{100.0, 200.0, QStringLiteral("m")};
    PlotPick a = pick(120.0, 30.0, 90.0, true, "vein");
    PlotPick b = pick(180.0, 60.0, 90.0, true, "vein");
    b.id = 9;
    const TadpoleLayout layout(area, range);
    QCOMPARE(tadpoleAt(area, {a, b}, range, *layout.head(b) + QPointF(2, 2)), PickId(9));
    QCOMPARE(tadpoleAt(area, {a, b}, range, *layout.head(a)), PickId(7));
    QVERIFY(!tadpoleAt(area, {a, b}, range, *layout.head(a) + QPointF(0, 20)));
    // A pick outside the depths shown has no tadpole.
    QVERIFY(!layout.head(pick(250.0, 10.0, 0.0, true, "vein")));
}

QTEST_MAIN(TestTadpoleTrack)
#include "tst_tadpoletrack.moc"
