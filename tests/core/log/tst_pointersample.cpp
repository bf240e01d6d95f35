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

QTEST_GUILESS_MAIN(TestPointerSample)
#include "tst_pointersample.moc"
