// KIVO Log Viewer
#include "demo/demoheader.h"

#include "demo/demolog.h"
#include "log/timageline.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace kivo {

namespace {

using Key = std::pair<const char *, QByteArray>;

class HeaderText {
public:
    void section(const char *name) { m_text += QByteArray("[") + name + "]\r\n"; }
    void key(const char *name, const QByteArray &value) { m_text += name + ("=" + value) + "\r\n"; }
    void key(const char *name, qint64 value) { key(name, QByteArray::number(value)); }
    void keys(std::initializer_list<Key> list)
    {
        for (const Key &k : list)
            key(k.first, k.second);
    }
    const QByteArray &text() const { return m_text; }

private:
    QByteArray m_text;
};

// Texts are Windows-1252 bytes: \xB0 degree sign, \xEB e diaeresis, \xFC u umlaut, \x80 euro,
// \xE8 e grave, \xB3 superscript three. A literal that goes on after an escape
// is split so that the escape ends where it should.

// The run keys stem by stem, with the values of runs 1, 2 and 3 (the third run is not used).
// Depths are in metres and sizes in millimetres, all whole numbers.
struct RunKey {
    const char *stem;
    std::array<const char *, 3> values;
};

const RunKey RunKeys[] = {
    {"DateRun", {"2024-05-14", "2024-05-15", ""}},
    {"RunNo", {"1", "2", "0"}},
    {"Engineer", {"A. Brandt", "A. Brandt", ""}},
    {"Witness", {"Zo\xEB M\xFCller", "R. Lef\xE8vre", ""}},
    {"DepthDriller", {"26", "26", "0"}},
    {"DepthLogger", {"25", "25", "0"}},
    {"Deepest", {"25", "25", "0"}},
    {"Shallow", {"10", "18", "0"}},
    {"LogType", {"Optical image", "Optical image, repeat section", ""}},
    {"Fluid", {"Fresh water", "Fresh water", ""}},
    {"Salinity", {"Fresh", "Fresh", ""}},
    {"FluidDensity", {"1 g/cm\xB3", "1 g/cm\xB3", ""}},
    {"FluidLevel", {"4 m", "4 m", ""}},
    {"MaxTemperature", {"14", "14", "0"}},
    {"RigTime", {"2 h 30 min", "1 h", ""}},
    {"BitRec", {"96", "96", "0"}},
    {"BitRecFrom", {"8", "8", "0"}},
    {"BitRecTo", {"26", "26", "0"}},
    {"CasRecSize", {"114", "114", "0"}},
    {"CasRecWeight", {"17", "17", "0"}},
    {"CasRecFrom", {"0", "0", "0"}},
    {"CasRecTo", {"8", "8", "0"}},
};

const std::array<const char *, 10> Comments = {
    "Demonstration log written by the KIVO Log Viewer; not a real borehole.",
    "Bearing and angle from the tool's magnetometer and inclinometer.",
    "Water temperature 14 \xB0"
    "C at 12 m",
    "Geologist: Zo\xEB M\xFCller",
    "Core cost estimate 1 200 \x80",
    "Bedding dips about 10\xB0 towards 150\xB0.",
    "Open fracture at 19.25 m dipping 75\xB0, weathered rim.",
    "Broken zone from 17.4 m to 17.8 m, core loss 0.1 m.",
    "Caliper run skipped: hole in good condition, no washouts.",
    "Data checked on site by R. Lef\xE8vre.",
};

void writeGeneral(HeaderText &h)
{
    h.section("General");
    h.keys({{"Ident", "WL_EXT"},
            {"Version", "101"},
            {"UserProcessFlag", "0"},
            {"UserDLL", ""},
            {"SondeLength", "2200"},
            {"Data_Files", "1"}});
}

void writeWell(HeaderText &h)
{
    h.section("WellInfo");
    h.keys({{"DepthUnit", "0"}, {"LogMode", "11"}});
    h.key("Startdepth", demo::LastDepth / 1000);
    h.key("EndDepth", demo::FirstDepth / 1000);
    h.keys({{"step", "1"},
            {"StartTime", "0"},
            {"EndTime", "0"},
            {"Zero", "0"},
            {"Company", "Hallwick Geotechnical Ltd"},
            {"Wellname", "KV-07"},
            {"Fieldname", "Brenner Quarry"},
            {"Location", "North bench, level 3"},
            {"Latitude", "47\xB0 03' 12'' N"},
            {"Longitude", "8\xB0 18' 45'' E"},
            {"Country", "Switzerland"},
            {"ServiceCompany", "KIVO Borehole Imaging"},
            {"Date", "2024-05-15"},
            {"UWI", "CH-KV-2024-0007"},
            {"Project", "Slope stability survey"},
            {"LogName", "Optical televiewer"},
            {"OtherServices1", "Natural gamma"},
            {"OtherServices2", "Fluid temperature"},
            {"OtherServices3", "Fluid conductivity"},
            {"OtherServices4", "Acoustic televiewer"},
            {"OtherServices5", ""},
            {"PermanentDatum", "Ground level"},
            {"Elevation", "305 m"},
            {"LogDatum", "Kelly bushing"},
            {"DrillDatum", "Drill floor"},
            {"KellyBushing", "312"},
            {"DrillFloor", "311"},
            {"GroundLevel", "305"}});
}

void writeRuns(HeaderText &h)
{
    for (const RunKey &run : RunKeys) {
        for (size_t n = 0; n < run.values.size(); ++n)
            h.key((run.stem + QByteArray::number(qint64(n) + 1)).constData(), run.values[n]);
    }
}

void writeComments(HeaderText &h)
{
    for (size_t n = 0; n < Comments.size(); ++n)
        h.key(("Comment" + QByteArray::number(qint64(n) + 1)).constData(), Comments[n]);
}

void writeLayout(HeaderText &h)
{
    h.section("Track1");
    h.keys({{"Style", "Image"},
            {"Type", "Colour"},
            {"GridFlag", "0"},
            {"GridStyle", "Solid"},
            {"GridColour", "16777215"}});
    h.section("File1");
    h.keys({{"FileName", "demo.bhx"}, {"ReferenceUnit", "0"}, {"Mode", "1"}, {"Interval", "1"}});
    h.key("StartDepth", demo::LastDepth / 1000);
    h.key("EndDepth", demo::FirstDepth / 1000);
    h.keys({{"StartTime", "0"}, {"EndTime", "0"}});
    h.key("RecLineSize", TImageLine::recordSize(demo::SamplesPerLine));
    h.section("Channel1");
    h.keys({{"FilterFlag", "0"},
            {"FilterType", "1"},
            {"FilterWidth", "1"},
            {"HeaderLine", "1"},
            {"DisplayTrack", "1"},
            {"DisplayStyle", "0"},
            {"TrackSpan", "1"},
            {"ColourPalette", "RGB"},
            {"Title", "Optical image"},
            {"TitleShort", "OPT"},
            {"Unit", "RGB"},
            {"Offset", "0"},
            {"PhysicalCh", "1"},
            {"LogicalCh", "1"},
            {"Window", "0"},
            {"LineColour", "0"},
            {"PrintParameter", "0"},
            {"RangeLeft", "0"},
            {"RangeRight", "360"},
            {"File", "1"},
            {"DataOffset", "4"},
            {"SampleType", "3"}});
    h.key("SampleCount", demo::SamplesPerLine);
    h.keys({{"CalFlag", "0"},
            {"Coefficient0", "0"},
            {"Coefficient1", "1"},
            {"Coefficient2", "0"},
            {"Coefficient3", "0"}});
}

} // namespace

QByteArray demoHeaderText()
{
    HeaderText h;
    writeGeneral(h);
    writeWell(h);
    writeRuns(h);
    writeComments(h);
    writeLayout(h);
    return h.text();
}

} // namespace kivo
