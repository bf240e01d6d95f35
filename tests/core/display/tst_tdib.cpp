// KIVO Log Viewer
#include "display/surface.h"
#include "display/tdib.h"
#include "kivoerror.h"
#include "pixelcompare.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>

using namespace kivo;
using kivo::test::fillPattern;
using kivo::test::firstDifference;
using kivo::test::patternPixel;

namespace {

quint32 u32At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

QByteArray bytesAt(const QByteArray &bytes, qint64 offset, int count)
{
    return bytes.mid(qsizetype(offset), count);
}

QByteArray bgr(int r, int g, int b)
{
    const char bytes[] = {char(b), char(g), char(r)};
    return QByteArray(bytes, 3);
}

// Source pixels that name their own position; blue marks them as source pixels.
constexpr int sourceMarker = 0xA5;
QRgb positionColour(int x, int y)
{
    return qRgb(x & 0xFF, (x >> 8) | (y << 2), sourceMarker);
}

} // namespace

class TestTDib : public QObject {
    Q_OBJECT

private slots:
    void captureEqualsSurface_data();
    void captureEqualsSurface();
    void captureReleasesCanvas();
    void headerBytes();
    void rowLayout_data();
    void rowLayout();
    void rowsBottomUp();
    void bmpFile();
    void saveBmp();
    void saveBmpFailure();
    void imageRoundTrip();
    void refusesImpossibleSizes_data();
    void refusesImpossibleSizes();
    void emptyBitmap();
    void pixelAccessOutsideIgnored();
    void paintsThroughItsCanvas();
    void stretchDrawMapsNearest_data();
    void stretchDrawMapsNearest();
    void stretchDrawEmptyRectangle();
};

void TestTDib::captureEqualsSurface_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("783 x 600") << 783 << 600;
    QTest::newRow("801 x 600") << 801 << 600;
    QTest::newRow("1 x 1") << 1 << 1;
    QTest::newRow("5 x 3") << 5 << 3;
}

void TestTDib::captureEqualsSurface()
{
    QFETCH(int, width);
    QFETCH(int, height);
    TDirectDrawSurface surface(width, height);
    fillPattern(surface);
    TDIB bitmap;
    bitmap.setSize(3, 3);
    surface.CaptureTo(bitmap);
    QCOMPARE(bitmap.width(), width);
    QCOMPARE(bitmap.height(), height);
    QCOMPARE(firstDifference(bitmap.toImage(), surface.image()), QString());
    QCOMPARE(bitmap.pixel(width - 1, height - 1), patternPixel(width - 1, height - 1));
}

// Capturing ends the run of drawing as ReleaseCanvas does: a picture presented after the
// capture keeps what it showed while the next run draws, as it would not if the run went on
// writing into the pixels it shares.
void TestTDib::captureReleasesCanvas()
{
    TDirectDrawSurface surface(4, 2);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(surface.ClientRect());
    TDIB bitmap;
    surface.CaptureTo(bitmap);
    const QImage presented = surface.image();
    canvas.Brush.Color = clBlack;
    canvas.FillRect(surface.ClientRect());
    QCOMPARE(presented.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(bitmap.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(surface.image().pixel(0, 0), qRgb(0, 0, 0));
}

void TestTDib::headerBytes()
{
    TDIB bitmap;
    bitmap.setSize(783, 600);
    const QByteArray expected = QByteArray::fromHex("28000000" // header size 40
                                                    "0f030000" // width 783
                                                    "58020000" // height 600
                                                    "0100"     // planes
                                                    "1800"     // 24 bits per pixel
                                                    "00000000" // no compression
                                                    "80881500" // 2352 * 600
                                                    "00000000000000000000000000000000");
    QCOMPARE(bitmap.packedDib().left(40).toHex(), expected.toHex());
}

void TestTDib::rowLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("rowLength");
    QTest::newRow("783: 2349 -> 2352") << 783 << 600 << 2352;
    QTest::newRow("801: 2403 -> 2404") << 801 << 600 << 2404;
    QTest::newRow("1: 3 -> 4") << 1 << 1 << 4;
    QTest::newRow("2: 6 -> 8") << 2 << 3 << 8;
    QTest::newRow("4: 12, no padding") << 4 << 2 << 12;
}

void TestTDib::rowLayout()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, rowLength);
    TDirectDrawSurface surface(width, height);
    surface.Canvas().Brush.Color = clWhite;
    surface.Canvas().FillRect(surface.ClientRect());
    TDIB bitmap;
    surface.CaptureTo(bitmap);
    QCOMPARE(bitmap.rowLength(), rowLength);
    const QByteArray packed = bitmap.packedDib();
    QCOMPARE(packed.size(), 40 + qsizetype(rowLength) * height);
    QCOMPARE(u32At(packed, 20), quint32(rowLength * height));
    for (int row = 0; row < height; ++row) {
        const qsizetype start = 40 + qsizetype(row) * rowLength;
        QCOMPARE(packed.mid(start, 3 * width), QByteArray(3 * width, char(0xFF)));
        QCOMPARE(packed.mid(start + 3 * width, rowLength - 3 * width),
                 QByteArray(rowLength - 3 * width, '\0'));
    }
}

void TestTDib::rowsBottomUp()
{
    const int width = 783;
    const int height = 600;
    TDirectDrawSurface surface(width, height);
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clBlack;
    canvas.FillRect(surface.ClientRect());
    canvas.SetPixel(0, 0, 0x030201); // red 1, green 2, blue 3
    canvas.SetPixel(63, 0, clWhite); // the frame pixel of the top row
    canvas.SetPixel(0, height - 1, 0x090807);
    canvas.SetPixel(782, height - 1, 0x0C0B0A);
    TDIB bitmap;
    surface.CaptureTo(bitmap);
    const QByteArray packed = bitmap.packedDib();
    const qint64 s = 2352;
    const qint64 topRow = 40 + s * (height - 1);
    QCOMPARE(bytesAt(packed, topRow, 3), bgr(1, 2, 3));
    QCOMPARE(bytesAt(packed, topRow + 3 * 63, 3), bgr(255, 255, 255));
    QCOMPARE(bytesAt(packed, topRow + 3 * 64, 3), bgr(0, 0, 0));
    QCOMPARE(bytesAt(packed, 40, 3), bgr(7, 8, 9));
    QCOMPARE(bytesAt(packed, 40 + 3 * 782, 3), bgr(10, 11, 12));
}

void TestTDib::bmpFile()
{
    TDirectDrawSurface surface(801, 7);
    fillPattern(surface);
    TDIB bitmap;
    surface.CaptureTo(bitmap);
    const QByteArray file = bitmap.bmpFile();
    const quint32 imageSize = 2404 * 7;
    QCOMPARE(file.left(2), QByteArray("BM"));
    QCOMPARE(u32At(file, 2), 54 + imageSize);
    QCOMPARE(u32At(file, 6), 0u);
    QCOMPARE(u32At(file, 10), 54u);
    QCOMPARE(file.size(), qsizetype(54 + imageSize));
    QCOMPARE(file.mid(14), bitmap.packedDib());
    // An independent reader sees the same picture.
    const QImage read = QImage::fromData(file, "BMP");
    QCOMPARE(firstDifference(read, surface.image()), QString());
}

void TestTDib::saveBmp()
{
    TDirectDrawSurface surface(9, 4);
    fillPattern(surface);
    const TDIB bitmap = TDIB::fromImage(surface.image());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("capture.bmp"));
    bitmap.saveBmp(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bitmap.bmpFile());
}

void TestTDib::saveBmpFailure()
{
    TDIB bitmap;
    bitmap.setSize(2, 2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/capture.bmp"));
    try {
        bitmap.saveBmp(path);
        QFAIL("a file was written");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().contains(QStringLiteral("capture.bmp")), qPrintable(error.text()));
    }
}

void TestTDib::imageRoundTrip()
{
    QImage image(13, 5, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, patternPixel(x, y));
    const TDIB bitmap = TDIB::fromImage(image);
    QCOMPARE(firstDifference(bitmap.toImage(), image), QString());

    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(bitmap.toImage().save(&buffer, "PNG"));
    const QImage read = QImage::fromData(png, "PNG");
    QVERIFY(!read.hasAlphaChannel());
    QCOMPARE(firstDifference(read, image), QString());
}

void TestTDib::refusesImpossibleSizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("negative width") << -1 << 5;
    QTest::newRow("negative height") << 5 << -1;
    QTest::newRow("absurd") << 100000 << 100000;
    QTest::newRow("past 32-bit image size") << 30000 << 23861; // 40 + 90000 * 23861 > 2^31 - 1
}

void TestTDib::refusesImpossibleSizes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    TDIB bitmap;
    bitmap.setSize(2, 3);
    try {
        bitmap.setSize(width, height);
        QFAIL("a bitmap was made");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), QStringLiteral("Bitmap cannot be made"));
    }
    QCOMPARE(bitmap.width(), 2);
    QCOMPARE(bitmap.height(), 3);
}

void TestTDib::emptyBitmap()
{
    TDIB bitmap;
    bitmap.setSize(0, 10);
    QVERIFY(bitmap.isEmpty());
    const QByteArray packed = bitmap.packedDib();
    QCOMPARE(packed.size(), 40);
    QCOMPARE(u32At(packed, 4), 0u);
    QVERIFY(TDIB::fromImage(QImage()).isEmpty());
}

void TestTDib::pixelAccessOutsideIgnored()
{
    TDIB bitmap;
    bitmap.setSize(3, 2);
    const QByteArray before = bitmap.packedDib();
    bitmap.setPixel(3, 0, qRgb(255, 255, 255));
    bitmap.setPixel(0, -1, qRgb(255, 255, 255));
    QCOMPARE(bitmap.packedDib(), before);
    QCOMPARE(bitmap.pixel(3, 0), 0u);
    QCOMPARE(bitmap.pixel(2, 1), qRgb(0, 0, 0));
}

void TestTDib::paintsThroughItsCanvas()
{
    TDIB bitmap;
    bitmap.setSize(5, 4);
    {
        QPainter painter(bitmap.paintDevice());
        painter.fillRect(QRect(-10, -10, 12, 11), QColor(10, 20, 30));
    }
    QCOMPARE(bitmap.pixel(1, 0), qRgb(10, 20, 30));
    QCOMPARE(bitmap.pixel(2, 0), qRgb(0, 0, 0));
    QCOMPARE(bitmap.pixel(0, 1), qRgb(0, 0, 0));
    // The top row is the last one stored: 5 pixels padded to 16 bytes, 3 rows before it.
    QCOMPARE(bytesAt(bitmap.packedDib(), 40 + 16 * 3, 3), bgr(10, 20, 30));
}

void TestTDib::stretchDrawMapsNearest_data()
{
    QTest::addColumn<QSize>("sourceSize");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("same size") << QSize(7, 5) << QRect(2, 3, 7, 5);
    QTest::newRow("larger") << QSize(7, 5) << QRect(2, 3, 23, 11);
    QTest::newRow("smaller") << QSize(7, 5) << QRect(1, 1, 3, 2);
    QTest::newRow("wider, flatter") << QSize(7, 5) << QRect(0, 0, 20, 3);
    QTest::newRow("screen to page") << QSize(783, 12) << QRect(10, 4, 2000, 31);
    QTest::newRow("page to screen") << QSize(783, 12) << QRect(0, 2, 300, 5);
}

// Every pixel of the rectangle is one source pixel, the one nearest the position it maps to
// (within the 1/64 of a pixel that fixed-point stepping may drift); nothing outside changes.
// The painter asks for smooth scaling, which StretchDraw must override.
void TestTDib::stretchDrawMapsNearest()
{
    QFETCH(QSize, sourceSize);
    QFETCH(QRect, rect);
    TDIB bitmap;
    bitmap.setSize(sourceSize.width(), sourceSize.height());
    for (int y = 0; y < sourceSize.height(); ++y)
        for (int x = 0; x < sourceSize.width(); ++x)
            bitmap.setPixel(x, y, positionColour(x, y));

    QImage target(rect.right() + 6, rect.bottom() + 6, QImage::Format_RGB32);
    const QRgb outside = qRgb(1, 2, 3);
    target.fill(outside);
    {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        bitmap.StretchDraw(painter, rect);
    }

    const double tolerance = 0.5 + 1.0 / 64;
    const double xScale = double(sourceSize.width()) / rect.width();
    const double yScale = double(sourceSize.height()) / rect.height();
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const QRgb pixel = target.pixel(x, y);
            if (!rect.contains(x, y)) {
                QCOMPARE(pixel, outside);
                continue;
            }
            QCOMPARE(qBlue(pixel), sourceMarker);
            const int sx = qRed(pixel) | ((qGreen(pixel) & 3) << 8);
            const int sy = qGreen(pixel) >> 2;
            QCOMPARE(pixel, positionColour(sx, sy));
            const double mappedX = (x - rect.left() + 0.5) * xScale;
            const double mappedY = (y - rect.top() + 0.5) * yScale;
            QVERIFY2(std::abs(sx + 0.5 - mappedX) <= tolerance &&
                         std::abs(sy + 0.5 - mappedY) <= tolerance,
                     qPrintable(QStringLiteral("(%1, %2) shows (%3, %4), maps to (%5, %6)")
                                    .arg(x)
                                    .arg(y)
                                    .arg(sx)
                                    .arg(sy)
                                    .arg(mappedX)
                                    .arg(mappedY)));
        }
    }
}

void TestTDib::stretchDrawEmptyRectangle()
{
    TDIB bitmap;
    bitmap.setSize(4, 4);
    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(qRgb(1, 2, 3));
    const QImage before = target.copy();
    {
        QPainter painter(&target);
        bitmap.StretchDraw(painter, QRect(2, 2, 0, 5));
        bitmap.StretchDraw(painter, QRect(8, 8, -4, -4));
        TDIB().StretchDraw(painter, QRect(0, 0, 10, 10));
    }
    QCOMPARE(firstDifference(target, before), QString());
}

QTEST_MAIN(TestTDib)
#include "tst_tdib.moc"
