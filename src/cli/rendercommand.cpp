// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/openedlog.h"
#include "display/colourmap.h"
#include "display/fullview.h"
#include "display/tdib.h"
#include "kivoerror.h"
#include "picks/atomicsave.h"

#include <QBuffer>
#include <QImageWriter>

#include <optional>

namespace kivo::cli {

namespace {

enum class PictureFormat { Png, Bmp, Dib };

std::optional<PictureFormat> formatOf(const QString &path)
{
    const QString name = path.toLower();
    if (name.endsWith(QLatin1String(".png")))
        return PictureFormat::Png;
    if (name.endsWith(QLatin1String(".bmp")))
        return PictureFormat::Bmp;
    if (name.endsWith(QLatin1String(".dib")))
        return PictureFormat::Dib;
    return std::nullopt;
}

// The picture as the bytes of a 24-bit PNG file.
QByteArray pngFile(const TDIB &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture.toImage().convertToFormat(QImage::Format_RGB888)))
        throw KivoError(QStringLiteral("The picture cannot be made into a PNG file: %1")
                            .arg(writer.errorString()));
    return bytes;
}

void writePicture(const TDIB &picture, PictureFormat format, const QString &path)
{
    switch (format) {
    case PictureFormat::Png:
        saveFileAtomically(path, pngFile(picture));
        break;
    case PictureFormat::Bmp:
        picture.saveBmp(path);
        break;
    case PictureFormat::Dib:
        saveFileAtomically(path, picture.packedDib());
        break;
    }
}

} // namespace

int runRender(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the picture the viewer shows right after opening a log in a view of R rows, "
        "scrolling to position P and redrawing in full: 783 pixels wide when the scroll bar "
        "shows (more records than rows), 801 otherwise.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    addViewOptions(parser);
    parser.addOption({"brightness", "brightness, -100 to 100 (default 0)", "B"});
    parser.addOption({"contrast", "contrast in percent, 0 to 800 (default 100)", "C"});
    parser.addOption({"out",
                      "the picture to write: a name ending in .png (24-bit PNG), .bmp (BMP file) "
                      "or .dib (packed device-independent bitmap)",
                      "FILE"});
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "render", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("rows") || !parser.isSet("out")) {
        printError("render takes one data file, --rows and --out; 'kivo render --help' "
                   "describes it");
        return ExitUsage;
    }
    qint64 brightness = 0;
    qint64 contrast = 100;
    if (!integerOption(parser, "brightness", -100, 100, brightness) ||
        !integerOption(parser, "contrast", 0, 800, contrast))
        return ExitUsage;
    const QString out = parser.value("out");
    const auto format = formatOf(out);
    if (!format) {
        printError(QStringLiteral("--out must name a .png, .bmp or .dib file, not '%1'").arg(out));
        return ExitUsage;
    }

    OpenedLog log;
    qint64 position = 0;
    exitCode = openLogView(parser, log, position);
    if (exitCode != ExitOk)
        return exitCode;

    TColourMap colours;
    colours.Brightness = double(brightness);
    colours.Contrast = double(contrast);
    BuildColourMap(colours);
    try {
        writePicture(fullViewPicture(log.session.imageFile(), log.session.layout(),
                                     log.session.geometry(), position, colours),
                     *format, out);
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
