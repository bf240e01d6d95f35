// KIVO Log Viewer
#include "kivoerror.h"
#include "picks/picksfile.h"

#include <QtTest>

using namespace kivo;

class TestPicksFile : public QObject {
    Q_OBJECT

private slots:
    void readsByHeaderName_data();
    void readsByHeaderName();
    void badLinesRefuseTheFile_data();
    void badLinesRefuseTheFile();
    void writesTheColumnsInOrder();
    void roundTrip();
};

void TestPicksFile::readsByHeaderName_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("diameter"); // 0: none
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<double>("confidence"); // -1: none
    QTest::newRow("written order")
        << QByteArray("Depth,Amplitude,TroughAzimuth,Diameter,ApparentDip,ApparentDipAzimuth,"
                      "HoleDeviation,HoleAzimuth,TrueDip,TrueDipAzimuth,Type,Comment\r\n"
                      "12.5,0.02,90,96,99,99,99,99,99,99,vein,quartz\r\n")
        << 12.5 << 96.0 << "vein"
        << "quartz" << -1.0;
    QTest::newRow("other order, any case, LF, extra and unnamed columns")
        << QByteArray("comment,TYPE,Colour,troughazimuth,AMPLITUDE,depth,,\n"
                      "\"open, wide\",fault,red,90,0.02,12.5,,\n")
        << 12.5 << 0.0 << "fault"
        << "open, wide" << -1.0;
    QTest::newRow("quotes, doubled quotes, line break, UTF-8")
        << QByteArray("Depth,Amplitude,TroughAzimuth,Comment\r\n"
                      "12.5,0.02,90,\"a \"\"x\"\"\r\nsecond line, \xC3\xA9\"\r\n")
        << 12.5 << 0.0 << "other"
        << "a \"x\"\r\nsecond line, \u00E9" << -1.0;
    QTest::newRow("empty type and diameter, blank lines, no final break")
        << QByteArray("\xEF\xBB\xBF"
                      "Depth,Amplitude,TroughAzimuth,Diameter,Type\n\n"
                      "12.5,0.02,90,,\n")
        << 12.5 << 0.0 << "other"
        << "" << -1.0;
    QTest::newRow("confidence kept")
        << QByteArray("Depth,Amplitude,TroughAzimuth,Confidence\n 12.5 ,0.02,90,0.75") << 12.5
        << 0.0 << "other"
        << "" << 0.75;
}

void TestPicksFile::readsByHeaderName()
{
    QFETCH(QByteArray, file);
    QFETCH(double, depth);
    QFETCH(double, diameter);
    QFETCH(QString, type);
    QFETCH(QString, comment);
    QFETCH(double, confidence);
    const QList<Pick> picks = readPicksCsv(file);
    QCOMPARE(picks.size(), 1);
    QCOMPARE(picks[0].trace.depth, depth);
    QCOMPARE(picks[0].trace.amplitude, 0.02);
    QCOMPARE(picks[0].trace.troughAzimuth, 90.0);
    QCOMPARE(picks[0].diameter.value_or(0.0), diameter);
    QCOMPARE(picks[0].type, type);
    QCOMPARE(picks[0].comment, comment);
    QCOMPARE(picks[0].confidence.value_or(-1.0), confidence);
}

void TestPicksFile::badLinesRefuseTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QByteArray header = "Depth,Amplitude,TroughAzimuth,Comment\n";
    const QByteArray good = "1.5,0.01,10,ok\n";
    QTest::newRow("comma decimals") << header + good + "1,5,0.01,10,x\n"
                                    << "line 3: 5 fields where the header has 4";
    QTest::newRow("too few fields") << header + good + good + "1.5,0.01\n"
                                    << "line 4: 2 fields";
    QTest::newRow("not a number") << header + "1.5x,0.01,10,a\n"
                                  << "line 2: Depth '1.5x'";
    QTest::newRow("empty depth") << header + good + ",0.01,10,a\n"
                                 << "line 3: Depth ''";
    QTest::newRow("infinite") << header + "inf,0.01,10,a\n"
                              << "line 2: Depth 'inf'";
    QTest::newRow("negative amplitude") << header + "1,-0.01,10,a\n"
                                        << "line 2: Amplitude";
    QTest::newRow("zero diameter") << QByteArray("Depth,Amplitude,TroughAzimuth,Diameter\n"
                                                 "1,0.01,10,0\n")
                                   << "line 2: Diameter";
    QTest::newRow("quote never closed, counted from its start")
        << header + good + "1,0.01,10,\"a\nb\nc\n"
        << "line 3: a quote that is never closed";
    QTest::newRow("text after a closing quote, after a quoted break")
        << header + "1,0.01,10,\"a\nb\"x\n"
        << "line 3: text after a closing quote";
    QTest::newRow("stray quote") << header + "1,0.01,10,a\"b\n"
                                 << "line 2: a quote inside";
    QTest::newRow("no depth column")
        << QByteArray("Amplitude,TroughAzimuth\n1,2\n") << "line 1: no Depth column";
    QTest::newRow("column twice") << QByteArray("Depth,Amplitude,TroughAzimuth,depth\n")
                                  << "line 1: column 'depth' appears twice";
    QTest::newRow("not UTF-8") << header + good + "1,0.01,10,\xFF\xFE\n"
                               << "line 3: not UTF-8";
}

void TestPicksFile::badLinesRefuseTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    try {
        readPicksCsv(file);
        QFAIL("read");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().startsWith(message), qPrintable(error.text()));
    }
}

void TestPicksFile::writesTheColumnsInOrder()
{
    Pick pick;
    pick.trace = {12.5, 0.02, 90.0};
    pick.type = "open fracture";
    pick.comment = "iron \"stained\", wet";
    PickValues values;
    values.apparentDip = 22.6198649;
    values.apparentDipAzimuth = 90.0;
    values.holeDeviation = 3.0;
    values.holeAzimuth = 359.0;
    values.trueDip = 25.0;
    QLocale::setDefault(QLocale(QLocale::German)); // a comma-decimal locale changes nothing
    const QByteArray csv = writePicksCsv({pick}, {values});
    QLocale::setDefault(QLocale::c());
    QCOMPARE(csv, QByteArray("Depth,Amplitude,TroughAzimuth,Diameter,ApparentDip,"
                             "ApparentDipAzimuth,HoleDeviation,HoleAzimuth,TrueDip,"
                             "TrueDipAzimuth,Type,Comment\r\n"
                             "12.500000,0.020000,90.0000,,22.62,90.00,3.00,359.00,25.00,,"
                             "open fracture,\"iron \"\"stained\"\", wet\"\r\n"));
}

void TestPicksFile::roundTrip()
{
    Pick a;
    a.trace = {1523.123456, 0.012345, 359.1234};
    a.diameter = 96.5;
    a.type = "bedding";
    a.comment = "line one\nline two, \"quoted\" \u00E9";
    a.confidence = 0.875;
    Pick b;
    b.trace = {7.0, 0.0, 0.0};
    b.comment = " leading space";
    const QList<Pick> picks = readPicksCsv(writePicksCsv({a, b}, {PickValues(), PickValues()}));
    QCOMPARE(picks.size(), 2);
    QVERIFY(picks[0] == a);
    QVERIFY(picks[1] == b);
}

QTEST_GUILESS_MAIN(TestPicksFile)
#include "tst_picksfile.moc"
