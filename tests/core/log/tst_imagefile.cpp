// KIVO Log Viewer
#include "kivoerror.h"
#include "log/imagefile.h"
#include "log/timageline.h"
#include "testlog.h"

#include <QtTest>

using namespace kivo;
using namespace kivo::test;

class TestImageFile : public QObject {
    Q_OBJECT

private slots:
    void recordCountIgnoresTrailingBytes();
    void readsRecordsInOrder();
    void partialRecordIsNeverARecord();
    void seekPastEndReadsNothing();
    void readAheadAcrossChunks();
    void seekInBuffer_data();
    void seekInBuffer();
    void readsInSteps_data();
    void readsInSteps();
    void fileShrinkingWhileOpen();
    void atEndAfterAShortRead_data();
    void atEndAfterAShortRead();
    void fileGrowingWhileOpen();
    void openErrors_data();
    void openErrors();
    void offsetsBeyondFourGigabytes();
};

void TestImageFile::recordCountIgnoresTrailingBytes()
{
    // 10 000 bytes of 1092-byte records (360 samples): 9 whole records, 172 bytes left over.
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeFile(path, QByteArray(10000, '\x01'));
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(360));
    QCOMPARE(file.recordSize(), qint64(1092));
    QCOMPARE(file.RecordCount(), qint64(9));
}

void TestImageFile::readsRecordsInOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 50, 1000, 10});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    QCOMPARE(file.RecordCount(), qint64(50));
    file.SeekRecord(20, 30);
    for (qint64 k = 20; k < 50; ++k) {
        QVERIFY(!file.AtEnd());
        const uchar *bytes = file.ReadRecordView();
        QVERIFY(bytes);
        const TImageLine line(bytes, 720);
        QCOMPARE(line.Depth(), qint32(1000 + 10 * k));
        QCOMPARE(line.Bearing(), patternBearing(k));
        QCOMPARE(line.Angle(), patternAngle(k));
        QCOMPARE(line.Samples()[3 * 719 + 1], uchar(719 & 0xff));
    }
    QVERIFY(file.AtEnd());
    QVERIFY(!file.ReadRecordView());
}

void TestImageFile::partialRecordIsNeverARecord()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    DataFileContent content(360, 9, 0, 1);
    content.trailing = QByteArray(172, '\x7f');
    writeDataFile(path, content);
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(360));
    file.SeekRecord(8);
    QByteArray buffer(1092, '\x55');
    QCOMPARE(file.ReadRecord(reinterpret_cast<uchar *>(buffer.data())), 1);
    QCOMPARE(TImageLine(reinterpret_cast<const uchar *>(buffer.constData()), 360).Depth(), 8);
    QVERIFY(!file.AtEnd()); // 9828 < 10 000: the trailing bytes are still ahead
    const QByteArray before = buffer;
    QCOMPARE(file.ReadRecord(reinterpret_cast<uchar *>(buffer.data())), 0);
    QCOMPARE(buffer, before); // the buffer keeps its content
    QVERIFY(file.AtEnd());
}

void TestImageFile::seekPastEndReadsNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 5});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    for (qint64 n : {qint64(5), qint64(6), qint64(1) << 40, std::numeric_limits<qint64>::max()}) {
        file.SeekRecord(n);
        QVERIFY(file.AtEnd());
        QVERIFY(!file.ReadRecordView());
    }
    file.SeekRecord(4);
    QVERIFY(file.ReadRecordView());
}

void TestImageFile::readAheadAcrossChunks()
{
    // Large records: a view's worth does not fit in one read-ahead chunk.
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    const int samples = 65536;
    writeDataFile(path, {samples, 40, 0, 100});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(samples));
    file.SeekRecord(3, 1000);
    qint64 k = 3;
    while (const uchar *bytes = file.ReadRecordView()) {
        QCOMPARE(TImageLine(bytes, samples).Depth(), qint32(100 * k));
        QCOMPARE(TImageLine(bytes, samples).Angle(), patternAngle(k));
        ++k;
    }
    QCOMPARE(k, qint64(40));
}

void TestImageFile::seekInBuffer_data()
{
    // After a read of records 10..29 (five of them taken): going back to record n.
    QTest::addColumn<qint64>("n");
    QTest::addColumn<bool>("inBuffer");
    QTest::newRow("first read") << qint64(10) << true;
    QTest::newRow("last read, then on past it") << qint64(29) << true;
    QTest::newRow("the next one") << qint64(15) << true;
    QTest::newRow("before the read") << qint64(9) << false;
    QTest::newRow("after the read") << qint64(30) << false;
    QTest::newRow("negative") << qint64(-1) << false;
    QTest::newRow("far past the end") << std::numeric_limits<qint64>::max() << false;
}

void TestImageFile::seekInBuffer()
{
    QFETCH(qint64, n);
    QFETCH(bool, inBuffer);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 50, 1000, 10});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    file.SeekRecord(10, 20);
    for (int k = 0; k < 5; ++k)
        QVERIFY(file.ReadRecordView());
    QCOMPARE(file.SeekRecordInBuffer(n, 3), inBuffer);
    // A refused seek leaves the reader where it was.
    const qint64 next = inBuffer ? n : 15;
    for (qint64 k = next; k < next + 3; ++k) {
        const uchar *bytes = file.ReadRecordView();
        QVERIFY(bytes);
        QCOMPARE(TImageLine(bytes, 720).Depth(), qint32(1000 + 10 * k));
    }
}

void TestImageFile::readsInSteps_data()
{
    QTest::addColumn<qint64>("stepBytes");
    QTest::addColumn<qint64>("stepRecords"); // what one read takes in
    const qint64 size = TImageLine::recordSize(720);
    QTest::newRow("less than a record") << size / 2 << qint64(1);
    QTest::newRow("three records") << 3 * size << qint64(3);
    QTest::newRow("between records") << 5 * size + size / 2 << qint64(5);
    QTest::newRow("more than the file") << 100 * size << qint64(50);
}

void TestImageFile::readsInSteps()
{
    QFETCH(qint64, stepBytes);
    QFETCH(qint64, stepRecords);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 50, 1000, 10});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    file.readInSteps(stepBytes);
    file.SeekRecord(0, 50);
    QVERIFY(file.ReadRecordView());
    // The read took in one step: its last record is in the buffer, the next one not.
    QVERIFY(file.SeekRecordInBuffer(stepRecords - 1, 50));
    QVERIFY(!file.SeekRecordInBuffer(stepRecords, 50));
    QVERIFY(file.SeekRecordInBuffer(0, 50));
    for (qint64 k = 0; k < 50; ++k) {
        const uchar *bytes = file.ReadRecordView();
        QVERIFY(bytes);
        QCOMPARE(TImageLine(bytes, 720).Depth(), qint32(1000 + 10 * k));
    }
    QVERIFY(!file.ReadRecordView());
}

void TestImageFile::fileShrinkingWhileOpen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 100});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    file.SeekRecord(0, 100);
    QVERIFY(file.ReadRecordView());

    // Another program cuts the file to 10.5 records behind the reader's back.
    QVERIFY(QFile::resize(path, TImageLine::recordSize(720) * 21 / 2));
    file.SeekRecord(5, 100);
    int read = 0;
    while (!file.AtEnd() && file.ReadRecordView())
        ++read;
    QCOMPARE(read, 5);
    QCOMPARE(file.RecordCount(), qint64(10));

    QVERIFY(QFile::resize(path, 0));
    file.SeekRecord(0, 100);
    QVERIFY(file.AtEnd());
    QVERIFY(!file.ReadRecordView());
    QCOMPARE(file.RecordCount(), qint64(0));
}

void TestImageFile::atEndAfterAShortRead_data()
{
    // Cut after the seek, so that only the short read of the chunk can tell where it now ends.
    QTest::addColumn<qint64>("cutTo"); // bytes
    QTest::addColumn<int>("records");  // whole records left
    QTest::addColumn<bool>("atEnd");   // after reading them
    const qint64 size = TImageLine::recordSize(720);
    QTest::newRow("after whole records") << 6 * size << 6 << true;
    QTest::newRow("after one record") << size << 1 << true;
    QTest::newRow("inside a record") << 6 * size + size / 2 << 6 << false;
}

void TestImageFile::atEndAfterAShortRead()
{
    QFETCH(qint64, cutTo);
    QFETCH(int, records);
    QFETCH(bool, atEnd);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 20});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    file.SeekRecord(0, 20);
    QVERIFY(QFile::resize(path, cutTo));

    for (int k = 0; k < records; ++k) {
        QVERIFY(!file.AtEnd());
        QVERIFY(file.ReadRecordView());
    }
    QCOMPARE(file.AtEnd(), atEnd);
    QVERIFY(!file.ReadRecordView()); // a partial record is none
    QVERIFY(file.AtEnd());
}

void TestImageFile::fileGrowingWhileOpen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.bhx");
    writeDataFile(path, {720, 10});
    ImageFile file;
    file.OpenImageFile(path, TImageLine::recordSize(720));
    QCOMPARE(file.RecordCount(), qint64(10));
    writeDataFile(path + ".more", {720, 20});
    QFile more(path + ".more");
    QVERIFY(more.open(QIODevice::ReadOnly));
    QFile grow(path);
    QVERIFY(grow.open(QIODevice::Append));
    grow.write(more.readAll().mid(10 * 2172));
    grow.close();
    QCOMPARE(file.RecordCount(), qint64(20));
    file.SeekRecord(19);
    QVERIFY(file.ReadRecordView());
}

void TestImageFile::openErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing.bhx"
                             << "File not found";
    QTest::newRow("missing directory") << "nodir/x.bhx"
                                       << "File not found";
    QTest::newRow("directory") << "."
                               << "Is a directory";
}

void TestImageFile::openErrors()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    ImageFile file;
    try {
        file.OpenImageFile(path, 2172);
        QFAIL("opening must fail");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), message + ": " + path);
    }
    QVERIFY(!file.isOpen());
}

void TestImageFile::offsetsBeyondFourGigabytes()
{
    // A sparse file of 5 GiB: opening reads nothing, and the last record is where it belongs.
    QTemporaryDir dir;
    const QString path = dir.filePath("big.bhx");
    const qint64 recordSize = TImageLine::recordSize(720);
    const qint64 records = (qint64(5) << 30) / recordSize;
    {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        if (!big.resize((records - 1) * recordSize))
            QSKIP("no sparse files on this file system");
        QVERIFY(big.seek((records - 1) * recordSize));
        big.write(makeRecord(720, 123456789, 7, 8, [](int) { return Rgb{1, 2, 3}; }));
    }
    ImageFile file;
    file.OpenImageFile(path, recordSize);
    QCOMPARE(file.RecordCount(), records);
    file.SeekRecord(records - 1);
    const uchar *bytes = file.ReadRecordView();
    QVERIFY(bytes);
    QCOMPARE(TImageLine(bytes, 720).Depth(), 123456789);
    QCOMPARE(TImageLine(bytes, 720).Bearing(), qint16(7));
    QVERIFY(file.AtEnd());
}

QTEST_GUILESS_MAIN(TestImageFile)
#include "tst_imagefile.moc"
