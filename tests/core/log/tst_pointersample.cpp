// KIVO Log Viewer
#include "log/imagefile.h"
#include "log/loglayout.h"
#include "log/pointersample.h"
#include "log/timageline.h"
#include "log/viewgeometry.h"
#include "testlog.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestPointerSample : public QObject {
    Q_OBJECT

private slots:
    void sampleUnderThePointer_data();
    void sampleUnderThePointer();
    void zoomedRowShowsItsAverage();
};

void TestPointerSample::sampleUnderThePointer_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("record"); // -1: none
    QTest::addColumn<int>("sample");
    // 100 records, a view of 40 rows at position 5.
    QTest::newRow("720 samples, top-down") << 720 << 2 << 101 << 3 << qint64(8) << 101;
    QTest::newRow("360 samples, each twice") << 360 << 2 << 101 << 3 << qint64(8) << 50;
    QTest::newRow("bottom-up") << 720 << 1 << 0 << 0 << qint64(94) << 0;
    QTest::newRow("off the image") << 720 << 2 << 720 << 3 << qint64(-1) << 0;
    QTest::newRow("below the rows") << 720 << 2 << 10 << 40 << qint64(-1) << 0;
}

void TestPointerSample::sampleUnderThePointer()
{
    QFETCH(int, samples);
    QFETCH(int, direction);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(qint64, record);
    QFETCH(int, sample);
    QTemporaryDir dir;
    writeDataFile(dir.filePath("log.bhx"), DataFileContent(samples, 100, 2000, 10));
    ImageFile file;
    file.OpenImageFile(dir.filePath("log.bhx"), TImageLine::recordSize(samples));
    LogLayout layout;
    layout.SamplesPerLine = samples;
    const auto found = pointerSample(file, layout, {100, 40, direction}, 5, column, row);
    QCOMPARE(found.has_value(), record >= 0);
    if (!found)
        return;
    QCOMPARE(found->record, record);
    QCOMPARE(found->depth, qint32(2000 + record * 10));
    const Rgb colour = patternColour(record, sample);
    QCOMPARE(found->red, colour[0]);
    QCOMPARE(found->green, colour[1]);
    QCOMPARE(found->blue, colour[2]);
    QCOMPARE(found->bearing, patternBearing(record));
    QCOMPARE(found->azimuth, (column + 0.5) / 2);
}

// At 1:4 row 3 of a view at line 5 shows records 32..35 (depths 2320..2350): the mean depth, the
// samples as drawn (red k: 33.5, green the column's sample 101, blue k + 101: 134.5, both
// halves rounded up) and the first record's angles.
void TestPointerSample::zoomedRowShowsItsAverage()
{
    QTemporaryDir dir;
    writeDataFile(dir.filePath("log.bhx"), DataFileContent(720, 100, 2000, 10));
    ImageFile file;
    file.OpenImageFile(dir.filePath("log.bhx"), TImageLine::recordSize(720));
    LogLayout layout;
    layout.SamplesPerLine = 720;
    const auto found = pointerSample(file, layout, {100, 40, 2, 4}, 5, 101, 3);
    QVERIFY(found.has_value());
    QCOMPARE(found->record, qint64(32));
    QCOMPARE(found->depth, 2335);
    QCOMPARE(found->red, 34);
    QCOMPARE(found->green, 101);
    QCOMPARE(found->blue, 135);
    QCOMPARE(found->bearing, patternBearing(32));
    QCOMPARE(found->angle, patternAngle(32));
}

QTEST_GUILESS_MAIN(TestPointerSample)
#include "tst_pointersample.moc"
