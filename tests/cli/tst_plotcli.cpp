// KIVO Log Viewer
#include "kivorunner.h"
#include "orientedlog.h"
#include "pdfprobe.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace kivo::test;

namespace {

// In a vertical hole of 100 mm on a North-referenced image, a trace of amplitude A dips
// atan(20 A) toward its trough.
QByteArray pickLine(double depth, double dip, double trough, const char *type)
{
    return QByteArray::number(depth, 'f', 3) + "," +
           QByteArray::number(std::tan(qDegreesToRadians(dip)) / 20.0, 'f', 12) + "," +
           QByteArray::number(trough) + ",100," + type + "\r\n";
}

const double R45 = std::sqrt(2.0) * std::sin(qDegreesToRadians(22.5));

} // namespace

class TestPlotCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void polesLandWhereTheNetPutsThem_data();
    void polesLandWhereTheNetPutsThem();
    void filtersChooseThePicks_data();
    void filtersChooseThePicks();
    void everyKindInEveryFormat_data();
    void everyKindInEveryFormat();
    void refusals_data();
    void refusals();

private:
    QJsonArray poles(const QStringList &extra = {});

    QTemporaryDir m_dir;
    QString m_log; // 10.000 to 10.990 m, vertical
};

void TestPlotCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_log = writeOrientedLog(m_dir.path(), "well", validHeader(720, 12), 100, 10000, 10,
                             [](qint64) { return qMakePair(qint16(0), qint16(0)); });
    writeFile(m_dir.filePath("well.picks.csv"),
              "Depth,Amplitude,TroughAzimuth,Diameter,Type\r\n" +
                  pickLine(10.1, 0.0, 0.0, "bedding") + pickLine(10.2, 89.95, 90.0, "fault") +
                  pickLine(10.3, 45.0, 180.0, "vein") + pickLine(10.4, 45.0, 270.0, "vein") +
                  pickLine(10.5, 45.0, 45.0, "open fracture"));
}

QJsonArray TestPlotCli::poles(const QStringList &extra)
{
    const KivoRun run =
        runKivo(QStringList{"plot", m_log, "--kind", "stereonet", "--format", "json"} + extra);
    if (run.exitCode != 0)
        qWarning() << run.err;
    return QJsonDocument::fromJson(run.out).object()["Poles"].toArray();
}

void TestPlotCli::polesLandWhereTheNetPutsThem_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("level: the centre") << 0 << 0.0 << 0.0 << 1e-9;
    // Nearly vertical, dipping east: its pole on the primitive to the west.
    QTest::newRow("vertical: the primitive") << 1 << -1.0 << 0.0 << 1e-3;
    QTest::newRow("45 toward south: north") << 2 << 0.0 << R45 << 1e-6;
    QTest::newRow("45 toward west: east") << 3 << R45 << 0.0 << 1e-6;
    QTest::newRow("45 toward north-east: south-west")
        << 4 << -R45 * M_SQRT1_2 << -R45 * M_SQRT1_2 << 1e-6;
}

void TestPlotCli::polesLandWhereTheNetPutsThem()
{
    QFETCH(int, index);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, tolerance);
    const QJsonArray all = poles();
    QCOMPARE(all.size(), 5);
    const QJsonObject pole = all[index].toObject();
    QVERIFY2(
        std::abs(pole["X"].toDouble() - x) < tolerance &&
            std::abs(pole["Y"].toDouble() - y) < tolerance,
        qPrintable(QStringLiteral("(%1, %2)").arg(pole["X"].toDouble()).arg(pole["Y"].toDouble())));
}

void TestPlotCli::filtersChooseThePicks_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<double>>("depths");
    QTest::newRow("one type") << QStringList{"--types", "vein"} << QList<double>{10.3, 10.4};
    QTest::newRow("types in any case")
        << QStringList{"--types", "FAULT, Bedding"} << QList<double>{10.1, 10.2};
    QTest::newRow("a depth range")
        << QStringList{"--from", "10.15", "--to", "10.35"} << QList<double>{10.2, 10.3};
    QTest::newRow("a range upside down")
        << QStringList{"--from", "10.45", "--to", "10.35"} << QList<double>{10.4};
    QTest::newRow("from a depth on") << QStringList{"--from", "10.45"} << QList<double>{10.5};
    QTest::newRow("nothing left") << QStringList{"--types", "breakout"} << QList<double>{};
}

void TestPlotCli::filtersChooseThePicks()
{
    QFETCH(QStringList, arguments);
    QFETCH(QList<double>, depths);
    QList<double> found;
    for (const QJsonValue &pole : poles(arguments))
        found << pole.toObject()["Depth"].toDouble();
    QCOMPARE(found, depths);
}

void TestPlotCli::everyKindInEveryFormat_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("ending");
    for (const char *kind : {"tadpole", "stereonet", "rose"})
        for (const char *ending : {"png", "svg", "pdf"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(kind, ending))) << kind << ending;
}

void TestPlotCli::everyKindInEveryFormat()
{
    QFETCH(QString, kind);
    QFETCH(QString, ending);
    const QString out = m_dir.filePath(kind + "." + ending);
    const KivoRun run =
        runKivo({"plot", m_log, "--kind", kind, "--contours", "--size", "480x360", "--out", out});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    if (ending == "png") {
        QCOMPARE(QImage(out).size(), QSize(480, 360));
    } else if (ending == "svg") {
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        while (xml.readNext() != QXmlStreamReader::StartElement && !xml.atEnd()) {
        }
        QCOMPARE(xml.name().toString(), QString("svg"));
        QCOMPARE(xml.attributes().value("viewBox").toString(), QString("0 0 480 360"));
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    } else {
        const PdfInfo info = pdfInfo(out);
        QCOMPARE(info.pages, 1);
        QVERIFY(std::abs(info.width - 360.0) < 1.0 && std::abs(info.height - 270.0) < 1.0);
    }
}

void TestPlotCli::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString png = m_dir.filePath("refused.png");
    QTest::newRow("no kind") << QStringList{"--out", png} << 1 << "--kind";
    QTest::newRow("unknown kind") << QStringList{"--kind", "pie", "--out", png} << 1
                                  << "--kind must be tadpole, stereonet or rose, not 'pie'";
    QTest::newRow("no output") << QStringList{"--kind", "rose"} << 1 << "needs --out";
    QTest::newRow("unknown ending") << QStringList{"--kind", "rose", "--out", "a.gif"} << 1
                                    << "--out must name a .png, .svg or .pdf file";
    QTest::newRow("json of a rose")
        << QStringList{"--kind", "rose", "--format", "json"} << 1 << "needs --kind stereonet";
    QTest::newRow("size too small")
        << QStringList{"--kind", "rose", "--size", "10x10", "--out", png} << 1 << "--size must be";
    QTest::newRow("size not a size")
        << QStringList{"--kind", "rose", "--size", "big", "--out", png} << 1 << "--size must be";
    QTest::newRow("comma decimals") << QStringList{"--kind", "rose", "--from", "10,2", "--out", png}
                                    << 1 << "--from must be a depth";
    QTest::newRow("bin not dividing 180")
        << QStringList{"--kind", "rose", "--bin", "7", "--out", png} << 1 << "--bin must be";
    QTest::newRow("unknown counting")
        << QStringList{"--kind", "stereonet", "--counting", "x", "--out", png} << 1
        << "--counting must be kamb or circle";
    QTest::newRow("missing picks file")
        << QStringList{"--kind", "rose", "--picks", m_dir.filePath("none.csv"), "--out", png} << 2
        << "none.csv cannot be read";
    QTest::newRow("json over the picks file")
        << QStringList{"--kind", "stereonet", "--format",
                       "json",   "--out",     m_dir.filePath("well.picks.csv")}
        << 1 << "--out names the picks file";
    QTest::newRow("folder that does not exist")
        << QStringList{"--kind", "rose", "--out", m_dir.filePath("none/a.png")} << 2
        << "cannot be written";
}

void TestPlotCli::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const KivoRun run = runKivo(QStringList{"plot", m_log} + arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(!QFile::exists(m_dir.filePath("refused.png")));
    // The picks file is as it was: five picks.
    QFile picks(m_dir.filePath("well.picks.csv"));
    QVERIFY(picks.open(QIODevice::ReadOnly));
    QCOMPARE(picks.readAll().count('\n'), 6);
}

QTEST_GUILESS_MAIN(TestPlotCli)
#include "tst_plotcli.moc"
