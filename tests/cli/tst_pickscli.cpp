// KIVO Log Viewer
#include "kivorunner.h"
#include "orientedlog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>

using namespace kivo::test;

namespace {

// The drill-core example: a hole 45 degrees from vertical toward 225, a trace 30 degrees to
// the hole (48 mm · tan 30 in a 96 mm hole) deepest 320 degrees from the low side. It dips
// 70.0 toward 025.
constexpr double Amplitude = 0.048 * 0.57735026918962576;

QStringList pointsOnTrace(double depth, const QList<double> &azimuths)
{
    QStringList arguments;
    for (double phi : azimuths)
        arguments << "--point"
                  << QString::number(depth + Amplitude * std::cos(qDegreesToRadians(phi - 320.0)),
                                     'f', 9) +
                         "," + QString::number(phi);
    return arguments;
}

QJsonDocument json(const KivoRun &run)
{
    return QJsonDocument::fromJson(run.out);
}

const QByteArray PicksHeader =
    "Depth,Amplitude,TroughAzimuth,Diameter,ApparentDip,ApparentDipAzimuth,HoleDeviation,"
    "HoleAzimuth,TrueDip,TrueDipAzimuth,Type,Comment\r\n";

} // namespace

class TestPicksCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fitGivesTheTrueDip();
    void fitRefusals_data();
    void fitRefusals();
    void picksRecomputesEveryFormat();
    void picksWritesOutAndNeverThePicksFile();
    void picksRefusals_data();
    void picksRefusals();
    void feetLogsUseInches();

private:
    QTemporaryDir m_dir;
    QString m_log; // 10.000 to 10.990 m, 45 toward 225 above 10.5 m, no angle below
};

void TestPicksCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_log = writeOrientedLog(
        m_dir.path(), "core",
        validHeader(720, 14, "RunNo1=1\nBitRec1=96\nBitRecFrom1=10\nBitRecTo1=10.5\n"), 100, 10000,
        10, [](qint64 k) {
            return k < 50 ? qMakePair(qint16(45), qint16(-225)) : qMakePair(qint16(181), qint16(0));
        });
    writeFile(m_dir.filePath("core.picks.csv"), PicksHeader + "10.2," +
                                                    QByteArray::number(Amplitude, 'f', 9) +
                                                    ",320,,1,2,3,4,5,6,vein,\"quartz, 2 mm\"\r\n"
                                                    "10.8,0.01,90,96,,,,,,,breakout,\r\n");
}

void TestPicksCli::fitGivesTheTrueDip()
{
    const KivoRun run = runKivo(QStringList{"fit", m_log} + pointsOnTrace(10.2, {0, 90, 200, 300}));
    QCOMPARE(run.exitCode, 0);
    const QJsonObject pick = json(run).object();
    QCOMPARE(pick.keys().size(), 12);
    QVERIFY(std::abs(pick["Depth"].toDouble() - 10.2) < 1e-9);
    QVERIFY(std::abs(pick["Amplitude"].toDouble() - Amplitude) < 1e-9);
    QVERIFY(std::abs(pick["TroughAzimuth"].toDouble() - 320.0) < 1e-6);
    QCOMPARE(pick["Diameter"].toDouble(), 96.0);
    QVERIFY(std::abs(pick["ApparentDip"].toDouble() - 30.0) < 1e-6);
    QCOMPARE(pick["Record"].toInt(), 20);
    QCOMPARE(pick["HoleDeviation"].toDouble(), 45.0);
    QCOMPARE(pick["HoleAzimuth"].toDouble(), 225.0);
    QVERIFY(std::abs(pick["TrueDip"].toDouble() - 70.0) < 0.05);
    QVERIFY(std::abs(pick["TrueDipAzimuth"].toDouble() - 25.0) < 0.05);
    QVERIFY(pick["Residual"].toDouble() < 1e-9);
    // Below the bit record, with a diameter of its own, on a record without an angle.
    const KivoRun deep =
        runKivo(QStringList{"fit", m_log, "--diameter", "96"} + pointsOnTrace(10.8, {0, 120, 240}));
    QCOMPARE(deep.exitCode, 0);
    QCOMPARE(json(deep).object()["Record"].toInt(), 80);
    QVERIFY(json(deep).object()["HoleDeviation"].isNull());
    QVERIFY(json(deep).object()["TrueDip"].isNull());
}

void TestPicksCli::fitRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList three = pointsOnTrace(10.2, {0, 90, 200});
    QTest::newRow("two points") << pointsOnTrace(10.2, {0, 90}) << 1 << "three points";
    QTest::newRow("two azimuths") << pointsOnTrace(10.2, {0, 90, 90, 360}) << 1
                                  << "three different azimuths";
    QTest::newRow("comma decimals")
        << three + QStringList{"--point", "10,25,90"} << 1 << "--point must be DEPTH,AZIMUTH";
    QTest::newRow("not a number") << three + QStringList{"--point", "ten,90"} << 1
                                  << "not 'ten,90'";
    QTest::newRow("bad diameter") << three + QStringList{"--diameter", "-96"} << 1
                                  << "--diameter must be a number more than 0";
    QTest::newRow("no diameter below the bit record")
        << pointsOnTrace(10.8, {0, 120, 240}) << 2 << "no borehole diameter at depth 10.8000 m";
}

void TestPicksCli::fitRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const KivoRun run = runKivo(QStringList{"fit", m_log} + arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(run.out.isEmpty());
}

void TestPicksCli::picksRecomputesEveryFormat()
{
    const KivoRun csv = runKivo({"picks", m_log, "--diameter", "120"});
    QCOMPARE(csv.exitCode, 0);
    const QList<QByteArray> lines = csv.out.split('\n');
    QCOMPARE(lines[0] + "\n", PicksHeader);
    // The derived columns are worked again; the pick's own diameter stays empty.
    QVERIFY2(lines[1].startsWith("10.200000,0.027713,320.0000,,30.00,320.00,45.00,225.00,70.0") &&
                 lines[1].contains(",25.0") && lines[1].endsWith(",vein,\"quartz, 2 mm\"\r"),
             lines[1].constData());
    QVERIFY2(
        lines[2].startsWith("10.800000,0.010000,90.0000,96.0000,11.77,90.00,,0.00,,,breakout,"),
        lines[2].constData());

    const KivoRun js = runKivo({"picks", m_log, "--format", "json"});
    QCOMPARE(js.exitCode, 0);
    const QJsonArray picks = json(js).array();
    QCOMPARE(picks.size(), 2);
    const QJsonObject first = picks[0].toObject();
    QCOMPARE(first.keys().size(), 12);
    QVERIFY(!first.contains("Record") && !first.contains("Residual"));
    QCOMPARE(first["Type"].toString(), QStringLiteral("vein"));
    QCOMPARE(first["Comment"].toString(), QStringLiteral("quartz, 2 mm"));
    QCOMPARE(first["Diameter"].toDouble(), 96.0); // from the bit record
    QVERIFY(std::abs(first["TrueDip"].toDouble() - 70.0) < 0.05);
    QVERIFY(picks[1].toObject()["TrueDipAzimuth"].isNull());
}

void TestPicksCli::picksWritesOutAndNeverThePicksFile()
{
    const QString picks = m_dir.filePath("core.picks.csv");
    QFile file(picks);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    const QString out = m_dir.filePath("export.json");
    const KivoRun run = runKivo({"picks", m_log, "--format", "json", "--out", out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QJsonDocument::fromJson(written.readAll()).array().size(), 2);
    const KivoRun over = runKivo({"picks", m_log, "--out", picks});
    QCOMPARE(over.exitCode, 1);
    QVERIFY(file.seek(0));
    QCOMPARE(file.readAll(), before);
}

void TestPicksCli::picksRefusals_data()
{
    QTest::addColumn<QByteArray>("picksFile"); // empty: none
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QByteArray good = PicksHeader + "10.2,0.01,0,,,,,,,,,\r\n";
    QTest::newRow("bad line") << QByteArray(PicksHeader +
                                            "10.2,0.01,0,,,,,,,,,\r\n10.3,x,0,,,,,,,,,\r\n")
                              << QStringList{} << 2 << "other.csv: line 3: Amplitude 'x'";
    QTest::newRow("no picks file") << QByteArray() << QStringList{} << 2 << "cannot be read";
    QTest::newRow("unknown format")
        << good << QStringList{"--format", "xml"} << 1 << "--format must be csv, json or las";
    QTest::newRow("bad diameter") << good << QStringList{"--diameter", "wide"} << 1
                                  << "--diameter must be";
    QTest::newRow("no diameter") << QByteArray(PicksHeader + "10.75,0.01,0,,,,,,,,,\r\n")
                                 << QStringList{} << 2 << "depth 10.7500 m";
    QTest::newRow("output not writable")
        << good << QStringList{"--out", "/proc/kivo.las"} << 2 << "cannot be written";
}

void TestPicksCli::picksRefusals()
{
    QFETCH(QByteArray, picksFile);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString picks = m_dir.filePath("other.csv");
    QFile::remove(picks);
    if (!picksFile.isEmpty())
        writeFile(picks, picksFile);
    const KivoRun run = runKivo(QStringList{"picks", m_log, "--picks", picks} + arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(run.out.isEmpty());
}

void TestPicksCli::feetLogsUseInches()
{
    // A vertical hole logged in feet, a 6 in bit: 0.25 ft over a 3 in radius is 45 degrees.
    const QString log = writeOrientedLog(
        m_dir.path(), "feet",
        validHeader(720, 12, "DepthUnit=1\nRunNo2=2\nBitRec2=6\nBitRecFrom2=0\nBitRecTo2=100\n"),
        10, 30000, 1000, [](qint64) { return qMakePair(qint16(0), qint16(0)); });
    writeFile(m_dir.filePath("feet.picks.csv"), "depth,amplitude,troughazimuth\n33.0,0.25,120\n");
    const KivoRun run = runKivo({"picks", log, "--format", "json"});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject pick = json(run).array()[0].toObject();
    QCOMPARE(pick["Diameter"].toDouble(), 6.0);
    QVERIFY(std::abs(pick["ApparentDip"].toDouble() - 45.0) < 1e-9);
    QVERIFY(std::abs(pick["TrueDip"].toDouble() - 45.0) < 1e-9);
    QVERIFY(std::abs(pick["TrueDipAzimuth"].toDouble() - 120.0) < 1e-9);
}

QTEST_GUILESS_MAIN(TestPicksCli)
#include "tst_pickscli.moc"
