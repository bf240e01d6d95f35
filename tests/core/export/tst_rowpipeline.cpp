// KIVO Log Viewer
#include "export/rowpipeline.h"
#include "kivoerror.h"

#include <QtTest>

using namespace kivo;

namespace {

constexpr int RowBytes = 5;

// Keeps the first byte of each row it is given; refuses the row failAt, if any.
class RecordingSink : public ImageRowSink {
public:
    explicit RecordingSink(int failAt = -1)
        : m_failAt(failAt)
    {}
    void writeRow(const uchar *rgb) override
    {
        if (int(rows.size()) == m_failAt)
            throw KivoError(QStringLiteral("the disk is full"));
        rows.push_back(rgb[0]);
        ownTail = ownTail && rgb[RowBytes - 1] == uchar(~rgb[0]);
    }
    void finish() override { finished = true; }

    std::vector<uchar> rows;
    bool ownTail = true; // each row arrived whole
    bool finished = false;

private:
    int m_failAt;
};

} // namespace

class TestRowPipeline : public QObject {
    Q_OBJECT

private slots:
    void rowsArriveInOrder_data();
    void rowsArriveInOrder();
    void failureReachesTheCaller_data();
    void failureReachesTheCaller();
    void givenUpWithoutFinishing();
};

void TestRowPipeline::rowsArriveInOrder_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("rowsPerBlock");
    QTest::newRow("within one block") << 3 << 7;
    QTest::newRow("whole blocks") << 70 << 7;
    QTest::newRow("a short last block") << 1000 << 7;
    QTest::newRow("one row a block") << 50 << 1;
}

void TestRowPipeline::rowsArriveInOrder()
{
    QFETCH(int, rows);
    QFETCH(int, rowsPerBlock);
    RecordingSink sink;
    RowPipeline pipeline(sink, RowBytes, rowsPerBlock);
    for (int r = 0; r < rows; ++r) {
        uchar *row = pipeline.nextRow();
        std::fill(row, row + RowBytes, uchar(r));
        row[RowBytes - 1] = uchar(~uchar(r));
    }
    pipeline.finish();
    QVERIFY(sink.finished);
    QVERIFY(sink.ownTail);
    QCOMPARE(int(sink.rows.size()), rows);
    for (int r = 0; r < rows; ++r)
        QCOMPARE(sink.rows[size_t(r)], uchar(r));
}

void TestRowPipeline::failureReachesTheCaller_data()
{
    QTest::addColumn<int>("failAt");
    QTest::newRow("the first row") << 0;
    QTest::newRow("a later block") << 40;
    QTest::newRow("in the last rows, at finish") << 998;
}

// The writer's error comes back to the one handing rows in, soon after, and nothing hangs.
void TestRowPipeline::failureReachesTheCaller()
{
    QFETCH(int, failAt);
    RecordingSink sink(failAt);
    QString told;
    int handedIn = 0;
    try {
        RowPipeline pipeline(sink, RowBytes, 7);
        for (; handedIn < 1000; ++handedIn)
            pipeline.nextRow()[RowBytes - 1] = 0xff;
        pipeline.finish();
    } catch (const KivoError &error) {
        told = error.text();
    }
    QCOMPARE(told, QStringLiteral("the disk is full"));
    QVERIFY(!sink.finished);
    QCOMPARE(int(sink.rows.size()), failAt);
    // No more than the blocks in hand past the failed one.
    QVERIFY(handedIn <= failAt + RowPipeline::Blocks * 7 || handedIn == 1000);
}

void TestRowPipeline::givenUpWithoutFinishing()
{
    RecordingSink sink;
    {
        RowPipeline pipeline(sink, RowBytes, 7);
        for (int r = 0; r < 100; ++r)
            pipeline.nextRow()[0] = uchar(r);
    }
    QVERIFY(!sink.finished);
    QVERIFY(sink.rows.size() <= 100);
}

QTEST_GUILESS_MAIN(TestRowPipeline)
#include "tst_rowpipeline.moc"
