// KIVO Log Viewer
// A whole log from arbitrary bytes: a header and a data file, opened as the viewer opens them,
// then a sequence of scroll actions, resizes and colour changes, each served by the redraw pass
// the viewer would run, with the readouts read for every position.
//
// Input: header length H (2 bytes, little-endian), the view's rows, the colour tables, eight
// actions, then H bytes of header and the data file's bytes.
//
// Besides the sanitizers' checks it holds every pass to the viewer's promise: the surface
// afterwards is what a full redraw at that position draws on a fresh surface.
#include "display/colourmap.h"
#include "display/displayarea.h"
#include "display/fullview.h"
#include "display/logview.h"
#include "header/headerio.h"
#include "header/inifile.h"
#include "kivoerror.h"
#include "log/imagefile.h"
#include "log/readouts.h"

#include <QGuiApplication>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

using namespace kivo;

namespace {

constexpr int Actions = 8;
constexpr size_t ParameterBytes = 2 + Actions; // rows, colour tables, actions
constexpr int LineStep = 40;

int rowsFrom(uchar byte)
{
    return 1 + byte % 96;
}

TColourMap coloursFrom(uchar byte)
{
    TColourMap colours;
    if (byte != 0) {
        colours.Brightness = (byte % 21) * 10 - 100;
        colours.Contrast = qMin(800, (byte / 21) * 70);
    }
    BuildColourMap(colours);
    return colours;
}

// The data file lives in memory; ImageFile opens it by name like any other file.
class MemoryFile {
public:
    explicit MemoryFile(QByteArrayView bytes)
        : m_fd(memfd_create("fuzz.bhx", 0))
    {
        if (m_fd < 0)
            std::abort();
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(m_fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n <= 0)
                std::abort();
            done += n;
        }
    }
    ~MemoryFile() { close(m_fd); }
    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd;
};

// Aborts unless the surface shows what a full redraw at the position draws.
void checkAgainstFullRedraw(const DisplayArea &area, const QString &path, const LogLayout &layout,
                            const ViewGeometry &geometry, const TColourMap &colours,
                            qint64 position)
{
    ImageFile file;
    file.OpenImageFile(path, layout.recordSize());
    const QImage expected = fullViewPicture(file, layout, geometry, position, colours).toImage();
    if (area.Surface()->image().convertToFormat(expected.format()) != expected) {
        std::fprintf(stderr, "pass at position %lld differs from a full redraw\n",
                     static_cast<long long>(position));
        std::abort();
    }
}

void view(const QString &path, const LogLayout &layout, const uchar *parameters)
{
    ImageFile file;
    file.OpenImageFile(path, layout.recordSize());
    TColourMap colours = coloursFrom(parameters[1]);
    ViewGeometry geometry{file.RecordCount(), rowsFrom(parameters[0]), layout.LogDirection};
    DisplayArea area;
    prepareDisplay(area, geometry);
    LogView logView(area, file, colours, layout);
    logView.setGeometry(geometry);

    ReadoutTexts readouts;
    qint64 position = 0;
    readReadouts(readouts, file, layout.SamplesPerLine, geometry, position);
    logView.fullPass(position);
    checkAgainstFullRedraw(area, path, layout, geometry, colours, position);

    bool lineStep = false; // the kind of the last pass asked for, as the open command keeps it
    for (int i = 0; i < Actions; ++i) {
        const uchar action = parameters[2 + i];
        const qint64 max = geometry.scrollMax();
        const qint64 thumb = max * (action / 10) / 25;
        switch (action % 10) {
        case 0:
            position -= LineStep;
            lineStep = true;
            break;
        case 1:
            position += LineStep;
            lineStep = true;
            break;
        case 2:
            position -= geometry.rows;
            lineStep = false;
            break;
        case 3:
            position += geometry.rows;
            lineStep = false;
            break;
        case 4:
            position = thumb;
            lineStep = false;
            break;
        case 5:
            position = thumb;
            break;
        case 6:
            position = 0;
            break;
        case 7:
            position = max;
            break;
        case 8: // the window changed size: the surface is made again at the new height
            geometry.rows = rowsFrom(action / 10);
            area.setSize(geometry.surfaceWidth(), geometry.rows);
            logView.setGeometry(geometry);
            logView.surfaceRemade();
            lineStep = false;
            break;
        case 9: // the display adjust window's APPLY
            colours = coloursFrom(action);
            lineStep = false;
            break;
        }
        position = qBound<qint64>(0, position, geometry.scrollMax());
        readReadouts(readouts, file, layout.SamplesPerLine, geometry, position);
        if (lineStep)
            logView.incrementalPass(position);
        else
            logView.fullPass(position);
        checkAgainstFullRedraw(area, path, layout, geometry, colours, position);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 + ParameterBytes)
        return 0;
    const QByteArrayView input(data, qsizetype(size));
    const qsizetype headerLength =
        qMin<qsizetype>(data[0] | data[1] << 8, input.size() - 2 - qsizetype(ParameterBytes));
    const uchar *parameters = data + 2;
    const QByteArrayView headerBytes = input.sliced(2 + ParameterBytes, headerLength);
    const QByteArrayView dataBytes = input.sliced(2 + ParameterBytes + headerLength);

    const IniFile header = IniFile::fromBytes(headerBytes.toByteArray());
    uniheader record;
    ResetHeader(record);
    LogLayout layout;
    try {
        if (ReadHeader(header, record) == HeaderReadStatus::InvalidIdent || !identAccepted(header))
            return 0;
        layout = readLogLayout(header, 0, 0);
    } catch (const KivoError &) {
        return 0;
    }
    const MemoryFile file(dataBytes);
    view(file.path(), layout, parameters);
    return 0;
}
