// KIVO Log Viewer
// Every command that writes a user's file, against the ways a write goes wrong: a full disk (a
// file size limit), a read-only file or folder, a folder where the file should be, a path
// longer than the system takes; and a name with spaces and letters outside ASCII, which must
// simply work. A failed write says which file, leaves nothing behind and keeps the old file.
#include "kivorunner.h"
#include "pdfprobe.h"
#include "testlog.h"
#include "tiffimage.h"
#include "writefault.h"

#include <QImageReader>
#include <QJsonDocument>
#include <QtTest>
#include <QXmlStreamReader>

using namespace kivo::test;

namespace {

// Whether a reader of the format, not kivo's own, takes the file.
bool readable(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (suffix == "pdf")
        return pdfInfo(path).pages > 0;
    if (suffix == "svg") {
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd())
            xml.readNext();
        return !xml.hasError();
    }
    if (suffix == "json")
        return !QJsonDocument::fromJson(bytes).isNull();
    if (suffix == "csv")
        return bytes.startsWith("Depth,Amplitude,TroughAzimuth,");
    if (suffix == "las")
        return bytes.startsWith("~V");
    if (suffix == "tif")
        return !readTiff(path).image.isNull();
    if (suffix == "dib")
        return bytes.size() > 40 && bytes[0] == 40;
    QImageReader image(path);
    return image.canRead() && !image.read().isNull();
}

} // namespace

class TestWriteFaults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void faults_data();
    void faults();

private:
    QTemporaryDir m_dir;
    QString m_log;
};

void TestWriteFaults::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // 300 records of varied colours and orientations with 60 picks: the outputs are kilobytes.
    m_log = writeLog(m_dir.path(), "well", validHeader(720, 12), DataFileContent(720, 300, 10000));
    QByteArray picks = "Depth,Amplitude,TroughAzimuth,Diameter,Type,Comment\r\n";
    for (int i = 0; i < 60; ++i)
        picks += QStringLiteral("%1,%2,%3,216,fracture,pick number %4\r\n")
                     .arg(10.05 + i * 0.045)
                     .arg(0.01 + i * 0.001)
                     .arg(i * 37 % 360)
                     .arg(i)
                     .toUtf8();
    writeFile(m_dir.filePath("well.picks.csv"), picks);
}

void TestWriteFaults::faults_data()
{
    QTest::addColumn<QStringList>("arguments"); // OUT stands for the file to write
    QTest::addColumn<QString>("name");
    QTest::addColumn<WriteFault>("fault");
    QTest::addColumn<int>("blocks"); // the file size limit of a full disk

    struct Writer {
        const char *row;
        QStringList arguments;
        QString name;
        int blocks = 1; // 512 or 1024 bytes, by the shell
    };
    const QList<Writer> writers = {
        {"picks csv", {"picks", m_log, "--out", "OUT"}, "picks.csv"},
        {"picks json", {"picks", m_log, "--format", "json", "--out", "OUT"}, "picks.json"},
        {"picks las", {"picks", m_log, "--format", "las", "--out", "OUT"}, "picks.las"},
        {"detect", {"detect", m_log, "--diameter", "216", "--out", "OUT"}, "found.csv", 0},
        {"export png", {"export", m_log, "--out", "OUT"}, "image.png"},
        {"export tiff", {"export", m_log, "--out", "OUT"}, "image.tif"},
        {"print-log", {"print-log", m_log, "--out", "OUT"}, "log.pdf"},
        {"print-screen", {"print-screen", m_log, "--rows", "300", "--out", "OUT"}, "screen.pdf"},
        {"sheet png", {"sheet", m_log, "--out", "OUT"}, "sheet.png"},
        {"sheet pdf", {"sheet", m_log, "--out", "OUT"}, "sheet.pdf"},
        {"render png", {"render", m_log, "--rows", "300", "--out", "OUT"}, "view.png"},
        {"render bmp", {"render", m_log, "--rows", "300", "--out", "OUT"}, "view.bmp"},
        {"render dib", {"render", m_log, "--rows", "300", "--out", "OUT"}, "view.dib"},
        {"plot svg", {"plot", m_log, "--kind", "stereonet", "--out", "OUT"}, "net.svg"},
        {"plot pdf", {"plot", m_log, "--kind", "rose", "--out", "OUT"}, "rose.pdf"},
        {"plot png", {"plot", m_log, "--kind", "tadpole", "--out", "OUT"}, "tadpole.png"},
        {"plot json",
         {"plot", m_log, "--kind", "stereonet", "--format", "json", "--out", "OUT"},
         "poles.json"},
    };
    for (const Writer &writer : writers) {
        for (const auto &[row, fault] : writeFaults())
            QTest::addRow("%s, %s", writer.row, row)
                << writer.arguments << writer.name << fault << writer.blocks;
    }
}

void TestWriteFaults::faults()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, name);
    QFETCH(WriteFault, fault);
    QFETCH(int, blocks);

    QTemporaryDir outDir;
    QVERIFY(outDir.isValid());
    const QString folder = outDir.filePath("out");
    const QString target = prepareWriteFault(folder, name, fault);
    QVERIFY(!target.isEmpty());
    const QMap<QString, QByteArray> before = folderContents(folder);

    arguments.replaceInStrings(QRegularExpression("^OUT$"), target);
    KivoRun run;
    if (fault == WriteFault::DiskFull)
        run = runKivoWithFileSizeLimit(blocks, arguments);
    else if (fault == WriteFault::ReadOnlyFile || fault == WriteFault::ReadOnlyFolder)
        run = runKivoWithFilePermissions(arguments);
    else
        run = runKivo(arguments);
    restoreWriteFaultFolder(folder);

    if (fault == WriteFault::AwkwardName) {
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(target).fileName()});
        QVERIFY(readable(target));
        // Large enough that the file size limit of a full disk stops it part way.
        QVERIFY(QFileInfo(target).size() > 1024 * blocks);
        return;
    }
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("kivo: "), run.err.constData());
    QVERIFY2(run.err.contains(target.toUtf8()), run.err.constData());
    QVERIFY2(run.err.count('\n') == 1, run.err.constData());
    QCOMPARE(folderContents(folder), before);
}

QTEST_GUILESS_MAIN(TestWriteFaults)
#include "tst_writefaults.moc"
