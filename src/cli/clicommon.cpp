// KIVO Log Viewer
#include "cli/clicommon.h"

#include <QRegularExpression>

#include <cstdio>

namespace kivo::cli {

const QList<Command> &commands()
{
    static const QList<Command> all = {
        {"info", "header and data layout of a log, as JSON", runInfo},
        {"readouts", "depth, angle and bearing readouts of a view, as JSON", runReadouts},
        {"render", "the picture of a view of a log, as PNG, BMP or DIB", runRender},
        {"demo", "write a demonstration log", runDemo},
        {"sheet", "the well header sheet as Print Header prints it, as PNG or PDF", runSheet},
        {"print-screen", "the page Print Screen prints for a view, as PDF", runPrintScreen},
        {"print-log", "the pages Print Log prints for a depth range at a scale, as PDF",
         runPrintLog},
        {"export", "the image of a depth range, one row per record, as PNG or TIFF", runExport},
        {"fit", "fit one pick through points on the image, with its true dip, as JSON", runFit},
        {"picks", "the picks of a log recomputed, as CSV, JSON or LAS", runPicks},
        {"plot", "a tadpole track, stereonet or rose diagram of the picks, as PNG, SVG or PDF",
         runPlot},
    };
    return all;
}

void printError(const QString &text)
{
    const QByteArray bytes = "kivo: " + text.toUtf8() + "\n";
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

void printOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

bool parseCommandLine(QCommandLineParser &parser, const QString &command,
                      const QStringList &arguments, int &exitCode)
{
    // Not addHelpOption(): it also offers --help-all, which lists Qt's own options, and those
    // are not options of these commands.
    parser.addOption({{"h", "help"}, "Displays help on commandline options."});
    if (!parser.parse(QStringList{QStringLiteral("kivo")} + arguments)) {
        printError(parser.errorText());
        exitCode = ExitUsage;
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // The parser names the program only; the command belongs in the usage line too.
        QString help = parser.helpText();
        help.replace(QRegularExpression(QStringLiteral("^Usage: \\S+ ")),
                     QStringLiteral("Usage: kivo ") + command + " ");
        printOut(help.toUtf8());
        exitCode = ExitOk;
        return false;
    }
    return true;
}

bool integerOption(const QCommandLineParser &parser, const QString &name, qint64 low, qint64 high,
                   qint64 &value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const qint64 parsed = parser.value(name).toLongLong(&ok);
    if (!ok || parsed < low || parsed > high) {
        const QString range = high == NoUpperLimit
                                  ? QStringLiteral("%1 or more").arg(low)
                                  : QStringLiteral("from %1 to %2").arg(low).arg(high);
        printError(QStringLiteral("--%1 must be a whole number %2, not '%3'")
                       .arg(name, range, parser.value(name)));
        return false;
    }
    value = parsed;
    return true;
}

} // namespace kivo::cli
