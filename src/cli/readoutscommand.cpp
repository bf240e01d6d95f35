// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/jsonwriter.h"
#include "cli/openedlog.h"
#include "kivoerror.h"
#include "log/readouts.h"
#include "log/viewgeometry.h"

namespace kivo::cli {

int runReadouts(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Prints the depth (Label1), angle (Label3) and bearing (Label5) readouts, the scroll "
        "maximum, the first record drawn and the surface width for a view of a log, as the "
        "viewer shows them after opening the log and scrolling to the position.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    addViewOptions(parser);
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "readouts", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("rows")) {
        printError("readouts takes one data file and --rows; 'kivo readouts --help' describes it");
        return ExitUsage;
    }
    OpenedLog log;
    qint64 position = 0;
    exitCode = openLogView(parser, log, position);
    if (exitCode != ExitOk)
        return exitCode;

    // As the viewer shows them: read at the top on opening, then again after the scroll.
    LogSession &session = log.session;
    try {
        session.refreshReadouts();
        if (position != 0) {
            session.setPosition(position);
            session.refreshReadouts();
        }
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }

    const ReadoutTexts &texts = session.readouts();
    const ViewGeometry &view = session.geometry();
    JsonWriter json;
    json.beginObject();
    json.value("Label1", texts.depth);
    json.value("Label3", texts.angle);
    json.value("Label5", texts.bearing);
    json.value("Max", view.scrollMax());
    json.value("ViewStart", view.viewStart(position));
    json.value("Width", view.surfaceWidth());
    json.endObject();
    printOut(json.result());
    return ExitOk;
}

} // namespace kivo::cli
