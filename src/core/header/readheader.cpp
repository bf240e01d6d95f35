// KIVO Log Viewer
#include "header/headerio.h"
#include "header/inifile.h"
#include "header/numberformat.h"
#include "header/win1252.h"

#include <QStringDecoder>

namespace kivo {

namespace {

// Reads keys with the read defaults of their value form: an absent text is empty, an absent or
// malformed integer 0, an absent number 0 (a present but malformed one is an error).
class KeyReader {
public:
    KeyReader(const IniFile &file, const QLocale &locale)
        : m_file(file)
        , m_locale(locale)
    {}

    void read(QString &field, const char *section, const QString &key,
              const QString &absent = QString()) const
    {
        const auto bytes = m_file.value(section, key.toLatin1());
        field = bytes ? decodeHeaderText(m_file, *bytes) : absent;
    }
    void read(qint32 &field, const char *section, const QString &key) const
    {
        const auto bytes = m_file.value(section, key.toLatin1());
        field = bytes ? parseHeaderInteger(*bytes).value_or(0) : 0;
    }
    void read(double &field, const char *section, const QString &key) const
    {
        const auto bytes = m_file.value(section, key.toLatin1());
        field = bytes ? StrToFloat(decodeHeaderText(m_file, *bytes), m_locale) : 0.0;
    }

    // One field of all three runs, from the keys stem + "1", "2", "3".
    template <typename T>
    void readRuns(BoundedArray<runtype, 1, 3> &runs, T runtype::*field, const char *stem) const
    {
        for (int n = 1; n <= 3; ++n)
            read(runs[n].*field, "WellInfo", QLatin1String(stem) + QString::number(n));
    }

private:
    const IniFile &m_file;
    const QLocale &m_locale;
};

void readWellInfo(const KeyReader &keys, uniheader &h)
{
    const char *const well = "WellInfo";
    keys.read(h.DepthUnit, well, "DepthUnit");
    keys.read(h.LogMode, well, "LogMode");
    keys.read(h.StartDepth, well, "Startdepth");
    keys.read(h.EndDepth, well, "EndDepth");
    keys.read(h.Step, well, "step");
    keys.read(h.StartTime, well, "StartTime");
    keys.read(h.EndTime, well, "EndTime");
    keys.read(h.Zero, well, "Zero");

    keys.read(h.Company, well, "Company", QStringLiteral("TARVENIX"));
    keys.read(h.Wellname, well, "Wellname");
    keys.read(h.Fieldname, well, "Fieldname");
    keys.read(h.Location, well, "Location");
    keys.read(h.Latitude, well, "Latitude");
    keys.read(h.Longitude, well, "Longitude");
    keys.read(h.Country, well, "Country");
    keys.read(h.ServiceCompany, well, "ServiceCompany");
    keys.read(h.Date, well, "Date");
    keys.read(h.UWI, well, "UWI");
    keys.read(h.Project, well, "Project");
    keys.read(h.LogName, well, "LogName");
    h.ToolName = QStringLiteral("KIVO");

    for (int i = 1; i <= 5; ++i)
        keys.read(h.OtherServices[i], well, QStringLiteral("OtherServices%1").arg(i));
    keys.read(h.PermanentDatum, well, "PermanentDatum");
    keys.read(h.Elevation, well, "Elevation");
    keys.read(h.LogDatum, well, "LogDatum");
    keys.read(h.DrillDatum, well, "DrillDatum");
    keys.read(h.KellyBushing, well, "KellyBushing");
    keys.read(h.DrillFloor, well, "DrillFloor");
    keys.read(h.GroundLevel, well, "GroundLevel");
}

void readRuns(const KeyReader &keys, BoundedArray<runtype, 1, 3> &runs)
{
    keys.readRuns(runs, &runtype::DateRun, "DateRun");
    keys.readRuns(runs, &runtype::RunNo, "RunNo");
    keys.readRuns(runs, &runtype::Engineer, "Engineer");
    keys.readRuns(runs, &runtype::Witness, "Witness");
    keys.readRuns(runs, &runtype::DepthDriller, "DepthDriller");
    keys.readRuns(runs, &runtype::DepthLogger, "DepthLogger");
    keys.readRuns(runs, &runtype::Deepest, "Deepest");
    keys.readRuns(runs, &runtype::Shallow, "Shallow");
    keys.readRuns(runs, &runtype::LogType, "LogType");
    keys.readRuns(runs, &runtype::Fluid, "Fluid");
    keys.readRuns(runs, &runtype::Salinity, "Salinity");
    keys.readRuns(runs, &runtype::FluidDensity, "FluidDensity");
    keys.readRuns(runs, &runtype::FluidLevel, "FluidLevel");
    keys.readRuns(runs, &runtype::MaxTemperature, "MaxTemperature");
    keys.readRuns(runs, &runtype::RigTime, "RigTime");
    keys.readRuns(runs, &runtype::BitRec, "BitRec");
    keys.readRuns(runs, &runtype::BitRecFrom, "BitRecFrom");
    keys.readRuns(runs, &runtype::BitRecTo, "BitRecTo");
    keys.readRuns(runs, &runtype::CasRecSize, "CasRecSize");
    keys.readRuns(runs, &runtype::CasRecWeight, "CasRecWeight");
    keys.readRuns(runs, &runtype::CasRecFrom, "CasRecFrom");
    keys.readRuns(runs, &runtype::CasRecTo, "CasRecTo");
}

void readFile1(const KeyReader &keys, uniheader &h)
{
    const char *const file = "File1";
    keys.read(h.FileName, file, "FileName");
    keys.read(h.ReferenceUnit, file, "ReferenceUnit");
    keys.read(h.Mode, file, "Mode");
    keys.read(h.Interval, file, "Interval");
    keys.read(h.FileStartDepth, file, "StartDepth");
    keys.read(h.FileEndDepth, file, "EndDepth");
    keys.read(h.FileStartTime, file, "StartTime");
    keys.read(h.FileEndTime, file, "EndTime");
    keys.read(h.RecLineSize, file, "RecLineSize");
    // Some logging systems spell the key "RecLinesSize".
    if (h.RecLineSize == 0)
        keys.read(h.RecLineSize, file, "RecLinesSize");
}

} // namespace

QString decodeHeaderText(const IniFile &file, const QByteArray &bytes)
{
    // A byte-order mark says the file was saved as UTF-8, but a value added later by a Windows
    // program may still be Windows-1252 bytes: those would decode to U+FFFD.
    if (file.hasUtf8Bom()) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return fromWindows1252(bytes);
}

HeaderReadStatus ReadHeader(const QString &path, uniheader &header, const QLocale &locale)
{
    return ReadHeader(IniFile::load(path), header, locale);
}

HeaderReadStatus ReadHeader(const IniFile &file, uniheader &header, const QLocale &locale)
{
    const KeyReader keys(file, locale);

    keys.read(header.Ident, "General", "Ident", QStringLiteral("WL_EXT"));
    if (header.Ident != QLatin1String("WL_EXT"))
        return HeaderReadStatus::InvalidIdent;

    keys.read(header.Version, "General", "Version");
    keys.read(header.UserProcessFlag, "General", "UserProcessFlag");
    keys.read(header.UserDLL, "General", "UserDLL");
    keys.read(header.SondeLength, "General", "SondeLength");
    keys.read(header.Data_Files, "General", "Data_Files");

    readWellInfo(keys, header);
    readRuns(keys, header.Runs);
    for (int i = 1; i <= 10; ++i)
        keys.read(header.Comment[i], "WellInfo", QStringLiteral("Comment%1").arg(i));
    readFile1(keys, header);
    return HeaderReadStatus::Read;
}

} // namespace kivo
