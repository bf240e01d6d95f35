// KIVO Log Viewer
#include "display/tdib.h"
#include "kivoerror.h"
#include "pixelbounds.h"
#include "print/printscreen.h"

#include <QPainter>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

TDIB solidCapture(int width, int height, QRgb colour)
{
    TDIB capture;
    capture.setSize(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            capture.setPixel(x, y, colour);
    }
    return capture;
}

QImage printedPage(const QSize &size, const TDIB &capture, int orientationMode)
{
    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    drawPrintScreen(painter, page.rect(), capture,
                    PrintScale::compute(size.width(), capture.width(), orientationMode));
    return page;
}

} // namespace

class TestPrintScreen : public QObject {
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void ticksOfTheExamplePage();
    void letters_data();
    void letters();
    void emptySurfaceIsAnError_data();
    void emptySurfaceIsAnError();
    void pageHasScaleBandAndCapture();
    void lettersFollowTheOrientationMode();
};

void TestPrintScreen::geometry_data()
{
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("surfaceWidth");
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("step");
    QTest::newRow("example: 392.34 and 220.4") << 4800 << 783 << 392 << 220;
    QTest::newRow("no scroll bar") << 4800 << 801 << 383 << 220;
    QTest::newRow("A4 at 96 per inch") << 767 << 783 << 62 << 35;
    QTest::newRow("exact multiple, not 63.99") << 49 << 49 << 64 << 0;
    QTest::newRow("page as wide as column 64") << 100 << 64 << 100 << 0;
    QTest::newRow("page narrower than the depth scale") << 3 << 3 << 64 << -3;
    QTest::newRow("large page") << 2000000000 << 783 << 163473818 << 91826309;
}

void TestPrintScreen::geometry()
{
    QFETCH(int, pageWidth);
    QFETCH(int, surfaceWidth);
    QFETCH(int, x0);
    QFETCH(int, step);
    const PrintScale scale = PrintScale::compute(pageWidth, surfaceWidth, 1);
    QCOMPARE(scale.x0, x0);
    QCOMPARE(scale.step, step);
    for (int i = 0; i < PrintScale::Ticks; ++i)
        QCOMPARE(scale.ticks[size_t(i)], x0 + step * i);
}

void TestPrintScreen::ticksOfTheExamplePage()
{
    const PrintScale scale = PrintScale::compute(4800, 783, 1);
    QCOMPARE(scale.ticks.front(), 392);
    QCOMPARE(scale.ticks[1], 612);
    QCOMPARE(scale.ticks.back(), 4792);
    QCOMPARE(scale.letters.back().x, 4772);
}

void TestPrintScreen::letters_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("letters");
    QTest::newRow("compass") << 1 << "NESWN";
    QTest::newRow("tool") << 2 << "DLURD";
    QTest::newRow("zero") << 0 << "DLURD";
    QTest::newRow("three") << 3 << "DLURD";
    QTest::newRow("negative") << -1 << "DLURD";
}

void TestPrintScreen::letters()
{
    QFETCH(int, mode);
    QFETCH(QString, letters);
    const PrintScale scale = PrintScale::compute(4800, 783, mode);
    // Ticks 0, 5, 10, 15, 20 at 392, 1492, 2592, 3692, 4792.
    const int x[] = {392, 1482, 2582, 3682, 4772};
    for (int j = 0; j < 5; ++j) {
        QCOMPARE(scale.letters[size_t(j)].text, QString(letters[j]));
        QCOMPARE(scale.letters[size_t(j)].x, x[j]);
    }
}

void TestPrintScreen::emptySurfaceIsAnError_data()
{
    QTest::addColumn<int>("surfaceWidth");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -783;
}

void TestPrintScreen::emptySurfaceIsAnError()
{
    QFETCH(int, surfaceWidth);
    QVERIFY_THROWS_EXCEPTION(KivoError, PrintScale::compute(4800, surfaceWidth, 1));
}

void TestPrintScreen::pageHasScaleBandAndCapture()
{
    const QRgb red = qRgb(200, 30, 30);
    // x0 = 810 * 64 / 160 = 324, step = 486 div 20 = 24: ticks 324 to 804.
    const QImage page = printedPage(QSize(810, 600), solidCapture(160, 40, red), 1);
    for (int i = 0; i <= 20; ++i) {
        const int x = 324 + 24 * i;
        for (int y = 35; y < 50; ++y)
            QVERIFY2(isBlack(page, x, y), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        QVERIFY(!isBlack(page, x, 34));
        QVERIFY(!isBlack(page, x + 1, 42));
        QVERIFY(!isBlack(page, x - 1, 42));
    }
    QVERIFY(darkBounds(page, QRect(0, 35, 324, 15)).isEmpty()); // no tick over the depth scale
    // The capture fills the page below the band, the whole width and to the bottom.
    for (const QPoint at :
         {QPoint(0, 50), QPoint(809, 50), QPoint(0, 599), QPoint(809, 599), QPoint(400, 300)})
        QCOMPARE(page.pixel(at) & 0xFFFFFF, red & 0xFFFFFF);
    QCOMPARE(page.pixel(5, 49) & 0xFFFFFF, 0xFFFFFFu);
    // Letters stand in the band above the ticks, from y 0.
    const QRect letters = darkBounds(page, QRect(0, 0, 810, 35));
    QVERIFY(!letters.isEmpty());
    QVERIFY2(letters.top() <= 6, qPrintable(QString::number(letters.top())));
    QVERIFY2(letters.left() >= 324 && letters.left() <= 328,
             qPrintable(QString::number(letters.left())));
    // The last letter is drawn 20 units left of its tick, the middle ones 10.
    QVERIFY2(letters.right() < 804, qPrintable(QString::number(letters.right())));
    const QRect east = darkBounds(page, QRect(324 + 120 - 12, 0, 24, 35));
    QVERIFY2(east.left() >= 324 + 120 - 10 && east.left() <= 324 + 120 - 6,
             qPrintable(QString::number(east.left())));
}

void TestPrintScreen::lettersFollowTheOrientationMode()
{
    const TDIB capture = solidCapture(160, 40, qRgb(0, 0, 255));
    const QImage compass = printedPage(QSize(810, 600), capture, 1);
    const QImage tool = printedPage(QSize(810, 600), capture, 2);
    QVERIFY(compass.copy(0, 0, 810, 35) != tool.copy(0, 0, 810, 35));
    QCOMPARE(compass.copy(0, 35, 810, 565), tool.copy(0, 35, 810, 565));
    QCOMPARE(printedPage(QSize(810, 600), capture, 7), tool);
}

QTEST_MAIN(TestPrintScreen)
#include "tst_printscreen.moc"
