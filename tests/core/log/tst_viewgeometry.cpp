// KIVO Log Viewer
#include "log/viewgeometry.h"

#include <QtTest>

using namespace kivo;

namespace {

// Every record must be on exactly the row that rowOfRecord names, and no row may show a record
// outside the file: the two functions agree for every position.
void checkConsistent(const ViewGeometry &view)
{
    for (qint64 p = 0; p <= view.scrollMax(); ++p) {
        for (int y = 0; y < view.rows; ++y) {
            const auto record = view.recordOnRow(p, y);
            if (record) {
                QVERIFY(*record >= 0 && *record < view.recordCount);
                QCOMPARE(view.rowOfRecord(p, *record), std::optional<int>(y));
            }
        }
    }
}

} // namespace

class TestViewGeometry : public QObject {
    Q_OBJECT

private slots:
    void longLogTopDown();
    void longLogBottomUp();
    void oneRecordMoreThanRows();
    void shortLogs_data();
    void shortLogs();
    void emptyLog();
    void rowsAgreeWithRecords_data();
    void rowsAgreeWithRecords();
    void zoomedLines_data();
    void zoomedLines();
};

void TestViewGeometry::longLogTopDown()
{
    const ViewGeometry view{1000, 500, 2};
    QVERIFY(view.scrollBarShown());
    QCOMPARE(view.surfaceWidth(), 783);
    QCOMPARE(view.scrollMax(), qint64(500));
    QCOMPARE(view.viewStart(0), qint64(0));
    QCOMPARE(view.recordOnRow(0, 0), std::optional<qint64>(0));
    QCOMPARE(view.readoutRecord(0), std::optional<qint64>(0));
    // At the last position the file's last record is on the bottom row.
    QCOMPARE(view.recordOnRow(500, 0), std::optional<qint64>(500));
    QCOMPARE(view.recordOnRow(500, 499), std::optional<qint64>(999));
    QCOMPARE(view.readoutRecord(499), std::optional<qint64>(499));
    QCOMPARE(view.recordOnRow(0, 500), std::nullopt);
    QCOMPARE(view.recordOnRow(0, -1), std::nullopt);
}

void TestViewGeometry::longLogBottomUp()
{
    const ViewGeometry view{1000, 500, 1};
    QCOMPARE(view.scrollMax(), qint64(500));
    // Position 0 shows the end of the file: record 500 on the bottom row, 999 on the top row.
    QCOMPARE(view.viewStart(0), qint64(500));
    QCOMPARE(view.recordOnRow(0, 499), std::optional<qint64>(500));
    QCOMPARE(view.recordOnRow(0, 0), std::optional<qint64>(999));
    QCOMPARE(view.readoutRecord(0), std::optional<qint64>(999));
    // The last position shows the start: record 0 on the bottom row.
    QCOMPARE(view.viewStart(500), qint64(0));
    QCOMPARE(view.recordOnRow(500, 499), std::optional<qint64>(0));
    QCOMPARE(view.readoutRecord(500), std::optional<qint64>(499));
    QCOMPARE(view.readoutRecord(40), std::optional<qint64>(959));
}

void TestViewGeometry::oneRecordMoreThanRows()
{
    // One record more than rows: a scroll range of one step, and the last record in reach.
    const ViewGeometry down{501, 500, 2};
    QVERIFY(down.scrollBarShown());
    QCOMPARE(down.scrollMax(), qint64(1));
    QCOMPARE(down.recordOnRow(1, 499), std::optional<qint64>(500));
    QCOMPARE(down.readoutRecord(1), std::optional<qint64>(1));

    const ViewGeometry up{501, 500, 1};
    QCOMPARE(up.scrollMax(), qint64(1));
    QCOMPARE(up.recordOnRow(0, 0), std::optional<qint64>(500));
    QCOMPARE(up.readoutRecord(0), std::optional<qint64>(500));
    QCOMPARE(up.recordOnRow(1, 499), std::optional<qint64>(0));
}

void TestViewGeometry::shortLogs_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("firstRecordRow");
    QTest::addColumn<int>("lastRecordRow");
    QTest::addColumn<qint64>("readout");
    QTest::newRow("top-down") << qint64(10) << 2 << 0 << 9 << qint64(0);
    QTest::newRow("bottom-up") << qint64(10) << 1 << 499 << 490 << qint64(9);
    QTest::newRow("exactly rows, top-down") << qint64(500) << 2 << 0 << 499 << qint64(0);
    QTest::newRow("exactly rows, bottom-up") << qint64(500) << 1 << 499 << 0 << qint64(499);
    QTest::newRow("one record, bottom-up") << qint64(1) << 1 << 499 << 499 << qint64(0);
}

void TestViewGeometry::shortLogs()
{
    QFETCH(qint64, count);
    QFETCH(int, direction);
    QFETCH(int, firstRecordRow);
    QFETCH(int, lastRecordRow);
    QFETCH(qint64, readout);
    const ViewGeometry view{count, 500, direction};
    QVERIFY(!view.scrollBarShown());
    QCOMPARE(view.surfaceWidth(), 801);
    QCOMPARE(view.scrollMax(), qint64(0));
    QCOMPARE(view.viewStart(0), qint64(0));
    QCOMPARE(view.rowOfRecord(0, 0), std::optional<int>(firstRecordRow));
    QCOMPARE(view.rowOfRecord(0, count - 1), std::optional<int>(lastRecordRow));
    QCOMPARE(view.rowOfRecord(0, count), std::nullopt);
    QCOMPARE(view.readoutRecord(0), std::optional<qint64>(readout));
    int shown = 0;
    for (int y = 0; y < 500; ++y)
        shown += view.recordOnRow(0, y).has_value();
    QCOMPARE(shown, int(count));
}

void TestViewGeometry::emptyLog()
{
    for (int direction : {1, 2}) {
        const ViewGeometry view{0, 500, direction};
        QVERIFY(!view.scrollBarShown());
        QCOMPARE(view.readoutRecord(0), std::nullopt);
        for (int y = 0; y < 500; ++y)
            QCOMPARE(view.recordOnRow(0, y), std::nullopt);
    }
}

void TestViewGeometry::rowsAgreeWithRecords_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("zoom");
    for (int direction : {1, 2}) {
        for (qint64 count : {0, 1, 7, 8, 9, 30}) {
            const QByteArray name =
                QByteArray::number(count) + " records, direction " + QByteArray::number(direction);
            QTest::newRow(name.constData()) << count << 8 << direction << 1;
        }
        for (qint64 count : {1, 31, 32, 33, 100}) {
            QTest::addRow("%lld records, direction %d, zoom 4", count, direction)
                << count << 8 << direction << 4;
        }
    }
}

void TestViewGeometry::rowsAgreeWithRecords()
{
    QFETCH(qint64, count);
    QFETCH(int, rows);
    QFETCH(int, direction);
    QFETCH(int, zoom);
    const ViewGeometry view{count, rows, direction, zoom};
    checkConsistent(view);
    // The readout record is the top-most record drawn.
    for (qint64 p = 0; p <= view.scrollMax(); ++p) {
        std::optional<qint64> top;
        for (int y = rows - 1; y >= 0; --y) {
            if (const auto record = view.recordOnRow(p, y))
                top = record;
        }
        QCOMPARE(view.readoutRecord(p), top);
    }
}

void TestViewGeometry::zoomedLines_data()
{
    // 1000 records in 100 rows: 250 lines at zoom 4, 63 at zoom 16 (the last one of 8 records).
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<qint64>("scrollMax");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("firstRecord"); // of the row's line; -1 none
    QTest::addColumn<int>("recordsOnRow");
    QTest::addColumn<qint64>("readout");
    QTest::newRow("zoom 4 top") << 2 << 4 << qint64(150) << qint64(0) << 0 << qint64(0) << 4
                                << qint64(0);
    QTest::newRow("zoom 4 row 3 at 10")
        << 2 << 4 << qint64(150) << qint64(10) << 3 << qint64(52) << 4 << qint64(40);
    QTest::newRow("zoom 4 last row at the end")
        << 2 << 4 << qint64(150) << qint64(150) << 99 << qint64(996) << 4 << qint64(600);
    QTest::newRow("zoom 4 bottom-up top row at 0")
        << 1 << 4 << qint64(150) << qint64(0) << 0 << qint64(996) << 4 << qint64(996);
    QTest::newRow("zoom 4 bottom-up bottom row at the end")
        << 1 << 4 << qint64(150) << qint64(150) << 99 << qint64(0) << 4 << qint64(396);
    QTest::newRow("zoom 16 short last line")
        << 2 << 16 << qint64(0) << qint64(0) << 62 << qint64(992) << 8 << qint64(0);
    QTest::newRow("zoom 16 past the lines")
        << 2 << 16 << qint64(0) << qint64(0) << 63 << qint64(-1) << 0 << qint64(0);
    QTest::newRow("zoom 16 bottom-up")
        << 1 << 16 << qint64(0) << qint64(0) << 99 << qint64(0) << 16 << qint64(992);
}

void TestViewGeometry::zoomedLines()
{
    QFETCH(int, direction);
    QFETCH(int, zoom);
    QFETCH(qint64, scrollMax);
    QFETCH(qint64, position);
    QFETCH(int, row);
    QFETCH(qint64, firstRecord);
    QFETCH(int, recordsOnRow);
    QFETCH(qint64, readout);
    const ViewGeometry view{1000, 100, direction, zoom};
    QCOMPARE(view.scrollMax(), scrollMax);
    QCOMPARE(view.readoutRecord(position), std::optional<qint64>(readout));
    const auto first = view.recordOnRow(position, row);
    QCOMPARE(first.value_or(-1), firstRecord);
    if (!first)
        return;
    QCOMPARE(view.recordsOfLine(*view.lineOnRow(position, row)).count, recordsOnRow);
    // Every record of the line is on the row, and bringing any of them to the row scrolls back
    // to this position (where the range allows it).
    for (qint64 record = *first; record < *first + recordsOnRow; ++record) {
        QCOMPARE(view.rowOfRecord(position, record), std::optional<int>(row));
        const qint64 back = view.positionWithRecordOnTop(record, row);
        QCOMPARE(view.recordOnRow(back, row), first);
    }
}

QTEST_GUILESS_MAIN(TestViewGeometry)
#include "tst_viewgeometry.moc"
