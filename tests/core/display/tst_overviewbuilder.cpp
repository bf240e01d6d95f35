// KIVO Log Viewer
#include "display/overviewbuilder.h"
#include "display/overviewjob.h"
#include "log/imagefile.h"
#include "log/timageline.h"
#include "shell/jobprogress.h"
#include "testlog.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace kivo;
using namespace kivo::test;

namespace {

// Stops the build at its n-th report.
class StopAfter final : public JobProgress {
public:
    explicit StopAfter(int n)
        : m_left(n)
    {}
    bool advance(qint64, qint64) override { return --m_left > 0; }

private:
    int m_left;
};

} // namespace

class TestOverviewBuilder : public QObject {
    Q_OBJECT

private slots:
    void rowsAreMeansOfRecords_data();
    void rowsAreMeansOfRecords();
    void histogramsCountEverySample();
    void cancelled();
    void jobBuildsInTheBackground();
    void jobCancelledSendsNothing();
};

void TestOverviewBuilder::rowsAreMeansOfRecords_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("expectedRows");
    QTest::addRow("10 records in 3 rows") << 720 << qint64(10) << 3 << 3;
    QTest::addRow("many records per row") << 360 << qint64(5000) << 37 << 37;
    QTest::addRow("one record per row") << 720 << qint64(12) << 12 << 12;
    QTest::addRow("fewer records than rows") << 720 << qint64(7) << 100 << 7;
    QTest::addRow("one row") << 5 << qint64(999) << 1 << 1;
    QTest::addRow("empty log") << 720 << qint64(0) << 50 << 0;
}

void TestOverviewBuilder::rowsAreMeansOfRecords()
{
    QFETCH(int, samples);
    QFETCH(qint64, count);
    QFETCH(int, rows);
    QFETCH(int, expectedRows);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {samples, count});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(samples));
    NoProgress progress;
    const std::optional<Overview> overview = buildOverview(file, samples, rows, progress);
    QVERIFY(overview);
    QCOMPARE(overview->rows(), expectedRows);
    if (expectedRows == 0)
        return;
    QCOMPARE(overview->image.width(), samples);
    // Row r covers records [r * count / rows, (r + 1) * count / rows): equal shares in order.
    for (int r = 0; r < expectedRows; ++r) {
        const qint64 first = r * count / expectedRows, end = (r + 1) * count / expectedRows;
        QCOMPARE(overview->firstRecordOfRow(r), first);
        for (int i = 0; i < samples; i += qMax(1, samples / 50)) {
            double sum[3] = {};
            for (qint64 k = first; k < end; ++k)
                for (int c = 0; c < 3; ++c)
                    sum[c] += patternColour(k, i)[size_t(c)];
            const QRgb pixel = overview->image.pixel(i, r);
            const int got[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
            for (int c = 0; c < 3; ++c)
                QCOMPARE(got[c], int(std::lround(sum[c] / double(end - first))));
        }
    }
}

void TestOverviewBuilder::histogramsCountEverySample()
{
    constexpr int samples = 100;
    constexpr qint64 count = 700;
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {samples, count});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(samples));
    NoProgress progress;
    const auto overview = buildOverview(file, samples, 10, progress);
    QVERIFY(overview);
    ChannelHistograms expected;
    for (qint64 k = 0; k < count; ++k)
        for (int i = 0; i < samples; ++i) {
            const Rgb rgb = patternColour(k, i);
            expected.add(rgb[0], rgb[1], rgb[2]);
        }
    QCOMPARE(overview->histograms.counts, expected.counts);
}

void TestOverviewBuilder::cancelled()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 5000});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    StopAfter stop(2);
    QVERIFY(!buildOverview(file, 720, 100, stop));
}

void TestOverviewBuilder::jobBuildsInTheBackground()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {360, 3000});
    OverviewJob job;
    QSignalSpy finished(&job, &OverviewJob::finished);
    QSignalSpy progressed(&job, &OverviewJob::progressed);
    job.start(path, TImageLine::recordSize(360), 360, 64);
    QVERIFY(job.running());
    QVERIFY(finished.wait(10000));
    QVERIFY(!job.running());
    QVERIFY(!progressed.isEmpty());
    QCOMPARE(progressed.last().at(0).toInt(), 100);
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(360));
    NoProgress progress;
    const auto direct = buildOverview(file, 360, 64, progress);
    const auto fromJob = finished.first().at(0).value<Overview>();
    QCOMPARE(fromJob.image, direct->image);
    QCOMPARE(fromJob.histograms.counts, direct->histograms.counts);
}

void TestOverviewBuilder::jobCancelledSendsNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 20000});
    OverviewJob job;
    QSignalSpy finished(&job, &OverviewJob::finished);
    QSignalSpy progressed(&job, &OverviewJob::progressed);
    job.start(path, TImageLine::recordSize(720), 720, 100);
    job.cancel();
    QVERIFY(!job.running());
    QCoreApplication::processEvents();
    QTest::qWait(50);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(progressed.count(), 0);
}

QTEST_GUILESS_MAIN(TestOverviewBuilder)
#include "tst_overviewbuilder.moc"
