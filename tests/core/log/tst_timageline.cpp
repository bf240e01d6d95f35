// KIVO Log Viewer
#include "log/timageline.h"
#include "testlog.h"

#include <QtTest>

#include <climits>
#include <cstring>

using namespace kivo;
using namespace kivo::test;

class TestTImageLine : public QObject {
    Q_OBJECT

private slots:
    void writtenRecordReadsBack_data();
    void writtenRecordReadsBack();
};

void TestTImageLine::writtenRecordReadsBack_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("bearing");
    QTest::addColumn<int>("angle");
    QTest::newRow("720 samples") << 720 << 1500 << 359 << 3;
    QTest::newRow("one sample, negative values") << 1 << -20 << -45 << -180;
    QTest::newRow("extremes") << 65536 << INT_MAX << SHRT_MIN << SHRT_MAX;
}

void TestTImageLine::writtenRecordReadsBack()
{
    QFETCH(int, samples);
    QFETCH(int, depth);
    QFETCH(int, bearing);
    QFETCH(int, angle);
    const auto colour = [](int i) {
        return patternColour(7, i);
    };
    const QByteArray expected = makeRecord(samples, depth, qint16(bearing), qint16(angle), colour);
    QCOMPARE(TImageLine::recordSize(samples), qint64(expected.size()));

    // Garbage first: the unused bytes must be written too.
    QByteArray record(expected.size(), '\xA5');
    auto *bytes = reinterpret_cast<uchar *>(record.data());
    TImageLine::writeFields(bytes, samples, depth, qint16(bearing), qint16(angle));
    for (int i = 0; i < samples; ++i)
        std::memcpy(bytes + TImageLine::SamplesOffset + 3 * i, colour(i).data(), 3);
    QCOMPARE(record, expected);

    const TImageLine line(bytes, samples);
    QCOMPARE(int(line.Depth()), depth);
    QCOMPARE(int(line.Bearing()), bearing);
    QCOMPARE(int(line.Angle()), angle);
}

QTEST_GUILESS_MAIN(TestTImageLine)
#include "tst_timageline.moc"
