// KIVO Log Viewer
#include "kivorunner.h"
#include "pixelcompare.h"
#include "referenceview.h"
#include "testlog.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QtTest>

using namespace kivo::test;

namespace {

constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb black = 0xFF000000;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage decoded(const QByteArray &bytes, const char *format)
{
    return QImage::fromData(bytes, format).convertToFormat(QImage::Format_RGB32);
}

// A packed DIB is a .bmp file without its 14-byte file header.
QImage decodedDib(const QByteArray &dib)
{
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + dib.size()), file.data() + 2);
    qToLittleEndian<quint32>(54, file.data() + 10);
    return decoded(file + dib, "BMP");
}

// Image columns x 64..782 of row y show record k of a pattern log of 720 samples, between
// white frame pixels.
bool rowShows(const QImage &image, int y, qint64 record)
{
    if (image.pixel(63, y) != white || (image.width() > 783 && image.pixel(783, y) != white))
        return false;
    for (int x = 64; x <= 782; ++x) {
        const Rgb rgb = patternColour(record, x - 63);
        if (image.pixel(x, y) != qRgb(rgb[0], rgb[1], rgb[2]))
            return false;
    }
    return true;
}

bool rowIsWhite(const QImage &image, int y)
{
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != white)
            return false;
    return true;
}

} // namespace

class TestRender : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void formatsAgree();
    void pictureShowsTheView_data();
    void pictureShowsTheView();
    void ticksOnTenths();
    void colourTablesApplied_data();
    void colourTablesApplied();
    void usageErrorsExitOne_data();
    void usageErrorsExitOne();
    void refusedLogsExitTwo_data();
    void refusedLogsExitTwo();
    void helpNamesTheOptions();

private:
    QString out(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_log; // 50 records top-down, 720 samples, a mark every tenth record
};

void TestRender::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_log = writeLog(m_dir.path(), "small", validHeader(720, 12), {720, 50, 0, 10});
}

// The three outputs hold the same picture; the DIB is the BMP file without its file header and
// the PNG has 8-bit RGB pixels.
void TestRender::formatsAgree()
{
    for (const char *name : {"view.png", "view.bmp", "view.dib"}) {
        const KivoRun run =
            runKivo({"render", m_log, "--rows", "20", "--position", "7", "--out", out(name)});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
    }
    const QByteArray png = readAll(out("view.png"));
    const QByteArray bmp = readAll(out("view.bmp"));
    const QByteArray dib = readAll(out("view.dib"));
    QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(int(png[24]), 8); // bits per channel
    QCOMPARE(int(png[25]), 2); // colour type RGB, no alpha
    QVERIFY(bmp.startsWith("BM"));
    QCOMPARE(bmp.mid(14), dib);
    QCOMPARE(qFromLittleEndian<quint16>(dib.constData() + 14), quint16(24));

    const QImage fromPng = decoded(png, "PNG");
    const QImage fromBmp = decoded(bmp, "BMP");
    const QImage fromDib = decodedDib(dib);
    QCOMPARE(fromPng.size(), QSize(783, 20));
    QCOMPARE(firstDifference(fromBmp, fromPng), QString());
    QCOMPARE(firstDifference(fromDib, fromPng), QString());
    QCOMPARE(firstDifference(fromPng, referenceView(m_log, 20, 7)), QString());
}

void TestRender::pictureShowsTheView_data()
{
    QTest::addColumn<int>("logMode");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("firstRow");    // the first row with a record
    QTest::addColumn<int>("firstRecord"); // the record on it
    QTest::addColumn<int>("step");        // from one row to the next below it
    QTest::addColumn<int>("shown");       // rows with a record, from firstRow on
    QTest::newRow("top-down, top") << 12 << 50 << 20 << 0 << 783 << 0 << 0 << 1 << 20;
    QTest::newRow("top-down, scrolled") << 12 << 50 << 20 << 7 << 783 << 0 << 7 << 1 << 20;
    QTest::newRow("top-down, last") << 12 << 50 << 20 << 30 << 783 << 0 << 30 << 1 << 20;
    QTest::newRow("bottom-up, top") << 11 << 50 << 20 << 0 << 783 << 0 << 49 << -1 << 20;
    QTest::newRow("bottom-up, last") << 11 << 50 << 20 << 30 << 783 << 0 << 19 << -1 << 20;
    QTest::newRow("one more record than rows") << 12 << 21 << 20 << 1 << 783 << 0 << 1 << 1 << 20;
    QTest::newRow("as many records as rows") << 12 << 20 << 20 << 0 << 801 << 0 << 0 << 1 << 20;
    QTest::newRow("top-down, short") << 12 << 5 << 20 << 0 << 801 << 0 << 0 << 1 << 5;
    QTest::newRow("bottom-up, short") << 11 << 5 << 20 << 0 << 801 << 15 << 4 << -1 << 5;
    QTest::newRow("empty") << 12 << 0 << 20 << 0 << 801 << 0 << -1 << 1 << 0;
}

// Depths 5 + 10k carry no marks, so that rows without a record are white all across.
void TestRender::pictureShowsTheView()
{
    QFETCH(int, logMode);
    QFETCH(int, count);
    QFETCH(int, rows);
    QFETCH(int, position);
    QFETCH(int, width);
    QFETCH(int, firstRow);
    QFETCH(int, firstRecord);
    QFETCH(int, step);
    QFETCH(int, shown);
    QTemporaryDir dir;
    const QString log =
        writeLog(dir.path(), "view", validHeader(720, logMode), {720, count, 5, 10});
    const QString png = dir.filePath("view.png");
    const KivoRun run = runKivo({"render", log, "--rows", QString::number(rows), "--position",
                                 QString::number(position), "--out", png});
    QCOMPARE(run.exitCode, 0);
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(width, rows));
    for (int y = 0; y < rows; ++y) {
        const int i = y - firstRow;
        if (i >= 0 && i < shown)
            QVERIFY2(rowShows(image, y, firstRecord + step * i), qPrintable(QString::number(y)));
        else
            QVERIFY2(rowIsWhite(image, y), qPrintable(QString::number(y)));
    }
    QCOMPARE(firstDifference(image, referenceView(log, rows, position)), QString());
}

// Worked out from the depths alone, not by drawing: the tick at x 55..62 is black on the rows
// whose record lies on a tenth of the unit (depth a multiple of 100), white on the others.
void TestRender::ticksOnTenths()
{
    QTemporaryDir dir;
    const qint32 firstDepth = -250;
    const qint32 depthStep = 50; // every other record lies on a tenth
    const QString log =
        writeLog(dir.path(), "ticks", validHeader(720, 12), {720, 100, firstDepth, depthStep});
    const QString png = dir.filePath("ticks.png");
    const int position = 3;
    const KivoRun run = runKivo(
        {"render", log, "--rows", "30", "--position", QString::number(position), "--out", png});
    QCOMPARE(run.exitCode, 0);
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(783, 30));
    for (int y = 0; y < image.height(); ++y) {
        // Top-down: row y shows record position + y.
        const qint32 depth = firstDepth + depthStep * (position + y);
        const QRgb tick = depth % 100 == 0 ? black : white;
        for (int x = 55; x <= 62; ++x)
            QVERIFY2(image.pixel(x, y) == tick,
                     qPrintable(QString("(%1, %2), depth %3").arg(x).arg(y).arg(depth)));
    }
}

void TestRender::colourTablesApplied_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("colour");
    QTest::newRow("defaults") << QStringList{} << QList<int>{0, 10, 20};
    QTest::newRow("brightness 100, contrast 800")
        << QStringList{"--brightness", "100", "--contrast", "800"} << QList<int>{100, 180, 255};
    QTest::newRow("contrast 0") << QStringList{"--contrast", "0"} << QList<int>{0, 0, 0};
    QTest::newRow("brightness -100, contrast 800")
        << QStringList{"--brightness", "-100", "--contrast", "800"} << QList<int>{0, 0, 60};
}

void TestRender::colourTablesApplied()
{
    QFETCH(QStringList, options);
    QFETCH(QList<int>, colour);
    QTemporaryDir dir;
    DataFileContent content(360, 10, 50, 10);
    content.colour = [](qint64, int) {
        return Rgb{0, 10, 20};
    };
    const QString log = writeLog(dir.path(), "flat", validHeader(360, 12), content);
    const QString bmp = dir.filePath("flat.bmp");
    const KivoRun run = runKivo(QStringList{"render", log, "--rows", "10", "--out", bmp} + options);
    QCOMPARE(run.exitCode, 0);
    const QImage image = QImage(bmp).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(801, 10));
    for (int y = 0; y < 10; ++y) {
        QCOMPARE(image.pixel(63, y), white);
        QCOMPARE(image.pixel(783, y), white);
        for (int x = 64; x <= 782; x += 59)
            QCOMPARE(image.pixel(x, y), qRgb(colour[0], colour[1], colour[2]));
    }
}

void TestRender::usageErrorsExitOne_data()
{
    QTest::addColumn<QStringList>("arguments"); // LOG and OUT stand for the log and the output
    QTest::newRow("no rows") << QStringList{"LOG", "--out", "OUT"};
    QTest::newRow("no output") << QStringList{"LOG", "--rows", "20"};
    QTest::newRow("no log") << QStringList{"--rows", "20", "--out", "OUT"};
    QTest::newRow("two logs") << QStringList{"LOG", "LOG", "--rows", "20", "--out", "OUT"};
    QTest::newRow("rows 0") << QStringList{"LOG", "--rows", "0", "--out", "OUT"};
    QTest::newRow("rows not a number") << QStringList{"LOG", "--rows", "many", "--out", "OUT"};
    QTest::newRow("rows too many") << QStringList{"LOG", "--rows", "100001", "--out", "OUT"};
    QTest::newRow("brightness 101")
        << QStringList{"LOG", "--rows", "20", "--brightness", "101", "--out", "OUT"};
    QTest::newRow("brightness -101")
        << QStringList{"LOG", "--rows", "20", "--brightness", "-101", "--out", "OUT"};
    QTest::newRow("brightness with a fraction")
        << QStringList{"LOG", "--rows", "20", "--brightness", "1.5", "--out", "OUT"};
    QTest::newRow("contrast -1") << QStringList{"LOG", "--rows", "20", "--contrast",
                                                "-1",  "--out",  "OUT"};
    QTest::newRow("contrast 801") << QStringList{"LOG", "--rows", "20", "--contrast",
                                                 "801", "--out",  "OUT"};
    QTest::newRow("position -1") << QStringList{"LOG", "--rows", "20", "--position",
                                                "-1",  "--out",  "OUT"};
    QTest::newRow("position past the maximum")
        << QStringList{"LOG", "--rows", "20", "--position", "31", "--out", "OUT"};
    // Wrong for any log, so a usage error even where the log (here none) would be refused.
    QTest::newRow("position not a number, no log")
        << QStringList{"missing.bhx", "--rows", "20", "--position", "abc", "--out", "OUT"};
    QTest::newRow("unknown option")
        << QStringList{"LOG", "--rows", "20", "--zoom", "2", "--out", "OUT"};
    QTest::newRow("unknown extension") << QStringList{"LOG", "--rows", "20", "--out", "OUT.jpg"};
    QTest::newRow("another extension after .png")
        << QStringList{"LOG", "--rows", "20", "--out", "OUT.png.x"};
}

void TestRender::usageErrorsExitOne()
{
    QFETCH(QStringList, arguments);
    const QString target = out("usage.png");
    QFile::remove(target);
    arguments.replaceInStrings(QStringLiteral("LOG"), m_log);
    arguments.replaceInStrings(QStringLiteral("OUT"), target);
    const KivoRun run = runKivo(QStringList{"render"} + arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.startsWith("kivo: "));
    QVERIFY(!QFile::exists(target));
}

void TestRender::refusedLogsExitTwo_data()
{
    QTest::addColumn<QByteArray>("header"); // empty: no header file at all
    QTest::addColumn<bool>("dataFile");
    QTest::addColumn<QString>("output");
    QTest::newRow("no header") << QByteArray() << true << "view.png";
    QTest::newRow("wrong identity")
        << QByteArray("[General]\nIdent=SOMETHING\n[Channel1]\nSampleCount=720\n") << true
        << "view.png";
    QTest::newRow("no data file") << validHeader(720) << false << "view.png";
    QTest::newRow("output cannot be written") << validHeader(720) << true << "missing/view.bmp";
}

void TestRender::refusedLogsExitTwo()
{
    QFETCH(QByteArray, header);
    QFETCH(bool, dataFile);
    QFETCH(QString, output);
    QTemporaryDir dir;
    const QString log = dir.filePath("bad.bhx");
    if (!header.isEmpty())
        writeFile(dir.filePath("bad.HED"), header);
    if (dataFile)
        writeDataFile(log, {720, 30});
    const QString target = dir.filePath(output);
    const KivoRun run = runKivo({"render", log, "--rows", "20", "--out", target});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith("kivo: "));
    QVERIFY(!QFile::exists(target));
}

void TestRender::helpNamesTheOptions()
{
    const KivoRun overview = runKivo({"--help"});
    QVERIFY(overview.out.contains("render"));
    const KivoRun help = runKivo({"render", "--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.out.contains("Usage: kivo render"), help.out.constData());
    for (const char *option : {"--rows", "--position", "--brightness", "--contrast", "--out"})
        QVERIFY(help.out.contains(option));
}

QTEST_MAIN(TestRender)
#include "tst_render.moc"
