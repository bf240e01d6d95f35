// KIVO Log Viewer
#include "ui/export/exportcommand.h"

#include "export/imageexport.h"
#include "kivoerror.h"
#include "log/depthindex.h"
#include "ui/common/messages.h"
#include "ui/common/progresswindow.h"
#include "ui/export/exportdialog.h"
#include "ui/viewer/tform1.h"

#include <QDir>
#include <QFileInfo>

namespace kivo {

namespace {

// The depths of the top-most and bottom-most records the view shows (at a zoom, of every
// record its rows average).
std::pair<double, double> viewRange(LogSession &session)
{
    const ViewGeometry &view = session.geometry();
    std::optional<qint64> top;
    std::optional<qint64> bottom;
    for (int y = 0; y < view.rows; ++y) {
        if (const auto line = view.lineOnRow(session.position(), y)) {
            const ViewGeometry::Records records = view.recordsOfLine(*line);
            const qint64 last = records.first + records.count - 1;
            // Records stack down the rows in direction 2 and up them in direction 1.
            const qint64 upper = view.direction == 2 ? records.first : last;
            const qint64 lower = view.direction == 2 ? last : records.first;
            top = top ? top : upper;
            bottom = lower;
        }
    }
    DepthIndex depths(session.imageFile(), session.layout().SamplesPerLine);
    if (!top) {
        if (depths.count() == 0)
            throw KivoError(QStringLiteral("The log holds no record: there is nothing to export."));
        top = 0;
        bottom = depths.count() - 1;
    }
    return {depths.entry(*top).depth / 1000.0, depths.entry(*bottom).depth / 1000.0};
}

} // namespace

ExportCommand::ExportCommand(TForm1 &form)
    : m_form(form)
{}

void ExportCommand::ExportImage1Click()
{
    LogSession &session = m_form.session();
    if (!session.isOpen())
        return;
    try {
        const LogLayout &layout = session.layout();
        ExportDialog dialog(&m_form, layout.LogStartDepth, layout.LogEndDepth, layout.unitSuffix());
        const auto [from, to] = viewRange(session);
        dialog.setRange(from, to);
        const QFileInfo data(session.imageFile().path());
        dialog.setPath(m_lastPath.isEmpty() ? data.dir().filePath(data.completeBaseName() + ".png")
                                            : m_lastPath);
        if (dialog.exec() != QDialog::Accepted)
            return;
        ExportRequest request = dialog.request();
        request.colours = session.colourMap();
        m_lastPath = request.path;
        ProgressWindow progress(&m_form, QStringLiteral("Exporting the image..."),
                                QStringLiteral("ExportProgress"));
        const auto rows = exportImage(session.imageFile(), layout, request, progress);
        if (rows)
            showInformation(&m_form, QStringLiteral("%1 rows were written to the file %2.")
                                         .arg(*rows)
                                         .arg(QDir::toNativeSeparators(request.path)));
    } catch (const KivoError &error) {
        showErrorReport(&m_form, error.text());
    }
}

} // namespace kivo
