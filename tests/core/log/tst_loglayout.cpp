// KIVO Log Viewer
#include "header/headerio.h"
#include "header/inifile.h"
#include "kivoerror.h"
#include "log/loglayout.h"
#include "log/logopener.h"
#include "testlog.h"

#include <QtTest>

using namespace kivo;

namespace {

LogLayout layoutOf(const QByteArray &text, int viewDepthUnit = 0,
                   const QLocale &locale = QLocale::c())
{
    return readLogLayout(IniFile::fromBytes(text), viewDepthUnit, 0, locale);
}

} // namespace

class TestLogLayout : public QObject {
    Q_OBJECT

private slots:
    void logModes_data();
    void logModes();
    void sampleCounts_data();
    void sampleCounts();
    void depthUnitSuffix_data();
    void depthUnitSuffix();
    void depthUnitDefaultsToViewUnit();
    void realDefaultsInEveryLocale();
    void malformedRealIsAnError();
    void identCheck_data();
    void identCheck();
    void checkLogHeaderOutcomes();
    void headerInAnotherCase();
};

void TestLogLayout::logModes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("orientation");
    QTest::newRow("absent") << QByteArray() << 1 << 1;
    QTest::newRow("11") << QByteArray("LogMode=11\n") << 1 << 1;
    QTest::newRow("12") << QByteArray("LogMode=12\n") << 2 << 1;
    QTest::newRow("13") << QByteArray("LogMode=13\n") << 2 << 1;
    QTest::newRow("14") << QByteArray("LogMode=14\n") << 1 << 2;
    QTest::newRow("15") << QByteArray("LogMode=15\n") << 2 << 2;
    QTest::newRow("0") << QByteArray("LogMode=0\n") << 2 << 1;
    QTest::newRow("junk") << QByteArray("LogMode=fast\n") << 1 << 1;
}

void TestLogLayout::logModes()
{
    QFETCH(QByteArray, line);
    QFETCH(int, direction);
    QFETCH(int, orientation);
    const LogLayout layout = layoutOf("[WellInfo]\n" + line + "[Channel1]\nSampleCount=720\n");
    QCOMPARE(layout.LogDirection, direction);
    QCOMPARE(layout.OrientationMode, orientation);
}

void TestLogLayout::sampleCounts_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("samples");   // 0: refused
    QTest::addColumn<QString>("named"); // how a refusal names what the header holds
    QTest::newRow("720") << QByteArray("720") << 720 << QString();
    QTest::newRow("360") << QByteArray("360") << 360 << QString();
    QTest::newRow("1") << QByteArray("1") << 1 << QString();
    QTest::newRow("729") << QByteArray("729") << 729 << QString();
    QTest::newRow("730") << QByteArray("730") << 730 << QString();
    QTest::newRow("65536") << QByteArray("65536") << 65536 << QString();
    QTest::newRow("65537") << QByteArray("65537") << 0 << " 65537 samples";
    QTest::newRow("0") << QByteArray("0") << 0 << " 0 samples";
    QTest::newRow("-1") << QByteArray("-1") << 0 << " -1 samples";
    QTest::newRow("2^31-1") << QByteArray("2147483647") << 0 << " 2147483647 samples";
    QTest::newRow("absent") << QByteArray() << 0 << " 0 samples";
    QTest::newRow("not a number") << QByteArray("abc") << 0 << " \"abc\" samples";
    QTest::newRow("fraction") << QByteArray("1500.5") << 0 << " \"1500.5\" samples";
    QTest::newRow("beyond 32 bits") << QByteArray("99999999999") << 0 << " \"99999999999\" samples";
}

void TestLogLayout::sampleCounts()
{
    QFETCH(QByteArray, value);
    QFETCH(int, samples);
    QFETCH(QString, named);
    const QByteArray text =
        value.isNull() ? QByteArray("[Channel1]\n") : "[Channel1]\nSampleCount=" + value + "\n";
    if (samples == 0) {
        try {
            layoutOf(text);
            QFAIL("the sample count must be refused");
        } catch (const KivoError &error) {
            QVERIFY2(error.text().contains(named), qPrintable(error.text()));
        }
        return;
    }
    const LogLayout layout = layoutOf(text);
    QCOMPARE(layout.SamplesPerLine, samples);
    QCOMPARE(layout.recordSize(), 3LL * samples + 12);
}

void TestLogLayout::depthUnitSuffix_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("metres") << 0 << "m";
    QTest::newRow("feet") << 1 << "ft";
    QTest::newRow("any other code is feet") << 2 << "ft";
    QTest::newRow("negative") << -1 << "ft";
}

void TestLogLayout::depthUnitSuffix()
{
    QFETCH(int, unit);
    QFETCH(QString, suffix);
    QCOMPARE(kivo::depthUnitSuffix(unit), suffix);
}

void TestLogLayout::depthUnitDefaultsToViewUnit()
{
    const QByteArray samples = "[Channel1]\nSampleCount=720\n";
    QCOMPARE(layoutOf(samples, 0).DepthUnit, 0);
    QCOMPARE(layoutOf(samples, 1).DepthUnit, 1);
    QCOMPARE(layoutOf(samples, 1).unitSuffix(), QStringLiteral("ft"));
    QCOMPARE(layoutOf("[WellInfo]\nDepthUnit=0\n" + samples, 1).unitSuffix(), QStringLiteral("m"));
    QCOMPARE(layoutOf("[WellInfo]\nDepthUnit=2\n" + samples, 0).unitSuffix(), QStringLiteral("ft"));
}

void TestLogLayout::realDefaultsInEveryLocale()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const LogLayout layout = layoutOf("[Channel1]\nSampleCount=720\n", 0, german);
    QCOMPARE(layout.Step, 1.0);
    QCOMPARE(layout.LogStartDepth, 0.0);
    QCOMPARE(layout.LogEndDepth, 0.0);
    const LogLayout given = layoutOf(
        "[WellInfo]\nStartDepth=1500,5\nEndDepth=12,25\nstep=0,001\n[Channel1]\nSampleCount=720\n",
        0, german);
    QCOMPARE(given.LogStartDepth, 1500.5);
    QCOMPARE(given.LogEndDepth, 12.25);
    QCOMPARE(given.Step, 0.001);
}

void TestLogLayout::malformedRealIsAnError()
{
    try {
        layoutOf("[WellInfo]\nEndDepth=deep\n[Channel1]\nSampleCount=720\n");
        QFAIL("a malformed EndDepth must fail");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), QStringLiteral("'deep' is not a valid floating point value"));
    }
}

void TestLogLayout::identCheck_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("WL_EXT") << QByteArray("[General]\nIdent=WL_EXT\n") << true;
    QTest::newRow("absent") << QByteArray("[General]\nVersion=1\n") << false;
    QTest::newRow("no section") << QByteArray("Ident=WL_EXT\n") << false;
    QTest::newRow("lower case") << QByteArray("[General]\nIdent=wl_ext\n") << false;
}

void TestLogLayout::identCheck()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, accepted);
    QCOMPARE(identAccepted(IniFile::fromBytes(text)), accepted);
}

void TestLogLayout::checkLogHeaderOutcomes()
{
    QTemporaryDir dir;
    using Outcome = LogHeaderCheck::Outcome;
    const auto check = [&](const QByteArray *header) {
        const QString data = dir.filePath("hole.bhx");
        QFile::remove(dir.filePath("hole.HED"));
        if (header)
            test::writeFile(dir.filePath("hole.HED"), *header);
        uniheader record;
        ResetHeader(record);
        return checkLogHeader(data, record, 0, 0, QLocale::c());
    };

    const LogHeaderCheck missing = check(nullptr);
    QCOMPARE(missing.outcome, Outcome::NoHeader);
    QCOMPARE(missing.headerFileName, dir.filePath("hole.HED"));
    QVERIFY(missing.refusal().contains(dir.filePath("hole.HED")));

    const QByteArray wrong = "[General]\nIdent=wl_ext\n";
    QCOMPARE(check(&wrong).outcome, Outcome::InvalidHeader);
    QCOMPARE(check(&wrong).refusal(), QStringLiteral("Invalid Header!"));

    const QByteArray noIdent = "[WellInfo]\nCompany=X\n[Channel1]\nSampleCount=720\n";
    QCOMPARE(check(&noIdent).outcome, Outcome::NoIdent);
    QVERIFY(check(&noIdent).refusal().contains("does not identify a log"));
    QVERIFY(check(&noIdent).refusal().contains("no \"Ident\""));

    const QByteArray good = test::validHeader(360, 14);
    const LogHeaderCheck accepted = check(&good);
    QVERIFY(accepted.accepted());
    QCOMPARE(accepted.layout.SamplesPerLine, 360);
    QCOMPARE(accepted.layout.LogDirection, 1);
    QCOMPARE(accepted.layout.OrientationMode, 2);

    const QByteArray badCount = test::validHeader(0);
    QVERIFY_THROWS_EXCEPTION(KivoError, check(&badCount));
}

void TestLogLayout::headerInAnotherCase()
{
    QTemporaryDir dir;
    test::writeFile(dir.filePath("Hole.hed"), test::validHeader(720));
    uniheader record;
    ResetHeader(record);
    const LogHeaderCheck check = checkLogHeader(dir.filePath("Hole.bhx"), record, 0, 0);
    QVERIFY(check.accepted());
    QCOMPARE(check.headerFileName, dir.filePath("Hole.hed"));
}

QTEST_GUILESS_MAIN(TestLogLayout)
#include "tst_loglayout.moc"
