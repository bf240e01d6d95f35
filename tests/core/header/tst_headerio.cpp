// KIVO Log Viewer
#include "header/headerio.h"
#include "header/inifile.h"
#include "kivoerror.h"

#include <QtTest>

using namespace kivo;

namespace {

const QDate Today(2026, 12, 8);

uniheader resetHeader(const QLocale &locale = QLocale::c())
{
    uniheader header;
    ResetHeader(header, Today, locale);
    return header;
}

HeaderReadStatus readText(const QByteArray &text, uniheader &header,
                          const QLocale &locale = QLocale::c())
{
    return ReadHeader(IniFile::fromBytes(text), header, locale);
}

// A header in which every key has a value of its own: a text key holds its own name, an integer
// key a number from its position, a real key that number plus a half. Reading it shows whether
// every field is filled from its own key.
struct FullHeader {
    QByteArray text;
    QHash<QString, qint32> integers;
    QHash<QString, double> reals;
    int next = 1;
    QString prefix; // "Section/": the maps are keyed by section and key

    void section(const char *name)
    {
        text += QByteArray("[") + name + "]\n";
        prefix = QString::fromLatin1(name) + "/";
    }
    void textKey(const QString &key) { text += key.toLatin1() + "=" + key.toLatin1() + "\n"; }
    void integerKey(const QString &key)
    {
        integers[prefix + key] = next;
        text += key.toLatin1() + "=" + QByteArray::number(next++) + "\n";
    }
    void realKey(const QString &key)
    {
        reals[prefix + key] = next + 0.5;
        text += key.toLatin1() + "=" + QByteArray::number(next++) + ".5\n";
    }
    template <typename F> void runKeys(const char *stem, F add)
    {
        for (int n = 1; n <= 3; ++n)
            add(QString::fromLatin1(stem) + QString::number(n));
    }
};

FullHeader fullHeader()
{
    FullHeader f;
    f.section("General");
    f.text += "Ident=WL_EXT\n";
    for (const char *key : {"Version", "UserProcessFlag", "SondeLength", "Data_Files"})
        f.integerKey(key);
    f.textKey("UserDLL");
    f.section("WellInfo");
    for (const char *key :
         {"DepthUnit", "LogMode", "Startdepth", "EndDepth", "step", "StartTime", "EndTime"})
        f.integerKey(key);
    for (const char *key : {"Zero", "KellyBushing", "DrillFloor", "GroundLevel"})
        f.realKey(key);
    for (const char *key : {"Company", "Wellname", "Fieldname", "Location", "Latitude", "Longitude",
                            "Country", "ServiceCompany", "Date", "UWI", "Project", "LogName",
                            "PermanentDatum", "Elevation", "LogDatum", "DrillDatum"})
        f.textKey(key);
    for (int i = 1; i <= 5; ++i)
        f.textKey(QStringLiteral("OtherServices%1").arg(i));
    for (int i = 1; i <= 10; ++i)
        f.textKey(QStringLiteral("Comment%1").arg(i));
    for (const char *stem : {"DateRun", "Engineer", "Witness", "LogType", "Fluid", "Salinity",
                             "FluidDensity", "FluidLevel", "RigTime"})
        f.runKeys(stem, [&](const QString &key) { f.textKey(key); });
    f.runKeys("RunNo", [&](const QString &key) { f.integerKey(key); });
    for (const char *stem :
         {"DepthDriller", "DepthLogger", "Deepest", "Shallow", "MaxTemperature", "BitRec",
          "BitRecFrom", "BitRecTo", "CasRecSize", "CasRecWeight", "CasRecFrom", "CasRecTo"})
        f.runKeys(stem, [&](const QString &key) { f.realKey(key); });
    f.section("File1");
    f.textKey("FileName");
    for (const char *key : {"ReferenceUnit", "Mode", "Interval", "StartDepth", "EndDepth",
                            "StartTime", "EndTime", "RecLineSize"})
        f.integerKey(key);
    return f;
}

} // namespace

class TestHeaderIo : public QObject {
    Q_OBJECT

private slots:
    void resetGivesResetValues();
    void resetDateFollowsLocale();
    void everyKeyFillsItsField();
    void readDefaultsReplaceResetValues();
    void identMustBeExact_data();
    void identMustBeExact();
    void integerForms_data();
    void integerForms();
    void badNumberStopsReading_data();
    void badNumberStopsReading();
    void numbersUseLocaleSeparator();
    void recLinesSizeFallback_data();
    void recLinesSizeFallback();
    void namesMatchWithoutCase();
    void textsAreDecoded();
    void longValuesAreCut();
    void unreadableFileIsAnError();
};

void TestHeaderIo::resetGivesResetValues()
{
    uniheader header;
    header.Version = 7;
    header.Comment[3] = "left over";
    ResetHeader(header, Today, QLocale::c());

    QCOMPARE(header.Ident, QStringLiteral("QZ-HEADER"));
    QCOMPARE(header.Version, 101);
    QCOMPARE(header.Data_Files, 1);
    QCOMPARE(header.Company, QStringLiteral("TARVENIX"));
    QCOMPARE(header.Comment[3], QString());
    QCOMPARE(header.ToolName, QString());
    QCOMPARE(header.TrackCount, 0);
    QCOMPARE(header.ChannelCount, 0);
    QCOMPARE(header.KellyBushing, 0.0);
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(header.Runs[n].DateRun, header.Date);
        QCOMPARE(header.Runs[n].RunNo, 0);
    }
    for (const TrackType &track : header.Tracks)
        QCOMPARE(track.GridColour, 16777215);
    for (const channeltype &channel : header.Channels) {
        QCOMPARE(channel.FilterType, 1);
        QCOMPARE(channel.FilterWidth, 1);
        QCOMPARE(channel.File, 1);
        QCOMPARE(channel.SampleCount, 0);
    }
}

void TestHeaderIo::resetDateFollowsLocale()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(resetHeader(german).Date, german.toString(Today, QLocale::ShortFormat));
    QCOMPARE(resetHeader(english).Date, english.toString(Today, QLocale::ShortFormat));
    QVERIFY(resetHeader(german).Date != resetHeader(english).Date);
}

void TestHeaderIo::everyKeyFillsItsField()
{
    const FullHeader f = fullHeader();
    uniheader h = resetHeader();
    QCOMPARE(readText(f.text, h), HeaderReadStatus::Read);

    QCOMPARE(h.Ident, QStringLiteral("WL_EXT"));
    QCOMPARE(h.Version, f.integers["General/Version"]);
    QCOMPARE(h.UserProcessFlag, f.integers["General/UserProcessFlag"]);
    QCOMPARE(h.SondeLength, f.integers["General/SondeLength"]);
    QCOMPARE(h.Data_Files, f.integers["General/Data_Files"]);
    QCOMPARE(h.UserDLL, QStringLiteral("UserDLL"));
    QCOMPARE(h.DepthUnit, f.integers["WellInfo/DepthUnit"]);
    QCOMPARE(h.LogMode, f.integers["WellInfo/LogMode"]);
    QCOMPARE(h.StartDepth, f.integers["WellInfo/Startdepth"]);
    QCOMPARE(h.EndDepth, f.integers["WellInfo/EndDepth"]);
    QCOMPARE(h.Step, f.integers["WellInfo/step"]);
    QCOMPARE(h.StartTime, f.integers["WellInfo/StartTime"]);
    QCOMPARE(h.EndTime, f.integers["WellInfo/EndTime"]);
    QCOMPARE(h.Zero, f.reals["WellInfo/Zero"]);
    QCOMPARE(h.KellyBushing, f.reals["WellInfo/KellyBushing"]);
    QCOMPARE(h.DrillFloor, f.reals["WellInfo/DrillFloor"]);
    QCOMPARE(h.GroundLevel, f.reals["WellInfo/GroundLevel"]);
    const QList<std::pair<QString, QString>> texts = {
        {h.Company, "Company"},
        {h.Wellname, "Wellname"},
        {h.Fieldname, "Fieldname"},
        {h.Location, "Location"},
        {h.Latitude, "Latitude"},
        {h.Longitude, "Longitude"},
        {h.Country, "Country"},
        {h.ServiceCompany, "ServiceCompany"},
        {h.Date, "Date"},
        {h.UWI, "UWI"},
        {h.Project, "Project"},
        {h.LogName, "LogName"},
        {h.PermanentDatum, "PermanentDatum"},
        {h.Elevation, "Elevation"},
        {h.LogDatum, "LogDatum"},
        {h.DrillDatum, "DrillDatum"},
        {h.FileName, "FileName"},
    };
    for (const auto &[field, key] : texts)
        QCOMPARE(field, key);
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(h.OtherServices[i], QStringLiteral("OtherServices%1").arg(i));
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(h.Comment[i], QStringLiteral("Comment%1").arg(i));
    QCOMPARE(h.ToolName, QStringLiteral("KIVO"));

    for (int n = 1; n <= 3; ++n) {
        const runtype &r = h.Runs[n];
        const QString digit = QString::number(n);
        QCOMPARE(r.DateRun, "DateRun" + digit);
        QCOMPARE(r.Engineer, "Engineer" + digit);
        QCOMPARE(r.Witness, "Witness" + digit);
        QCOMPARE(r.LogType, "LogType" + digit);
        QCOMPARE(r.Fluid, "Fluid" + digit);
        QCOMPARE(r.Salinity, "Salinity" + digit);
        QCOMPARE(r.FluidDensity, "FluidDensity" + digit);
        QCOMPARE(r.FluidLevel, "FluidLevel" + digit);
        QCOMPARE(r.RigTime, "RigTime" + digit);
        QCOMPARE(r.RunNo, f.integers["WellInfo/RunNo" + digit]);
        QCOMPARE(r.DepthDriller, f.reals["WellInfo/DepthDriller" + digit]);
        QCOMPARE(r.DepthLogger, f.reals["WellInfo/DepthLogger" + digit]);
        QCOMPARE(r.Deepest, f.reals["WellInfo/Deepest" + digit]);
        QCOMPARE(r.Shallow, f.reals["WellInfo/Shallow" + digit]);
        QCOMPARE(r.MaxTemperature, f.reals["WellInfo/MaxTemperature" + digit]);
        QCOMPARE(r.BitRec, f.reals["WellInfo/BitRec" + digit]);
        QCOMPARE(r.BitRecFrom, f.reals["WellInfo/BitRecFrom" + digit]);
        QCOMPARE(r.BitRecTo, f.reals["WellInfo/BitRecTo" + digit]);
        QCOMPARE(r.CasRecSize, f.reals["WellInfo/CasRecSize" + digit]);
        QCOMPARE(r.CasRecWeight, f.reals["WellInfo/CasRecWeight" + digit]);
        QCOMPARE(r.CasRecFrom, f.reals["WellInfo/CasRecFrom" + digit]);
        QCOMPARE(r.CasRecTo, f.reals["WellInfo/CasRecTo" + digit]);
    }

    // "File1" has keys of the same names as "WellInfo"; each section fills its own fields.
    QCOMPARE(h.ReferenceUnit, f.integers["File1/ReferenceUnit"]);
    QCOMPARE(h.Mode, f.integers["File1/Mode"]);
    QCOMPARE(h.Interval, f.integers["File1/Interval"]);
    QCOMPARE(h.FileStartDepth, f.integers["File1/StartDepth"]);
    QCOMPARE(h.FileEndDepth, f.integers["File1/EndDepth"]);
    QCOMPARE(h.FileStartTime, f.integers["File1/StartTime"]);
    QCOMPARE(h.FileEndTime, f.integers["File1/EndTime"]);
    QCOMPARE(h.RecLineSize, f.integers["File1/RecLineSize"]);
    // Tracks and channels are not in the file's keys: they keep their reset values.
    QCOMPARE(h.TrackCount, 0);
    QCOMPARE(h.ChannelCount, 0);
    QCOMPARE(h.Tracks[15].GridColour, 16777215);
    QCOMPARE(h.Channels[1].FilterType, 1);
}

void TestHeaderIo::readDefaultsReplaceResetValues()
{
    uniheader h = resetHeader();
    QCOMPARE(readText("[WellInfo]\nWellname=W-7\n", h), HeaderReadStatus::Read);
    QCOMPARE(h.Ident, QStringLiteral("WL_EXT")); // absent Ident reads as WL_EXT
    QCOMPARE(h.Version, 0);
    QCOMPARE(h.Data_Files, 0);
    QCOMPARE(h.Date, QString());
    QCOMPARE(h.Runs[2].DateRun, QString());
    QCOMPARE(h.Company, QStringLiteral("TARVENIX"));
    QCOMPARE(h.Wellname, QStringLiteral("W-7"));
    QCOMPARE(h.KellyBushing, 0.0);
    QCOMPARE(h.ToolName, QStringLiteral("KIVO"));
}

void TestHeaderIo::identMustBeExact_data()
{
    QTest::addColumn<QByteArray>("ident");
    QTest::addColumn<bool>("valid");
    QTest::newRow("exact") << QByteArray("WL_EXT") << true;
    QTest::newRow("lower case") << QByteArray("wl_ext") << false;
    QTest::newRow("other tag") << QByteArray("QZ-HEADER") << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("blanks trimmed") << QByteArray("  WL_EXT  ") << true;
}

void TestHeaderIo::identMustBeExact()
{
    QFETCH(QByteArray, ident);
    QFETCH(bool, valid);
    uniheader h = resetHeader();
    const auto status = readText("[General]\nIdent=" + ident + "\nVersion=5\n", h);
    QCOMPARE(status, valid ? HeaderReadStatus::Read : HeaderReadStatus::InvalidIdent);
    QCOMPARE(h.Ident, QString::fromLatin1(ident.trimmed()));
    // A refused header stores nothing but its identity.
    QCOMPARE(h.Version, valid ? 5 : 101);
    QCOMPARE(h.ToolName, valid ? QStringLiteral("KIVO") : QString());
}

void TestHeaderIo::integerForms_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("1500") << 1500;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("fraction is no integer") << QByteArray("1500.5") << 0;
    QTest::newRow("hex") << QByteArray("0x65") << 101;
    QTest::newRow("hex upper") << QByteArray("0X65") << 101;
    QTest::newRow("bare 0x") << QByteArray("0x") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("letters") << QByteArray("ten") << 0;
}

void TestHeaderIo::integerForms()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    uniheader h = resetHeader();
    readText("[WellInfo]\nStartdepth=" + value + "\n[General]\nVersion=" + value + "\n", h);
    QCOMPARE(h.StartDepth, expected);
    QCOMPARE(h.Version, expected);
}

void TestHeaderIo::badNumberStopsReading_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("letters") << QByteArray("high");
    QTest::newRow("comma in a point locale") << QByteArray("1,5");
    QTest::newRow("trailing junk") << QByteArray("12m");
}

void TestHeaderIo::badNumberStopsReading()
{
    QFETCH(QByteArray, value);
    uniheader h = resetHeader();
    const QByteArray text =
        "[WellInfo]\nCompany=ACME\nKellyBushing=" + value + "\nDrillFloor=3\nDateRun1=today\n";
    try {
        readText(text, h);
        QFAIL("a malformed number must fail");
    } catch (const KivoError &error) {
        QCOMPARE(error.text(), QStringLiteral("'%1' is not a valid floating point value")
                                   .arg(QString::fromLatin1(value)));
    }
    QCOMPARE(h.Company, QStringLiteral("ACME")); // read before the failing key
    QCOMPARE(h.DrillFloor, 0.0);                 // after it: still the reset value
    QCOMPARE(h.Runs[1].DateRun, resetHeader().Runs[1].DateRun);
}

void TestHeaderIo::numbersUseLocaleSeparator()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    uniheader h = resetHeader(german);
    readText("[WellInfo]\nKellyBushing=1,5\nDepthDriller2=-2,25E2\n", h, german);
    QCOMPARE(h.KellyBushing, 1.5);
    QCOMPARE(h.Runs[2].DepthDriller, -225.0);
    QVERIFY_THROWS_EXCEPTION(KivoError, readText("[WellInfo]\nKellyBushing=1.5\n", h, german));
}

void TestHeaderIo::recLinesSizeFallback_data()
{
    QTest::addColumn<QByteArray>("file1");
    QTest::addColumn<int>("expected");
    QTest::newRow("only the misspelt key") << QByteArray("RecLinesSize=2172\n") << 2172;
    QTest::newRow("both") << QByteArray("RecLineSize=1092\nRecLinesSize=2172\n") << 1092;
    QTest::newRow("zero falls back") << QByteArray("RecLineSize=0\nRecLinesSize=2172\n") << 2172;
    QTest::newRow("junk falls back") << QByteArray("RecLineSize=x\nRecLinesSize=2172\n") << 2172;
    QTest::newRow("neither") << QByteArray("") << 0;
}

void TestHeaderIo::recLinesSizeFallback()
{
    QFETCH(QByteArray, file1);
    QFETCH(int, expected);
    uniheader h = resetHeader();
    readText("[File1]\n" + file1, h);
    QCOMPARE(h.RecLineSize, expected);
}

void TestHeaderIo::namesMatchWithoutCase()
{
    uniheader h = resetHeader();
    readText("[GENERAL]\nident=WL_EXT\nVERSION=3\n[wellinfo]\nSTARTDEPTH=42\ncompany=Nord\n", h);
    QCOMPARE(h.Version, 3);
    QCOMPARE(h.StartDepth, 42);
    QCOMPARE(h.Company, QStringLiteral("Nord"));
}

void TestHeaderIo::textsAreDecoded()
{
    uniheader h = resetHeader();
    readText("[WellInfo]\nComment1=Water 14 \xB0"
             "C\nComment2=Zo\xEB M\xFCller, 1 200 \x80\n",
             h);
    QCOMPARE(h.Comment[1], QStringLiteral("Water 14 \u00B0C"));
    QCOMPARE(h.Comment[2], QStringLiteral("Zo\u00EB M\u00FCller, 1 200 \u20AC"));

    // A file saved with a UTF-8 byte-order mark holds UTF-8 texts.
    readText("\xEF\xBB\xBF[WellInfo]\nComment1=14 \xC2\xB0"
             "C\n",
             h);
    QCOMPARE(h.Comment[1], QStringLiteral("14 \u00B0C"));

    // Behind the mark, a value that is not UTF-8 is still Windows-1252, whole: also a value
    // whose last sequence breaks off.
    readText("\xEF\xBB\xBF[WellInfo]\nComment1=14 \xB0"
             "C\nComment2=M\xFCller \xC2\xB0\nComment3=12 \xE2\x82\n",
             h);
    QCOMPARE(h.Comment[1], QStringLiteral("14 \u00B0C"));
    QCOMPARE(h.Comment[2], QStringLiteral("M\u00FCller \u00C2\u00B0"));
    QCOMPARE(h.Comment[3], QStringLiteral("12 \u00E2\u201A"));
}

void TestHeaderIo::longValuesAreCut()
{
    uniheader h = resetHeader();
    readText("[WellInfo]\nComment1=" + QByteArray(1500, 'x') +
                 "\nComment2=" + QByteArray(1023, 'y') + "\n",
             h);
    QCOMPARE(h.Comment[1].size(), 1023);
    QCOMPARE(h.Comment[2], QString(1023, 'y'));
}

void TestHeaderIo::unreadableFileIsAnError()
{
    QTemporaryDir dir;
    uniheader h = resetHeader();
    try {
        ReadHeader(dir.path(), h); // a directory
        QFAIL("reading a directory must fail");
    } catch (const KivoError &error) {
        QVERIFY2(error.text().contains(dir.path()), qPrintable(error.text()));
    }
}

QTEST_GUILESS_MAIN(TestHeaderIo)
#include "tst_headerio.moc"
