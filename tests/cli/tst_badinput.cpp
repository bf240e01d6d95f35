// KIVO Log Viewer
#include "kivorunner.h"
#include "testlog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QtTest>

using namespace kivo::test;

namespace {

QJsonObject infoJson(const KivoRun &run)
{
    return QJsonDocument::fromJson(run.out).object();
}

} // namespace

// Every bad file the field sends us, and what the user is told. The viewer opens logs through
// the same code as `kivo info`, so its message boxes carry the same texts.
class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void badHeaders_data();
    void badHeaders();
    void hugeHeaderOpens();
    void memoryExhaustedExitsTwo();
    void longValuesAreCut();
    void headerThatIsADirectory();
    void unreadableHeader();
    void sampleCounts_data();
    void sampleCounts();
    void dataFileSizes_data();
    void dataFileSizes();
    void missingDataFile();
    void sparseFiveGigabytes();
    void awkwardNames_data();
    void awkwardNames();
    void headerOnlyInAnotherCase();
    void symbolicLink();
    void unreadableDirectory();
};

void TestBadInput::badHeaders_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // on stderr, or the sample count read when accepted

    QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("not a text file") << png << 2 << "does not identify a log";
    QByteArray junk(4096, '\0');
    QRandomGenerator random(7);
    for (char &c : junk)
        c = char(random.bounded(256));
    QTest::newRow("binary junk") << junk << 2 << "does not identify a log";
    QTest::newRow("only [") << QByteArray("[") << 2 << "does not identify a log";
    static const char withNuls[] = "[General]\nIdent=WL_EXT\0junk\n[Channel1]\nSampleCount=720\0\n";
    QTest::newRow("NUL inside values") << QByteArray(withNuls, sizeof withNuls - 1) << 0 << "720";
    QTest::newRow("duplicate sections and keys")
        << QByteArray("[General]\nIdent=WL_EXT\n[Channel1]\nSampleCount=720\nSampleCount=1\n"
                      "[Channel1]\nSampleCount=360\n")
        << 0 << "720";
    QTest::newRow("key before any section")
        << QByteArray("SampleCount=360\n[General]\nIdent=WL_EXT\n[Channel1]\nSampleCount=720\n")
        << 0 << "720";
    QTest::newRow("CR-only line ends")
        << QByteArray("[General]\rIdent=WL_EXT\r[Channel1]\rSampleCount=360\r") << 0 << "360";
    QTest::newRow("wrong identity")
        << QByteArray("[General]\nIdent=WL-EXT\n") << 2 << "Invalid Header!";
    QTest::newRow("malformed number") << validHeader(720, 12, "GroundLevel=12 m\n") << 2
                                      << "'12 m' is not a valid floating point value";
}

void TestBadInput::badHeaders()
{
    QFETCH(QByteArray, header);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString log = writeLog(dir.path(), "bad", header, DataFileContent(720, 5));
    const KivoRun run = runKivo({"info", log});
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 0)
        QCOMPARE(infoJson(run)["layout"].toObject()["SamplesPerLine"].toInt(), message.toInt());
    else
        QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
}

void TestBadInput::hugeHeaderOpens()
{
    // 100 MB of remarks after a good header: read in one pass, the log opens.
    QTemporaryDir dir;
    QByteArray header = validHeader(720);
    const QByteArray filler = ";" + QByteArray(99, 'x') + "\n";
    header.reserve(header.size() + 100 * 1024 * 1024);
    while (header.size() < 100 * 1024 * 1024)
        header += filler;
    const QString log = writeLog(dir.path(), "huge", header, DataFileContent(720, 5));
    const KivoRun run = runKivo({"info", log});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(infoJson(run)["layout"].toObject()["RecordCount"].toInt(), 5);
}

void TestBadInput::memoryExhaustedExitsTwo()
{
#ifdef __SANITIZE_ADDRESS__
    QSKIP("the sanitizers' shadow memory does not fit under an address space limit");
#endif
    // An 8 GiB header (sparse, nothing written) with 1 GB of address space: reading it fails
    // for want of memory, which no command catches for itself.
    QTemporaryDir dir;
    const QString log = writeLog(dir.path(), "big", validHeader(720), DataFileContent(720, 5));
    QVERIFY(QFile::resize(dir.filePath("big.HED"), qint64(8) << 30));
    const auto run = runKivoWithMemoryLimit(1000 * 1000 * 1000, {"info", log});
    if (!run)
        QSKIP("prlimit is not installed");
    QCOMPARE(run->exitCode, 2);
    QCOMPARE(run->err, "kivo: There is not enough memory to go on; the program stops\n");
    QCOMPARE(run->out, QByteArray());
}

void TestBadInput::longValuesAreCut()
{
    QTemporaryDir dir;
    const QByteArray extra =
        "Comment1=" + QByteArray(1023, 'a') + "\nComment2=" + QByteArray(1024, 'b') +
        "\nComment3=" + QByteArray(5000, 'c') + "\nComment4=" + QByteArray(1024 * 1024, 'd') + "\n";
    const QString log = writeLog(dir.path(), "long", validHeader(720, 12, extra), {720, 1});
    const KivoRun run = runKivo({"info", log});
    QCOMPARE(run.exitCode, 0);
    const QJsonArray comments = infoJson(run)["header"].toObject()["Comment"].toArray();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(comments[i].toString().size(), 1023);
}

void TestBadInput::headerThatIsADirectory()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("log.HED"));
    writeDataFile(dir.filePath("log.bhx"), DataFileContent(720, 5));
    const KivoRun run = runKivo({"info", dir.filePath("log.bhx")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(dir.filePath("log.HED").toUtf8()), run.err.constData());
}

void TestBadInput::unreadableHeader()
{
    QTemporaryDir dir;
    const QString log = writeLog(dir.path(), "locked", validHeader(720), {720, 5});
    QFile::setPermissions(dir.filePath("locked.HED"), QFile::WriteOwner);
    const KivoRun run = runKivoWithFilePermissions({"info", log});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("Cannot read"), run.err.constData());
}

void TestBadInput::sampleCounts_data()
{
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<int>("recordSize"); // 0: refused
    QTest::newRow("0") << QByteArray("0") << 0;
    QTest::newRow("-1") << QByteArray("-1") << 0;
    QTest::newRow("729") << QByteArray("729") << 2199;
    QTest::newRow("730") << QByteArray("730") << 2202;
    QTest::newRow("65536") << QByteArray("65536") << 196620;
    QTest::newRow("65537") << QByteArray("65537") << 0;
    QTest::newRow("2^31-1") << QByteArray("2147483647") << 0;
    QTest::newRow("32-bit record size") << QByteArray("0x55555556") << 0;
}

void TestBadInput::sampleCounts()
{
    QFETCH(QByteArray, count);
    QFETCH(int, recordSize);
    QTemporaryDir dir;
    const QByteArray header = "[General]\nIdent=WL_EXT\n[Channel1]\nSampleCount=" + count + "\n";
    writeFile(dir.filePath("n.HED"), header);
    writeFile(dir.filePath("n.bhx"), QByteArray(3 * 2202, '\x40'));
    const KivoRun info = runKivo({"info", dir.filePath("n.bhx")});
    const KivoRun render = runKivo({"readouts", dir.filePath("n.bhx"), "--rows", "10"});
    if (recordSize == 0) {
        QCOMPARE(info.exitCode, 2);
        QVERIFY2(info.err.contains("samples per line"), info.err.constData());
        QCOMPARE(render.exitCode, 2);
        return;
    }
    QCOMPARE(info.exitCode, 0);
    QCOMPARE(infoJson(info)["layout"].toObject()["RecordSize"].toInt(), recordSize);
    QCOMPARE(render.exitCode, 0);
}

void TestBadInput::dataFileSizes_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("records");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("one byte") << 1 << 0;
    QTest::newRow("one record less a byte") << 2171 << 0;
    QTest::newRow("not a multiple") << 2172 * 3 + 100 << 3;
}

void TestBadInput::dataFileSizes()
{
    QFETCH(int, bytes);
    QFETCH(int, records);
    QTemporaryDir dir;
    writeFile(dir.filePath("s.HED"), validHeader(720));
    writeFile(dir.filePath("s.bhx"), QByteArray(bytes, '\x11'));
    const KivoRun info = runKivo({"info", dir.filePath("s.bhx")});
    QCOMPARE(info.exitCode, 0);
    QCOMPARE(infoJson(info)["layout"].toObject()["RecordCount"].toInt(), records);
    // The readouts of an empty view stay blank: no record, no text.
    const KivoRun readouts = runKivo({"readouts", dir.filePath("s.bhx"), "--rows", "100"});
    QCOMPARE(readouts.exitCode, 0);
    QCOMPARE(infoJson(readouts)["Label1"].toString().isEmpty(), records == 0);
}

void TestBadInput::missingDataFile()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("gone.HED"), validHeader(720));
    const KivoRun run = runKivo({"info", dir.filePath("gone.bhx")});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err.trimmed(), ("kivo: File not found: " + dir.filePath("gone.bhx")).toUtf8());
}

void TestBadInput::sparseFiveGigabytes()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("big.HED"), validHeader(720));
    const qint64 records = (qint64(5) << 30) / 2172;
    {
        QFile big(dir.filePath("big.bhx"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        if (!big.resize((records - 1) * 2172))
            QSKIP("no sparse files here");
        QVERIFY(big.seek((records - 1) * 2172));
        big.write(makeRecord(720, 98765432, 12, 34, [](int) { return Rgb{1, 2, 3}; }));
    }
    const KivoRun run = runKivo({"readouts", dir.filePath("big.bhx"), "--rows", "600", "--position",
                                 QString::number(records - 600)});
    QCOMPARE(run.exitCode, 0);
    // At the last position the last record is on the bottom row; the top row's record (a hole
    // in the sparse file) reads as depth 0.
    QCOMPARE(infoJson(run)["Max"].toInteger(), records - 600);
    QCOMPARE(infoJson(run)["Label1"].toString(), QStringLiteral(" 0.000"));
    const KivoRun info = runKivo({"info", dir.filePath("big.bhx")});
    QCOMPARE(infoJson(info)["layout"].toObject()["RecordCount"].toInteger(), records);
}

void TestBadInput::awkwardNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("spaces") << "my logs/hole 7 final";
    QTest::newRow("utf-8") << "Bohrlöcher/Ølfjord-Ω";
    QTest::newRow("several dots") << "run.2.v1.5/hole.7.final";
}

void TestBadInput::awkwardNames()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path()));
    const QString log = writeLog(dir.path(), name, validHeader(360), DataFileContent(360, 4));
    const KivoRun run = runKivo({"info", log});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(infoJson(run)["HeaderFileName"].toString(), dir.filePath(name + ".HED"));
    QCOMPARE(infoJson(run)["layout"].toObject()["RecordCount"].toInt(), 4);
}

void TestBadInput::headerOnlyInAnotherCase()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("HOLE9.hed"), validHeader(720));
    writeDataFile(dir.filePath("HOLE9.bhx"), DataFileContent(720, 2));
    const KivoRun run = runKivo({"info", dir.filePath("HOLE9.bhx")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(infoJson(run)["HeaderFileName"].toString(), dir.filePath("HOLE9.hed"));
}

void TestBadInput::symbolicLink()
{
    // A link to a data file uses the header beside the link, under the link's name.
    QTemporaryDir dir;
    writeDataFile(dir.filePath("real.bhx"), DataFileContent(720, 6));
    QVERIFY(QFile::link(dir.filePath("real.bhx"), dir.filePath("alias.bhx")));
    writeFile(dir.filePath("alias.HED"), validHeader(720));
    const KivoRun run = runKivo({"info", dir.filePath("alias.bhx")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(infoJson(run)["layout"].toObject()["RecordCount"].toInt(), 6);
}

void TestBadInput::unreadableDirectory()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("closed");
    const QString log = writeLog(dir.filePath("closed"), "x", validHeader(720), {720, 2});
    QFile::setPermissions(dir.filePath("closed"), QFile::WriteOwner);
    const KivoRun run = runKivoWithFilePermissions({"info", log});
    QFile::setPermissions(dir.filePath("closed"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!run.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
