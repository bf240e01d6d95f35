// KIVO Log Viewer
#include "display/tcolor.h"

#include <QtTest>

using namespace kivo;

// Runs without a QGuiApplication: system colours take their classic values.
class TestTColor : public QObject {
    Q_OBJECT

private slots:
    void toRgb_data();
    void toRgb();
};

void TestTColor::toRgb_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QRgb>("rgb");
    QTest::newRow("black") << clBlack << qRgb(0, 0, 0);
    QTest::newRow("white") << clWhite << qRgb(255, 255, 255);
    QTest::newRow("red is the low byte") << TColor(0x0000FF) << qRgb(255, 0, 0);
    QTest::newRow("green") << TColor(0x00FF00) << qRgb(0, 255, 0);
    QTest::newRow("blue is bits 16-23") << TColor(0xFF0000) << qRgb(0, 0, 255);
    QTest::newRow("mixed") << TColor(0x123456) << qRgb(0x56, 0x34, 0x12);
    QTest::newRow("bits 24-30 ignored") << TColor(0x7F123456) << qRgb(0x56, 0x34, 0x12);
    QTest::newRow("button face") << clBtnFace << qRgb(192, 192, 192);
    QTest::newRow("window text") << clWindowText << qRgb(0, 0, 0);
    QTest::newRow("window") << TColor(0x80000005) << qRgb(255, 255, 255);
    QTest::newRow("unknown system colour") << TColor(0x8000001F) << qRgb(192, 192, 192);
    QTest::newRow("top bit and a colour") << TColor(0xFF123456) << qRgb(192, 192, 192);
}

void TestTColor::toRgb()
{
    QFETCH(TColor, color);
    QFETCH(QRgb, rgb);
    QCOMPARE(colorToRgb(color), rgb);
}

QTEST_GUILESS_MAIN(TestTColor)
#include "tst_tcolor.moc"
