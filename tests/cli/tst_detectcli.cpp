// KIVO Log Viewer
#include "kivorunner.h"
#include "testlog.h"

#include "demo/tracedwall.h"
#include "demo/tracematch.h"
#include "picks/picksfile.h"

#include <QFile>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray Header =
    "Depth,Amplitude,TroughAzimuth,Diameter,ApparentDip,ApparentDipAzimuth,HoleDeviation,"
    "HoleAzimuth,TrueDip,TrueDipAzimuth,Type,Comment,Confidence\r\n";

} // namespace

class TestDetectCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writesTheCandidates();
    void keepsTheRangeAndConfidence();
    void writesAnEmptyTable();
    void refusals_data();
    void refusals();
    void keepsTheOldFileWhenItCannotWrite();

private:
    QTemporaryDir m_dir;
    QString m_log;
    QList<PlantedTrace> m_planted;
};

void TestDetectCli::initTestCase()
{
    TracedWallDesign design;
    design.records = 3000;
    design.seed = 3;
    TracedWall wall(design);
    m_planted = wall.planted();
    m_log = writeTracedLog(m_dir.path(), "wall", wall);
}

void TestDetectCli::writesTheCandidates()
{
    const QString out = m_dir.filePath("all.csv");
    const KivoRun run = runKivo({"detect", m_log, "--out", out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.isEmpty()); // not a terminal: no progress
    const QByteArray bytes = readAll(out);
    QVERIFY(bytes.startsWith(Header));
    const QList<Pick> candidates = readPicksCsv(bytes);
    for (const Pick &pick : candidates) {
        QCOMPARE(pick.type, QStringLiteral("detected"));
        QVERIFY(pick.confidence && *pick.confidence >= 0.0 && *pick.confidence <= 1.0);
        QVERIFY(!pick.diameter); // from the bit record
    }
    const TraceMatch match = matchTraces(m_planted, candidates);
    QVERIFY2(match.recall() >= 0.85 && match.precision() >= 0.85,
             qPrintable(QStringLiteral("%1 found of %2 planted, %3 candidates")
                            .arg(match.found)
                            .arg(match.planted)
                            .arg(match.candidates)));
    // The apparent dip of the 96 mm bit: atan(2 A / D).
    const QList<QByteArray> first = bytes.split('\n')[1].split(',');
    QCOMPARE(first[4].toDouble(),
             std::round(qRadiansToDegrees(std::atan(2.0 * first[1].toDouble() * 1000.0 / 96.0)) *
                        100.0) /
                 100.0);
}

void TestDetectCli::keepsTheRangeAndConfidence()
{
    const QString out = m_dir.filePath("part.csv");
    const KivoRun run = runKivo({"detect", m_log, "--from", "100.5", "--to", "101.8", "--diameter",
                                 "100", "--min-confidence", "0.6", "--out", out});
    QCOMPARE(run.exitCode, 0);
    const QList<Pick> candidates = readPicksCsv(readAll(out));
    QVERIFY(!candidates.isEmpty());
    for (const Pick &pick : candidates) {
        QVERIFY(pick.trace.depth >= 100.5 && pick.trace.depth <= 101.8);
        QVERIFY(*pick.confidence >= 0.6);
        QCOMPARE(pick.diameter, 100.0);
    }
}

void TestDetectCli::writesAnEmptyTable()
{
    DataFileContent content(720, 2000, 0, 1);
    content.colour = [](qint64, int) {
        return Rgb{120, 120, 120};
    };
    const QString plain = writeLog(m_dir.path(), "plain", validHeader(720), content);
    const QString out = m_dir.filePath("none.csv");
    const KivoRun run = runKivo({"detect", plain, "--diameter", "96", "--out", out});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(out), Header);
}

void TestDetectCli::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString out = "--out=" + m_dir.filePath("refused.csv");
    QTest::newRow("no out") << QStringList{"detect", m_log} << 1 << "--out";
    QTest::newRow("no log") << QStringList{"detect", out} << 1 << "one data file";
    QTest::newRow("confidence above 1")
        << QStringList{"detect", m_log, "--min-confidence", "1.5", out} << 1 << "from 0 to 1";
    QTest::newRow("confidence no number")
        << QStringList{"detect", m_log, "--min-confidence", "high", out} << 1 << "'high'";
    QTest::newRow("bad diameter") << QStringList{"detect", m_log, "--diameter", "-3", out} << 1
                                  << "--diameter";
    QTest::newRow("missing log") << QStringList{"detect", m_dir.filePath("gone.bhx"), out} << 2
                                 << "gone";
    QTest::newRow("no bit size") << QStringList{"detect", m_dir.filePath("plain.bhx"), out} << 2
                                 << "diameter";
}

void TestDetectCli::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const KivoRun run = runKivo(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(!QFile::exists(m_dir.filePath("refused.csv")));
}

void TestDetectCli::keepsTheOldFileWhenItCannotWrite()
{
    const QString folder = m_dir.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString out = folder + "/old.csv";
    writeFile(out, "old\n");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const KivoRun run = runKivoWithFilePermissions({"detect", m_log, "--out", out});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("cannot be written"));
    QCOMPARE(readAll(out), QByteArray("old\n"));
}

QTEST_GUILESS_MAIN(TestDetectCli)
#include "tst_detectcli.moc"
