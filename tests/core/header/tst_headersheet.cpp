// KIVO Log Viewer
#include "header/headersheet.h"
#include "header/sheetfonts.h"
#include "header/sheettext.h"
#include "header/uniheader.h"
#include "pixelbounds.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <functional>

using namespace kivo;
using namespace kivo::test;

namespace {

const QLocale C = QLocale::c();
const QLocale German(QLocale::German, QLocale::Germany);

bool sameArea(const QImage &a, const QImage &b, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (isBlack(a, x, y) != isBlack(b, x, y))
                return false;
        }
    }
    return true;
}

QImage sheetOf(const uniheader &header, const QString &logo = QString())
{
    return drawHeaderSheet(header, logo, C);
}

void fillRun(runtype &run, int k)
{
    run.DateRun = QStringLiteral("2024-05-1%1").arg(k);
    run.Engineer = QStringLiteral("Brandt");
    run.Witness = QStringLiteral("Meyer");
    run.DepthDriller = 26 + k;
    run.DepthLogger = 25;
    run.Deepest = 24.5;
    run.Shallow = 10;
    run.LogType = QStringLiteral("Optical");
    run.Fluid = QStringLiteral("Water");
    run.MaxTemperature = 14;
    run.BitRec = 96;
    run.BitRecTo = 26;
    run.CasRecSize = 114;
    run.CasRecTo = 8;
}

// The runs table column and the bit and casing row of run k (1 to 3), inside the rules.
QRect runColumn(int k)
{
    const int left[] = {401, 661, 931};
    const int right[] = {659, 929, 1209};
    return QRect(QPoint(left[k - 1], 901), QPoint(right[k - 1], 1439));
}
QRect runRow(int k)
{
    const int y = 1550 + 50 * (k - 1);
    return QRect(2, y, 1208, 30);
}

// Logos for the logo box: each a picture and a rule for the sheet pixel its pixel (x, y) gives.
QImage patternLogo(int width, int height)
{
    QImage logo(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            logo.setPixel(x, y, (x * 3 + y * 5) % 11 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return logo;
}

} // namespace

class TestHeaderSheet : public QObject {
    Q_OBJECT

private slots:
    void centredTextX_data();
    void centredTextX();
    void sheetReal_data();
    void sheetReal();
    void asciiUpperRaisesOnlyAsciiLetters();
    void fontsHaveTheirCellHeights();
    void fixedFontAdvancesSixteen();
    void sheetIsOneBit();
    void framesAndRules_data();
    void framesAndRules();
    void captionsStandAtTheirPlaces_data();
    void captionsStandAtTheirPlaces();
    void degreeSignIsPrinted();
    void titlesAreCentred_data();
    void titlesAreCentred();
    void longCompanyStartsInLogoBoxOverTheRule();
    void logNameUpperCaseAsciiOnly();
    void wellValuesStandAtTheirPlaces_data();
    void wellValuesStandAtTheirPlaces();
    void runsWithRunNoZeroAreSkipped_data();
    void runsWithRunNoZeroAreSkipped();
    void runValuesStandInTheirColumn();
    void bitAndCasingValuesCentredWithTheirLength();
    void commentPanel();
    void emptyFileNameLeavesEmptyParentheses();
    void realsUseTheLocaleSeparator();
    void logoIsCopiedIntoItsBox_data();
    void logoIsCopiedIntoItsBox();
    void logoColoursBecomeTheNearerOfBlackAndWhite_data();
    void logoColoursBecomeTheNearerOfBlackAndWhite();
    void printSheetStretchesIntoThePage();

private:
    QTemporaryDir m_dir;
};

void TestHeaderSheet::centredTextX_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("length");
    QTest::addColumn<qint64>("x");
    // The headings of the bit and casing table.
    QTest::newRow("RUN#") << 0 << 150 << 4 << qint64(43);
    QTest::newRow("BIT RECORD") << 150 << 550 << 10 << qint64(270);
    QTest::newRow("CASING RECORD") << 550 << 1212 << 13 << qint64(777);
    QTest::newRow("BIT") << 150 << 260 << 3 << qint64(181);
    QTest::newRow("FROM bit") << 260 << 420 << 4 << qint64(308);
    QTest::newRow("TO bit") << 420 << 550 << 2 << qint64(469);
    QTest::newRow("SIZE") << 550 << 720 << 4 << qint64(603);
    QTest::newRow("WEIGHT") << 720 << 890 << 6 << qint64(757);
    QTest::newRow("FROM casing") << 890 << 1050 << 4 << qint64(938);
    QTest::newRow("TO casing") << 1050 << 1212 << 2 << qint64(1115);
    QTest::newRow("title of 50") << 400 << 1212 << 50 << qint64(406);
    QTest::newRow("title of 51 starts in the logo box") << 400 << 1212 << 51 << qint64(398);
    QTest::newRow("empty text") << 400 << 1212 << 0 << qint64(806);
    QTest::newRow("right left of left") << 150 << 0 << 4 << qint64(193);
    QTest::newRow("negative, not clamped") << 0 << 10 << 100 << qint64(-795);
}

void TestHeaderSheet::centredTextX()
{
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, length);
    QFETCH(qint64, x);
    QCOMPARE(CentredTextX(left, right, length), x);
}

void TestHeaderSheet::sheetReal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded to six") << 12.5 << "C"
                                   << " 12.50";
    QTest::newRow("seven, rounded") << 1234.567 << "C"
                                    << "1234.57";
    QTest::newRow("zero") << 0.0 << "C"
                          << "  0.00";
    QTest::newRow("negative") << -3.14159 << "C"
                              << " -3.14";
    QTest::newRow("rounds up") << 0.999 << "C"
                               << "  1.00";
    QTest::newRow("long") << 123456.789 << "C"
                          << "123456.79";
    QTest::newRow("comma locale") << 12.5 << "de"
                                  << " 12,50";
}

void TestHeaderSheet::sheetReal()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(kivo::sheetReal(value, locale == "de" ? German : C), text);
}

void TestHeaderSheet::asciiUpperRaisesOnlyAsciiLetters()
{
    QCOMPARE(asciiUpper(QStringLiteral("optical caf\u00E9 z\u00FCrich 1a")),
             QStringLiteral("OPTICAL CAF\u00E9 Z\u00FCRICH 1A"));
    QCOMPARE(asciiUpper(QString()), QString());
}

void TestHeaderSheet::fontsHaveTheirCellHeights()
{
    const QFont fixed = sheetFixedFont(30);
    QCOMPARE(QFontInfo(fixed).family(), QStringLiteral("Liberation Mono"));
    QVERIFY(QFontInfo(fixed).fixedPitch());
    QVERIFY(qAbs(QFontMetricsF(fixed).height() - 30) <= 1);
    for (int height : {20, 30}) {
        const QFont font = sheetProportionalFont(height);
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
        QVERIFY2(qAbs(QFontMetricsF(font).height() - height) <= 1,
                 qPrintable(QString::number(QFontMetricsF(font).height())));
    }
}

void TestHeaderSheet::fixedFontAdvancesSixteen()
{
    const QString text = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789.,#:");
    const qreal average = QFontMetricsF(sheetFixedFont(30)).horizontalAdvance(text) / text.size();
    QVERIFY2(average >= 15 && average <= 17, qPrintable(QString::number(average)));
}

void TestHeaderSheet::sheetIsOneBit()
{
    const QImage sheet = sheetOf(uniheader{});
    QCOMPARE(sheet.size(), QSize(2013, 1693));
    QCOMPARE(sheet.format(), QImage::Format_Mono);
    QCOMPARE(sheet.colorCount(), 2);
    QVERIFY(isBlack(sheet, 0, 0));
    QVERIFY(!isBlack(sheet, 2012, 1692));
}

void TestHeaderSheet::framesAndRules_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("black");
    const auto row = [](const char *name, int x, int y, bool black) {
        QTest::newRow(name) << x << y << black;
    };
    // The frames: a pen 4 wide centred on the rectangle, so 2 units of it lie inside.
    row("main top", 600, 0, true);
    row("main top inner", 600, 1, true);
    row("main top inside", 600, 2, false);
    row("main left inner", 1, 200, true);
    row("main left inside", 2, 200, false);
    row("main right outer", 1213, 200, true);
    row("main right inner", 1210, 200, true);
    row("main right inside", 1209, 200, false);
    row("gap between the frames", 1214, 200, false);
    row("gap before the panel", 1219, 800, false);
    row("panel left outer", 1220, 800, true);
    row("panel left inner", 1223, 800, true);
    row("panel inside", 1224, 800, false);
    row("panel right inner", 2000, 800, true);
    row("panel right outer", 2003, 800, true);
    row("right of the panel", 2004, 800, false);
    row("panel top", 1600, 1, true);
    row("panel top inside", 1600, 2, false);
    row("main bottom inner", 100, 1690, true);
    row("main bottom edge", 100, 1692, true);
    row("main bottom inside", 100, 1689, false);
    row("outer corner", 1213, 1692, true);
    // Rules, one unit wide.
    row("y 420", 300, 420, true);
    row("above y 420", 300, 419, false);
    row("below y 420", 300, 421, false);
    row("y 760", 300, 760, true);
    row("y 900", 300, 900, true);
    row("y 1440", 300, 1440, true);
    row("y 1520", 300, 1520, true);
    row("below y 1520", 300, 1521, false);
    row("y 100", 800, 100, true);
    row("y 100 not in the logo box", 399, 100, false);
    row("y 260", 800, 260, true);
    row("above y 260", 800, 259, false);
    row("x 400 by the logo", 400, 200, true);
    row("left of x 400", 399, 200, false);
    row("right of x 400", 401, 200, false);
    row("x 400 not in the well box", 400, 500, false);
    row("x 780", 780, 600, true);
    row("x 780 not in the title bands", 780, 400, false);
    row("x 840", 840, 800, true);
    row("x 840 not in the well box", 840, 700, false);
    row("x 400 in the runs table", 400, 1000, true);
    row("x 660", 660, 1000, true);
    row("x 930", 930, 1000, true);
    row("x 150", 150, 1600, true);
    row("x 550 in the heading band", 550, 1470, true);
    row("x 260", 260, 1600, true);
    row("x 260 not in the heading band", 260, 1470, false);
    row("x 420", 420, 1600, true);
    row("x 720", 720, 1600, true);
    row("x 890", 890, 1600, true);
    row("x 1050", 1050, 1600, true);
    row("x 1050 not in the heading band", 1050, 1470, false);
}

void TestHeaderSheet::framesAndRules()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, black);
    static const QImage sheet = sheetOf(uniheader{});
    QCOMPARE(isBlack(sheet, x, y), black);
}

void TestHeaderSheet::captionsStandAtTheirPlaces_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    const auto row = [](const char *name, const char *caption, int x, int y) {
        QTest::newRow(name) << QString::fromLatin1(caption) << x << y;
    };
    row("COMPANY", "COMPANY", 20, 480);
    row("COUNTRY", "COUNTRY", 20, 600);
    row("LONG.:", "LONG.:", 20, 680);
    row("OTHER SERVICES", "OTHER SERVICES", 800, 440);
    row("Perm. Datum", "Perm. Datum", 20, 780);
    row("Drill Datum", "Drill Datum", 20, 860);
    row("Elev", "Elev", 480, 780);
    row("KB", "KB", 890, 780);
    row("GL", "GL", 890, 860);
    row("DATE", "DATE", 20, 960);
    row("RUN#", "RUN#", 20, 990);
    row("DEPTH DRILLER", "DEPTH DRILLER", 20, 1050);
    row("LEVEL", "LEVEL", 20, 1260);
    row("RIG TIME", "RIG TIME", 20, 1320);
    row("WITNESSED BY", "WITNESSED BY", 20, 1390);
    // The headings of the bit and casing table, at the x CentredTextX gives.
    row("RUN# heading", "RUN#", 43, 1450);
    row("BIT RECORD", "BIT RECORD", 270, 1450);
    row("CASING RECORD", "CASING RECORD", 777, 1450);
    row("BIT", "BIT", 181, 1480);
    row("FROM bit", "FROM", 308, 1480);
    row("TO bit", "TO", 469, 1480);
    row("SIZE", "SIZE", 603, 1480);
    row("WEIGHT", "WEIGHT", 757, 1480);
    row("FROM casing", "FROM", 938, 1480);
    row("TO casing", "TO", 1115, 1480);
}

void TestHeaderSheet::captionsStandAtTheirPlaces()
{
    QFETCH(QString, caption);
    QFETCH(int, x);
    QFETCH(int, y);
    static const QImage sheet = sheetOf(uniheader{});
    // The cell, and a margin left of it that must stay white.
    const QRect ink = darkBounds(sheet, QRect(x - 6, y, 16 * int(caption.size()) + 10, 30));
    QVERIFY2(!ink.isEmpty(), "nothing drawn");
    QVERIFY2(ink.left() >= x && ink.left() <= x + 4, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= y + 1 && ink.top() <= y + 9, qPrintable(QString::number(ink.top())));
    QVERIFY2(ink.right() >= x + 15 * (caption.size() - 1),
             qPrintable(QString::number(ink.right())));
}

void TestHeaderSheet::degreeSignIsPrinted()
{
    static const QImage sheet = sheetOf(uniheader{});
    // "MAX TEMP " then the degree sign: a small ring high in the tenth cell (a character
    // advances a little under 16 units), then "C".
    const QRect degree = darkBounds(sheet, QRect(160, 1290, 16, 30));
    QVERIFY(!degree.isEmpty());
    QVERIFY2(degree.bottom() < 1290 + 16, qPrintable(QString::number(degree.bottom())));
    QVERIFY(!darkBounds(sheet, QRect(178, 1290, 16, 30)).isEmpty());
}

void TestHeaderSheet::titlesAreCentred_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("y");
    QTest::newRow("Company") << 0 << "ACME" << 42;
    QTest::newRow("Project") << 1 << "Slope survey" << 156;
    QTest::newRow("LogName") << 2 << "optical televiewer" << 338;
}

void TestHeaderSheet::titlesAreCentred()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(int, y);
    uniheader header;
    QString *fields[] = {&header.Company, &header.Project, &header.LogName};
    *fields[field] = text;
    const QImage sheet = sheetOf(header);
    const QRect ink = darkBounds(sheet, QRect(402, y, 808, 30));
    const qint64 x = CentredTextX(400, 1212, text.size());
    QVERIFY2(ink.left() >= x && ink.left() <= x + 4, qPrintable(QString::number(ink.left())));
    QVERIFY2(qAbs(ink.center().x() - 806) <= 4, qPrintable(QString::number(ink.center().x())));
}

void TestHeaderSheet::longCompanyStartsInLogoBoxOverTheRule()
{
    uniheader header;
    header.Company = QString(60, QLatin1Char('M'));
    const QImage sheet = sheetOf(header);
    const QRect ink = darkBounds(sheet, QRect(2, 42, 1208, 30));
    const qint64 x = CentredTextX(400, 1212, 60);
    QCOMPARE(x, qint64(326));
    QVERIFY2(ink.left() >= x && ink.left() <= x + 4, qPrintable(QString::number(ink.left())));
    // The text's opaque cell hides the rule at x 400 where it crosses it.
    QVERIFY(isBlack(sheet, 400, 30));
    QVERIFY(!isBlack(sheet, 400, 45));
}

void TestHeaderSheet::logNameUpperCaseAsciiOnly()
{
    uniheader lower;
    lower.LogName = QStringLiteral("caf\u00E9 run");
    uniheader upper;
    upper.LogName = QStringLiteral("CAF\u00E9 RUN");
    uniheader accentRaised;
    accentRaised.LogName = QStringLiteral("CAF\u00C9 RUN");
    const QRect band(402, 338, 808, 30);
    const QImage sheet = sheetOf(lower);
    QVERIFY(sameArea(sheet, sheetOf(upper), band));
    QVERIFY(!sameArea(sheet, sheetOf(accentRaised), band));
    const QRect ink = darkBounds(sheet, band);
    QVERIFY(ink.left() >= CentredTextX(400, 1212, 8));
}

void TestHeaderSheet::wellValuesStandAtTheirPlaces_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    const char *names[] = {"ServiceCompany", "Wellname",   "Fieldname",      "Location",
                           "Latitude",       "Longitude",  "OtherServices1", "OtherServices5",
                           "PermanentDatum", "LogDatum",   "DrillDatum",     "Elevation",
                           "KellyBushing",   "DrillFloor", "GroundLevel"};
    const int x[] = {200, 200, 200, 200, 200, 200, 800, 800, 200, 200, 200, 660, 1070, 1070, 1070};
    const int y[] = {480, 520, 560, 600, 640, 680, 480, 640, 780, 820, 860, 780, 780, 820, 860};
    for (int i = 0; i < 15; ++i)
        QTest::newRow(names[i]) << i << x[i] << y[i];
}

void TestHeaderSheet::wellValuesStandAtTheirPlaces()
{
    QFETCH(int, field);
    QFETCH(int, x);
    QFETCH(int, y);
    uniheader header;
    QString *texts[] = {&header.ServiceCompany,   &header.Wellname,         &header.Fieldname,
                        &header.Location,         &header.Latitude,         &header.Longitude,
                        &header.OtherServices[1], &header.OtherServices[5], &header.PermanentDatum,
                        &header.LogDatum,         &header.DrillDatum,       &header.Elevation};
    double *reals[] = {&header.KellyBushing, &header.DrillFloor, &header.GroundLevel};
    if (field < 12)
        *texts[field] = QStringLiteral("HHHH");
    else
        *reals[field - 12] = 1234; // "1234.00": no leading blank
    const QImage empty = sheetOf(uniheader{});
    const QImage sheet = sheetOf(header);
    const QRect cell(x - 6, y, 16 * 7 + 6, 30);
    QVERIFY(!sameArea(sheet, empty, cell));
    // Only that cell changed: compare the main form with the cell left out.
    QImage masked = sheet.convertToFormat(QImage::Format_RGB32);
    QPainter(&masked).fillRect(cell, Qt::white);
    QImage maskedEmpty = empty.convertToFormat(QImage::Format_RGB32);
    QPainter(&maskedEmpty).fillRect(cell, Qt::white);
    QVERIFY(sameArea(masked, maskedEmpty, QRect(0, 0, 1214, 1693)));
    // The first ink is the left stem of "H" or "1".
    const QRect ink = darkBounds(sheet, cell);
    QVERIFY2(ink.left() >= x && ink.left() <= x + 5, qPrintable(QString::number(ink.left())));
}

void TestHeaderSheet::runsWithRunNoZeroAreSkipped_data()
{
    QTest::addColumn<int>("run1");
    QTest::addColumn<int>("run2");
    QTest::addColumn<int>("run3");
    QTest::newRow("all three") << 1 << 2 << 3;
    QTest::newRow("only run 2") << 0 << 2 << 0;
    QTest::newRow("runs 1 and 3") << 1 << 0 << 7;
    QTest::newRow("none") << 0 << 0 << 0;
    QTest::newRow("negative numbers print") << -1 << 0 << 0;
}

void TestHeaderSheet::runsWithRunNoZeroAreSkipped()
{
    QFETCH(int, run1);
    QFETCH(int, run2);
    QFETCH(int, run3);
    uniheader header;
    const int numbers[] = {run1, run2, run3};
    uniheader empty;
    for (int k = 1; k <= 3; ++k) {
        fillRun(header.Runs[k], k);
        header.Runs[k].RunNo = numbers[k - 1];
        // Without their numbers the runs must leave no trace.
        fillRun(empty.Runs[k], k);
    }
    const QImage sheet = sheetOf(header);
    const QImage blank = sheetOf(uniheader{});
    QVERIFY(sameArea(sheetOf(empty), blank, QRect(0, 0, 2013, 1693)));
    for (int k = 1; k <= 3; ++k) {
        const bool used = numbers[k - 1] != 0;
        QCOMPARE(!sameArea(sheet, blank, runColumn(k)), used);
        QCOMPARE(!sameArea(sheet, blank, runRow(k)), used);
    }
}

void TestHeaderSheet::runValuesStandInTheirColumn()
{
    uniheader header;
    header.Runs[2].RunNo = 2;
    header.Runs[2].DateRun = QStringLiteral("HH");
    header.Runs[2].DepthDriller = 1234;
    header.Runs[2].Witness = QStringLiteral("HH");
    const QImage sheet = sheetOf(header);
    struct Place {
        int x;
        int y;
    };
    // Texts at 755, reals at 740 ("1234.00" begins with its digit).
    for (const Place place :
         {Place{755, 960}, Place{755, 990}, Place{740, 1050}, Place{755, 1390}}) {
        const QRect ink = darkBounds(sheet, QRect(place.x - 6, place.y, 40, 30));
        QVERIFY2(!ink.isEmpty(), qPrintable(QString::number(place.y)));
        QVERIFY2(ink.left() >= place.x && ink.left() <= place.x + 5,
                 qPrintable(QStringLiteral("%1 at y %2").arg(ink.left()).arg(place.y)));
    }
}

void TestHeaderSheet::bitAndCasingValuesCentredWithTheirLength()
{
    uniheader header;
    header.Runs[1].RunNo = 1;
    header.Runs[1].BitRec = 1234.567;   // "1234.57", 7 characters: starts at x 149
    header.Runs[1].CasRecSize = 12.5;   // " 12.50", 6 with the blank: starts at x 587
    header.Runs[1].CasRecTo = 1234.567; // in 1050-1212: starts at 1075
    const QImage sheet = sheetOf(header);
    const int top = 1552;
    const int rows = 26;

    const QRect bit = darkBounds(sheet, QRect(140, top, 119, rows));
    QCOMPARE(CentredTextX(150, 260, 7), qint64(149));
    QVERIFY2(bit.left() >= 149 && bit.left() <= 155, qPrintable(QString::number(bit.left())));
    // The text's cell covers the rule at x 150 in those rows.
    QVERIFY(!isBlack(sheet, 150, 1565));
    QVERIFY(isBlack(sheet, 150, 1600));

    const QRect size = darkBounds(sheet, QRect(552, top, 166, rows));
    QCOMPARE(CentredTextX(550, 720, 6), qint64(587));
    QVERIFY2(size.left() >= 587 + 16 && size.left() <= 587 + 22,
             qPrintable(QString::number(size.left())));

    const QRect to = darkBounds(sheet, QRect(1052, top, 157, rows));
    QVERIFY2(to.left() >= 1075 && to.left() <= 1081, qPrintable(QString::number(to.left())));
    const QRect runNo = darkBounds(sheet, QRect(2, top, 147, rows));
    QVERIFY2(runNo.left() >= 67 && runNo.left() <= 75, qPrintable(QString::number(runNo.left())));
}

void TestHeaderSheet::commentPanel()
{
    uniheader header;
    header.Comment[1] = QStringLiteral("First remark");
    header.Comment[10] = QStringLiteral("Last remark");
    header.FileName = QStringLiteral("hole7.bhx");
    const QImage sheet = sheetOf(header);
    for (const int y : {95, 365}) {
        const QRect ink = darkBounds(sheet, QRect(1240, y, 400, 20));
        QVERIFY2(ink.left() >= 1247 && ink.left() <= 1250, qPrintable(QString::number(ink.left())));
        QVERIFY2(ink.top() >= y + 1 && ink.top() <= y + 6, qPrintable(QString::number(ink.top())));
        // Height 20: capitals about 13 units tall, the proportional face.
        QVERIFY2(ink.height() >= 11 && ink.height() <= 19,
                 qPrintable(QString::number(ink.height())));
    }
    QVERIFY(darkBounds(sheet, QRect(1240, 125, 700, 230)).isEmpty()); // comments 2 to 9 empty
    const QRect title = darkBounds(sheet, QRect(1240, 42, 750, 30));
    QVERIFY2(title.left() >= 1247 && title.left() <= 1250,
             qPrintable(QString::number(title.left())));
    QVERIFY(title.height() >= 19);
}

void TestHeaderSheet::emptyFileNameLeavesEmptyParentheses()
{
    const QFont font = sheetProportionalFont(30);
    uniheader header;
    const QRect title = darkBounds(sheetOf(header), QRect(1240, 42, 750, 30));
    // The ink ends with the closing parenthesis right after the opening one.
    const qreal end = 1247 + QFontMetricsF(font).horizontalAdvance("COMMENTS:  ()");
    QVERIFY2(qAbs(title.right() - end) <= 4, qPrintable(QString::number(title.right())));
    header.FileName = QStringLiteral("x");
    const QRect named = darkBounds(sheetOf(header), QRect(1240, 42, 750, 30));
    QVERIFY(named.right() > title.right() + 5);
}

void TestHeaderSheet::realsUseTheLocaleSeparator()
{
    uniheader header;
    header.KellyBushing = 12.5;
    const QRect cell(1070, 780, 100, 30);
    const QImage point = drawHeaderSheet(header, QString(), C);
    const QImage comma = drawHeaderSheet(header, QString(), German);
    QVERIFY(!sameArea(point, comma, cell));
    // Only the separator's cell differs: " 12" and "50" are the same.
    QVERIFY(sameArea(point, comma, QRect(1070, 780, 16 * 3, 30)));
    QVERIFY(sameArea(point, comma, QRect(1070 + 16 * 4 + 2, 780, 16 * 2, 30)));
}

void TestHeaderSheet::logoIsCopiedIntoItsBox_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size"); // of the picture the box must show; empty: blank box
    QTest::newRow("larger, cropped") << "large" << QSize(600, 450);
    QTest::newRow("smaller, white around it") << "small" << QSize(100, 60);
    QTest::newRow("one bit a pixel") << "mono" << QSize(395, 396);
    QTest::newRow("eight bits, indexed") << "indexed" << QSize(200, 396);
    QTest::newRow("missing") << "missing" << QSize();
    QTest::newRow("a text file") << "text" << QSize();
    QTest::newRow("a PNG under the name") << "png" << QSize();
    QTest::newRow("truncated BMP") << "truncated" << QSize();
    QTest::newRow("BMP claiming two billion squared") << "huge" << QSize();
}

void TestHeaderSheet::logoIsCopiedIntoItsBox()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    const QString path = m_dir.filePath(kind + "/LOGO.BMP");
    QDir().mkpath(m_dir.filePath(kind));
    const QImage picture = patternLogo(600, 450);
    const QSize pictureSize = size.isEmpty() ? QSize(120, 120) : size;
    const QImage logo = picture.copy(QRect(QPoint(0, 0), pictureSize));
    if (kind == "large" || kind == "small") {
        QVERIFY(logo.save(path, "BMP"));
    } else if (kind == "mono") {
        QVERIFY(logo.convertToFormat(QImage::Format_Mono).save(path, "BMP"));
    } else if (kind == "indexed") {
        QVERIFY(logo.convertToFormat(QImage::Format_Indexed8).save(path, "BMP"));
    } else if (kind == "text") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture\n");
    } else if (kind == "png") {
        QVERIFY(logo.save(path, "PNG"));
    } else if (kind == "truncated") {
        QVERIFY(logo.save(path, "BMP"));
        QFile file(path);
        QVERIFY(file.resize(100));
    } else if (kind == "huge") {
        // A 24-bit header of 2^31 - 1 pixels each way, followed by a few bytes.
        QByteArray bytes = "BM" + QByteArray(52, '\0') + QByteArray(30, '\x7f');
        const auto put = [&bytes](int offset, quint32 value) {
            qToLittleEndian(value, bytes.data() + offset);
        };
        put(10, 54);
        put(14, 40);
        put(18, 0x7FFFFFFF);
        put(22, 0x7FFFFFFF);
        put(26, 1 | (24 << 16)); // one plane, 24 bits
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    const QImage sheet = sheetOf(uniheader{}, path);
    // Inside the frame and left of the rule at x 400, above the rule at y 420.
    const QSize shown = size.boundedTo(QSize(395, 396));
    for (int y = 2; y < 420; ++y) {
        for (int x = 2; x < 400; ++x) {
            const int lx = x - 1;
            const int ly = y - 1;
            const bool inLogo = lx < shown.width() && ly < shown.height();
            const bool expected = inLogo && isBlack(picture, lx, ly);
            if (isBlack(sheet, x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("sheet pixel (%1, %2)").arg(x).arg(y)));
        }
    }
}

void TestHeaderSheet::logoColoursBecomeTheNearerOfBlackAndWhite_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("black");
    QTest::newRow("sum 382 is nearer black") << QColor(127, 127, 128) << true;
    QTest::newRow("sum 383 is nearer white") << QColor(128, 127, 128) << false;
    QTest::newRow("pure red") << QColor(255, 0, 0) << true;
    QTest::newRow("yellow") << QColor(255, 255, 0) << false;
    QTest::newRow("blue") << QColor(0, 0, 255) << true;
    QTest::newRow("light grey") << QColor(200, 200, 200) << false;
    QTest::newRow("dark grey") << QColor(100, 100, 100) << true;
}

void TestHeaderSheet::logoColoursBecomeTheNearerOfBlackAndWhite()
{
    QFETCH(QColor, colour);
    QFETCH(bool, black);
    QImage logo(40, 40, QImage::Format_RGB888);
    logo.fill(colour);
    const QString path = m_dir.filePath("colour.bmp");
    QVERIFY(logo.save(path, "BMP"));
    const QImage sheet = sheetOf(uniheader{}, path);
    QCOMPARE(isBlack(sheet, 20, 20), black);
    QCOMPARE(isBlack(sheet, 40, 40), black);
    QVERIFY(!isBlack(sheet, 42, 20)); // right of the logo
}

void TestHeaderSheet::printSheetStretchesIntoThePage()
{
    const QImage sheet = sheetOf(uniheader{});
    // A page a little larger than the sheet, so that no row or column of it is dropped.
    QImage page(2200, 1800, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        printSheet(painter, QRect(0, 0, 2200, 1800), sheet);
    }
    // The target runs from x 20 to the page width less 60, over the whole height.
    QVERIFY(!isBlack(page, 19, 900));
    QVERIFY(isBlack(page, 20, 900));   // the main frame's left edge
    QVERIFY(isBlack(page, 500, 0));    // its top
    QVERIFY(isBlack(page, 500, 1799)); // its bottom
    QVERIFY(darkBounds(page, QRect(2133, 0, 67, 1800)).isEmpty());
    // The comment panel's right edge, sheet x 2003, lands at 20 + 2003 * 2120 / 2013.
    const QRect ink = darkBounds(page, QRect(0, 900, 2200, 1));
    QVERIFY2(qAbs(ink.right() - 2130) <= 1, qPrintable(QString::number(ink.right())));
    // The rule at sheet y 420 lands at 420 * 1800 / 1693 = 446.5; the logo box above it is white.
    QVERIFY(!darkBounds(page, QRect(100, 445, 1, 4)).isEmpty());
    QVERIFY(darkBounds(page, QRect(100, 400, 1, 44)).isEmpty());

    // A page too narrow for the target gets nothing.
    QImage narrow(80, 100, QImage::Format_RGB32);
    narrow.fill(Qt::white);
    {
        QPainter painter(&narrow);
        printSheet(painter, QRect(0, 0, 80, 100), sheet);
    }
    QVERIFY(darkBounds(narrow, narrow.rect()).isEmpty());
}

QTEST_MAIN(TestHeaderSheet)
#include "tst_headersheet.moc"
