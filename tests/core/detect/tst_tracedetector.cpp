// KIVO Log Viewer
#include "testlog.h"

#include "demo/tracedwall.h"
#include "demo/tracematch.h"
#include "detect/tracedetector.h"
#include "kivoerror.h"

#include <QtTest>

#include <cmath>

using namespace kivo;

namespace {

// A plain grey wall crossed by one dark trace 4 records thick, drawn here from the README's
// conventions: column j at azimuth (j + 0.5) / 2, depth c + A·cos(φ − trough), the records
// 1 mm apart from 50 m (or down from 50 m), the trace hidden over `hidden` of the
// circumference from azimuth 0.
QString oneTraceLog(const QString &dir, double centre, double amplitude, double trough,
                    double hidden, qint32 step)
{
    test::DataFileContent content(720, 1200, 50000, step);
    content.colour = [=](qint64 k, int i) -> test::Rgb {
        const double phi = (i + 0.5) / 2.0;
        const double depth = 50000.0 + double(step) * double(k);
        const double trace = centre + amplitude * std::cos(qDegreesToRadians(phi - trough));
        const bool dark = std::abs(depth - trace) < 2.0 && phi >= 360.0 * hidden;
        const auto grey = uchar(dark ? 70 : 160 + (k * 7 + i * 13) % 9);
        return {grey, grey, grey};
    };
    return test::writeLog(dir, "one", test::validHeader(720), content);
}

DetectRequest wholeLog(const QString &path, qint64 records, int threads = 2)
{
    DetectRequest request;
    request.dataPath = path;
    request.lastRecord = records - 1;
    request.diameter = TracedWall::Diameter;
    request.threads = threads;
    return request;
}

class Stopper final : public JobProgress {
public:
    bool advance(qint64 done, qint64 total) override
    {
        calls++;
        last = done;
        beyond = beyond || done > total;
        return false;
    }
    int calls = 0;
    qint64 last = -1;
    bool beyond = false;
};

} // namespace

class TestTraceDetector : public QObject {
    Q_OBJECT

private slots:
    void findsOneTrace_data();
    void findsOneTrace();
    void findsPlantedTraces();
    void ignoresWallsWithoutTraces_data();
    void ignoresWallsWithoutTraces();
    void sameResultOnAnyThreadCount();
    void stopsWhenAsked();
    void refusesNoDiameter();

private:
    QTemporaryDir m_dir;
};

void TestTraceDetector::findsOneTrace_data()
{
    QTest::addColumn<double>("amplitude"); // mm
    QTest::addColumn<double>("trough");
    QTest::addColumn<double>("hidden");
    QTest::addColumn<int>("step"); // thousandths of a metre from record to record
    QTest::newRow("dip 10, trough 30") << 8.5 << 30.0 << 0.0 << 1;
    QTest::newRow("dip 45, trough 200") << 48.0 << 200.0 << 0.0 << 1;
    QTest::newRow("dip 70, trough 330") << 131.9 << 330.0 << 0.0 << 1;
    QTest::newRow("a third hidden") << 30.0 << 100.0 << 0.35 << 1;
    // Depth falls as the records go on: the trough is still the deepest point.
    QTest::newRow("depths falling") << 40.0 << 260.0 << 0.0 << -1;
}

void TestTraceDetector::findsOneTrace()
{
    QFETCH(double, amplitude);
    QFETCH(double, trough);
    QFETCH(double, hidden);
    QFETCH(int, step);
    const double centre = 50000.0 + step * 600.0;
    const QString path = oneTraceLog(m_dir.path(), centre, amplitude, trough, hidden, step);
    const DetectResult result = detectTraces(wholeLog(path, 1200));
    QCOMPARE(result.candidates.size(), 1);
    const Pick &pick = result.candidates.first();
    QCOMPARE(pick.type, QStringLiteral("detected"));
    QVERIFY(pick.confidence && *pick.confidence > 0.0 && *pick.confidence <= 1.0);
    QVERIFY2(std::abs(pick.trace.depth * 1000.0 - centre) < 1.0,
             qPrintable(QString::number(pick.trace.depth, 'f', 4)));
    QVERIFY2(std::abs(pick.trace.amplitude * 1000.0 - amplitude) < 1.0,
             qPrintable(QString::number(pick.trace.amplitude * 1000.0)));
    const double turn = std::abs(pick.trace.troughAzimuth - trough);
    QVERIFY2(std::min(turn, 360.0 - turn) < 2.0,
             qPrintable(QString::number(pick.trace.troughAzimuth)));
}

void TestTraceDetector::findsPlantedTraces()
{
    // Two generated walls of 4 m: blobs, bands, shading, noise and about eighteen traces.
    TraceMatch total;
    for (quint32 seed : {11u, 12u}) {
        TracedWallDesign design;
        design.records = 4000;
        design.seed = seed;
        TracedWall wall(design);
        const QString path = writeTracedLog(m_dir.path(), QStringLiteral("wall%1").arg(seed), wall);
        const TraceMatch match =
            matchTraces(wall.planted(), detectTraces(wholeLog(path, design.records)).candidates);
        total.planted += match.planted;
        total.candidates += match.candidates;
        total.found += match.found;
    }
    QVERIFY(total.planted >= 12);
    QVERIFY2(total.recall() >= 0.85, qPrintable(QString::number(total.recall())));
    QVERIFY2(total.precision() >= 0.85, qPrintable(QString::number(total.precision())));
}

void TestTraceDetector::ignoresWallsWithoutTraces_data()
{
    QTest::addColumn<bool>("bands");
    QTest::addColumn<bool>("blobs");
    QTest::addColumn<bool>("shading");
    QTest::addColumn<double>("noise");
    QTest::newRow("bands") << true << false << false << 0.0;
    QTest::newRow("blobs") << false << true << false << 0.0;
    QTest::newRow("shading") << false << false << true << 0.0;
    QTest::newRow("noise") << false << false << false << 10.0;
    QTest::newRow("heavy noise") << false << false << false << 25.0;
    QTest::newRow("all of them") << true << true << true << 10.0;
}

void TestTraceDetector::ignoresWallsWithoutTraces()
{
    QFETCH(bool, bands);
    QFETCH(bool, blobs);
    QFETCH(bool, shading);
    QFETCH(double, noise);
    TracedWallDesign design;
    design.records = 4000;
    design.seed = 5;
    design.traces = false;
    design.bands = bands;
    design.blobs = blobs;
    design.shading = shading;
    design.noise = noise;
    TracedWall wall(design);
    QVERIFY(wall.planted().isEmpty());
    const QString path = writeTracedLog(m_dir.path(), QTest::currentDataTag(), wall);
    const QList<Pick> candidates = detectTraces(wholeLog(path, design.records)).candidates;
    QVERIFY2(
        candidates.isEmpty(),
        qPrintable(candidates.isEmpty() ? QString() : QString::number(candidates[0].trace.depth)));
}

void TestTraceDetector::sameResultOnAnyThreadCount()
{
    // Five windows, so that the two threads share them differently from one.
    TracedWallDesign design;
    design.records = 9000;
    design.seed = 21;
    TracedWall wall(design);
    const QString path = writeTracedLog(m_dir.path(), "threads", wall);
    const QList<Pick> one = detectTraces(wholeLog(path, design.records, 1)).candidates;
    const QList<Pick> two = detectTraces(wholeLog(path, design.records, 2)).candidates;
    QVERIFY(one.size() >= 15);
    QCOMPARE(two, one);
}

void TestTraceDetector::stopsWhenAsked()
{
    TracedWallDesign design;
    design.records = 3000;
    TracedWall wall(design);
    const QString path = writeTracedLog(m_dir.path(), "stopped", wall);
    Stopper stopper;
    const DetectResult result = detectTraces(wholeLog(path, design.records), &stopper);
    QVERIFY(result.cancelled);
    QVERIFY(result.candidates.isEmpty());
    QCOMPARE(stopper.calls, 1);
    QVERIFY(!stopper.beyond);
}

void TestTraceDetector::refusesNoDiameter()
{
    DetectRequest request = wholeLog(m_dir.filePath("none.bhx"), 10);
    request.diameter = 0.0;
    QVERIFY_THROWS_EXCEPTION(KivoError, detectTraces(request));
}

QTEST_GUILESS_MAIN(TestTraceDetector)
#include "tst_tracedetector.moc"
