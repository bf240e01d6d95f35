// KIVO Log Viewer
#include "print/printlog.h"

#include "display/imagerowmapper.h"
#include "header/headersheet.h"
#include "kivoerror.h"
#include "log/depthorderreader.h"
#include "log/logsession.h"
#include "picks/pickset.h"
#include "picks/traceoverlay.h"
#include "picks/typecolour.h"
#include "plots/plotpick.h"
#include "plots/tadpoletrack.h"
#include "print/printlogpages.h"
#include "print/printscreen.h"
#include "shell/jobprogress.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QtEndian>

#include <cmath>

namespace kivo {

namespace {

// The page's parts in device units (96 an inch): the title line, the orientation scale's band,
// the depth track left of the image track, a little room below the track for the last label.
constexpr double TitleHeight = 20;
constexpr double TrackTop = TitleHeight + PrintScale::BandHeight;
constexpr double BottomRoom = 8;
constexpr double DepthTrackWidth = 80;
constexpr double LabelRight = DepthTrackWidth - 24;
constexpr double LabelTickLength = 20;
constexpr double TickLength = 10;
// With picks, the tadpole track at the right: dip 0 to 90 across it.
constexpr double TadpoleGap = 12;
constexpr double TadpoleTrackWidth = 110;

qint64 thousandths(double depth)
{
    return qint64(std::llround(depth * 1000.0));
}

qint32 depthOf(const uchar *record)
{
    return qFromLittleEndian<qint32>(record);
}

// The pages of one print: the depth scale and the records under it.
class PageWriter {
public:
    PageWriter(QPainter &painter, LogSession &session, const PrintLogRequest &request,
               const QRect &page, double dotsPerInch, JobProgress &progress)
        : m_painter(painter)
        , m_session(session)
        , m_request(request)
        , m_page(page)
        , m_dpi(request.verticalDpi > 0 ? request.verticalDpi : dotsPerInch)
        , m_progress(progress)
        , m_depths(session.imageFile(), session.layout().SamplesPerLine)
        , m_pages(qMin(thousandths(request.fromDepth), thousandths(request.toDepth)),
                  qMax(thousandths(request.fromDepth), thousandths(request.toDepth)), request.scale,
                  PrintLogPages::metresPerUnit(session.layout().DepthUnit), dotsPerInch,
                  page.height() - TrackTop - BottomRoom)
        , m_reader(session.imageFile(), m_depths.span(m_pages.shallow(), m_pages.deep()),
                   m_depths.ascending())
        , m_mapper(session.layout().SamplesPerLine, session.colourMap())
        , m_deviceDpi(dotsPerInch)
        , m_trackRight(page.right() + 1 -
                       (session.picks().count() > 0 ? TadpoleGap + TadpoleTrackWidth : 0))
    {
        if (m_reader.size() == 0)
            throw KivoError(QStringLiteral("No record of the log lies between %1 and %2%3.")
                                .arg(request.fromDepth)
                                .arg(request.toDepth)
                                .arg(session.layout().unitSuffix()));
        for (int k = 0; k < m_pages.pageCount(); ++k)
            m_totalRows += rowsOf(k);
    }

    int pageCount() const { return m_pages.pageCount(); }

    // Draws page k; false when the progress asked to stop.
    bool drawPage(int k)
    {
        drawTitle(k);
        const double trackLeft = m_page.left() + DepthTrackWidth;
        drawPrintScale(m_painter, QPoint(int(trackLeft), int(m_page.top() + TitleHeight)),
                       PrintScale::spanning(0, int(m_trackRight - 1 - trackLeft),
                                            m_session.layout().OrientationMode));
        drawDepthTrack(k);
        QImage image;
        if (!drawImage(k, image))
            return false;
        drawPickTraces(image);
        m_painter.save();
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        m_painter.setRenderHint(QPainter::LosslessImageRendering);
        m_painter.drawImage(QRectF(trackLeft, m_page.top() + TrackTop, m_trackRight - trackLeft,
                                   m_pages.trackHeight(k)),
                            image);
        m_painter.restore();
        if (m_session.picks().count() > 0)
            drawTadpoles(k);
        return true;
    }

private:
    // The rows of page k's image: the track's height at the vertical resolution.
    int rowsOf(int k) const
    {
        return qMax(1, int(std::lround(m_pages.trackHeight(k) / m_deviceDpi * m_dpi)));
    }

    void drawTitle(int k)
    {
        const QString name = QFileInfo(m_session.imageFile().path()).fileName();
        const QString well = m_session.header().Wellname.trimmed();
        QString title = name;
        if (!well.isEmpty())
            title += QStringLiteral("    Well: ") + well;
        title += QStringLiteral("    Page %1 of %2").arg(k + 1).arg(m_pages.pageCount());
        m_painter.drawText(QRectF(m_page.left(), m_page.top(), m_page.width(), TitleHeight),
                           Qt::AlignLeft | Qt::AlignTop, title);
    }

    void drawDepthTrack(int k)
    {
        const double top = m_page.top() + TrackTop;
        const double right = m_page.left() + DepthTrackWidth;
        m_painter.drawLine(QLineF(right, top, right, top + m_pages.trackHeight(k)));
        const QString unit = m_session.layout().unitSuffix();
        const double textHeight = QFontMetricsF(m_painter.font(), m_painter.device()).height();
        for (const qint64 depth : m_pages.ticks(k)) {
            const double y = top + m_pages.yOf(k, double(depth));
            const bool labelled = PrintLogPages::isLabelled(depth, m_pages.labelStep());
            m_painter.drawLine(
                QLineF(right - (labelled ? LabelTickLength : TickLength), y, right, y));
            if (labelled)
                m_painter.drawText(
                    QRectF(m_page.left(), y - textHeight / 2, LabelRight, textHeight),
                    Qt::AlignRight | Qt::AlignVCenter, m_pages.label(depth, unit));
        }
    }

    // Row r of page k shows the record nearest the depth at the row's middle.
    bool drawImage(int k, QImage &image)
    {
        const int rows = rowsOf(k);
        image = QImage(ImageRowMapper::Columns, rows, QImage::Format_RGB888);
        if (image.isNull())
            throw KivoError(QStringLiteral("There is not enough memory for a page's image."));
        const double top = m_pages.pageTop(k);
        const double step = (m_pages.pageBottom(k) - top) / rows;
        m_rowDepths.assign(size_t(rows), std::nullopt);
        for (int r = 0; r < rows; ++r) {
            if (r % 64 == 0 && !m_progress.advance(m_doneRows + r, m_totalRows))
                return false;
            const double target = top + (r + 0.5) * step;
            m_rowDepths[size_t(r)] = target / 1000.0;
            m_mapper.map(nearestRecord(target) + 4, image.scanLine(r));
        }
        m_doneRows += rows;
        return true;
    }

    // The picks' traces into the page's image, at the rows their depths fall on.
    void drawPickTraces(QImage &image) const
    {
        const PickSet &picks = m_session.picks();
        if (picks.count() == 0)
            return;
        // The overlay writes 32-bit pixels.
        image = image.convertToFormat(QImage::Format_RGB32);
        std::vector<TraceStyle> traces;
        for (int i = 0; i < picks.count(); ++i)
            traces.push_back({picks.pick(i).trace, pickTypeColour(picks.pick(i).type)});
        drawTraces(image, 0, RowDepthMap(m_rowDepths), traces);
    }

    // The tadpoles of the picks on page k, on the track the plots draw: the true dip where the
    // hole's orientation gives it, else the apparent dip, hollow. A pick on a page boundary
    // belongs to the page below.
    void drawTadpoles(int k)
    {
        const double top = m_page.top() + TrackTop;
        const bool last = k + 1 == m_pages.pageCount();
        const double shallow = m_pages.pageTop(k) / 1000.0;
        const double deep = m_pages.pageBottom(k) / 1000.0;
        std::vector<PlotPick> onPage;
        for (const PlotPick &pick : plotPicks(m_session.picks())) {
            if (pick.depth >= shallow && (last ? pick.depth <= deep : pick.depth < deep))
                onPage.push_back(pick);
        }
        const QRectF track(m_trackRight + TadpoleGap, top, TadpoleTrackWidth,
                           m_pages.trackHeight(k));
        drawTadpoleTrack(m_painter, TadpoleLayout::onTrack(track, {shallow, deep, QString()}),
                         onPage);
    }

    // The depths grow with the reader's order and the targets with the rows: the cursor only
    // moves on.
    const uchar *nearestRecord(double target)
    {
        double here = depthOf(m_reader.record(m_cursor));
        while (m_cursor + 1 < m_reader.size()) {
            const double next = depthOf(m_reader.record(m_cursor + 1));
            if (std::abs(next - target) >= std::abs(here - target))
                break;
            ++m_cursor;
            here = next;
        }
        return m_reader.record(m_cursor);
    }

    QPainter &m_painter;
    LogSession &m_session;
    const PrintLogRequest &m_request;
    QRect m_page;
    double m_dpi;
    JobProgress &m_progress;
    DepthIndex m_depths;
    PrintLogPages m_pages;
    DepthOrderReader m_reader;
    ImageRowMapper m_mapper;
    double m_deviceDpi;
    double m_trackRight;                            // where the image track ends
    std::vector<std::optional<double>> m_rowDepths; // of the page's image rows, in units
    qint64 m_cursor = 0;
    qint64 m_totalRows = 0;
    qint64 m_doneRows = 0;
};

void checkRequest(const PrintLogRequest &request)
{
    if (!PrintLogPages::isScale(request.scale))
        throw KivoError(QStringLiteral("The depth division must be 10, 20, 50, 100 or 200, not %1.")
                            .arg(request.scale));
    if (!(request.verticalDpi >= 0 && request.verticalDpi <= PrintLogRequest::MaxVerticalDpi))
        throw KivoError(QStringLiteral("The vertical DPI must be from 0 to %1, not %2.")
                            .arg(PrintLogRequest::MaxVerticalDpi)
                            .arg(request.verticalDpi));
}

QRect pageArea(const QPagedPaintDevice &device)
{
    return QRect(0, 0, device.width(), device.height());
}

} // namespace

void preparePrintLogDevice(QPagedPaintDevice &device, const PrintLogRequest &request)
{
    device.setPageOrientation(request.header ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!request.keepMargins) {
        const QPageLayout layout = device.pageLayout();
        device.setPageMargins(layout.minimumMargins(), layout.units());
    }
}

bool printLog(QPainter &painter, QPagedPaintDevice &device, LogSession &session,
              const PrintLogRequest &request, JobProgress &progress)
{
    checkRequest(request);
    if (request.header) {
        printSheet(painter, pageArea(device), drawHeaderSheet(session.header(), request.logoPath));
        device.setPageOrientation(QPageLayout::Portrait);
        device.newPage();
    }
    PageWriter pages(painter, session, request, pageArea(device), device.logicalDpiY(), progress);
    for (int k = 0; k < pages.pageCount(); ++k) {
        if (k > 0)
            device.newPage();
        if (!pages.drawPage(k))
            return false;
    }
    return progress.advance(1, 1);
}

} // namespace kivo
