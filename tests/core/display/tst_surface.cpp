// KIVO Log Viewer
#include "display/surface.h"
#include "display/tdib.h"
#include "kivoerror.h"
#include "pixelcompare.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(kivo::TRect)

using namespace kivo;
using kivo::test::fillPattern;
using kivo::test::firstDifference;
using kivo::test::patternPixel;

namespace {

constexpr int intMin = std::numeric_limits<int>::min();
constexpr int intMax = std::numeric_limits<int>::max();

// What Draw must give, pixel by pixel: destination (dx, dy) takes source (L + i, T + j) where
// (i, j) = (dx - X, dy - Y) lies in the rectangle and both pixels lie on their images.
QImage expectedDraw(const QImage &before, int X, int Y, const TRect &rect, const QImage &source)
{
    QImage expected = before.copy();
    for (int dy = 0; dy < before.height(); ++dy) {
        for (int dx = 0; dx < before.width(); ++dx) {
            const qint64 i = qint64(dx) - X;
            const qint64 j = qint64(dy) - Y;
            const qint64 sx = rect.Left + i;
            const qint64 sy = rect.Top + j;
            if (i < 0 || j < 0 || i >= rect.width() || j >= rect.height() || sx < 0 || sy < 0 ||
                sx >= source.width() || sy >= source.height())
                continue;
            expected.setPixel(dx, dy, source.pixel(int(sx), int(sy)));
        }
    }
    return expected;
}

} // namespace

class TestSurface : public QObject {
    Q_OBJECT

private slots:
    void madeAtItsSize();
    void refusesImpossibleSizes_data();
    void refusesImpossibleSizes();
    void failedResizeKeepsSurface();
    void resizeKeepsCanvas();
    void drawSelf_data();
    void drawSelf();
    void drawFromOtherSurface_data();
    void drawFromOtherSurface();
    void repeatedRowShifts_data();
    void repeatedRowShifts();
    void scanLineOutsideIsNull();
    void presentedCopyKeepsItsPixels();
    void presentedCopyKeepsItsPixelsAcrossShifts();
    void loadFromBitmap();
    void loadFromEmptyBitmapFails();
};

void TestSurface::madeAtItsSize()
{
    TDirectDrawSurface surface(783, 600);
    QCOMPARE(surface.Width(), 783);
    QCOMPARE(surface.Height(), 600);
    const TRect client = surface.ClientRect();
    QCOMPARE(client.Left, 0);
    QCOMPARE(client.Top, 0);
    QCOMPARE(client.Right, 783);
    QCOMPARE(client.Bottom, 600);
    QCOMPARE(&surface.Canvas(), &surface.Canvas());
}

void TestSurface::refusesImpossibleSizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("zero width") << 0 << 600;
    QTest::newRow("zero height") << 783 << 0;
    QTest::newRow("negative") << -1 << 10;
    QTest::newRow("absurd") << 100000 << 100000;
    QTest::newRow("widest int") << intMax << 1;
}

void TestSurface::refusesImpossibleSizes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    try {
        TDirectDrawSurface surface(width, height);
        QFAIL("a surface was made");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), QStringLiteral("Surface cannot be made"));
    }
}

void TestSurface::failedResizeKeepsSurface()
{
    TDirectDrawSurface surface(20, 10);
    fillPattern(surface, 0);
    const QImage before = surface.image().copy();
    QVERIFY_THROWS_EXCEPTION(KivoError, surface.resize(0, 10));
    QCOMPARE(firstDifference(surface.image(), before), QString());
}

void TestSurface::resizeKeepsCanvas()
{
    TDirectDrawSurface surface(20, 10);
    TDirectDrawSurfaceCanvas *canvas = &surface.Canvas();
    canvas->Brush.Color = 0x0000FF;
    surface.resize(30, 40);
    QCOMPARE(surface.Width(), 30);
    QCOMPARE(surface.Height(), 40);
    QCOMPARE(&surface.Canvas(), canvas);
    QCOMPARE(surface.Canvas().Brush.Color, TColor(0x0000FF));
    surface.Canvas().FillRect(surface.ClientRect());
    QCOMPARE(surface.image().pixel(29, 39), qRgb(255, 0, 0));
}

void TestSurface::drawSelf_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<TRect>("rect");
    const TRect client{0, 0, 32, 24};
    QTest::newRow("d = 0") << 0 << 0 << client;
    QTest::newRow("down 5") << 0 << 5 << client;
    QTest::newRow("up 5") << 0 << -5 << client;
    QTest::newRow("down Height - 1") << 0 << 23 << client;
    QTest::newRow("down Height") << 0 << 24 << client;
    QTest::newRow("down past Height") << 0 << 31 << client;
    QTest::newRow("up Height") << 0 << -24 << client;
    QTest::newRow("negative x and y") << -4 << -6 << client;
    QTest::newRow("right and down") << 7 << 3 << client;
    QTest::newRow("source past top-left") << 5 << 5 << TRect{-3, -2, 10, 10};
    QTest::newRow("source past bottom-right") << 0 << 0 << TRect{20, 15, 40, 40};
    QTest::newRow("overlap, moving down-right") << 5 << 3 << TRect{2, 2, 12, 12};
    QTest::newRow("overlap, moving up-left") << 2 << 2 << TRect{5, 3, 15, 13};
    QTest::newRow("overlap within rows, right") << 3 << 4 << TRect{0, 4, 20, 9};
    QTest::newRow("overlap within rows, left") << 0 << 4 << TRect{3, 4, 23, 9};
    QTest::newRow("empty rectangle") << 1 << 1 << TRect{5, 5, 5, 9};
    QTest::newRow("inverted rectangle") << 1 << 1 << TRect{9, 9, 5, 5};
    QTest::newRow("whole int range") << intMin << intMin << TRect{intMin, intMin, intMax, intMax};
    QTest::newRow("far right") << intMax << 0 << client;
    QTest::newRow("far up") << 0 << intMin << client;
}

void TestSurface::drawSelf()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(TRect, rect);
    TDirectDrawSurface surface(32, 24);
    fillPattern(surface, 0);
    const QImage before = surface.image().copy();
    surface.Draw(x, y, rect, surface);
    QCOMPARE(firstDifference(surface.image(), expectedDraw(before, x, y, rect, before)), QString());
}

void TestSurface::drawFromOtherSurface_data()
{
    QTest::addColumn<QSize>("sourceSize");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<TRect>("rect");
    QTest::newRow("smaller, inside") << QSize(10, 6) << 4 << 3 << TRect{0, 0, 10, 6};
    QTest::newRow("smaller, past bottom-right") << QSize(10, 6) << 28 << 20 << TRect{0, 0, 10, 6};
    QTest::newRow("larger, whole") << QSize(50, 40) << -5 << -5 << TRect{0, 0, 50, 40};
    QTest::newRow("larger, part") << QSize(50, 40) << 2 << 1 << TRect{30, 20, 60, 50};
}

void TestSurface::drawFromOtherSurface()
{
    QFETCH(QSize, sourceSize);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(TRect, rect);
    TDirectDrawSurface surface(32, 24);
    TDirectDrawSurface source(sourceSize.width(), sourceSize.height());
    fillPattern(surface, 0);
    fillPattern(source, 1000);
    const QImage before = surface.image().copy();
    const QImage sourceBefore = source.image().copy();
    surface.Draw(x, y, rect, source);
    QCOMPARE(firstDifference(surface.image(), expectedDraw(before, x, y, rect, sourceBefore)),
             QString());
    QCOMPARE(firstDifference(source.image(), sourceBefore), QString());
}

void TestSurface::repeatedRowShifts_data()
{
    QTest::addColumn<QList<int>>("shifts");
    QTest::newRow("line steps down, past the spare rows") << QList<int>(12, 5);
    QTest::newRow("line steps up, past the spare rows") << QList<int>(12, -5);
    QTest::newRow("back and forth") << QList<int>{3, -3, 7, -1, -1, -9, 12, -12, 1};
    QTest::newRow("half the height and more") << QList<int>{12, 12, 13, -13, -12, -11, 23};
}

// The picture moved by whole rows again and again, with rows drawn between the moves: every
// result is that of copying the pixels.
void TestSurface::repeatedRowShifts()
{
    QFETCH(QList<int>, shifts);
    TDirectDrawSurface surface(32, 24);
    fillPattern(surface, 0);
    int salt = 1;
    for (const int shift : shifts) {
        const QImage before = surface.image().copy();
        surface.Draw(0, shift, surface.ClientRect(), surface);
        QCOMPARE(firstDifference(surface.image(),
                                 expectedDraw(before, 0, shift, surface.ClientRect(), before)),
                 QString());
        quint32 *row = surface.scanLine(salt % 24);
        for (int x = 0; x < 32; ++x)
            row[x] = patternPixel(x + 100 * salt, 0);
        surface.Canvas().ReleaseCanvas();
        QCOMPARE(surface.image().pixel(5, salt % 24), patternPixel(5 + 100 * salt, 0));
        ++salt;
    }
}

void TestSurface::scanLineOutsideIsNull()
{
    TDirectDrawSurface surface(8, 4);
    QVERIFY(surface.scanLine(0) != nullptr);
    QVERIFY(surface.scanLine(3) != nullptr);
    QCOMPARE(surface.scanLine(-1), nullptr);
    QCOMPARE(surface.scanLine(4), nullptr);
    TDirectDrawSurface empty;
    QCOMPARE(empty.scanLine(0), nullptr);
}

// A presenter may still hold the picture of the last run; the next run must not draw into it.
void TestSurface::presentedCopyKeepsItsPixels()
{
    TDirectDrawSurface surface(8, 4);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(surface.ClientRect());
    canvas.ReleaseCanvas();
    const QImage presented = surface.image();

    canvas.Brush.Color = clBlack;
    canvas.FillRect(TRect{0, 0, 4, 4});
    surface.scanLine(3)[7] = rgbFromPlain(0x00FF00);
    canvas.ReleaseCanvas();

    QCOMPARE(presented.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(presented.pixel(7, 3), qRgb(255, 255, 255));
    QCOMPARE(surface.image().pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(surface.image().pixel(7, 3), qRgb(0, 255, 0));
}

void TestSurface::presentedCopyKeepsItsPixelsAcrossShifts()
{
    TDirectDrawSurface surface(16, 10);
    fillPattern(surface, 0);
    const QImage presented = surface.image();
    const QImage before = presented.copy();
    surface.Draw(0, 3, surface.ClientRect(), surface);
    surface.Draw(0, -2, surface.ClientRect(), surface);
    surface.scanLine(0)[0] = rgbFromPlain(0x00FF00);
    surface.Canvas().ReleaseCanvas();
    QCOMPARE(firstDifference(presented, before), QString());
    QImage expected = expectedDraw(before, 0, 3, surface.ClientRect(), before);
    expected = expectedDraw(expected, 0, -2, surface.ClientRect(), expected);
    expected.setPixel(0, 0, qRgb(0, 255, 0));
    QCOMPARE(firstDifference(surface.image(), expected), QString());
}

void TestSurface::loadFromBitmap()
{
    TDIB bitmap;
    bitmap.setSize(3, 2);
    bitmap.setPixel(0, 0, qRgb(1, 2, 3));
    bitmap.setPixel(2, 1, qRgb(250, 128, 7));
    TDirectDrawSurface surface;
    QCOMPARE(surface.Width(), 0);
    surface.loadFromBitmap(bitmap);
    QCOMPARE(firstDifference(surface.image(), bitmap.toImage()), QString());
}

void TestSurface::loadFromEmptyBitmapFails()
{
    TDirectDrawSurface surface(4, 4);
    try {
        surface.loadFromBitmap(TDIB());
        QFAIL("an empty bitmap was loaded");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), QStringLiteral("Surface cannot be made"));
    }
    QCOMPARE(surface.Width(), 4);
}

QTEST_GUILESS_MAIN(TestSurface)
#include "tst_surface.moc"
