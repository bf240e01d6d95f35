// KIVO Log Viewer
#include "display/surface.h"
#include "pixelcompare.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(kivo::TRect)

using namespace kivo;
using kivo::test::fillPattern;
using kivo::test::firstDifference;

namespace {

using Points = QList<QPoint>;

constexpr int intMin = std::numeric_limits<int>::min();
constexpr int intMax = std::numeric_limits<int>::max();
constexpr TColor red = 0x0000FF;
constexpr TColor green = 0x00FF00;
constexpr TColor blue = 0xFF0000;
const QString label = QStringLiteral("  12.3m");

QImage withPixels(const QImage &before, const Points &points, QRgb pixel)
{
    QImage expected = before.copy();
    for (const QPoint &p : points)
        expected.setPixel(p, pixel);
    return expected;
}

Points span(int x0, int x1, int y)
{
    Points points;
    for (int x = x0; x <= x1; ++x)
        points << QPoint(x, y);
    return points;
}

// The cell of a text as the canvas draws it, away from every edge.
QImage unclippedCell(const QString &text)
{
    TDirectDrawSurface surface(200, 40);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = clBlack;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.TextOut(20, 20, text);
    const QSize extent = canvas.TextExtent(text);
    return surface.image().copy(20, 20, extent.width(), extent.height());
}

} // namespace

class TestSurfaceCanvas : public QObject {
    Q_OBJECT

private slots:
    void fillRect_data();
    void fillRect();
    void lineTo_data();
    void lineTo();
    void lineToContinuesFromEndPoint();
    void lineAcrossWholeIntRange();
    void setPixel_data();
    void setPixel();
    void btnFaceFollowsPalette();
    void newCanvasHasDefaults();
    void settingsSurviveRelease();
    void textCellIsOpaque();
    void textCellSizeAndPitch();
    void textClippedAtEdges_data();
    void textClippedAtEdges();
    void textRepeatGivesSamePixels();
    void textFollowsColourChanges();
    void textFollowsInstalledFace();
};

void TestSurfaceCanvas::fillRect_data()
{
    QTest::addColumn<TRect>("rect");
    QTest::newRow("depth margin") << TRect{0, 0, 63, 30};
    QTest::newRow("inside") << TRect{3, 4, 10, 9};
    QTest::newRow("one pixel") << TRect{5, 5, 6, 6};
    QTest::newRow("past top-left") << TRect{-5, -5, 3, 3};
    QTest::newRow("past bottom-right") << TRect{70, 25, 200, 100};
    QTest::newRow("whole int range") << TRect{intMin, intMin, intMax, intMax};
    QTest::newRow("empty") << TRect{5, 5, 5, 10};
    QTest::newRow("inverted") << TRect{10, 10, 5, 5};
    QTest::newRow("outside") << TRect{80, 0, 90, 10};
}

void TestSurfaceCanvas::fillRect()
{
    QFETCH(TRect, rect);
    TDirectDrawSurface surface(80, 30);
    fillPattern(surface);
    const QImage before = surface.image().copy();
    surface.Canvas().Brush.Color = red;
    surface.Canvas().FillRect(rect);

    QImage expected = before.copy();
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom)
                expected.setPixel(x, y, qRgb(255, 0, 0));
    QCOMPARE(firstDifference(surface.image(), expected), QString());
}

void TestSurfaceCanvas::lineTo_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Points>("pixels");
    const QSize small(20, 10);
    QTest::newRow("margin line") << QSize(783, 4) << QPoint(0, 2) << QPoint(63, 2)
                                 << span(0, 62, 2);
    QTest::newRow("tick") << QSize(783, 4) << QPoint(55, 1) << QPoint(63, 1) << span(55, 62, 1);
    QTest::newRow("leftwards") << small << QPoint(10, 5) << QPoint(2, 5) << span(3, 10, 5);
    QTest::newRow("down") << small << QPoint(4, 1) << QPoint(4, 5)
                          << Points{{4, 1}, {4, 2}, {4, 3}, {4, 4}};
    QTest::newRow("up") << small << QPoint(4, 6) << QPoint(4, 2)
                        << Points{{4, 6}, {4, 5}, {4, 4}, {4, 3}};
    QTest::newRow("diagonal") << small << QPoint(0, 0) << QPoint(5, 5)
                              << Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    QTest::newRow("anti-diagonal")
        << small << QPoint(5, 0) << QPoint(0, 5) << Points{{5, 0}, {4, 1}, {3, 2}, {2, 3}, {1, 4}};
    QTest::newRow("shallow") << small << QPoint(0, 0) << QPoint(6, 2)
                             << Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}};
    QTest::newRow("steep") << small << QPoint(0, 0) << QPoint(2, 6)
                           << Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}};
    QTest::newRow("steep upwards") << small << QPoint(3, 9) << QPoint(1, 3)
                                   << Points{{3, 9}, {3, 8}, {2, 7}, {2, 6}, {2, 5}, {1, 4}};
    QTest::newRow("from outside left") << small << QPoint(-10, 3) << QPoint(10, 3) << span(0, 9, 3);
    QTest::newRow("past right edge") << small << QPoint(17, 2) << QPoint(25, 2) << span(17, 19, 2);
    QTest::newRow("past bottom edge")
        << small << QPoint(1, 8) << QPoint(1, 15) << Points{{1, 8}, {1, 9}};
    QTest::newRow("diagonal from outside")
        << small << QPoint(-2, -2) << QPoint(3, 3) << Points{{0, 0}, {1, 1}, {2, 2}};
    QTest::newRow("sloped past right edge")
        << small << QPoint(16, 0) << QPoint(24, 4) << Points{{16, 0}, {17, 1}, {18, 1}, {19, 2}};
    QTest::newRow("outside") << small << QPoint(-5, -5) << QPoint(-1, -1) << Points{};
    QTest::newRow("zero length") << small << QPoint(3, 3) << QPoint(3, 3) << Points{};
}

void TestSurfaceCanvas::lineTo()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(Points, pixels);
    TDirectDrawSurface surface(size.width(), size.height());
    fillPattern(surface);
    const QImage before = surface.image().copy();
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Pen.Color = green;
    canvas.MoveTo(from.x(), from.y());
    canvas.LineTo(to.x(), to.y());
    QCOMPARE(firstDifference(surface.image(), withPixels(before, pixels, qRgb(0, 255, 0))),
             QString());
}

void TestSurfaceCanvas::lineToContinuesFromEndPoint()
{
    TDirectDrawSurface surface(10, 10);
    fillPattern(surface);
    const QImage before = surface.image().copy();
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Pen.Color = clWhite;
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    canvas.LineTo(3, 3);
    const Points pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}};
    QCOMPARE(firstDifference(surface.image(), withPixels(before, pixels, qRgb(255, 255, 255))),
             QString());
}

// Only the steps on the surface are visited, so a line of four billion pixels is quick.
void TestSurfaceCanvas::lineAcrossWholeIntRange()
{
    TDirectDrawSurface surface(8, 6);
    fillPattern(surface);
    const QImage before = surface.image().copy();
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Pen.Color = clBlack;
    canvas.MoveTo(intMin, intMin);
    canvas.LineTo(intMax, intMax);
    const Points pixels{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
    QCOMPARE(firstDifference(surface.image(), withPixels(before, pixels, qRgb(0, 0, 0))),
             QString());
}

void TestSurfaceCanvas::setPixel_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("inside");
    QTest::newRow("top-left") << QPoint(0, 0) << true;
    QTest::newRow("last image column") << QPoint(782, 3) << true;
    QTest::newRow("x = Width") << QPoint(783, 3) << false;
    QTest::newRow("y = Height") << QPoint(10, 5) << false;
    QTest::newRow("x = -1") << QPoint(-1, 0) << false;
    QTest::newRow("far away") << QPoint(intMax, intMin) << false;
}

void TestSurfaceCanvas::setPixel()
{
    QFETCH(QPoint, at);
    QFETCH(bool, inside);
    TDirectDrawSurface surface(783, 5);
    fillPattern(surface);
    const QImage before = surface.image().copy();
    surface.Canvas().SetPixel(at.x(), at.y(), 0x123456);
    const Points changed = inside ? Points{at} : Points{};
    QCOMPARE(firstDifference(surface.image(), withPixels(before, changed, qRgb(0x56, 0x34, 0x12))),
             QString());
}

void TestSurfaceCanvas::btnFaceFollowsPalette()
{
    const QPalette original = QGuiApplication::palette();
    QPalette palette = original;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    QGuiApplication::setPalette(palette);
    TDirectDrawSurface surface(4, 3);
    surface.Canvas().Brush.Color = clBtnFace;
    surface.Canvas().FillRect(surface.ClientRect());
    QGuiApplication::setPalette(original);
    QCOMPARE(surface.image().pixel(3, 2), qRgb(10, 20, 30));
}

void TestSurfaceCanvas::newCanvasHasDefaults()
{
    {
        TDirectDrawSurface used(4, 4);
        used.Canvas().Brush.Color = red;
        used.Canvas().Font.Name = QStringLiteral("MS LineDraw");
    }
    TDirectDrawSurface surface(4, 4);
    const TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    QCOMPARE(canvas.Brush.Color, clWhite);
    QCOMPARE(canvas.Pen.Color, clBlack);
    QCOMPARE(canvas.Font.Color, clWindowText);
    QCOMPARE(canvas.Font.Name, QStringLiteral("MS Sans Serif"));
}

void TestSurfaceCanvas::settingsSurviveRelease()
{
    TDirectDrawSurface surface(6, 4);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = red;
    canvas.Pen.Color = green;
    canvas.Font.Color = blue;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.MoveTo(0, 1);
    canvas.ReleaseCanvas();
    QCOMPARE(canvas.Brush.Color, red);
    QCOMPARE(canvas.Pen.Color, green);
    QCOMPARE(canvas.Font.Color, blue);
    QCOMPARE(canvas.Font.Name, QStringLiteral("MS LineDraw"));
    // The next run draws with them, the current position included.
    canvas.FillRect(surface.ClientRect());
    canvas.LineTo(6, 1);
    QCOMPARE(surface.image().pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(surface.image().pixel(5, 1), qRgb(0, 255, 0));
}

void TestSurfaceCanvas::textCellIsOpaque()
{
    TDirectDrawSurface surface(100, 30);
    fillPattern(surface);
    const QImage before = surface.image().copy();
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = red;
    canvas.Font.Color = blue;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.TextOut(5, 4, label);
    const QRect cell(QPoint(5, 4), canvas.TextExtent(label));

    int textPixels = 0;
    int backgroundPixels = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            const QRgb pixel = surface.image().pixel(x, y);
            if (!cell.contains(x, y)) {
                QCOMPARE(pixel, before.pixel(x, y));
            } else if (pixel == qRgb(0, 0, 255)) {
                ++textPixels;
            } else {
                QCOMPARE(pixel, qRgb(255, 0, 0));
                ++backgroundPixels;
            }
        }
    }
    QVERIFY(textPixels > 10);
    QVERIFY(backgroundPixels > textPixels);
}

void TestSurfaceCanvas::textCellSizeAndPitch()
{
    TDirectDrawSurface surface(4, 4);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    const QSize one = canvas.TextExtent(QStringLiteral("0"));
    QVERIFY2(one.height() >= 12 && one.height() <= 14, qPrintable(QString::number(one.height())));
    // The stand-in face is fixed-pitch: a blank is as wide as a digit or a letter.
    QCOMPARE(canvas.TextExtent(label), QSize(7 * one.width(), one.height()));
    QCOMPARE(canvas.TextExtent(QStringLiteral("iiii")).width(),
             canvas.TextExtent(QStringLiteral("mmmm")).width());
}

void TestSurfaceCanvas::textClippedAtEdges_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("label on row 2, y = -3") << QPoint(0, -3);
    QTest::newRow("label on row 0, y = -5") << QPoint(0, -5);
    QTest::newRow("left") << QPoint(-9, 6);
    QTest::newRow("right") << QPoint(70, 6);
    QTest::newRow("bottom") << QPoint(10, 24);
    QTest::newRow("all out, above") << QPoint(0, -13);
    QTest::newRow("all out, far") << QPoint(intMax, intMax);
}

// A clipped cell shows exactly the part of the whole cell that falls on the surface.
void TestSurfaceCanvas::textClippedAtEdges()
{
    QFETCH(QPoint, at);
    const QImage cell = unclippedCell(label);
    TDirectDrawSurface surface(90, 30);
    fillPattern(surface);
    QImage expected = surface.image().copy();
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            const qint64 sx = qint64(at.x()) + x;
            const qint64 sy = qint64(at.y()) + y;
            if (sx >= 0 && sy >= 0 && sx < expected.width() && sy < expected.height())
                expected.setPixel(int(sx), int(sy), cell.pixel(x, y));
        }
    }
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = clBlack;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.TextOut(at.x(), at.y(), label);
    QCOMPARE(firstDifference(surface.image(), expected), QString());
}

// The second drawing of a label comes from the cache; it must look like the first.
void TestSurfaceCanvas::textRepeatGivesSamePixels()
{
    const QImage first = unclippedCell(label);
    TDirectDrawSurface surface(200, 40);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = clBlack;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.TextOut(0, 0, label);
    canvas.TextOut(0, 13, QStringLiteral("  12.4m"));
    canvas.TextOut(100, 20, label);
    QCOMPARE(firstDifference(surface.image().copy(QRect(QPoint(100, 20), first.size())), first),
             QString());
    QCOMPARE(firstDifference(surface.image().copy(QRect(QPoint(0, 0), first.size())), first),
             QString());
}

void TestSurfaceCanvas::textFollowsColourChanges()
{
    TDirectDrawSurface surface(100, 20);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = clBlack;
    canvas.TextOut(0, 0, label);
    canvas.Brush.Color = red;
    canvas.Font.Color = blue;
    canvas.TextOut(0, 0, label);
    QSet<QRgb> colours;
    const QSize extent = canvas.TextExtent(label);
    for (int y = 0; y < extent.height(); ++y)
        for (int x = 0; x < extent.width(); ++x)
            colours.insert(surface.image().pixel(x, y));
    QCOMPARE(colours, (QSet<QRgb>{qRgb(255, 0, 0), qRgb(0, 0, 255)}));
}

void TestSurfaceCanvas::textFollowsInstalledFace()
{
    const QString serif = QStringLiteral("DejaVu Serif");
    if (!QFontDatabase::hasFamily(serif))
        QSKIP("DejaVu Serif is not installed");
    const QString text = QStringLiteral("Wg");
    TDirectDrawSurface surface(60, 20);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = clBlack;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    canvas.TextOut(0, 0, text);
    const QImage fallback = surface.image().copy(0, 0, 30, 20);
    canvas.FillRect(surface.ClientRect());
    canvas.Font.Name = serif;
    canvas.TextOut(0, 0, text);
    QVERIFY(!firstDifference(surface.image().copy(0, 0, 30, 20), fallback).isEmpty());
}

QTEST_MAIN(TestSurfaceCanvas)
#include "tst_surfacecanvas.moc"
