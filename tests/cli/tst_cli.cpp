// KIVO Log Viewer
#include "kivorunner.h"
#include "testlog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace kivo::test;

namespace {

QJsonObject json(const KivoRun &run)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "not JSON:" << run.out.left(200) << run.err;
    return document.object();
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void versionIsPrinted();
    void initTestCase();
    void infoDumpsHeaderAndLayout();
    void infoInCommaLocale();
    void infoEscapesText_data();
    void infoEscapesText();
    void refusedLogsExitTwo_data();
    void refusedLogsExitTwo();
    void readouts_data();
    void readouts();
    void usageErrorsExitOne_data();
    void usageErrorsExitOne();
    void helpDescribesEveryCommand();
    void demoLogOpens();

private:
    QTemporaryDir m_dir;
    QString m_log; // 1000 records top-down, 720 samples
};

void TestCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_log = writeLog(m_dir.path(), "hole",
                     validHeader(720, 12, "Company=Nord\xE9\nKellyBushing=12.5\n"),
                     {720, 1000, 1500, 10});
}

void TestCli::infoDumpsHeaderAndLayout()
{
    const KivoRun run = runKivo({"info", m_log});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject info = json(run);
    QCOMPARE(info["HeaderFileName"].toString(), m_dir.filePath("hole.HED"));
    const QJsonObject header = info["header"].toObject();
    QCOMPARE(header["Ident"].toString(), QStringLiteral("WL_EXT"));
    QCOMPARE(header["Company"].toString(), QStringLiteral("Nord\u00E9"));
    QCOMPARE(header["KellyBushing"].toDouble(), 12.5);
    QCOMPARE(header["ToolName"].toString(), QStringLiteral("KIVO"));
    QCOMPARE(header["Version"].toInt(), 0);
    QCOMPARE(header["OtherServices"].toArray().size(), 5);
    QCOMPARE(header["Comment"].toArray().size(), 10);
    QCOMPARE(header["Runs"].toArray().size(), 3);
    QCOMPARE(header["Runs"].toArray()[0].toObject()["RunNo"].toInt(), 0);
    QCOMPARE(header["Tracks"].toArray().size(), 16);
    QCOMPARE(header["Tracks"].toArray()[3].toObject()["GridColour"].toInt(), 16777215);
    QCOMPARE(header["Channels"].toArray().size(), 16);
    QCOMPARE(header["Channels"].toArray()[1].toObject()["FilterType"].toInt(), 1);
    const QJsonObject layout = info["layout"].toObject();
    QCOMPARE(layout["SamplesPerLine"].toInt(), 720);
    QCOMPARE(layout["RecordSize"].toInt(), 2172);
    QCOMPARE(layout["RecordCount"].toInt(), 1000);
    QCOMPARE(layout["LogDirection"].toInt(), 2);
    QCOMPARE(layout["OrientationMode"].toInt(), 1);
    QCOMPARE(layout["ViewDepthUnit"].toInt(), 0);
    QCOMPARE(layout["UnitSuffix"].toString(), QStringLiteral("m"));
    // The keys keep the header's own order.
    QVERIFY(run.out.indexOf("\"Ident\"") < run.out.indexOf("\"Version\""));
    QVERIFY(run.out.indexOf("\"Version\"") < run.out.indexOf("\"Data_Files\""));
}

void TestCli::infoEscapesText_data()
{
    QTest::addColumn<QByteArray>("wellInfo"); // lines of section "WellInfo"
    QTest::addColumn<QByteArray>("sections"); // after the valid header
    QTest::addColumn<QString>("field");       // of "header"
    QTest::addColumn<QString>("text");
    QTest::newRow("backslashes") << QByteArray()
                                 << QByteArray("[File1]\nFileName=C:\\LOGS\\X.BHX\n") << "FileName"
                                 << "C:\\LOGS\\X.BHX";
    QTest::newRow("quotes") << QByteArray("Project=the \"north\" hole\n") << QByteArray()
                            << "Project"
                            << "the \"north\" hole";
    QTest::newRow("backslash before a quote")
        << QByteArray("Wellname=a\\\"b\\\n") << QByteArray() << "Wellname"
        << "a\\\"b\\";
    QTest::newRow("control characters")
        << QByteArray("Country=a\001b\tc\037d\be\ff\177\n") << QByteArray() << "Country"
        << "a\001b\tc\037d\be\ff\177";
}

void TestCli::infoEscapesText()
{
    QFETCH(QByteArray, wellInfo);
    QFETCH(QByteArray, sections);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString log =
        writeLog(dir.path(), "text", validHeader(720, 12, wellInfo) + sections, {720, 1});
    const KivoRun run = runKivo({"info", log});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    QCOMPARE(error.errorString(), QJsonParseError().errorString());
    // JSON allows no raw control character in a string; the layout's line breaks are outside.
    for (const char c : run.out)
        QVERIFY2(uchar(c) >= 0x20 || c == '\n', qPrintable(run.out));
    QCOMPARE(document.object()["header"].toObject()[field].toString(), text);
}

void TestCli::infoInCommaLocale()
{
    const QString log =
        writeLog(m_dir.path(), "komma",
                 validHeader(360, 15, "StartDepth=10,5\nKellyBushing=1,25\n"), {360, 3});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "de_DE.UTF-8");
    const KivoRun run = runKivo({"info", log}, environment);
    QCOMPARE(run.exitCode, 0);
    const QJsonObject info = json(run);
    QCOMPARE(info["header"].toObject()["KellyBushing"].toDouble(), 1.25);
    QCOMPARE(info["layout"].toObject()["LogStartDepth"].toDouble(), 10.5);
    QCOMPARE(info["layout"].toObject()["LogEndDepth"].toDouble(), 0.0);
    QCOMPARE(info["layout"].toObject()["OrientationMode"].toInt(), 2);
}

void TestCli::refusedLogsExitTwo_data()
{
    QTest::addColumn<bool>("dataFile");
    QTest::addColumn<QByteArray>("header"); // null: no header file
    QTest::addColumn<QString>("message");
    QTest::newRow("no header") << true << QByteArray() << "No header file";
    QTest::newRow("no data file, no header") << false << QByteArray() << "File not found: ";
    QTest::newRow("wrong ident") << true << QByteArray("[General]\nIdent=wl_ext\n")
                                 << "Invalid Header!";
    QTest::newRow("no ident") << true << QByteArray("[Channel1]\nSampleCount=720\n") << "Ident";
    QTest::newRow("bad number") << true << validHeader(720, 12, "KellyBushing=\n")
                                << "'' is not a valid floating point value";
    QTest::newRow("no samples") << true << QByteArray("[General]\nIdent=WL_EXT\n")
                                << "0 samples per line";
}

void TestCli::refusedLogsExitTwo()
{
    QFETCH(bool, dataFile);
    QFETCH(QByteArray, header);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString data = dir.filePath("bad.bhx");
    if (dataFile)
        writeDataFile(data, {720, 3});
    if (!header.isNull())
        writeFile(dir.filePath("bad.HED"), header);
    const KivoRun run = runKivo({"info", data});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(run.out.isEmpty());
}

void TestCli::readouts_data()
{
    QTest::addColumn<int>("logMode");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("viewStart");
    QTest::addColumn<int>("width");
    // Depths are 1500 + 10 k thousandths.
    QTest::newRow("top-down at 0")
        << 12 << qint64(1000) << QStringList{"--rows", "500"} << " 1.500" << 500 << 0 << 783;
    QTest::newRow("top-down at 40")
        << 12 << qint64(1000) << QStringList{"--rows", "500", "--position", "40"} << " 1.900" << 500
        << 40 << 783;
    QTest::newRow("bottom-up at 0: the last record")
        << 11 << qint64(1000) << QStringList{"--rows", "500"} << "11.490" << 500 << 500 << 783;
    QTest::newRow("short bottom-up")
        << 11 << qint64(10) << QStringList{"--rows", "500"} << " 1.590" << 0 << 0 << 801;
    QTest::newRow("empty") << 12 << qint64(0) << QStringList{"--rows", "500"} << "" << 0 << 0
                           << 801;
}

void TestCli::readouts()
{
    QFETCH(int, logMode);
    QFETCH(qint64, count);
    QFETCH(QStringList, options);
    QFETCH(QString, depth);
    QFETCH(int, max);
    QFETCH(int, viewStart);
    QFETCH(int, width);
    QTemporaryDir dir;
    const QString log =
        writeLog(dir.path(), "view", validHeader(720, logMode), {720, count, 1500, 10});
    const KivoRun run = runKivo(QStringList{"readouts", log} + options);
    QCOMPARE(run.exitCode, 0);
    const QJsonObject readouts = json(run);
    QCOMPARE(readouts["Label1"].toString(), depth);
    QCOMPARE(readouts["Max"].toInt(), max);
    QCOMPARE(readouts["ViewStart"].toInt(), viewStart);
    QCOMPARE(readouts["Width"].toInt(), width);
    QCOMPARE(readouts["Label5"].toString().isEmpty(), count == 0);
}

void TestCli::usageErrorsExitOne_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"paint"};
    QTest::newRow("unknown option") << QStringList{"info", "--colour", "x.bhx"};
    QTest::newRow("help-all") << QStringList{"info", "--help-all", "x.bhx"};
    QTest::newRow("info without file") << QStringList{"info"};
    QTest::newRow("readouts without rows") << QStringList{"readouts", "x.bhx"};
    QTest::newRow("rows not a number") << QStringList{"readouts", "x.bhx", "--rows", "many"};
    QTest::newRow("rows zero") << QStringList{"readouts", "x.bhx", "--rows", "0"};
    // Wrong for any log, so a usage error even where the log (here none) would be refused.
    QTest::newRow("position not a number")
        << QStringList{"readouts", "x.bhx", "--rows", "10", "--position", "abc"};
    QTest::newRow("position -1") << QStringList{"readouts", "x.bhx",      "--rows",
                                                "10",       "--position", "-1"};
}

void TestCli::usageErrorsExitOne()
{
    QFETCH(QStringList, arguments);
    const KivoRun run = runKivo(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.err.isEmpty() || !run.out.isEmpty());
}

void TestCli::helpDescribesEveryCommand()
{
    const KivoRun overview = runKivo({"--help"});
    QCOMPARE(overview.exitCode, 0);
    for (const char *command : {"info", "readouts", "demo"}) {
        QVERIFY(overview.out.contains(command));
        const KivoRun help = runKivo({command, "--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.contains(QByteArray("Usage: kivo ") + command), help.out.constData());
        // Only options the command handles: Qt's --help-all is not one of them.
        QVERIFY2(!help.out.contains("--help-all"), help.out.constData());
    }
    QVERIFY(runKivo({"readouts", "--help"}).out.contains("--position"));
}

void TestCli::demoLogOpens()
{
    QTemporaryDir dir;
    const KivoRun demo = runKivo({"demo", dir.filePath("demo")});
    QCOMPARE(demo.exitCode, 0);
    const QString log = dir.filePath("demo/demo.bhx");
    QCOMPARE(demo.out.trimmed(), log.toUtf8());
    const KivoRun info = runKivo({"info", log});
    QCOMPARE(info.exitCode, 0);
    const QJsonObject layout = json(info)["layout"].toObject();
    QCOMPARE(layout["SamplesPerLine"].toInt(), 720);
    QVERIFY(layout["RecordCount"].toInt() > 14000);
    QCOMPARE(json(info)["header"].toObject()["Runs"].toArray()[1].toObject()["RunNo"].toInt(), 2);
}

void TestCli::versionIsPrinted()
{
    const KivoRun run = runKivo({"--version"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(QRegularExpression("^kivo \\d+\\.\\d+\\.\\d+\n$").match(run.out).hasMatch(),
             run.out.constData());
    QCOMPARE(run.out.trimmed(), "kivo " + qEnvironmentVariable("KIVO_PROJECT_VERSION").toUtf8());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
