// KIVO Log Viewer
#include "header/headerio.h"
#include "header/headersheet.h"
#include "kivorunner.h"
#include "log/logopener.h"
#include "pdfprobe.h"
#include "testlog.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QtTest>

using namespace kivo;
using namespace kivo::test;

namespace {

// At 30 pixels an inch: the printer's 10-point margins and 96 device units an inch.
constexpr double Margin = 10.0 / 72 * 30;
constexpr double Unit = 30.0 / 96;

} // namespace

class TestPrintCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetPngIsTheSheetImage();
    void sheetPdfIsOneLandscapePage_data();
    void sheetPdfIsOneLandscapePage();
    void sheetPdfHoldsTheSheetInOneBit();
    void sheetUsesTheProgramsLogo_data();
    void sheetUsesTheProgramsLogo();
    void printScreenIsOnePortraitPage_data();
    void printScreenIsOnePortraitPage();
    void errors_data();
    void errors();
    void helpNamesTheCommands();

private:
    QTemporaryDir m_dir;
    QString m_log;  // 1000 records: a view of 400 rows scrolls, one of 1000 does not
    QImage m_sheet; // its header sheet, drawn in this process, without a logo
};

void TestPrintCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A depth mark every 100 records, so that the depth margin is mostly white.
    DataFileContent content(720, 1000, 1500, 1);
    // A dark image, so that the printed capture stands out from the white page.
    content.colour = [](qint64 k, int i) {
        return Rgb{uchar(40 + k % 20), uchar(60 + i % 40), 90};
    };
    m_log = writeLog(m_dir.path(), "hole",
                     validHeader(720, 12,
                                 "Company=Nord\xE9 Drilling\nLogName=optical\nKellyBushing=12.5\n"
                                 "RunNo1=1\nDateRun1=2024-05-14\nBitRec1=96\n"
                                 "Comment1=Water at 4 m\n"),
                     content);
    uniheader header;
    ResetHeader(header);
    QVERIFY(checkLogHeader(m_log, header, 0, 0).accepted());
    m_sheet = drawHeaderSheet(header, QString()).convertToFormat(QImage::Format_RGB32);
}

void TestPrintCli::sheetPngIsTheSheetImage()
{
    const QString out = m_dir.filePath("sheet.png");
    const KivoRun run = runKivo({"sheet", m_log, "--out", out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const QImage png(out);
    QCOMPARE(png.size(), QSize(2013, 1693));
    QCOMPARE(png.depth(), 1);
    QCOMPARE(png.convertToFormat(QImage::Format_RGB32), m_sheet);
}

void TestPrintCli::sheetPdfIsOneLandscapePage_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("A4") << QStringList() << 841.89 << 595.28;
    QTest::newRow("A4 named") << QStringList{"--page", "A4"} << 841.89 << 595.28;
    QTest::newRow("letter") << QStringList{"--page", "letter"} << 792.0 << 612.0;
}

void TestPrintCli::sheetPdfIsOneLandscapePage()
{
    QFETCH(QStringList, options);
    QFETCH(double, width);
    QFETCH(double, height);
    const QString out = m_dir.filePath(QStringLiteral("sheet-%1.pdf").arg(QTest::currentDataTag()));
    const KivoRun run = runKivo(QStringList{"sheet", m_log, "--out", out} + options);
    QCOMPARE(run.exitCode, 0);
    const PdfInfo info = pdfInfo(out);
    QCOMPARE(info.pages, 1);
    QVERIFY2(qAbs(info.width - width) < 1 && qAbs(info.height - height) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(info.width).arg(info.height)));

    // The sheet's frames span (20, 0) to (page width - 60, page height) of the printable area.
    const QImage page = rasterisedPdf(out);
    QVERIFY(!page.isNull());
    const QRect ink = inkBounds(page, page.rect());
    const double printableWidth = page.width() - 2 * Margin;
    const double left = Margin + 20 * Unit;
    const double right = Margin + 20 * Unit + (printableWidth - 80 * Unit) * 2004 / 2013;
    QVERIFY2(qAbs(ink.left() - left) <= 2, qPrintable(QString::number(ink.left())));
    QVERIFY2(qAbs(ink.right() - right) <= 2, qPrintable(QString::number(ink.right())));
    QVERIFY2(qAbs(ink.top() - Margin) <= 2, qPrintable(QString::number(ink.top())));
    QVERIFY2(qAbs(ink.bottom() - (page.height() - Margin)) <= 2,
             qPrintable(QString::number(ink.bottom())));
}

// The page carries the sheet pixel for pixel, black and white: no JPEG, no grey.
void TestPrintCli::sheetPdfHoldsTheSheetInOneBit()
{
    const QString out = m_dir.filePath("bits.pdf");
    const KivoRun run = runKivo({"sheet", m_log, "--out", out});
    QCOMPARE(run.exitCode, 0);
    const QList<QImage> images = pdfImages(out);
    QCOMPARE(images.size(), 1);
    QCOMPARE(images.first().depth(), 1);
    QCOMPARE(images.first().convertToFormat(QImage::Format_RGB32), m_sheet);
}

void TestPrintCli::sheetUsesTheProgramsLogo_data()
{
    // Which logo files a copy of the tool finds, laid out as an installation: the tool in bin/,
    // the installed logo in share/kivo/. The one beside the tool is black all over, the
    // installed one black in its left half only; the sheet shows logo pixel (x, y) at (x + 1,
    // y + 1).
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("leftBlack");
    QTest::addColumn<bool>("rightBlack");
    QTest::newRow("beside the program") << true << false << true << true;
    QTest::newRow("installed in share/kivo") << false << true << true << false;
    QTest::newRow("both: the one beside wins") << true << true << true << true;
    QTest::newRow("neither: the box stays blank") << false << false << false << false;
}

void TestPrintCli::sheetUsesTheProgramsLogo()
{
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(bool, leftBlack);
    QFETCH(bool, rightBlack);
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("share/kivo"));
    const QString program = prefix.filePath("bin/kivo");
    QVERIFY(QFile::copy(qEnvironmentVariable("KIVO_BIN_DIR") + "/kivo", program));
    QImage logo(395, 396, QImage::Format_RGB32);
    logo.fill(Qt::black);
    if (beside)
        QVERIFY(logo.save(prefix.filePath("bin/LOGO.BMP"), "BMP"));
    logo.fill(Qt::white);
    QPainter(&logo).fillRect(0, 0, 197, 396, Qt::black);
    if (installed)
        QVERIFY(logo.save(prefix.filePath("share/kivo/LOGO.BMP"), "BMP"));

    const QString out = m_dir.filePath("logo.png");
    QProcess process;
    process.start(program, {"sheet", m_log, "--out", out});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QImage sheet(out);
    const auto black = [&sheet](int x, int y) {
        return (sheet.pixel(x, y) & 0xFFFFFF) == 0;
    };
    QCOMPARE(black(100, 200), leftBlack);
    QCOMPARE(black(300, 200), rightBlack);
    QVERIFY(!black(396, 200)); // right of the box
}

void TestPrintCli::printScreenIsOnePortraitPage_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("surfaceWidth");
    QTest::newRow("A4, scrolling view")
        << QStringList{"--rows", "400", "--position", "300"} << 595.28 << 841.89 << 783;
    // Without the scroll bar the surface is 801 wide, white right of the image.
    QTest::newRow("letter, whole log in view")
        << QStringList{"--rows", "1000", "--page", "letter"} << 612.0 << 792.0 << 801;
}

void TestPrintCli::printScreenIsOnePortraitPage()
{
    QFETCH(QStringList, options);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, surfaceWidth);
    const QString out =
        m_dir.filePath(QStringLiteral("screen-%1.pdf").arg(QTest::currentDataTag()).remove(' '));
    const KivoRun run = runKivo(QStringList{"print-screen", m_log, "--out", out} + options);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const PdfInfo info = pdfInfo(out);
    QCOMPARE(info.pages, 1);
    QVERIFY2(qAbs(info.width - width) < 1 && qAbs(info.height - height) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(info.width).arg(info.height)));

    const QImage page = rasterisedPdf(out);
    QVERIFY(!page.isNull());
    const double printableWidth = page.width() - 2 * Margin;
    // Between the letters (top 12 units or so) and the ticks (from 35 units) nothing is drawn.
    const int gap = int(Margin + 25 * Unit);
    QVERIFY(inkBounds(page, QRect(0, gap, page.width(), 1)).isEmpty());
    // Below the 50-unit band the capture spans the printable width, so the image proper runs
    // from x0 (surface column 64) to the page position of surface column 783, and down to the
    // bottom of the printable area.
    const int imageTop = int(std::ceil(Margin + 50 * Unit)) + 1;
    const int bottom = int(page.height() - Margin) - 1;
    const int x0 = int(Margin + printableWidth * 64 / surfaceWidth);
    const double imageRight = Margin + printableWidth * 783 / surfaceWidth - 1;
    for (const int y : {imageTop, page.height() / 2, bottom}) {
        const QRect row = inkBounds(page, QRect(x0, y, page.width() - x0, 1));
        QVERIFY2(qAbs(row.right() - imageRight) <= 1.5, qPrintable(QString::number(row.right())));
    }
    QVERIFY(inkBounds(page, QRect(0, bottom + 3, page.width(), 1)).isEmpty());
    // Left of x0 lies the depth margin, white but for its ticks and labels; right of it the
    // image, dark all the way down.
    int marginInk = 0;
    for (int y = imageTop; y <= bottom; ++y) {
        QVERIFY2(!isPaper(page.pixel(x0 + 2, y)), qPrintable(QString::number(y)));
        marginInk += isPaper(page.pixel(x0 - 8, y)) ? 0 : 1;
    }
    QVERIFY2(marginInk < (bottom - imageTop) / 4, qPrintable(QString::number(marginInk)));
}

void TestPrintCli::errors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    const QString log = QStringLiteral("LOG");
    QTest::newRow("sheet without --out") << QStringList{"sheet", log} << 1;
    QTest::newRow("sheet without a log") << QStringList{"sheet", "--out", "x.png"} << 1;
    QTest::newRow("sheet to a text file") << QStringList{"sheet", log, "--out", "x.txt"} << 1;
    QTest::newRow("unknown paper")
        << QStringList{"sheet", log, "--out", "x.pdf", "--page", "a3"} << 1;
    QTest::newRow("print-screen without --rows")
        << QStringList{"print-screen", log, "--out", "x.pdf"} << 1;
    QTest::newRow("print-screen to PNG")
        << QStringList{"print-screen", log, "--rows", "10", "--out", "x.png"} << 1;
    QTest::newRow("no rows") << QStringList{"print-screen", log, "--rows", "0", "--out", "x.pdf"}
                             << 1;
    QTest::newRow("position past the end")
        << QStringList{"print-screen", log, "--rows", "400", "--position", "601", "--out", "x.pdf"}
        << 1;
    QTest::newRow("position not a number, log refused")
        << QStringList{"print-screen", "NOHEADER", "--rows", "10",
                       "--position",   "abc",      "--out",  "x.pdf"}
        << 1;
    QTest::newRow("no header") << QStringList{"sheet", "NOHEADER", "--out", "x.png"} << 2;
    QTest::newRow("unwritable sheet")
        << QStringList{"sheet", log, "--out", "/nonexistent/dir/x.pdf"} << 2;
    QTest::newRow("unwritable PNG")
        << QStringList{"sheet", log, "--out", "/nonexistent/dir/x.png"} << 2;
    QTest::newRow("unwritable page")
        << QStringList{"print-screen", log, "--rows", "10", "--out", "/nonexistent/x.pdf"} << 2;
}

void TestPrintCli::errors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const QString bare = m_dir.filePath("bare.bhx");
    writeDataFile(bare, DataFileContent(720, 10));
    for (QString &argument : arguments) {
        if (argument == "LOG")
            argument = m_log;
        else if (argument == "NOHEADER")
            argument = bare;
        else if (argument.startsWith("x."))
            argument = m_dir.filePath(argument);
    }
    const KivoRun run = runKivo(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.err.startsWith("kivo: "));
    QVERIFY(!QFile::exists(m_dir.filePath("x.pdf")));
    QVERIFY(!QFile::exists(m_dir.filePath("x.png")));
}

void TestPrintCli::helpNamesTheCommands()
{
    const KivoRun overview = runKivo({"--help"});
    for (const char *command : {"sheet", "print-screen"}) {
        QVERIFY(overview.out.contains(command));
        const KivoRun help = runKivo({command, "--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.contains(QByteArray("Usage: kivo ") + command), help.out.constData());
        QVERIFY(help.out.contains("--page"));
    }
}

QTEST_MAIN(TestPrintCli)
#include "tst_printcli.moc"
