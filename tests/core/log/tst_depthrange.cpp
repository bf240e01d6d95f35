// KIVO Log Viewer
#include "log/depthrange.h"
#include "log/viewgeometry.h"

#include <QtTest>

using namespace kivo;

class TestDepthRange : public QObject {
    Q_OBJECT

private slots:
    void recordOnTop_data();
    void recordOnTop();
    void depthEntry_data();
    void depthEntry();
};

void TestDepthRange::recordOnTop_data()
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
void TestDepthRange::recordOnTop()
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

void TestDepthRange::depthEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("depth"); // -1: refused
    QTest::addColumn<QString>("message");
    QTest::newRow("inside") << "12.5" << 12.5 << QString();
    QTest::newRow("an end") << "20" << 20.0 << QString();
    QTest::newRow("outside") << "25" << -1.0 << "Depth out of range! (Range: 20 to 10m)";
    QTest::newRow("no number") << "12,5" << -1.0 << "Invalid value for Depth!";
}

void TestDepthRange::depthEntry()
{
    QFETCH(QString, text);
    QFETCH(double, depth);
    QFETCH(QString, message);
    const DepthEntry entry = checkDepthEntry(text, 20, 10, "m", QLocale::c());
    QCOMPARE(entry.depth.value_or(-1.0), depth);
    QCOMPARE(entry.message, message);
}

QTEST_GUILESS_MAIN(TestDepthRange)
#include "tst_depthrange.moc"
