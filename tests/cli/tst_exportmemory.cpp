// KIVO Log Viewer
#include "kivorunner.h"
#include "testlog.h"

#include <QFile>
#include <QtTest>

#include <sys/resource.h>

using namespace kivo::test;

// The one kivo this program runs: the peak resident memory of its children is kivo's own.
class TestExportMemory : public QObject {
    Q_OBJECT

private slots:
    void memoryStaysBoundedOnALargeLog();
};

// A sparse log of 800 MB (368 000 records, mostly zeros) exported whole to TIFF: an image of the
// whole range held in memory would take 800 MB.
void TestExportMemory::memoryStaysBoundedOnALargeLog()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer's shadow memory is no measure of the program's");
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    constexpr qint64 Records = 368000;
    constexpr qint64 RecordSize = 3 * 720 + 12;
    const QString log = writeLog(dir.path(), "large", validHeader(720), DataFileContent(720, 1));
    QFile data(log);
    QVERIFY(data.resize(Records * RecordSize));
    // The last record's depth, so that the depths run down the log.
    QVERIFY(data.open(QIODevice::ReadWrite));
    QVERIFY(data.seek((Records - 1) * RecordSize));
    data.write(makeRecord(720, qint32(Records), 0, 0, [](int) { return Rgb{1, 2, 3}; }));
    data.close();

    const QString out = dir.filePath("large.tif");
    const KivoRun run = runKivo({"export", log, "--out", out});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray::number(Records) + " rows written\n");
    QCOMPARE(QFile(out).size() > Records * 720 * 3, true);
    rusage usage{};
    QCOMPARE(getrusage(RUSAGE_CHILDREN, &usage), 0);
    const qint64 peakMegabytes = usage.ru_maxrss / 1024;
    QVERIFY2(peakMegabytes < 100, qPrintable(QStringLiteral("%1 MB").arg(peakMegabytes)));
}

QTEST_GUILESS_MAIN(TestExportMemory)
#include "tst_exportmemory.moc"
