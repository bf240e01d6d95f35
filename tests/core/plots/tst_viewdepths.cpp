// KIVO Log Viewer
#include "log/logsession.h"
#include "plots/viewdepths.h"
#include "testlog.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestViewDepths : public QObject {
    Q_OBJECT

private slots:
    void trackLinesUpWithTheRows_data();
    void trackLinesUpWithTheRows();
};

void TestViewDepths::trackLinesUpWithTheRows_data()
{
    QTest::addColumn<int>("logMode"); // 12: depth grows down the view; 11: up
    QTest::addColumn<int>("zoom");
    QTest::addColumn<qint64>("position");
    for (const int logMode : {12, 11})
        for (const int zoom : {1, 2, 4, 16})
            for (const qint64 position : {qint64(0), qint64(30)})
                QTest::addRow("mode %d, 1:%d, at %lld", logMode, zoom, position)
                    << logMode << zoom << position;
}

// A track of the view's height has each row's depth at that row: the mean of the records the
// row shows (1 mm apart from 0 here, whole lines at every zoom), so that a pick on any of them
// lies within half a row of where the image shows it.
void TestViewDepths::trackLinesUpWithTheRows()
{
    QFETCH(int, logMode);
    QFETCH(int, zoom);
    QFETCH(qint64, position);
    QTemporaryDir dir;
    const QString path =
        writeLog(dir.path(), "log", validHeader(720, logMode), DataFileContent(720, 1008, 0, 1));
    LogSession session;
    session.prepareOpen();
    QVERIFY(session.readHeader(path).accepted());
    session.openDataFile(path);
    const int rows = 40;
    session.setRows(rows);
    session.setZoom(zoom);
    session.setPosition(position);
    const std::optional<TadpoleRange> range = viewDepthRange(session);
    QVERIFY(range);
    const double perRow = (range->bottom - range->top) / (rows - 1);
    for (int y = 0; y < rows; ++y) {
        const auto line = session.geometry().lineOnRow(session.position(), y);
        QVERIFY(line);
        // Records line * zoom to line * zoom + zoom - 1, record k at k mm.
        const double mean = (*line * zoom + (zoom - 1) / 2.0) / 1000.0;
        QVERIFY2(qAbs(range->top + y * perRow - mean) < 0.0006,
                 qPrintable(QStringLiteral("row %1: track %2, records' mean %3")
                                .arg(y)
                                .arg(range->top + y * perRow)
                                .arg(mean)));
    }
}

QTEST_GUILESS_MAIN(TestViewDepths)
#include "tst_viewdepths.moc"
