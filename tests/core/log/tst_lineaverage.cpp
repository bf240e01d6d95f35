// KIVO Log Viewer
#include "log/lineaverage.h"
#include "testlog.h"

#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestLineAverage : public QObject {
    Q_OBJECT

private slots:
    void averages_data();
    void averages();
};

void TestLineAverage::averages_data()
{
    // Each record's three samples are (v, v, 255 - v) for the v listed; depths 1000 + 7k.
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("average");   // of the first two channels, worked by hand
    QTest::addColumn<int>("meanDepth"); // thousandths
    QTest::newRow("one record") << QList<int>{37} << 37 << 1000;
    QTest::newRow("half rounds up") << QList<int>{1, 2} << 2 << 1004; // 1.5, depth 1003.5
    QTest::newRow("below a half") << QList<int>{0, 0, 1} << 0 << 1007;
    QTest::newRow("four records") << QList<int>{10, 11, 13, 200} << 59 << 1011; // 58.5, 1010.5
    QTest::newRow("sixteen whites") << QList<int>(16, 255) << 255 << 1053;      // 1052.5
}

void TestLineAverage::averages()
{
    QFETCH(QList<int>, values);
    QFETCH(int, average);
    QFETCH(int, meanDepth);
    constexpr int samples = 3;
    std::vector<QByteArray> records;
    for (int k = 0; k < values.size(); ++k) {
        const uchar v = uchar(values[k]);
        records.push_back(
            makeRecord(samples, 1000 + 7 * k, qint16(100 + k), qint16(-20 - k), [v](int) {
                return Rgb{v, v, uchar(255 - v)};
            }));
    }
    LineAverage line(samples);
    // Filled twice: clearing forgets the first round.
    for (int round = 0; round < 2; ++round) {
        line.clear();
        for (const QByteArray &bytes : records)
            line.add(TImageLine(reinterpret_cast<const uchar *>(bytes.constData()), samples));
    }
    QCOMPARE(line.count(), int(values.size()));
    const TImageLine shown = line.line();
    for (int i = 0; i < samples; ++i) {
        QCOMPARE(int(shown.Samples()[3 * i]), average);
        QCOMPARE(int(shown.Samples()[3 * i + 1]), average);
        // 255 - v averages to 255 - average where the halves do not round the other way.
        QVERIFY(qAbs(int(shown.Samples()[3 * i + 2]) - (255 - average)) <= 1);
    }
    // The first record's fields; the depths' mean and extent.
    QCOMPARE(shown.Depth(), 1000);
    QCOMPARE(shown.Bearing(), qint16(100));
    QCOMPARE(shown.Angle(), qint16(-20));
    QCOMPARE(line.meanDepth(), meanDepth);
    QCOMPARE(line.minDepth(), 1000);
    QCOMPARE(line.maxDepth(), 1000 + 7 * (int(values.size()) - 1));
}

QTEST_GUILESS_MAIN(TestLineAverage)
#include "tst_lineaverage.moc"
