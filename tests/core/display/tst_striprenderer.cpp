// KIVO Log Viewer
#include "display/colourmap.h"
#include "display/striprenderer.h"
#include "display/surface.h"
#include "display/tdib.h"
#include "log/timageline.h"
#include "pixelcompare.h"
#include "testlog.h"

#include <QtTest>

#include <vector>

using namespace kivo;
using kivo::test::fillPattern;
using kivo::test::firstDifference;
using kivo::test::patternPixel;

namespace {

constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb black = 0xFF000000;
const QString metres = QStringLiteral("m");

// Every sample of a record a colour of its own, for up to 65536 samples.
test::Rgb sampleColour(int i)
{
    return {uchar(i & 0xFF), uchar((i >> 8) & 0xFF), uchar((i * 37 + 11) & 0xFF)};
}

QRgb pixelOf(const test::Rgb &rgb)
{
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

// The bytes of one record in a buffer of exactly its size, so that a read past the record is
// caught by the address sanitizer; the bearing and angle bytes differ from every sample.
std::vector<uchar> recordBytes(int samples, qint32 depth,
                               const std::function<test::Rgb(int)> &colour = sampleColour)
{
    const QByteArray bytes = test::makeRecord(samples, depth, -1, -1, colour);
    return std::vector<uchar>(bytes.cbegin(), bytes.cend());
}

TColourMap colours(int brightness = 0, int contrast = 100)
{
    TColourMap map;
    map.Brightness = brightness;
    map.Contrast = contrast;
    BuildColourMap(map);
    return map;
}

StripRenderer renderer(int samples, const QString &unit = metres)
{
    StripRenderer strip(samples, unit, QLocale::c());
    strip.setColourMap(colours());
    return strip;
}

// A surface as a log shows it: white margin and frame, a pattern where the image goes.
void prepareWithImage(TDirectDrawSurface &surface)
{
    fillPattern(surface);
    StripRenderer::PrepareSurfaceA(surface);
    for (int y = 0; y < surface.Height(); ++y) {
        quint32 *row = surface.scanLine(y);
        for (int x = StripRenderer::ImageLeft; x < surface.Width(); ++x)
            row[x] = patternPixel(x, y);
    }
    surface.Canvas().ReleaseCanvas();
}

QImage picture(TDirectDrawSurface &surface)
{
    surface.Canvas().ReleaseCanvas();
    return surface.image().copy();
}

// Pixels darker than mid-grey in x = left..right-1 of rows top..bottom-1 (clipped).
int darkPixels(const QImage &image, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = qMax(0, top); y < qMin(bottom, image.height()); ++y)
        for (int x = qMax(0, left); x < qMin(right, image.width()); ++x)
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return count;
}

// What a depth mark on row y of a white margin must look like: the label drawn as plain text
// with its cell's top-left at (0, y - 5), then the tick x = 55..62 (unless the label covers it).
QImage expectedMark(const QImage &before, int y, const QString &label)
{
    TDirectDrawSurface surface(before.width(), before.height());
    surface.loadFromBitmap(TDIB::fromImage(before));
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = clBlack;
    canvas.Font.Name = QStringLiteral("MS LineDraw");
    for (int x = StripRenderer::TickLeft; x < StripRenderer::ImageLeft; ++x)
        canvas.SetPixel(x, y, clBlack);
    canvas.TextOut(0, y - StripRenderer::LabelRise, label);
    return picture(surface);
}

} // namespace

class TestStripRenderer : public QObject {
    Q_OBJECT

private slots:
    void prepareSurfaceA();
    void prepareSurfaceB();
    void clearMargin_data();
    void clearMargin();
    void imageRow_data();
    void imageRow();
    void imageRowColumns_data();
    void imageRowColumns();
    void imageRowOnNarrowSurfaces_data();
    void imageRowOnNarrowSurfaces();
    void imageRowOutsideSurface_data();
    void imageRowOutsideSurface();
    void colourTablesApplied_data();
    void colourTablesApplied();
    void depthMark_data();
    void depthMark();
    void noMarkOffTheTenths_data();
    void noMarkOffTheTenths();
    void marksNearTopAreClipped_data();
    void marksNearTopAreClipped();
    void labelCellDarkOnlyWithMark();
    void longLabelStaysInMargin();
};

void TestStripRenderer::prepareSurfaceA()
{
    TDirectDrawSurface surface(801, 40); // starts black
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = 0x123456;
    canvas.Pen.Color = 0x654321;
    StripRenderer::PrepareSurfaceA(surface);
    QImage expected(801, 40, QImage::Format_RGB32);
    expected.fill(white);
    QCOMPARE(firstDifference(picture(surface), expected), QString());
    QCOMPARE(canvas.Brush.Color, clWhite);
    QCOMPARE(canvas.Pen.Color, clBlack);
    QCOMPARE(canvas.Font.Color, clBlack);
    QCOMPARE(canvas.Font.Name, QStringLiteral("MS LineDraw"));
}

void TestStripRenderer::prepareSurfaceB()
{
    TDirectDrawSurface surface(783, 30);
    fillPattern(surface);
    const QImage before = picture(surface);
    surface.Canvas().Pen.Color = clBlack;
    StripRenderer::PrepareSurfaceB(surface);
    QImage expected = before.copy();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x <= 62; ++x)
            expected.setPixel(x, y, white);
    QCOMPARE(firstDifference(picture(surface), expected), QString());
    QCOMPARE(surface.Canvas().Pen.Color, clWhite);
}

void TestStripRenderer::clearMargin_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<TColor>("brush"); // as an earlier step left it
    QTest::newRow("every row") << 20 << clWhite;
    QTest::newRow("the first five") << 5 << clWhite;
    QTest::newRow("none") << 0 << clWhite;
    QTest::newRow("more than the surface has") << 30 << clWhite;
    QTest::newRow("brush left black") << 20 << clBlack;
    QTest::newRow("brush left coloured, five rows") << 5 << TColor(0x123456);
}

void TestStripRenderer::clearMargin()
{
    QFETCH(int, rows);
    QFETCH(TColor, brush);
    TDirectDrawSurface surface(801, 20);
    fillPattern(surface);
    surface.Canvas().Brush.Color = brush;
    const QImage before = picture(surface);
    StripRenderer::clearMargin(surface, rows);
    QImage expected = before.copy();
    for (int y = 0; y < qMin(rows, 20); ++y)
        for (int x = 0; x < 63; ++x)
            expected.setPixel(x, y, white);
    QCOMPARE(firstDifference(picture(surface), expected), QString());
}

void TestStripRenderer::imageRow_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("adjusted"); // colour tables of brightness 9 and contrast 70
    for (const bool adjusted : {false, true}) {
        for (const int width : {801, 783, 200}) {
            for (const int samples : {720, 360, 1, 7, 719, 721, 1000, 65536}) {
                QTest::addRow("%d samples, %d wide%s", samples, width,
                              adjusted ? ", adjusted colours" : "")
                    << samples << width << adjusted;
            }
        }
    }
}

// Column j (x = 63 + j) shows sample j * N div 720; the frame pixels x 63 and 783 are white
// where the surface has them; nothing else changes.
void TestStripRenderer::imageRow()
{
    QFETCH(int, samples);
    QFETCH(int, width);
    QFETCH(bool, adjusted);
    TDirectDrawSurface surface(width, 8);
    fillPattern(surface);
    const QImage before = picture(surface);
    const std::vector<uchar> record = recordBytes(samples, 1234);
    const TColourMap tables = adjusted ? colours(9, 70) : colours();
    StripRenderer strip(samples, metres, QLocale::c());
    strip.setColourMap(tables);
    strip.DrawImageRow(surface, TImageLine(record.data(), samples), 3);

    QImage expected = before.copy();
    for (int j = 0; j < 720 && 63 + j < width; ++j) {
        const test::Rgb rgb = sampleColour(int(qint64(j) * samples / 720));
        expected.setPixel(
            63 + j, 3, qRgb(tables.mapped(rgb[0]), tables.mapped(rgb[1]), tables.mapped(rgb[2])));
    }
    expected.setPixel(63, 3, white);
    if (width > 783)
        expected.setPixel(783, 3, white);
    QCOMPARE(firstDifference(picture(surface), expected), QString());
}

void TestStripRenderer::imageRowColumns_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("sample");
    QTest::newRow("720: x 64 shows sample 1") << 720 << 64 << 1;
    QTest::newRow("720: x 782 shows sample 719") << 720 << 782 << 719;
    QTest::newRow("360: x 64 shows sample 0") << 360 << 64 << 0;
    QTest::newRow("360: x 65 shows sample 1") << 360 << 65 << 1;
    QTest::newRow("360: x 781 shows sample 359") << 360 << 781 << 359;
    QTest::newRow("360: x 782 shows sample 359") << 360 << 782 << 359;
    QTest::newRow("1: x 782 shows sample 0") << 1 << 782 << 0;
    QTest::newRow("7: x 165 shows sample 0") << 7 << 165 << 0;
    QTest::newRow("7: x 166 shows sample 1") << 7 << 166 << 1;
    QTest::newRow("7: x 782 shows sample 6") << 7 << 782 << 6;
    QTest::newRow("719: x 782 shows sample 718") << 719 << 782 << 718;
    QTest::newRow("721: x 782 shows sample 719") << 721 << 782 << 719;
    QTest::newRow("1000: x 782 shows sample 998") << 1000 << 782 << 998;
    QTest::newRow("65536: x 64 shows sample 91") << 65536 << 64 << 91;
    QTest::newRow("65536: x 782 shows sample 65444") << 65536 << 782 << 65444;
}

void TestStripRenderer::imageRowColumns()
{
    QFETCH(int, samples);
    QFETCH(int, x);
    QFETCH(int, sample);
    TDirectDrawSurface surface(783, 2);
    fillPattern(surface);
    const std::vector<uchar> record = recordBytes(samples, 0);
    renderer(samples).DrawImageRow(surface, TImageLine(record.data(), samples), 1);
    const QImage image = picture(surface);
    QCOMPARE(image.pixel(x, 1), pixelOf(sampleColour(sample)));
    QCOMPARE(image.pixel(63, 1), white);
}

void TestStripRenderer::imageRowOnNarrowSurfaces_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("no image column") << 63;
    QTest::newRow("only the frame column") << 64;
    QTest::newRow("part of the image") << 100;
    QTest::newRow("one column short of the image") << 782;
}

void TestStripRenderer::imageRowOnNarrowSurfaces()
{
    QFETCH(int, width);
    TDirectDrawSurface surface(width, 3);
    fillPattern(surface);
    const QImage before = picture(surface);
    const std::vector<uchar> record = recordBytes(720, 0);
    renderer(720).DrawImageRow(surface, TImageLine(record.data(), 720), 1);
    QImage expected = before.copy();
    for (int x = 63; x < width; ++x)
        expected.setPixel(x, 1, x == 63 ? white : pixelOf(sampleColour(x - 63)));
    QCOMPARE(firstDifference(picture(surface), expected), QString());
}

void TestStripRenderer::imageRowOutsideSurface_data()
{
    QTest::addColumn<int>("y");
    QTest::newRow("above") << -1;
    QTest::newRow("below") << 4;
    QTest::newRow("far below") << 1000000;
}

void TestStripRenderer::imageRowOutsideSurface()
{
    QFETCH(int, y);
    TDirectDrawSurface surface(801, 4);
    fillPattern(surface);
    const QImage before = picture(surface);
    const std::vector<uchar> record = recordBytes(720, 0);
    renderer(720).DrawImageRow(surface, TImageLine(record.data(), 720), y);
    QCOMPARE(firstDifference(picture(surface), before), QString());
}

void TestStripRenderer::colourTablesApplied_data()
{
    QTest::addColumn<int>("brightness");
    QTest::addColumn<int>("contrast");
    QTest::addColumn<QList<int>>("bytes");  // b0, b1, b2 of every sample
    QTest::addColumn<QList<int>>("colour"); // the red, green, blue drawn
    QTest::newRow("neutral") << 0 << 100 << QList<int>{17, 128, 254} << QList<int>{17, 128, 254};
    QTest::newRow("brightness 100, contrast 800")
        << 100 << 800 << QList<int>{0, 10, 20} << QList<int>{100, 180, 255};
    QTest::newRow("brightness 100, contrast 800, bright bytes")
        << 100 << 800 << QList<int>{255, 1, 2} << QList<int>{255, 108, 116};
    QTest::newRow("contrast 50, halves to even")
        << 0 << 50 << QList<int>{1, 3, 5} << QList<int>{0, 2, 2};
    QTest::newRow("brightness -50, contrast 200")
        << -50 << 200 << QList<int>{10, 100, 200} << QList<int>{0, 150, 255};
    QTest::newRow("everything black")
        << -100 << 0 << QList<int>{90, 180, 255} << QList<int>{0, 0, 0};
}

// b0 through the red table, b1 through the green, b2 through the blue, for every sample count
// and on a surface that shows only part of the image; the frame stays white.
void TestStripRenderer::colourTablesApplied()
{
    QFETCH(int, brightness);
    QFETCH(int, contrast);
    QFETCH(QList<int>, bytes);
    QFETCH(QList<int>, colour);
    const test::Rgb sample{uchar(bytes[0]), uchar(bytes[1]), uchar(bytes[2])};
    const QRgb expected = qRgb(colour[0], colour[1], colour[2]);
    for (const int samples : {720, 360, 1000}) {
        for (const int width : {801, 101}) {
            TDirectDrawSurface surface(width, 1);
            fillPattern(surface);
            const std::vector<uchar> record = recordBytes(samples, 0, [&](int) { return sample; });
            StripRenderer strip(samples, metres, QLocale::c());
            strip.setColourMap(colours(brightness, contrast));
            strip.DrawImageRow(surface, TImageLine(record.data(), samples), 0);
            const QImage image = picture(surface);
            for (int x = 64; x < qMin(width, 783); ++x)
                QCOMPARE(image.pixel(x, 0), expected);
            QCOMPARE(image.pixel(63, 0), white);
            if (width > 783)
                QCOMPARE(image.pixel(783, 0), white);
        }
    }
}

void TestStripRenderer::depthMark_data()
{
    QTest::addColumn<qint32>("depth");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("label");
    QTest::newRow("0.1 m") << 100 << "m"
                           << "  0.1m";
    QTest::newRow("zero") << 0 << "m"
                          << "  0.0m";
    QTest::newRow("12.3 m") << 12300 << "m"
                            << " 12.3m";
    QTest::newRow("1234.5 m") << 1234500 << "m"
                              << "1234.5m";
    QTest::newRow("feet") << 4500 << "ft"
                          << "  4.5ft";
    QTest::newRow("-0.1 m") << -100 << "m"
                            << " -0.1m";
    QTest::newRow("-12.3 m") << -12300 << "m"
                             << "-12.3m";
    // Five integer digits leave the unit off, so that the label stays off the tick.
    QTest::newRow("10500.1 ft") << 10500100 << "ft"
                                << "10500.1";
    QTest::newRow("99999.9 m") << 99999900 << "m"
                               << "99999.9";
}

// The tick x = 55..62 in black on the mark's row, the label's cell from (0, y - 5); the image
// columns are never touched.
void TestStripRenderer::depthMark()
{
    QFETCH(qint32, depth);
    QFETCH(QString, unit);
    QFETCH(QString, label);
    TDirectDrawSurface surface(801, 60);
    prepareWithImage(surface);
    const QImage before = picture(surface);
    renderer(720, unit).DrawDepthMark(surface, depth, 30);
    const QImage image = picture(surface);
    QCOMPARE(firstDifference(image, expectedMark(before, 30, label)), QString());
    for (int x = 55; x <= 62; ++x)
        QCOMPARE(image.pixel(x, 30), black);
    QCOMPARE(image.pixel(54, 30), white);
    // Only the tick itself in its columns: no label pixels above or below it.
    QCOMPARE(darkPixels(image, 55, 20, 63, 30), 0);
    QCOMPARE(darkPixels(image, 55, 31, 63, 45), 0);
}

void TestStripRenderer::noMarkOffTheTenths_data()
{
    QTest::addColumn<qint32>("depth");
    QTest::newRow("150") << 150;
    QTest::newRow("-150") << -150;
    QTest::newRow("1") << 1;
    QTest::newRow("-1") << -1;
    QTest::newRow("99") << 99;
    QTest::newRow("-50") << -50;
    QTest::newRow("101") << 101;
}

void TestStripRenderer::noMarkOffTheTenths()
{
    QFETCH(qint32, depth);
    TDirectDrawSurface surface(801, 60);
    prepareWithImage(surface);
    const QImage before = picture(surface);
    renderer(720).DrawDepthMark(surface, depth, 30);
    QCOMPARE(firstDifference(picture(surface), before), QString());
}

void TestStripRenderer::marksNearTopAreClipped_data()
{
    QTest::addColumn<int>("y");
    for (int y = 0; y <= 4; ++y)
        QTest::addRow("row %d", y) << y;
}

// A mark on rows 0..4 starts its label above the surface: the top rows of the cell are lost,
// the rest and the tick are drawn.
void TestStripRenderer::marksNearTopAreClipped()
{
    QFETCH(int, y);
    TDirectDrawSurface surface(783, 40);
    prepareWithImage(surface);
    const QImage before = picture(surface);
    renderer(720).DrawDepthMark(surface, 100, y);
    const QImage image = picture(surface);
    QCOMPARE(firstDifference(image, expectedMark(before, y, "  0.1m")), QString());
    for (int x = 55; x <= 62; ++x)
        QCOMPARE(image.pixel(x, y), black);
    QVERIFY(darkPixels(image, 0, 0, 55, y + 8) > 0);
}

void TestStripRenderer::labelCellDarkOnlyWithMark()
{
    TDirectDrawSurface surface(801, 60);
    StripRenderer::PrepareSurfaceA(surface);
    const StripRenderer strip = renderer(720);
    strip.DrawDepthMark(surface, 100, 20);
    strip.DrawDepthMark(surface, 150, 45);
    const QImage image = picture(surface);
    const QSize cell = surface.Canvas().TextExtent("  0.1m");
    QVERIFY(cell.height() >= 10);
    QVERIFY(darkPixels(image, 0, 15, 55, 15 + cell.height()) > 0);
    QCOMPARE(darkPixels(image, 0, 40, 63, 40 + cell.height()), 0);
    // Nothing dark outside the mark's cell and tick.
    QCOMPARE(darkPixels(image, 0, 0, 801, 15), 0);
    QCOMPARE(darkPixels(image, 0, 15 + cell.height(), 801, 60), 0);
    QCOMPARE(darkPixels(image, 63, 0, 801, 60), 0);
}

// A depth whose label is wider than the margin still leaves the image columns alone.
void TestStripRenderer::longLabelStaysInMargin()
{
    TDirectDrawSurface surface(801, 40);
    prepareWithImage(surface);
    const QImage before = picture(surface);
    const StripRenderer strip = renderer(720);
    strip.DrawDepthMark(surface, -2147483600, 20);
    const QImage image = picture(surface);
    QVERIFY(surface.Canvas().TextExtent("-2147483.6m").width() > 63);
    QCOMPARE(firstDifference(image.copy(63, 0, 738, 40), before.copy(63, 0, 738, 40)), QString());
    QVERIFY(darkPixels(image, 0, 15, 63, 30) > 0);
}

QTEST_MAIN(TestStripRenderer)
#include "tst_striprenderer.moc"
