// KIVO Log Viewer
#include "kivorunner.h"
#include "testlog.h"
#include "tiffimage.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

using namespace kivo::test;

namespace {

constexpr int Records = 300;

// Rows of a rendered view: the image columns 64..782 show export columns 1..719 (column 0
// lies under the view's white frame).
QImage imageColumns(const QImage &picture)
{
    return picture.copy(64, 0, 719, picture.height()).convertToFormat(QImage::Format_RGB32);
}

QImage exported(const QString &path)
{
    const QImage image = path.endsWith(".png") ? QImage(path) : readTiff(path).image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// Row by row: row y of `rows` is the average of rows y * k .. y * k + k - 1 of `source` (fewer
// at the end), each channel rounded half up; or row y * k itself when not averaging.
QImage decimated(const QImage &source, int k, bool average)
{
    const int rows = (source.height() + k - 1) / k;
    QImage out(source.width(), rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        const int first = y * k;
        const int count = average ? qMin(k, source.height() - first) : 1;
        for (int x = 0; x < source.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int i = 0; i < count; ++i) {
                const QRgb p = source.pixel(x, first + i);
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
            }
            out.setPixel(x, y,
                         qRgb((2 * r + count) / (2 * count), (2 * g + count) / (2 * count),
                              (2 * b + count) / (2 * count)));
        }
    }
    return out;
}

} // namespace

class TestExportCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsAreTheRenderedRows_data();
    void rowsAreTheRenderedRows();
    void rangeChoosesTheRecords_data();
    void rangeChoosesTheRecords();
    void errors_data();
    void errors();
    void unwritableOutputIsRefused();

private:
    QTemporaryDir m_dir;
    QString m_down; // recorded going down, log mode 12: depths 1.000 .. 3.990 m
    QString m_up;   // going up, log mode 11: depths 3.990 .. 1.000 m, record 0 the deepest
};

void TestExportCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QByteArray range = "StartDepth=1\nEndDepth=3.99\n";
    m_down = writeLog(m_dir.path(), "down", validHeader(720, 12, range),
                      DataFileContent(720, Records, 1000, 10));
    m_up = writeLog(m_dir.path(), "up", validHeader(720, 11, "StartDepth=3.99\nEndDepth=1\n"),
                    DataFileContent(720, Records, 3990, -10));
}

void TestExportCli::rowsAreTheRenderedRows_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("every"); // 0: no decimation
    QTest::addColumn<bool>("average");
    for (const bool up : {false, true}) {
        const QString log = up ? m_up : m_down;
        const char *way = up ? "up" : "down";
        QTest::addRow("%s, PNG", way) << log << "out.png" << QStringList() << 0 << false;
        QTest::addRow("%s, TIFF", way) << log << "out.tif" << QStringList() << 0 << false;
        QTest::addRow("%s, TIFF deflate, adjusted", way)
            << log << "out.tiff"
            << QStringList{"--deflate", "--brightness", "-20", "--contrast", "160"} << 0 << false;
        QTest::addRow("%s, every 7th", way)
            << log << "out.png" << QStringList{"--every", "7"} << 7 << false;
        QTest::addRow("%s, average of 4, adjusted", way)
            << log << "out.tif" << QStringList{"--average", "4", "--contrast", "50"} << 4 << true;
    }
}

// A view holding the whole log shows the shallowest record on top in both directions: the
// export's rows are its rows.
void TestExportCli::rowsAreTheRenderedRows()
{
    QFETCH(QString, log);
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(int, every);
    QFETCH(bool, average);
    const QString out = m_dir.filePath(file);
    QFile::remove(out);
    const KivoRun run = runKivo(QStringList{"export", log, "--out", out} + options);
    QCOMPARE(run.exitCode, 0);
    QStringList colours;
    for (const QString &option : {QStringLiteral("--brightness"), QStringLiteral("--contrast")}) {
        const int at = options.indexOf(option);
        if (at >= 0)
            colours << option << options.at(at + 1);
    }
    const QString rendered = m_dir.filePath("view.png");
    QCOMPARE(
        runKivo(QStringList{"render", log, "--rows", QString::number(Records), "--out", rendered} +
                colours)
            .exitCode,
        0);
    QImage expected = imageColumns(QImage(rendered));
    if (every > 0)
        expected = decimated(expected, every, average);
    const QImage image = exported(out);
    QCOMPARE(image.width(), 720);
    QCOMPARE(run.err, QByteArray::number(image.height()) + " rows written\n");
    QCOMPARE(image.copy(1, 0, 719, image.height()), expected);
}

void TestExportCli::rangeChoosesTheRecords_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<int>("firstRow"); // of the whole log's export
    QTest::addColumn<int>("rows");
    QTest::newRow("down") << m_down << QStringList{"--from", "1.5", "--to", "2"} << 50 << 51;
    QTest::newRow("down, the other way")
        << m_down << QStringList{"--from", "2", "--to", "1.5"} << 50 << 51;
    QTest::newRow("up") << m_up << QStringList{"--from", "2", "--to", "1.5"} << 50 << 51;
    // Recorded going up, the last record is the shallowest.
    QTest::newRow("up, from only") << m_up << QStringList{"--from", "3.5"} << 0 << 251;
    QTest::newRow("down, to only") << m_down << QStringList{"--to", "1.0049"} << 0 << 1;
}

void TestExportCli::rangeChoosesTheRecords()
{
    QFETCH(QString, log);
    QFETCH(QStringList, range);
    QFETCH(int, firstRow);
    QFETCH(int, rows);
    const QString whole = m_dir.filePath("whole.png");
    const QString part = m_dir.filePath("part.png");
    QCOMPARE(runKivo({"export", log, "--out", whole}).exitCode, 0);
    QCOMPARE(runKivo(QStringList{"export", log, "--out", part} + range).exitCode, 0);
    QCOMPARE(QImage(part), QImage(whole).copy(0, firstRow, 720, rows));
}

void TestExportCli::errors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString out = m_dir.filePath("never.png");
    QTest::newRow("no output") << QStringList{"export", m_down} << 1 << "takes one data file";
    QTest::newRow("a JPEG") << QStringList{"export", m_down, "--out", "x.jpg"} << 1
                            << "--out must name a .png, .tif or .tiff file";
    QTest::newRow("both decimations")
        << QStringList{"export", m_down, "--out", out, "--every", "2", "--average", "2"} << 1
        << "cannot be given together";
    QTest::newRow("every 0") << QStringList{"export", m_down, "--out", out, "--every", "0"} << 1
                             << "--every must be a whole number";
    QTest::newRow("start out of range")
        << QStringList{"export", m_down, "--out", out, "--from", "0.5"} << 1
        << "kivo: Start depth out of range! (Range: 1 to 3.99m)";
    QTest::newRow("end not a number") << QStringList{"export", m_up, "--out", out, "--to", "x"} << 1
                                      << "kivo: Invalid value for End depth!";
    QTest::newRow("no log") << QStringList{"export", m_dir.filePath("none.bhx"), "--out", out} << 2
                            << "kivo: ";
}

void TestExportCli::errors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const KivoRun run = runKivo(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QVERIFY(!QFile::exists(m_dir.filePath("never.png")));
}

void TestExportCli::unwritableOutputIsRefused()
{
    const QString folder = m_dir.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString earlier = folder + "/out.tif";
    writeFile(earlier, "earlier");
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const KivoRun run = runKivoWithFilePermissions({"export", m_down, "--out", earlier});
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("kivo: Cannot write the file " + earlier.toUtf8()),
             run.err.constData());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"out.tif"});
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier"));
}

QTEST_GUILESS_MAIN(TestExportCli)
#include "tst_exportcli.moc"
