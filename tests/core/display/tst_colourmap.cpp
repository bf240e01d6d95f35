// KIVO Log Viewer
#include "display/colourmap.h"

#include <QtTest>

Q_DECLARE_METATYPE(kivo::TColourMap)

using namespace kivo;

namespace {

TColourMap built(double brightness, double contrast)
{
    TColourMap map;
    map.Brightness = brightness;
    map.Contrast = contrast;
    BuildColourMap(map);
    return map;
}

} // namespace

class TestColourMap : public QObject {
    Q_OBJECT

private slots:
    void tablesHoldOneValueInThreePlaces();
    void examples_data();
    void examples();
    void halvesRoundToEven_data();
    void halvesRoundToEven();
    void sampleColour_data();
    void sampleColour();
};

void TestColourMap::tablesHoldOneValueInThreePlaces()
{
    for (const auto &[b, c] : {std::pair{0.0, 100.0}, {37.0, 250.0}, {-100.0, 800.0}}) {
        const TColourMap map = built(b, c);
        for (int i = 0; i < 256; ++i) {
            const qint32 m = map.RedTable[i];
            QVERIFY(m >= 0 && m <= 255);
            QCOMPARE(map.GreenTable[i], m << 8);
            QCOMPARE(map.BlueTable[i], m << 16);
        }
    }
}

void TestColourMap::examples_data()
{
    QTest::addColumn<double>("brightness");
    QTest::addColumn<double>("contrast");
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("m");
    QTest::newRow("neutral 0") << 0.0 << 100.0 << 0 << 0;
    QTest::newRow("neutral 128") << 0.0 << 100.0 << 128 << 128;
    QTest::newRow("neutral 255") << 0.0 << 100.0 << 255 << 255;
    QTest::newRow("+20 at 10") << 20.0 << 100.0 << 10 << 30;
    QTest::newRow("+20 at 234") << 20.0 << 100.0 << 234 << 254;
    QTest::newRow("+20 at 235") << 20.0 << 100.0 << 235 << 255;
    QTest::newRow("-100 at 100") << -100.0 << 100.0 << 100 << 0;
    QTest::newRow("-100 at 101") << -100.0 << 100.0 << 101 << 1;
    QTest::newRow("-100 at 255") << -100.0 << 100.0 << 255 << 155;
    QTest::newRow("x2 at 127") << 0.0 << 200.0 << 127 << 254;
    QTest::newRow("x2 at 128") << 0.0 << 200.0 << 128 << 255;
    QTest::newRow("contrast 0") << 0.0 << 0.0 << 200 << 0;
    QTest::newRow("contrast 0, +50") << 50.0 << 0.0 << 200 << 50;
    QTest::newRow("contrast 0, -100") << -100.0 << 0.0 << 255 << 0;
    QTest::newRow("100/800 at 0") << 100.0 << 800.0 << 0 << 100;
    QTest::newRow("100/800 at 19") << 100.0 << 800.0 << 19 << 252;
    QTest::newRow("100/800 at 20") << 100.0 << 800.0 << 20 << 255;
}

void TestColourMap::examples()
{
    QFETCH(double, brightness);
    QFETCH(double, contrast);
    QFETCH(int, i);
    QFETCH(int, m);
    QCOMPARE(int(built(brightness, contrast).mapped(i)), m);
}

void TestColourMap::halvesRoundToEven_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("m");
    QTest::newRow("0.5") << 1 << 0;
    QTest::newRow("1.5") << 3 << 2;
    QTest::newRow("2.5") << 5 << 2;
    QTest::newRow("3.5") << 7 << 4;
    QTest::newRow("127.5") << 255 << 128;
}

void TestColourMap::halvesRoundToEven()
{
    QFETCH(int, i);
    QFETCH(int, m);
    QCOMPARE(int(built(0, 50).mapped(i)), m);
    // Negative halves too: contrast 50, brightness -1 maps 3 to 0.5 -> 0 and 5 to 1.5 -> 2.
    QCOMPARE(int(built(-1, 50).mapped(3)), 0);
    QCOMPARE(int(built(-1, 50).mapped(5)), 2);
}

void TestColourMap::sampleColour_data()
{
    QTest::addColumn<TColourMap>("map");
    QTest::newRow("built neutral") << built(0, 100);
    // Before any build, as the strip renderer starts: neutral too, not black.
    QTest::newRow("new") << TColourMap{};
}

void TestColourMap::sampleColour()
{
    QFETCH(TColourMap, map);
    QCOMPARE(map.RedTable[10] + map.GreenTable[20] + map.BlueTable[30], 0x1E140A);
    for (int i = 0; i < 256; ++i)
        QCOMPARE(map.RedTable[i] + map.GreenTable[i] + map.BlueTable[i], i * 0x010101);
}

QTEST_GUILESS_MAIN(TestColourMap)
#include "tst_colourmap.moc"
