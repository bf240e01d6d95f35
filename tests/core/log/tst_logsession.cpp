// KIVO Log Viewer
#include "detect/candidatetablemodel.h"
#include "kivoerror.h"
#include "log/logsession.h"
#include "log/readouts.h"
#include "picks/pickcalculator.h"
#include "testlog.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestLogSession : public QObject {
    Q_OBJECT

private slots:
    void init();
    void positionStaysInTheScrollRange_data();
    void positionStaysInTheScrollRange();
    void readoutsFollowThePosition();
    void zoomKeepsTheRecordInPlace_data();
    void zoomKeepsTheRecordInPlace();
    void closeGivesBackTheUnit();
    void unreadableHeaderIsStillNamed();
    void staticNormalisationWaitsForStatistics();
    void candidateDipsFollowTheFallbackDiameter();

private:
    // Opens a log of `count` records, direction 2, in feet.
    void open(LogSession &session, qint64 count);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLogSession::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestLogSession::open(LogSession &session, qint64 count)
{
    const QString path =
        writeLog(m_dir->path(), "log", validHeader(720, 12, "DepthUnit=1\r\n"), {720, count});
    session.prepareOpen();
    QVERIFY(session.readHeader(path).accepted());
    session.openDataFile(path);
}

void TestLogSession::staticNormalisationWaitsForStatistics()
{
    LogSession session;
    open(session, 500);
    // Records 0.01 ft apart: the moving window is 0.5 m = 1.64 ft, 164 records.
    QCOMPARE(session.enhancement().windowRecords, 164);
    QSignalSpy changed(&session, &LogSession::enhancementChanged);
    session.setNormalisation(Normalisation::Static);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!session.enhancement().changesSamples()); // shown as recorded until the statistics
    session.takeRedrawRequest();
    ChannelHistograms histograms;
    histograms.add(10, 20, 30);
    histograms.add(200, 220, 240);
    session.setLogStatistics(histograms);
    QVERIFY(session.state().RedrawPending);
    QCOMPARE(session.takeRedrawRequest(), quint8(RedrawFull));
    QVERIFY(session.enhancement().changesSamples());
    QCOMPARE(int(session.enhancement().staticTables->at(0)[200]), 255);
    session.close();
    QVERIFY(!session.enhancement().staticTables);
    QCOMPARE(session.enhancement().normalisation, Normalisation::Static); // kept for the next log
}

void TestLogSession::positionStaysInTheScrollRange_data()
{
    QTest::addColumn<qint64>("records");
    QTest::addColumn<int>("rows");
    QTest::addColumn<qint64>("asked");
    QTest::addColumn<qint64>("kept");
    QTest::newRow("inside") << qint64(100) << 40 << qint64(25) << qint64(25);
    QTest::newRow("last position") << qint64(100) << 40 << qint64(60) << qint64(60);
    QTest::newRow("past the end") << qint64(100) << 40 << qint64(61) << qint64(60);
    QTest::newRow("negative") << qint64(100) << 40 << qint64(-5) << qint64(0);
    QTest::newRow("log fits the rows") << qint64(30) << 40 << qint64(10) << qint64(0);
}

void TestLogSession::positionStaysInTheScrollRange()
{
    QFETCH(qint64, records);
    QFETCH(int, rows);
    QFETCH(qint64, asked);
    QFETCH(qint64, kept);
    LogSession session;
    open(session, records);
    session.setRows(rows);
    QSignalSpy moved(&session, &LogSession::positionChanged);
    session.setPosition(asked);
    QCOMPARE(session.position(), kept);
    QCOMPARE(moved.count(), kept == 0 ? 0 : 1);

    // Fewer records in view than rows afterwards: the position comes back into the range.
    session.setPosition(records);
    session.setRows(int(records));
    QCOMPARE(session.position(), qint64(0));
}

void TestLogSession::readoutsFollowThePosition()
{
    LogSession session;
    open(session, 100);
    session.setRows(40);
    QSignalSpy changed(&session, &LogSession::readoutsChanged);
    session.setPosition(30);
    session.refreshReadouts();
    QCOMPARE(changed.count(), 1);
    // Direction 2: the top row shows record P; depths step by 10 thousandths.
    QCOMPARE(session.readouts().depth, formatDepthReadout(300, QLocale::system()));
    QCOMPARE(session.readouts().bearing, formatBearingReadout(patternBearing(30)));
}

void TestLogSession::zoomKeepsTheRecordInPlace_data()
{
    // 1000 records, 40 rows, direction 2, depths 10 thousandths apart.
    QTest::addColumn<int>("zoom");
    QTest::addColumn<qint64>("position"); // at 1:1
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("zoomedPosition");
    QTest::addColumn<qint64>("readoutRecord");
    QTest::newRow("1:4 top row") << 4 << qint64(301) << 0 << qint64(75) << qint64(300);
    QTest::newRow("1:4 under the pointer") << 4 << qint64(301) << 20 << qint64(60) << qint64(240);
    QTest::newRow("1:16 near the end") << 16 << qint64(960) << 0 << qint64(23) << qint64(368);
    QTest::newRow("1:2 at the top, pointer low") << 2 << qint64(0) << 39 << qint64(0) << qint64(0);
    QTest::newRow("out of range asks for 1:16")
        << 99 << qint64(500) << 0 << qint64(23) << qint64(368);
    QTest::newRow("1:3 is 1:2") << 3 << qint64(500) << 0 << qint64(250) << qint64(500);
}

// The record on the row stays on it (as far as the scroll range allows), and the readouts
// describe the first record of the top row.
void TestLogSession::zoomKeepsTheRecordInPlace()
{
    QFETCH(int, zoom);
    QFETCH(qint64, position);
    QFETCH(int, row);
    QFETCH(qint64, zoomedPosition);
    QFETCH(qint64, readoutRecord);
    LogSession session;
    open(session, 1000);
    session.setRows(40);
    session.setPosition(position);
    QSignalSpy zoomed(&session, &LogSession::zoomChanged);
    session.setZoom(zoom, row);
    QCOMPARE(zoomed.count(), 1);
    QCOMPARE(session.position(), zoomedPosition);
    QVERIFY(session.state().RedrawPending);
    session.refreshReadouts();
    QCOMPARE(session.readouts().depth,
             formatDepthReadout(qint32(readoutRecord) * 10, QLocale::system()));
    QCOMPARE(session.readouts().bearing, formatBearingReadout(patternBearing(readoutRecord)));
    // Back to 1:1 on the top row: its line's first record is on top.
    session.setZoom(1);
    QCOMPARE(session.position(), readoutRecord);
    QCOMPARE(zoomed.count(), 2);
    session.setZoom(1);
    QCOMPARE(zoomed.count(), 2);
    session.close();
    QCOMPARE(session.zoom(), 1);
}

void TestLogSession::closeGivesBackTheUnit()
{
    LogSession session;
    QCOMPARE(session.depthUnit(), 0);
    open(session, 100);
    QCOMPARE(session.depthUnit(), 1);
    session.setRows(40);
    session.setPosition(50);
    session.refreshReadouts();
    QSignalSpy closed(&session, &LogSession::logClosed);
    QSignalSpy moved(&session, &LogSession::positionChanged);
    session.close();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(moved.count(), 1); // back to 0, so that a scroll bar showing it follows
    QVERIFY(!session.isOpen());
    QVERIFY(!session.state().ImageFile.isOpen());
    QCOMPARE(session.depthUnit(), 0);
    QCOMPARE(session.readouts().depth, QString());
}

void TestLogSession::unreadableHeaderIsStillNamed()
{
    const QString path = m_dir->filePath("bad.bhx");
    writeFile(m_dir->filePath("bad.HED"),
              "[General]\r\nIdent=WL_EXT\r\n[WellInfo]\r\nstep=abc\r\n");
    writeDataFile(path, {720, 10});
    LogSession session;
    session.prepareOpen();
    QVERIFY_THROWS_EXCEPTION(KivoError, session.readHeader(path));
    QCOMPARE(session.state().HeaderFileName, m_dir->filePath("bad.HED"));
    QVERIFY(!session.isOpen());
}

// A diameter given after the search changes the dips the candidates' table shows.
void TestLogSession::candidateDipsFollowTheFallbackDiameter()
{
    LogSession session;
    open(session, 500);
    Pick candidate;
    candidate.trace = {1.2, 0.05, 120.0};
    candidate.confidence = 0.8;
    session.candidates().reset({candidate});
    CandidateTableModel table(session);
    QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
    const auto shownDip = [&] {
        return table.data(table.index(0, CandidateTableModel::TrueDip), Qt::UserRole);
    };
    QVERIFY(!shownDip().isValid()); // the log has no bit size: no dips yet
    double earlier = 0.0;
    for (const double diameter : {3.0, 6.0}) {
        session.setFallbackDiameter(diameter);
        const std::optional<double> dip = session.pickCalculator()->values(candidate).trueDip;
        QVERIFY(dip && *dip != earlier);
        QCOMPARE(shownDip().toDouble(), *dip);
        earlier = *dip;
    }
    QCOMPARE(changed.count(), 2);
    session.close();
}

QTEST_GUILESS_MAIN(TestLogSession)
#include "tst_logsession.moc"
