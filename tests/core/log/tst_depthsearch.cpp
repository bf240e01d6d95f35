// KIVO Log Viewer
#include "log/depthrange.h"
#include "log/depthsearch.h"
#include "log/imagefile.h"
#include "log/timageline.h"
#include "log/viewgeometry.h"
#include "testlog.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestDepthSearch : public QObject {
    Q_OBJECT

private slots:
    void nearestRecord_data();
    void nearestRecord();
    void recordOnTop_data();
    void recordOnTop();
    void depthEntry_data();
    void depthEntry();
};

void TestDepthSearch::nearestRecord_data()
{
    QTest::addColumn<qint32>("firstDepth");
    QTest::addColumn<qint32>("step");
    QTest::addColumn<double>("depth");
    QTest::addColumn<qint64>("record");
    // 1000 records, depths first + k * step thousandths.
    QTest::newRow("exact, increasing") << 5000 << 10 << 5250.0 << qint64(25);
    QTest::newRow("nearer the next") << 5000 << 10 << 5256.0 << qint64(26);
    QTest::newRow("tie to the lower record") << 5000 << 10 << 5255.0 << qint64(25);
    QTest::newRow("above the first") << 5000 << 10 << 0.0 << qint64(0);
    QTest::newRow("below the last") << 5000 << 10 << 1e9 << qint64(999);
    QTest::newRow("exact, decreasing") << 20000 << -10 << 19750.0 << qint64(25);
    QTest::newRow("tie, decreasing") << 20000 << -10 << 19745.0 << qint64(25);
    QTest::newRow("past the end, decreasing") << 20000 << -10 << -1e9 << qint64(999);
}

void TestDepthSearch::nearestRecord()
{
    QFETCH(qint32, firstDepth);
    QFETCH(qint32, step);
    QFETCH(double, depth);
    QFETCH(qint64, record);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, DataFileContent(8, 1000, firstDepth, step));
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(8));
    QCOMPARE(recordNearestDepth(file, depth), std::optional<qint64>(record));
    QCOMPARE(recordDepth(file, record), std::optional<qint32>(firstDepth + qint32(record) * step));
}

void TestDepthSearch::recordOnTop_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("record");
    for (int direction : {1, 2}) {
        for (qint64 record : {0, 1, 500, 959, 960, 999})
            QTest::addRow("direction %d, record %lld", direction, record)
                << direction << qint64(1000) << record;
        QTest::addRow("direction %d, short log", direction) << direction << qint64(10) << qint64(5);
    }
}

// Checked against the geometry's own map of rows to records: the record lands on the top row,
// or, near the end of the scroll range, the position is the range's end nearest to it.
void TestDepthSearch::recordOnTop()
{
    QFETCH(int, direction);
    QFETCH(qint64, count);
    QFETCH(qint64, record);
    const ViewGeometry view{count, 40, direction};
    const qint64 position = view.positionWithRecordOnTop(record);
    QVERIFY(position >= 0 && position <= view.scrollMax());
    if (view.recordOnRow(position, 0) == record)
        return;
    // Not reachable on top: the record is in view, and no other position has it nearer the top.
    QVERIFY(view.rowOfRecord(position, record).has_value());
    QVERIFY(position == 0 || position == view.scrollMax());
}

void TestDepthSearch::depthEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("depth"); // -1: refused
    QTest::addColumn<QString>("message");
    QTest::newRow("inside") << "12.5" << 12.5 << QString();
    QTest::newRow("an end") << "20" << 20.0 << QString();
    QTest::newRow("outside") << "25" << -1.0 << "Depth out of range! (Range: 20 to 10m)";
    QTest::newRow("no number") << "12,5" << -1.0 << "Invalid value for Depth!";
}

void TestDepthSearch::depthEntry()
{
    QFETCH(QString, text);
    QFETCH(double, depth);
    QFETCH(QString, message);
    const DepthEntry entry = checkDepthEntry(text, 20, 10, "m", QLocale::c());
    QCOMPARE(entry.depth.value_or(-1.0), depth);
    QCOMPARE(entry.message, message);
}

QTEST_GUILESS_MAIN(TestDepthSearch)
#include "tst_depthsearch.moc"
