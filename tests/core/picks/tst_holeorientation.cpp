// KIVO Log Viewer
#include "log/imagefile.h"
#include "picks/holeorientation.h"
#include "testlog.h"

#include <QtTest>

using namespace kivo;

class TestHoleOrientation : public QObject {
    Q_OBJECT

private slots:
    void fromAngleAndBearing_data();
    void fromAngleAndBearing();
    void nearestRecord_data();
    void nearestRecord();
    void emptyFileHasNone();

private:
    QTemporaryDir m_dir;
};

void TestHoleOrientation::fromAngleAndBearing_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("bearing");
    QTest::addColumn<double>("deviation"); // -1: none
    QTest::addColumn<double>("azimuth");
    QTest::newRow("plain") << 45 << 225 << 45.0 << 225.0;
    QTest::newRow("negative values by magnitude") << -45 << -225 << 45.0 << 225.0;
    QTest::newRow("upward, full turn") << 180 << 360 << 180.0 << 0.0;
    QTest::newRow("past 180: no deviation") << 181 << 10 << -1.0 << 10.0;
    QTest::newRow("past -180: no deviation") << -181 << -400 << -1.0 << 40.0;
    QTest::newRow("extreme int16") << -32768 << -32768 << -1.0 << 8.0;
}

void TestHoleOrientation::fromAngleAndBearing()
{
    QFETCH(int, angle);
    QFETCH(int, bearing);
    QFETCH(double, deviation);
    QFETCH(double, azimuth);
    const HoleOrientation hole = holeOrientation(3, qint16(angle), qint16(bearing));
    QCOMPARE(hole.deviation.value_or(-1.0), deviation);
    QCOMPARE(hole.azimuth, azimuth);
}

void TestHoleOrientation::nearestRecord_data()
{
    QTest::addColumn<bool>("falling");
    QTest::addColumn<double>("depth");
    QTest::addColumn<qint64>("record");
    // Depths in thousandths: rising 1000 1010 1010 1020 1040, falling the same reversed.
    QTest::newRow("rising, exact first") << false << 1.000 << qint64(0);
    QTest::newRow("rising, nearer the first") << false << 1.004 << qint64(0);
    QTest::newRow("rising, halfway: lower record") << false << 1.005 << qint64(0);
    QTest::newRow("rising, nearer the pair") << false << 1.006 << qint64(1);
    QTest::newRow("rising, equal depths: the first") << false << 1.010 << qint64(1);
    QTest::newRow("rising, halfway after a pair") << false << 1.015 << qint64(1);
    QTest::newRow("rising, halfway in a gap") << false << 1.030 << qint64(3);
    QTest::newRow("rising, below the last") << false << 5.0 << qint64(4);
    QTest::newRow("rising, above the first") << false << -1.0 << qint64(0);
    QTest::newRow("falling, halfway: lower record") << true << 1.005 << qint64(2);
    QTest::newRow("falling, halfway before a pair") << true << 1.015 << qint64(1);
    QTest::newRow("falling, deepest") << true << 9.0 << qint64(0);
    QTest::newRow("falling, shallowest") << true << 0.0 << qint64(4);
}

void TestHoleOrientation::nearestRecord()
{
    QFETCH(bool, falling);
    QFETCH(double, depth);
    QFETCH(qint64, record);
    QList<qint32> depths = {1000, 1010, 1010, 1020, 1040};
    if (falling)
        std::reverse(depths.begin(), depths.end());
    QByteArray bytes;
    for (qsizetype k = 0; k < depths.size(); ++k) // each record's angle is its number
        bytes += test::makeRecord(1, depths[k], qint16(200 + k), qint16(k),
                                  [](int) { return test::Rgb{}; });
    const QString path = m_dir.filePath(falling ? "falling.bhx" : "rising.bhx");
    test::writeFile(path, bytes);
    ImageFile file;
    file.OpenImageFile(path, 15);
    OrientationLookup lookup(file, 1);
    const std::optional<HoleOrientation> hole = lookup.at(depth);
    QVERIFY(hole);
    QCOMPARE(hole->record, record);
    QCOMPARE(hole->deviation.value_or(-1.0), double(record));
    QCOMPARE(hole->azimuth, double(200 + record));
    QCOMPARE(lookup.at(depth)->record, record); // again, from the kept depths
}

void TestHoleOrientation::emptyFileHasNone()
{
    const QString path = m_dir.filePath("empty.bhx");
    test::writeFile(path, QByteArray(10, '\0')); // less than one record
    ImageFile file;
    file.OpenImageFile(path, 15);
    OrientationLookup lookup(file, 1);
    QVERIFY(!lookup.at(1.0));
}

QTEST_GUILESS_MAIN(TestHoleOrientation)
#include "tst_holeorientation.moc"
