// KIVO Log Viewer
// Arbitrary bytes as a ".HED" header: read into the header record and through the layout keys
// that opening a log reads, in a point and in a comma locale, as the viewer does it. Expected
// refusals are KivoError; anything else that escapes is a finding, and so is a layout outside
// what the rest of the viewer is promised.
#include "header/headerio.h"
#include "header/inifile.h"
#include "header/uniheader.h"
#include "kivoerror.h"
#include "log/loglayout.h"

#include <cstdlib>

using namespace kivo;

namespace {

void readAsTheViewerDoes(const IniFile &file, const QLocale &locale)
{
    uniheader header;
    ResetHeader(header, QDate(2026, 12, 8), locale);
    try {
        if (ReadHeader(file, header, locale) == HeaderReadStatus::InvalidIdent)
            return;
    } catch (const KivoError &) {
        return;
    }
    if (header.ToolName != QLatin1String("KIVO") || header.TrackCount != 0 ||
        header.ChannelCount != 0)
        std::abort();
    if (!identAccepted(file))
        return;
    for (const int viewDepthUnit : {0, 1}) {
        try {
            const LogLayout layout = readLogLayout(file, viewDepthUnit, 0, locale);
            if (layout.SamplesPerLine < 1 || layout.SamplesPerLine > LogLayout::MaxSamplesPerLine ||
                layout.recordSize() != 3LL * layout.SamplesPerLine + 12 ||
                (layout.LogDirection != 1 && layout.LogDirection != 2) ||
                (layout.OrientationMode != 1 && layout.OrientationMode != 2))
                std::abort();
        } catch (const KivoError &error) {
            if (error.text().isEmpty())
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const IniFile file =
        IniFile::fromBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    static const QLocale point(QLocale::English, QLocale::UnitedStates);
    static const QLocale comma(QLocale::German, QLocale::Germany);
    readAsTheViewerDoes(file, point);
    readAsTheViewerDoes(file, comma);
    return 0;
}
