// KIVO Log Viewer
// The LAS export read back by a LAS reader of someone else's making: las-js from the npm
// registry, installed by this test into the build tree on its first run.
#include "kivorunner.h"
#include "orientedlog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <cmath>

using namespace kivo::test;

namespace {

// Prints what las-js makes of a LAS file, as JSON.
const char *const ReadLas = R"(
const { Las } = require(process.argv[2]);
const fs = require('fs');
(async () => {
    const las = new Las(fs.readFileSync(process.argv[3], 'utf8'), { loadFile: false });
    const read = {
        version: await las.version(), wrap: await las.wrap(), curves: await las.header(),
        well: await las.wellParams(), curveParams: await las.curveParams(),
        data: await las.data(), other: await las.other(),
    };
    process.stdout.write(JSON.stringify(read));
})().catch(error => { console.error(String(error)); process.exit(1); });
)";

QByteArray run(const QString &program, const QStringList &arguments, int &exitCode)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
        exitCode = -1;
        return "timed out";
    }
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    return exitCode == 0 ? process.readAllStandardOutput() : process.readAllStandardError();
}

} // namespace

class TestLasExport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void lasReaderReadsThePicks();

private:
    QTemporaryDir m_dir;
    QString m_lasJs; // the installed package
};

void TestLasExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString npm = qEnvironmentVariable("KIVO_NPM_DIR");
    QVERIFY2(!npm.isEmpty(), "KIVO_NPM_DIR is not set: run the tests with ctest");
    m_lasJs = npm + "/node_modules/las-js";
    if (!QFile::exists(m_lasJs + "/package.json")) {
        int exitCode = 0;
        const QByteArray output =
            run("npm", {"install", "--prefix", npm, "--no-audit", "--no-fund", "las-js"}, exitCode);
        QVERIFY2(exitCode == 0, qPrintable("npm install las-js failed: " + output));
    }
    QVERIFY2(QFile::exists(m_lasJs + "/package.json"), "las-js is not installed");
}

void TestLasExport::lasReaderReadsThePicks()
{
    const QString log = writeOrientedLog(
        m_dir.path(), "core",
        validHeader(720, 14,
                    "RunNo1=1\nBitRec1=96\nBitRecFrom1=10\nBitRecTo1=10.5\n"
                    "Company=Acme: Mining\nWellname=BH-7\n"),
        100, 10000, 10, [](qint64 k) {
            return k < 50 ? qMakePair(qint16(45), qint16(225)) : qMakePair(qint16(200), qint16(0));
        });
    // Out of depth order; the last has no hole angle (so no true dip) and a type of its own.
    writeFile(m_dir.filePath("core.picks.csv"), "Depth,Amplitude,TroughAzimuth,Diameter,Type\n"
                                                "10.8,0.01,90,96,breakout\n"
                                                "10.3,0,0,,bedding\n"
                                                "10.2,0.027712813,320,,vein\n");
    const QString las = m_dir.filePath("picks.las");
    const KivoRun kivo = runKivo({"picks", log, "--format", "las", "--out", las});
    QCOMPARE(kivo.exitCode, 0);
    const QString script = m_dir.filePath("readlas.js");
    writeFile(script, ReadLas);
    int exitCode = 0;
    const QByteArray output = run("node", {script, m_lasJs, las}, exitCode);
    QVERIFY2(exitCode == 0, output.constData());
    const QJsonObject read = QJsonDocument::fromJson(output).object();

    QCOMPARE(read["version"].toDouble(), 2.0);
    QCOMPARE(read["wrap"].toBool(), false);
    QCOMPARE(read["curves"].toArray().toVariantList(),
             QVariantList(
                 {"DEPT", "DIP", "AZI", "ADIP", "AAZI", "HDEV", "HAZI", "AMPL", "DIAM", "TYPE"}));
    const QJsonObject well = read["well"].toObject();
    QCOMPARE(well["STRT"].toObject()["value"].toString().toDouble(), 10.2);
    QCOMPARE(well["STRT"].toObject()["unit"].toString(), QStringLiteral("M"));
    QCOMPARE(well["STOP"].toObject()["value"].toString().toDouble(), 10.8);
    QCOMPARE(well["STEP"].toObject()["value"].toString().toDouble(), 0.0);
    QCOMPARE(well["NULL"].toObject()["value"].toString(), QStringLiteral("-999.25"));
    QCOMPARE(well["WELL"].toObject()["value"].toString(), QStringLiteral("BH-7"));
    QCOMPARE(well["COMP"].toObject()["value"].toString(), QStringLiteral("Acme Mining"));
    QCOMPARE(read["curveParams"].toObject()["DIAM"].toObject()["unit"].toString(),
             QStringLiteral("MM"));

    const QJsonArray rows = read["data"].toArray();
    QCOMPARE(rows.size(), 3);
    const QJsonArray vein = rows[0].toArray(), bedding = rows[1].toArray(),
                     breakout = rows[2].toArray();
    QCOMPARE(vein.size(), 10);
    // DEPT DIP AZI ADIP AAZI HDEV HAZI AMPL DIAM TYPE: the drill-core example, 70.0 toward 025.
    QCOMPARE(vein[0].toDouble(), 10.2);
    QVERIFY2(std::abs(vein[1].toDouble() - 70.0) < 0.05,
             qPrintable(QString::number(vein[1].toDouble())));
    QVERIFY(std::abs(vein[2].toDouble() - 25.0) < 0.05);
    QCOMPARE(vein[3].toDouble(), 30.0);
    QCOMPARE(vein[4].toDouble(), 320.0);
    QCOMPARE(vein[5].toDouble(), 45.0);
    QCOMPARE(vein[6].toDouble(), 225.0);
    QCOMPARE(vein[7].toDouble(), 0.0277);
    QCOMPARE(vein[8].toDouble(), 96.0);
    QCOMPARE(bedding[0].toDouble(), 10.3);
    QCOMPARE(bedding[1].toDouble(), 45.0); // a plane across a hole 45 degrees from vertical
    QCOMPARE(bedding[9].toDouble(), 1.0);
    QCOMPARE(breakout[0].toDouble(), 10.8);
    for (int column : {1, 2, 5})
        QCOMPARE(breakout[column].toDouble(), -999.25);
    QCOMPARE(breakout[6].toDouble(), 0.0);
    // The types' numbers: the offered ones first, the file's own after them.
    const QString other = read["other"].toString();
    QVERIFY2(other.contains("TYPE 1 = bedding") && other.contains("TYPE 3 = vein"),
             qPrintable(other));
    const int breakoutCode = int(breakout[9].toDouble());
    QVERIFY(breakoutCode > 7);
    QVERIFY2(other.contains(QStringLiteral("TYPE %1 = breakout").arg(breakoutCode)),
             qPrintable(other));
    QCOMPARE(vein[9].toDouble(), 3.0);
}

QTEST_GUILESS_MAIN(TestLasExport)
#include "tst_lasexport.moc"
