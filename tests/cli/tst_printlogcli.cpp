// KIVO Log Viewer
#include "kivorunner.h"
#include "pdfprobe.h"
#include "testlog.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QtTest>

#include <cmath>

using namespace kivo::test;

namespace {

constexpr double PointsPerMetre = 72 / 0.0254;
constexpr qint64 Records = 5001; // 2 thousandths apart: 10 units of depth

// A log of Records records from 1 to 11 units, going down (log mode 12) or up (11, the first
// record the deepest); red = record number, green = column.
struct TestLog {
    QString path;
    double first = 0; // depth of file record 0, units
    double step = 0;  // between records
    double metresPerUnit = 1;
    QString unit;

    double depth(qint64 n) const { return first + n * step; }
};

struct Page {
    int number = 0; // in the PDF, 1-based
    double top = 0; // depth at the top of its track
    double depth = 0;
    PdfImageEntry image;
};

// The log pages of a Print Log PDF of the range shallow..deep read back from its images: each
// full page's image placed at yPpi rows an inch shows rows / yPpi inches of paper, that is that
// much depth at 1:N; the last page holds the rest of the range.
QList<Page> logPages(const QString &pdf, const TestLog &log, int scale, double shallow, double deep)
{
    QList<Page> pages;
    double top = shallow;
    for (const PdfImageEntry &image : pdfImageList(pdf)) {
        if (image.colour != QLatin1String("rgb"))
            continue; // the header sheet
        const double depth = image.height / image.yPpi * 0.0254 * scale / log.metresPerUnit;
        pages.append({image.page, top, depth, image});
        top += depth;
    }
    if (!pages.isEmpty())
        pages.last().depth = deep - pages.last().top;
    return pages;
}

} // namespace

class TestPrintLogCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesHoldTheirShareOfTheRange_data();
    void pagesHoldTheirShareOfTheRange();
    void labelsStandAtTheirDepths_data();
    void labelsStandAtTheirDepths();
    void imageRowsShowTheNearestRecord_data();
    void imageRowsShowTheNearestRecord();
    void titleNamesFileWellAndPage();
    void headerSheetIsTheFirstPage();
    void picksAreDrawnAndTadpolesPlaced();
    void errors_data();
    void errors();
    void failureKeepsTheEarlierFile();

private:
    QString print(const TestLog &log, const QStringList &options);

    QTemporaryDir m_dir;
    TestLog m_down;
    TestLog m_up;
    TestLog m_feet;
};

void TestPrintLogCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_down = {writeLog(m_dir.path(), "down",
                       validHeader(720, 12, "StartDepth=1\nEndDepth=11\nWellname=KV-9\n"),
                       DataFileContent(720, Records, 1000, 2)),
              1, 0.002, 1, "m"};
    m_up = {writeLog(m_dir.path(), "up", validHeader(720, 11, "StartDepth=11\nEndDepth=1\n"),
                     DataFileContent(720, Records, 11000, -2)),
            11, -0.002, 1, "m"};
    m_feet = {writeLog(m_dir.path(), "feet",
                       validHeader(720, 12, "DepthUnit=1\nStartDepth=1\nEndDepth=11\n"),
                       DataFileContent(720, Records, 1000, 2)),
              1, 0.002, 0.3048, "ft"};
}

QString TestPrintLogCli::print(const TestLog &log, const QStringList &options)
{
    const QString out =
        m_dir.filePath(QStringLiteral("print-%1-%2.pdf")
                           .arg(QTest::currentTestFunction(), QTest::currentDataTag()));
    QFile::remove(out);
    const KivoRun run = runKivo(QStringList{"print-log", log.path, "--out", out} + options);
    if (run.exitCode != 0)
        qWarning() << run.err;
    return run.exitCode == 0 ? out : QString();
}

void TestPrintLogCli::pagesHoldTheirShareOfTheRange_data()
{
    QTest::addColumn<int>("log"); // 0 down, 1 up, 2 feet
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("shallow");
    QTest::addColumn<double>("deep");
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("dpi");
    QTest::newRow("whole log, 1:20") << 0 << QStringList() << 1.0 << 11.0 << 20 << 96.0;
    QTest::newRow("part, 1:10") << 0 << QStringList{"--from", "2.5", "--to", "7"} << 2.5 << 7.0
                                << 10 << 96.0;
    QTest::newRow("whole log, 1:200, one page") << 0 << QStringList() << 1.0 << 11.0 << 200 << 96.0;
    QTest::newRow("up, 1:50, letter, no margins")
        << 1 << QStringList{"--page", "letter", "--no-margins"} << 1.0 << 11.0 << 50 << 96.0;
    QTest::newRow("feet, 1:10, 300 dpi")
        << 2 << QStringList{"--dpi", "300"} << 1.0 << 11.0 << 10 << 300.0;
}

// Every page but the last holds the same depth, the usable height at 1:N, and together they
// hold the range: as many pages as that takes.
void TestPrintLogCli::pagesHoldTheirShareOfTheRange()
{
    QFETCH(int, log);
    QFETCH(QStringList, options);
    QFETCH(double, shallow);
    QFETCH(double, deep);
    QFETCH(int, scale);
    QFETCH(double, dpi);
    const TestLog &source = log == 0 ? m_down : log == 1 ? m_up : m_feet;
    const QString pdf = print(source, QStringList{"--scale", QString::number(scale)} + options);
    QVERIFY(!pdf.isEmpty());
    const QList<Page> pages = logPages(pdf, source, scale, shallow, deep);
    QVERIFY(!pages.isEmpty());
    const PdfInfo info = pdfInfo(pdf);
    QCOMPARE(info.pages, int(pages.size()));
    // A full page's track is most of the page: between 80 % and 100 % of its height.
    const double paperUnits = info.height / PointsPerMetre / source.metresPerUnit * scale;
    const double perPage = pages.first().depth;
    if (pages.size() > 1) {
        QVERIFY2(perPage > 0.8 * paperUnits && perPage < paperUnits,
                 qPrintable(QString::number(perPage)));
        QCOMPARE(int(pages.size()), int(std::ceil((deep - shallow) / perPage - 1e-6)));
    } else {
        QVERIFY(deep - shallow < 0.8 * paperUnits);
    }
    for (const Page &page : pages) {
        QCOMPARE(page.image.width, 720);
        QCOMPARE(page.image.bits, 8);
        QCOMPARE(page.image.encoding, QStringLiteral("image")); // lossless, never "jpeg"
        QVERIFY(page.depth <= perPage + 1e-6);
        // dpi rows for every inch of paper the page's depth takes, within a row.
        const double inches = page.depth * source.metresPerUnit / scale / 0.0254;
        QVERIFY2(qAbs(page.image.height - inches * dpi) <= 1,
                 qPrintable(QStringLiteral("%1 rows").arg(page.image.height)));
    }
    for (int k = 0; k < pages.size(); ++k)
        QCOMPARE(pages[k].number, k + 1);
}

void TestPrintLogCli::labelsStandAtTheirDepths_data()
{
    QTest::addColumn<int>("log");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("firstLabel");
    QTest::addColumn<double>("labelStep");
    QTest::newRow("down, 1:20") << 0 << 20 << "1.0m" << 1.0;
    QTest::newRow("down, 1:10") << 0 << 10 << "1.0m" << 0.5;
    QTest::newRow("up, 1:50") << 1 << 50 << "2.5m" << 2.5;
    QTest::newRow("up, 1:100") << 1 << 100 << "5m" << 5.0;
    QTest::newRow("feet, 1:20") << 2 << 20 << "1.0ft" << 1.0;
}

// Every multiple of the label step in the range has its label, as text, at its depth on the
// page: depth grows down the page at 1:N, the same on every page.
void TestPrintLogCli::labelsStandAtTheirDepths()
{
    QFETCH(int, log);
    QFETCH(int, scale);
    QFETCH(QString, firstLabel);
    QFETCH(double, labelStep);
    const TestLog &source = log == 0 ? m_down : log == 1 ? m_up : m_feet;
    const QString pdf = print(source, {"--scale", QString::number(scale)});
    QVERIFY(!pdf.isEmpty());
    const QList<Page> pages = logPages(pdf, source, scale, 1.0, 11.0);
    const double pointsPerUnit = PointsPerMetre * source.metresPerUnit / scale;
    const QRegularExpression labelPattern("^(-?\\d+(?:\\.\\d)?)" + source.unit + "$");
    QStringList labels;
    QList<double> trackTops; // the y of each label's page top, from the label
    for (const PdfWord &word : pdfWords(pdf)) {
        const QRegularExpressionMatch match = labelPattern.match(word.text);
        if (!match.hasMatch())
            continue;
        labels << word.text;
        const double depth = match.captured(1).toDouble();
        const Page &page = pages.at(word.page - 1);
        QVERIFY2(depth >= page.top - 1e-6 && depth <= page.top + page.depth + 1e-6,
                 qPrintable(word.text));
        trackTops << word.box.center().y() - (depth - page.top) * pointsPerUnit;
    }
    QVERIFY(!labels.isEmpty());
    QCOMPARE(labels.first(), firstLabel);
    QCOMPARE(int(labels.size()),
             int(std::floor(11.0 / labelStep + 1e-9)) - int(std::ceil(1.0 / labelStep - 1e-9)) + 1);
    for (const double top : trackTops)
        QVERIFY2(qAbs(top - trackTops.first()) < 0.5, qPrintable(QString::number(top)));
}

void TestPrintLogCli::imageRowsShowTheNearestRecord_data()
{
    QTest::addColumn<int>("log");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("shallow");
    QTest::addColumn<double>("deep");
    QTest::addColumn<int>("scale");
    // Fewer rows than records, and more (every record then shows on several rows).
    QTest::newRow("down, 1:20") << 0 << QStringList() << 1.0 << 11.0 << 20;
    QTest::newRow("up, 1:20") << 1 << QStringList() << 1.0 << 11.0 << 20;
    QTest::newRow("up, 1:10, 600 dpi, part")
        << 1 << QStringList{"--dpi", "600", "--from", "3", "--to", "4"} << 3.0 << 4.0 << 10;
}

// Row r of a page shows one record's samples untouched (no blending): the record whose depth
// is nearest the depth at the row's middle.
void TestPrintLogCli::imageRowsShowTheNearestRecord()
{
    QFETCH(int, log);
    QFETCH(QStringList, options);
    QFETCH(double, shallow);
    QFETCH(double, deep);
    QFETCH(int, scale);
    const TestLog &source = log == 0 ? m_down : m_up;
    const QString pdf = print(source, QStringList{"--scale", QString::number(scale)} + options);
    QVERIFY(!pdf.isEmpty());
    const QList<Page> pages = logPages(pdf, source, scale, shallow, deep);
    const QList<QImage> images = pdfImages(pdf);
    QCOMPARE(images.size(), pages.size());
    for (int k = 0; k < pages.size(); ++k) {
        const QImage image = images[k].convertToFormat(QImage::Format_RGB32);
        for (int r = 0; r < image.height(); ++r) {
            const double target = pages[k].top + (r + 0.5) * pages[k].depth / image.height();
            const double exact = (target - source.first) / source.step;
            // Halfway between two records either will do.
            const qint64 candidates[] = {qint64(std::floor(exact)), qint64(std::ceil(exact))};
            bool shown = false;
            for (const qint64 n : candidates) {
                // A hundredth of a record for the rounding of the page's position.
                if (qAbs(source.depth(n) - target) > qAbs(source.step) * 0.51)
                    continue;
                bool rowMatches = true;
                for (const int j : {0, 1, 300, 719}) {
                    const Rgb c = patternColour(n, j);
                    rowMatches = rowMatches && image.pixel(j, r) == qRgb(c[0], c[1], c[2]);
                }
                shown = shown || rowMatches;
            }
            QVERIFY2(shown, qPrintable(QStringLiteral("page %1 row %2: record %3 expected, red %4")
                                           .arg(k + 1)
                                           .arg(r)
                                           .arg(exact)
                                           .arg(qRed(image.pixel(0, r)))));
        }
    }
}

void TestPrintLogCli::titleNamesFileWellAndPage()
{
    const QString pdf = print(m_down, {});
    QVERIFY(!pdf.isEmpty());
    QStringList secondPage;
    for (const PdfWord &word : pdfWords(pdf))
        if (word.page == 2 && word.box.top() < 20)
            secondPage << word.text;
    QCOMPARE(secondPage, (QStringList{"down.bhx", "Well:", "KV-9", "Page", "2", "of", "2"}));
}

void TestPrintLogCli::headerSheetIsTheFirstPage()
{
    const QString pdf = print(m_down, {"--header"});
    QVERIFY(!pdf.isEmpty());
    const PdfInfo info = pdfInfo(pdf);
    QCOMPARE(info.pages, 3);
    QVERIFY(info.width > info.height); // the first page, landscape
    const QList<PdfImageEntry> images = pdfImageList(pdf);
    QCOMPARE(images.size(), 3);
    QCOMPARE(images[0].page, 1);
    QCOMPARE(images[0].width, 2013);
    QCOMPARE(images[0].bits, 1);
    QCOMPARE(images[1].page, 2);
    QCOMPARE(images[1].colour, QStringLiteral("rgb"));
    for (const PdfWord &word : pdfWords(pdf))
        QVERIFY2(word.page != 1, qPrintable(word.text)); // the sheet is one image
}

// A flat bedding pick at 3 m and a dipping fault at 5 m: the bedding's trace is one whole row
// of the image in its colour; each tadpole's head stands at its depth (the depth label's
// height) and at its true dip between the track's "0" and "90", as kivo picks derives it.
void TestPrintLogCli::picksAreDrawnAndTadpolesPlaced()
{
    const QString log =
        writeLog(m_dir.path(), "picked", validHeader(720, 12, "StartDepth=1\nEndDepth=11\n"),
                 DataFileContent(720, Records, 1000, 2));
    writeFile(m_dir.filePath("picked.picks.csv"),
              "Depth,Amplitude,TroughAzimuth,Diameter,Type\n3,0,0,96,bedding\n5,0.05,90,96,fault\n");
    const KivoRun picks = runKivo({"picks", log});
    QCOMPARE(picks.exitCode, 0);
    const QList<QByteArray> lines = picks.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 3);
    const QString pdf = m_dir.filePath("picked.pdf");
    QCOMPARE(runKivo({"print-log", log, "--to", "6", "--out", pdf}).exitCode, 0);

    const QImage image = pdfImages(pdf).value(0).convertToFormat(QImage::Format_RGB32);
    const QRgb bedding = qRgb(0x00, 0xe5, 0xff);
    const QRgb fault = qRgb(0xff, 0x17, 0x44);
    int beddingRows = 0;
    for (int y = 0; y < image.height(); ++y) {
        bool whole = true;
        for (int x = 0; x < image.width() && whole; ++x)
            whole = image.pixel(x, y) == bedding;
        beddingRows += whole ? 1 : 0;
    }
    QCOMPARE(beddingRows, 1);

    // The page at 72 pixels an inch: a pixel a point, as pdftotext measures.
    QProcess raster;
    raster.start("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, pdf});
    QVERIFY(raster.waitForFinished(60000));
    const QImage page = QImage(pdf + ".png").convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());
    QMap<QString, QRectF> words;
    for (const PdfWord &word : pdfWords(pdf))
        words.insert(word.text, word.box);
    QVERIFY(words.contains("0") && words.contains("90"));
    const double x0 = words["0"].center().x();
    const double x90 = words["90"].center().x();
    const QRgb colours[] = {bedding, fault};
    const char *labels[] = {"3.0m", "5.0m"};
    for (int i = 0; i < 2; ++i) {
        const QList<QByteArray> fields = lines[i + 1].split(',');
        const double trueDip = fields[8].toDouble();
        // The head: the pixels of the pick's colour right of the image, within 4 points of
        // the expected centre.
        const QPointF expected(x0 + trueDip / 90 * (x90 - x0), words[labels[i]].center().y());
        int near = 0;
        for (int y = int(expected.y()) - 4; y <= int(expected.y()) + 4; ++y)
            for (int x = int(expected.x()) - 4; x <= int(expected.x()) + 4; ++x)
                near += page.pixel(x, y) == colours[i] ? 1 : 0;
        QVERIFY2(near >= 6, qPrintable(QStringLiteral("pick %1 at %2, %3: %4 pixels")
                                           .arg(i)
                                           .arg(expected.x())
                                           .arg(expected.y())
                                           .arg(near)));
    }
}

void TestPrintLogCli::errors_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("scale 25") << QStringList{"--scale", "25"} << 1
                              << "kivo: --scale must be 10, 20, 50, 100 or 200, not '25'";
    QTest::newRow("start out of range")
        << QStringList{"--from", "0.5"} << 1 << "kivo: Start depth out of range! (Range: 1 to 11m)";
    QTest::newRow("end out of range")
        << QStringList{"--to", "12"} << 1 << "kivo: End depth out of range! (Range: 1 to 11m)";
    QTest::newRow("start not a number")
        << QStringList{"--from", "1,5"} << 1 << "kivo: Invalid value for Start depth!";
    QTest::newRow("dpi too high") << QStringList{"--dpi", "5000"} << 1
                                  << "kivo: --dpi must be a whole number from 0 to 2400";
    QTest::newRow("paper") << QStringList{"--page", "A3"} << 1 << "kivo: --page must be";
}

void TestPrintLogCli::errors()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString out = m_dir.filePath("never.pdf");
    const KivoRun run = runKivo(QStringList{"print-log", m_down.path, "--out", out} + options);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).startsWith(message), run.err.constData());
    QVERIFY(!QFile::exists(out));
}

// A range between two records holds none: refused, and the file of that name stays as it was.
void TestPrintLogCli::failureKeepsTheEarlierFile()
{
    const QString out = m_dir.filePath("earlier.pdf");
    writeFile(out, "earlier");
    const KivoRun run =
        runKivo({"print-log", m_down.path, "--from", "2.0009", "--to", "2.0011", "--out", out});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("kivo: No record of the log lies between"), run.err.constData());
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier"));
    QCOMPARE(QDir(m_dir.path()).entryList({"earlier.pdf*"}), QStringList{"earlier.pdf"});
}

QTEST_GUILESS_MAIN(TestPrintLogCli)
#include "tst_printlogcli.moc"
