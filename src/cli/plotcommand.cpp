// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/jsonwriter.h"
#include "cli/openedlog.h"
#include "cli/pickinput.h"
#include "cli/pickoutput.h"
#include "kivoerror.h"
#include "picks/atomicsave.h"
#include "plots/fisher.h"
#include "plots/plotfile.h"
#include "plots/roseplot.h"
#include "plots/stereonetplot.h"
#include "plots/tadpoletrack.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace kivo::cli {

namespace {

enum class PlotKind { Tadpole, Stereonet, Rose };

// What the command line asks for, checked before the log is opened.
struct PlotRequest {
    PlotKind kind = PlotKind::Stereonet;
    PlotFilter filter;
    StereonetOptions stereonet;
    RoseOptions rose;
    QSize size;
    bool json = false;
    QString out;
};

bool depthOption(const QCommandLineParser &parser, const QString &name,
                 std::optional<double> &depth)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const double value = QLocale::c().toDouble(parser.value(name), &ok);
    if (!ok || !std::isfinite(value)) {
        printError(QStringLiteral("--%1 must be a depth (with '.' for decimals), not '%2'")
                       .arg(name, parser.value(name)));
        return false;
    }
    depth = value;
    return true;
}

bool sizeOption(const QCommandLineParser &parser, PlotKind kind, QSize &size)
{
    size = kind == PlotKind::Tadpole ? QSize(300, 800) : QSize(600, 600);
    if (!parser.isSet("size"))
        return true;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(parser.value("size"));
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (!match.hasMatch() || width < MinPlotSide || width > MaxPlotSide || height < MinPlotSide ||
        height > MaxPlotSide) {
        printError(QStringLiteral("--size must be WIDTHxHEIGHT in pixels, each from %1 to %2, "
                                  "not '%3'")
                       .arg(MinPlotSide)
                       .arg(MaxPlotSide)
                       .arg(parser.value("size")));
        return false;
    }
    size = QSize(width, height);
    return true;
}

bool kindOption(const QCommandLineParser &parser, PlotKind &kind)
{
    const QString name = parser.value("kind");
    if (name == "tadpole")
        kind = PlotKind::Tadpole;
    else if (name == "stereonet")
        kind = PlotKind::Stereonet;
    else if (name == "rose")
        kind = PlotKind::Rose;
    else {
        printError(QStringLiteral("--kind must be tadpole, stereonet or rose, not '%1'").arg(name));
        return false;
    }
    return true;
}

bool plotOptions(const QCommandLineParser &parser, PlotRequest &request)
{
    if (!kindOption(parser, request.kind) || !sizeOption(parser, request.kind, request.size) ||
        !depthOption(parser, "from", request.filter.from) ||
        !depthOption(parser, "to", request.filter.to))
        return false;
    for (const QString &type : parser.value("types").split(',', Qt::SkipEmptyParts))
        if (!type.trimmed().isEmpty())
            request.filter.types << type.trimmed();
    request.stereonet.contours = parser.isSet("contours");
    request.stereonet.greatCircles = parser.isSet("great-circles");
    request.stereonet.graticule = parser.isSet("graticule");
    const QString counting = parser.value("counting");
    if (counting == "circle")
        request.stereonet.method = DensityMethod::OnePercent;
    else if (!counting.isEmpty() && counting != "kamb") {
        printError(QStringLiteral("--counting must be kamb or circle, not '%1'").arg(counting));
        return false;
    }
    request.rose.mode = parser.isSet("dip-azimuths") ? RoseMode::DipAzimuths : RoseMode::Strikes;
    if (parser.isSet("bin")) {
        bool ok = false;
        request.rose.binWidth = QLocale::c().toDouble(parser.value("bin"), &ok);
        if (!ok || !roseBinWidthValid(request.rose.binWidth, request.rose.mode)) {
            printError(QStringLiteral("--bin must be a width in degrees that divides %1 into "
                                      "whole bins, not '%2'")
                           .arg(request.rose.mode == RoseMode::Strikes ? 180 : 360)
                           .arg(parser.value("bin")));
            return false;
        }
    }
    const QString format = parser.value("format");
    request.json = format == "json";
    if (!format.isEmpty() && format != "json" && format != "image") {
        printError(QStringLiteral("--format must be image or json, not '%1'").arg(format));
        return false;
    }
    if (request.json && request.kind != PlotKind::Stereonet) {
        printError("--format json gives the poles of a stereonet: it needs --kind stereonet");
        return false;
    }
    request.out = parser.value("out");
    if (!request.json && request.out.isEmpty()) {
        printError("plot needs --out FILE.png, .svg or .pdf (or --format json for a stereonet)");
        return false;
    }
    if (!request.json && !plotFormatOf(request.out)) {
        printError(
            QStringLiteral("--out must name a .png, .svg or .pdf file, not '%1'").arg(request.out));
        return false;
    }
    return true;
}

QByteArray polesJson(const std::vector<PlotPick> &picks)
{
    JsonWriter json;
    json.beginObject();
    json.beginArray("Poles");
    int omitted = 0;
    for (const PlotPick &pick : picks) {
        if (!pick.hasPole()) {
            ++omitted;
            continue;
        }
        const Line pole = poleOf(*pick.dip, pick.poleAzimuth());
        const NetPoint p = projectLine(pole);
        json.beginObject();
        json.value("Depth", pick.depth);
        json.value("Type", pick.type);
        json.value("Dip", *pick.dip);
        json.value("DipAzimuth", pick.poleAzimuth());
        json.value("Trend", pole.trend);
        json.value("Plunge", pole.plunge);
        json.value("X", p.x);
        json.value("Y", p.y);
        json.endObject();
    }
    json.endArray();
    json.value("WithoutTrueOrientation", omitted);
    if (const auto mean = meanPole(picks)) {
        json.beginObject("Mean");
        json.value("Count", mean->count);
        json.value("Dip", mean->dip);
        json.value("DipAzimuth", mean->dipAzimuth);
        const NetPoint p = projectLine(mean->pole);
        json.value("X", p.x);
        json.value("Y", p.y);
        if (mean->fisherK)
            json.value("FisherK", *mean->fisherK);
        else
            json.null("FisherK");
        json.endObject();
    } else {
        json.null("Mean");
    }
    json.endObject();
    return json.result();
}

// The depths the track spans: --from and --to, each else the log's first or last record's.
TadpoleRange trackRange(LogSession &session, const PlotFilter &filter,
                        const std::vector<PlotPick> &picks)
{
    std::optional<std::pair<double, double>> records = session.recordDepthRange();
    if (!records && !picks.empty())
        records = std::make_pair(picks.front().depth, picks.back().depth);
    TadpoleRange range;
    range.unitSuffix = session.layout().unitSuffix();
    range.top = filter.from.value_or(records ? records->first : 0.0);
    range.bottom = filter.to.value_or(records ? records->second : 1.0);
    if (range.top == range.bottom)
        range.bottom = range.top + 1.0;
    return range;
}

PlotPainter plotPainter(const PlotRequest &request, const std::vector<PlotPick> &picks,
                        const TadpoleRange &range)
{
    switch (request.kind) {
    case PlotKind::Tadpole:
        return [&picks, range](QPainter &painter, const QRectF &area) {
            drawTadpoleTrack(painter, area, picks, range);
        };
    case PlotKind::Stereonet:
        return [&picks, &request](QPainter &painter, const QRectF &area) {
            drawStereonet(painter, area, picks, request.stereonet);
        };
    case PlotKind::Rose:
        break;
    }
    return [&picks, &request](QPainter &painter, const QRectF &area) {
        drawRose(painter, area, picks, request.rose);
    };
}

} // namespace

int runPlot(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Draws a structure plot of a log's picks: a tadpole track (true dip against depth, the "
        "tail toward the dip azimuth), a lower-hemisphere equal-area stereonet of their poles, "
        "or a rose diagram of their strikes, as PNG, SVG or PDF. For a stereonet, --format "
        "json prints the poles' places on the net instead (x East, y North, in units of the "
        "net's radius).");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    parser.addOption({"kind", "tadpole, stereonet or rose", "KIND"});
    parser.addOption({"picks", "the picks file to read (default: the log's own)", "FILE"});
    parser.addOption({"types", "only picks of these types, comma-separated", "T,..."});
    parser.addOption({"from", "only picks from this depth on", "S"});
    parser.addOption({"to", "only picks down to this depth", "E"});
    parser.addOption({"contours", "stereonet: density contours of the poles"});
    parser.addOption({"counting", "stereonet: kamb (default) or circle (1 % of the area)", "C"});
    parser.addOption({"great-circles", "stereonet: the planes' traces instead of their poles"});
    parser.addOption({"graticule", "stereonet: an equal-area net every 10 degrees"});
    parser.addOption({"dip-azimuths", "rose: the dip azimuths, instead of the strikes"});
    parser.addOption({"bin", "rose: the bin width in degrees (default 10)", "DEG"});
    parser.addOption(
        {"size", "the plot's size in pixels (default 600x600, tadpole 300x800)", "WxH"});
    parser.addOption({"format", "image (default: by --out's ending) or json", "FORMAT"});
    parser.addOption({"out", "the file to write: .png, .svg or .pdf", "FILE"});
    parser.addOption({"diameter",
                      "the hole's diameter for picks that have none and that no bit record "
                      "covers (mm for metric logs, inches for feet logs)",
                      "D"});
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "plot", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("kind")) {
        printError("plot takes one data file and --kind; 'kivo plot --help' describes it");
        return ExitUsage;
    }
    PlotRequest request;
    std::optional<double> diameter;
    if (!plotOptions(parser, request) || !diameterOption(parser, diameter))
        return ExitUsage;
    OpenedLog log;
    QList<Pick> picks;
    QList<PickValues> values;
    exitCode = loadPicks(parser, request.out, "a plot", diameter, log, picks, values);
    if (exitCode != ExitOk)
        return exitCode;
    const std::vector<PlotPick> shown = filtered(plotPicks(picks, values), request.filter);

    try {
        if (request.json) {
            if (request.out.isEmpty())
                printOut(polesJson(shown));
            else
                saveFileAtomically(request.out, polesJson(shown));
            return ExitOk;
        }
        const TadpoleRange range = trackRange(log.session, request.filter, shown);
        const QString title =
            QFileInfo(log.dataPath).completeBaseName() + " " + parser.value("kind");
        savePlotFile(request.out, request.size, title, plotPainter(request, shown, range));
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
