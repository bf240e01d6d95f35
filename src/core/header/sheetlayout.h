// KIVO Log Viewer
#pragma once

#include <array>

namespace kivo::sheet {

// Where everything stands on the well header sheet, in sheet units: one unit is one pixel of
// the sheet image, (0, 0) its top-left corner. A text's position is the top-left corner of its
// first character cell.

constexpr int Width = 2013;
constexpr int Height = 1693;

// The logo box takes the top-left 395 x 396 pixels of the logo, one unit in from the corner.
constexpr int LogoColumns = 395;
constexpr int LogoRows = 396;
constexpr int LogoLeft = 1;
constexpr int LogoTop = 1;

// Fixed-pitch texts are centred as if every character were this wide.
constexpr int FixedCharWidth = 16;
// Cell heights of the fonts.
constexpr int TextHeight = 30;    // captions, values and the comment title
constexpr int CommentHeight = 20; // the ten remark lines

// The two frames, drawn with a pen 4 units wide centred on the rectangle through the corners.
struct Frame {
    int left;
    int top;
    int right;
    int bottom;
};
constexpr int FramePen = 4;
constexpr Frame CommentFrame{1222, 0, 2002, 1692};
constexpr Frame MainFrame{0, 0, 1212, 1692};

// The rules (one unit wide) that divide the main form: a horizontal rule on row `at` from
// column `from` to column `to`, a vertical one on column `at` from row `from` to row `to`.
struct Rule {
    bool horizontal;
    int at;
    int from;
    int to;
};
constexpr std::array<Rule, 20> Rules = {{
    {true, 420, 0, 1212},     {true, 760, 0, 1212},      {true, 900, 0, 1212},
    {true, 1440, 0, 1212},    {true, 1520, 0, 1212},     {true, 100, 400, 1212},
    {true, 260, 400, 1212},   {false, 400, 0, 420},      {false, 780, 420, 760},
    {false, 840, 760, 900},   {false, 400, 900, 1440},   {false, 660, 900, 1440},
    {false, 930, 900, 1440},  {false, 150, 1440, 1692},  {false, 550, 1440, 1692},
    {false, 260, 1520, 1692}, {false, 420, 1520, 1692},  {false, 720, 1520, 1692},
    {false, 890, 1520, 1692}, {false, 1050, 1520, 1692},
}};

// The comment panel: the title, then the remark lines one under the other.
constexpr int CommentX = 1247;
constexpr int CommentTitleY = 42;
constexpr int CommentFirstY = 95;
constexpr int CommentPitch = 30;

// A fixed caption; texts are Latin-1 ("\xB0" is the degree sign).
struct Caption {
    const char *text;
    int x;
    int y;
};
constexpr std::array<Caption, 29> Captions = {{
    {"COMPANY", 20, 480},
    {"WELL", 20, 520},
    {"FIELD", 20, 560},
    {"COUNTRY", 20, 600},
    {"LAT.:", 20, 640},
    {"LONG.:", 20, 680},
    {"OTHER SERVICES", 800, 440},
    {"Perm. Datum", 20, 780},
    {"Log. Datum", 20, 820},
    {"Drill Datum", 20, 860},
    {"Elev", 480, 780},
    {"KB", 890, 780},
    {"DF", 890, 820},
    {"GL", 890, 860},
    {"DATE", 20, 960},
    {"RUN#", 20, 990},
    {"TYPE OF LOG", 20, 1020},
    {"DEPTH DRILLER", 20, 1050},
    {"DEPTH LOGGER", 20, 1080},
    {"LOG DEEPEST", 20, 1110},
    {"LOG SHALLOW", 20, 1140},
    {"FLUID IN HOLE", 20, 1170},
    {"SALINITY", 20, 1200},
    {"DENSITY", 20, 1230},
    {"LEVEL", 20, 1260},
    {"MAX TEMP \xB0"
     "C",
     20, 1290},
    {"RIG TIME", 20, 1320},
    {"RECORDED BY", 20, 1360},
    {"WITNESSED BY", 20, 1390},
}};

// A column between two x values, for centring.
struct Column {
    int left;
    int right;
};

// The columns of the bit and casing table.
constexpr Column RunNoColumn{0, 150};
constexpr Column BitColumn{150, 260};
constexpr Column BitFromColumn{260, 420};
constexpr Column BitToColumn{420, 550};
constexpr Column CasingSizeColumn{550, 720};
constexpr Column CasingWeightColumn{720, 890};
constexpr Column CasingFromColumn{890, 1050};
constexpr Column CasingToColumn{1050, 1212};

// The bit and casing table's headings, each centred in its column.
struct CentredCaption {
    const char *text;
    Column column;
    int y;
};
constexpr std::array<CentredCaption, 10> TableCaptions = {{
    {"RUN#", RunNoColumn, 1450},
    {"BIT RECORD", {150, 550}, 1450},
    {"CASING RECORD", {550, 1212}, 1450},
    {"BIT", BitColumn, 1480},
    {"FROM", BitFromColumn, 1480},
    {"TO", BitToColumn, 1480},
    {"SIZE", CasingSizeColumn, 1480},
    {"WEIGHT", CasingWeightColumn, 1480},
    {"FROM", CasingFromColumn, 1480},
    {"TO", CasingToColumn, 1480},
}};

// The title lines, centred between the logo box and the main form's right edge.
constexpr Column TitleColumn{400, 1212};
constexpr int CompanyY = 42;
constexpr int ProjectY = 156;
constexpr int LogNameY = 338;

// The well and datum boxes.
constexpr int WellValueX = 200;
constexpr int OtherServicesX = 800;
constexpr int ElevationX = 660;
constexpr int DatumRealX = 1070;

// Runs 1, 2 and 3 (index 0, 1, 2): the x of their texts and reals in the runs table, and the
// row of their bit and casing record.
constexpr std::array<int, 3> RunTextX = {455, 755, 1055};
constexpr std::array<int, 3> RunRealX = {440, 740, 1040};
constexpr std::array<int, 3> RunRowY = {1550, 1600, 1650};

} // namespace kivo::sheet
