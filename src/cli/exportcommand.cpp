// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/depthrange.h"
#include "cli/openedlog.h"
#include "cli/terminalprogress.h"
#include "export/imageexport.h"
#include "kivoerror.h"

#include <climits>
#include <cstdio>

namespace kivo::cli {

namespace {

// --every K or --average K into the request; prints a usage error and returns false when both
// are given or K is not a whole number from 1 on.
bool decimationOption(const QCommandLineParser &parser, ExportRequest &request)
{
    if (parser.isSet("every") && parser.isSet("average")) {
        printError("--every and --average cannot be given together");
        return false;
    }
    for (const auto &[name, decimation] :
         {std::pair{"every", Decimation::Every}, std::pair{"average", Decimation::Average}}) {
        qint64 factor = 1;
        if (!parser.isSet(name))
            continue;
        if (!integerOption(parser, name, 1, INT_MAX, factor))
            return false;
        request.decimation = decimation;
        request.factor = int(factor);
    }
    return true;
}

} // namespace

int runExport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the image of a depth range of a log: 720 columns, one row per record (or per "
        "decimation group), through the brightness and contrast tables, the shallowest record "
        "on top. PNG, or TIFF (BigTIFF past 4 GiB) for larger images.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    addDepthRangeOptions(parser);
    parser.addOption({"every", "one row for every K-th record", "K"});
    parser.addOption({"average", "one row for the average of each K records", "K"});
    parser.addOption({"brightness", "brightness, -100 to 100 (default 0)", "B"});
    parser.addOption({"contrast", "contrast in percent, 0 to 800 (default 100)", "C"});
    parser.addOption({"deflate", "compress a TIFF file with deflate"});
    parser.addOption({"out", "the image to write: FILE.png, FILE.tif or FILE.tiff", "FILE"});
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "export", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("out")) {
        printError("export takes one data file and --out; 'kivo export --help' describes it");
        return ExitUsage;
    }
    ExportRequest request;
    request.path = parser.value("out");
    const auto format = exportFormatOf(request.path, parser.isSet("deflate"));
    if (!format) {
        printError(QStringLiteral("--out must name a .png, .tif or .tiff file, not '%1'")
                       .arg(request.path));
        return ExitUsage;
    }
    request.format = *format;
    qint64 brightness = 0;
    qint64 contrast = 100;
    if (!integerOption(parser, "brightness", -100, 100, brightness) ||
        !integerOption(parser, "contrast", 0, 800, contrast) || !decimationOption(parser, request))
        return ExitUsage;
    request.colours.Brightness = double(brightness);
    request.colours.Contrast = double(contrast);
    BuildColourMap(request.colours);

    OpenedLog log;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;
    exitCode = depthRangeOption(parser, log, request.fromDepth, request.toDepth);
    if (exitCode != ExitOk)
        return exitCode;

    TerminalProgress progress;
    try {
        const auto rows =
            exportImage(log.session.imageFile(), log.session.layout(), request, progress);
        if (!rows) {
            printError(QStringLiteral("interrupted: %1 was not written").arg(request.path));
            return ExitRefused;
        }
        const QByteArray line = QByteArray::number(*rows) + " rows written\n";
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
