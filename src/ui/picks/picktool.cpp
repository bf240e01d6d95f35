// KIVO Log Viewer
#include "ui/picks/picktool.h"

#include "display/striprenderer.h"
#include "kivoerror.h"
#include "log/logsession.h"
#include "log/pointersample.h"
#include "picks/typecolour.h"
#include "ui/display/tdxdraw.h"

#include <QMouseEvent>

#include <cmath>

namespace kivo {

namespace {

constexpr int Columns = StripRenderer::ImageColumns;
constexpr int NearTrace = 4;  // pixels from a trace that still select it
constexpr int NearTrough = 7; // pixels from a trough mark that take it

QString angleText(const std::optional<double> &angle)
{
    return angle ? QString::number(*angle, 'f', 1) + QChar(0x00B0) : QStringLiteral("-");
}

} // namespace

PickTool::PickTool(LogSession &session, TDXDraw &area,
                   std::function<std::vector<std::optional<double>>()> rowDepths, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_area(area)
    , m_rowDepths(std::move(rowDepths))
{
    area.setMouseTracking(true);
    area.installEventFilter(this);
    area.setOverlay(
        [this](QImage &frame, const QRegion &clip) { return drawOverlay(frame, clip); });
    PickSet &picks = session.picks();
    for (auto signal : {&PickSet::inserted, &PickSet::removed, &PickSet::pickChanged})
        connect(&picks, signal, this, &PickTool::repaint);
    connect(&picks, &PickSet::moved, this, &PickTool::repaint);
    connect(&picks, &PickSet::resetDone, this, [this] {
        m_selected.reset();
        emit selectionChanged(m_selected);
        repaint();
    });
    connect(&picks, &PickSet::removed, this, [this] {
        if (m_selected && m_session.picks().row(*m_selected) < 0)
            select(std::nullopt);
    });
    connect(&session, &LogSession::logClosed, this, &PickTool::cancel);
    CandidateSet &candidates = session.candidates();
    connect(&candidates, &CandidateSet::removed, this, &PickTool::repaint);
    connect(&candidates, &CandidateSet::resetDone, this, &PickTool::repaint);
}

void PickTool::startPicking()
{
    if (!m_session.isOpen())
        return;
    m_points.clear();
    m_fit.reset();
    m_picking = true;
    m_area.setCursor(Qt::CrossCursor);
    emit pickingChanged(true);
    repaint();
}

void PickTool::cancel()
{
    const bool was = m_picking;
    m_picking = false;
    m_points.clear();
    m_fit.reset();
    m_drag = Drag::None;
    m_area.unsetCursor();
    if (was)
        emit pickingChanged(false);
    repaint();
}

void PickTool::finish()
{
    if (!m_picking || !m_fit)
        return;
    Pick pick;
    pick.trace = m_fit->sinusoid;
    PickCalculator *calculator = m_session.pickCalculator();
    if (calculator && !calculator->diameter(pick) && askDiameter) {
        // The diameter is kept with the pick, so that its dip survives the file.
        pick.diameter = askDiameter(pick.trace.depth);
        if (!pick.diameter)
            return; // the user declined: the points stay for another try
        m_session.setFallbackDiameter(pick.diameter);
    }
    const PickId id = m_session.picks().add(pick);
    cancel();
    select(id);
}

void PickTool::setShown(bool shown)
{
    m_shown = shown;
    repaint();
}

void PickTool::select(std::optional<PickId> id)
{
    if (id == m_selected)
        return;
    m_selected = id;
    emit selectionChanged(id);
    repaint();
}

RowDepthMap PickTool::rowMap() const
{
    return RowDepthMap(m_rowDepths());
}

std::optional<PickTool::Spot> PickTool::spotAt(const QPoint &point) const
{
    const int column = point.x() - StripRenderer::ImageLeft;
    if (column < 0 || column >= Columns)
        return std::nullopt;
    const auto depth = rowMap().depthOf(point.y());
    if (!depth)
        return std::nullopt;
    return Spot{*depth, columnAzimuth(column)};
}

std::optional<QPoint> PickTool::tracePoint(PickId id, double azimuth) const
{
    const int row = m_session.picks().row(id);
    if (row < 0)
        return std::nullopt;
    const Sinusoid &trace = m_session.picks().pick(row).trace;
    const auto y = rowMap().rowOf(trace.depthAt(azimuth));
    if (!y)
        return std::nullopt;
    const double column = std::fmod(azimuthColumn(normalizedAzimuth(azimuth)) + Columns, Columns);
    return QPoint(StripRenderer::ImageLeft + int(std::lround(column)) % Columns,
                  int(std::lround(*y)));
}

std::optional<QPoint> PickTool::troughPoint(PickId id) const
{
    const int row = m_session.picks().row(id);
    if (row < 0)
        return std::nullopt;
    return tracePoint(id, m_session.picks().pick(row).trace.troughAzimuth);
}

std::optional<PickId> PickTool::traceAt(const QPoint &point) const
{
    const int column = point.x() - StripRenderer::ImageLeft;
    if (column < 0 || column >= Columns || !m_shown)
        return std::nullopt;
    const RowDepthMap map = rowMap();
    const PickSet &picks = m_session.picks();
    std::optional<PickId> best;
    double nearest = NearTrace + 1;
    for (int row = 0; row < picks.count(); ++row) {
        const auto y = map.rowOf(picks.pick(row).trace.depthAt(columnAzimuth(column)));
        if (y && std::abs(*y - point.y()) < nearest) {
            nearest = std::abs(*y - point.y());
            best = picks.id(row);
        }
    }
    return best;
}

bool PickTool::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_area || !m_session.isOpen())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent *>(event));
        return m_picking || m_drag != Drag::None;
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent *>(event));
        return false;
    case QEvent::MouseButtonRelease:
        release(static_cast<QMouseEvent *>(event));
        return false;
    case QEvent::MouseButtonDblClick:
        if (m_picking) {
            finish();
            return true;
        }
        return false;
    case QEvent::Leave:
        emit pointerText(QString());
        return false;
    default:
        return false;
    }
}

void PickTool::press(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (m_picking) {
        if (const auto spot = spotAt(at)) {
            m_points.append({spot->depth, spot->azimuth});
            refit();
        }
        return;
    }
    if (m_selected) {
        if (const auto trough = troughPoint(*m_selected);
            trough && (*trough - at).manhattanLength() <= NearTrough) {
            m_drag = Drag::Trough;
            m_pressAt = at;
            return;
        }
    }
    const auto hit = traceAt(at);
    select(hit);
    if (hit) {
        m_drag = Drag::Move;
        m_pressAt = at;
    }
}

void PickTool::move(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    describe(at);
    if (m_drag == Drag::None || !m_selected)
        return;
    const int row = m_session.picks().row(*m_selected);
    const auto spot = spotAt(at);
    if (row < 0 || !spot)
        return;
    Sinusoid trace = m_session.picks().pick(row).trace;
    if (m_drag == Drag::Move) {
        const auto from = rowMap().depthOf(m_pressAt.y());
        if (!from)
            return;
        trace.depth += spot->depth - *from;
    } else {
        // The trough follows the pointer: its azimuth and its depth below the centre.
        trace.troughAzimuth = spot->azimuth;
        trace.amplitude = std::abs(spot->depth - trace.depth);
    }
    m_dragged = trace;
    repaint();
}

void PickTool::release(QMouseEvent *)
{
    const Drag drag = m_drag;
    m_drag = Drag::None;
    const std::optional<Sinusoid> dragged = m_dragged;
    m_dragged.reset();
    if (!dragged || !m_selected)
        return;
    // One undo step for the whole drag.
    if (drag == Drag::Move)
        m_session.picks().move(*m_selected, dragged->depth);
    else if (drag == Drag::Trough)
        m_session.picks().refit(*m_selected, dragged->amplitude, dragged->troughAzimuth);
}

void PickTool::refit()
{
    try {
        m_fit = fitSinusoid(m_points);
    } catch (const KivoError &) {
        m_fit.reset(); // fewer than three points or azimuths so far
    }
    repaint();
}

void PickTool::describe(const QPoint &point)
{
    std::optional<PointerSample> sample;
    try {
        sample = kivo::pointerSample(m_session.imageFile(), m_session.layout(),
                                     m_session.geometry(), m_session.position(),
                                     point.x() - StripRenderer::ImageLeft, point.y());
    } catch (const KivoError &) {
        // The file cannot be read now: the readout stays empty, the view tells the rest.
    }
    if (!sample) {
        emit pointerText(QString());
        return;
    }
    QString text = kivo::pointerText(*sample, m_session.layout().unitSuffix());
    if (m_picking && m_fit && m_session.pickCalculator()) {
        Pick pick;
        pick.trace = m_fit->sinusoid;
        try {
            const PickValues values = m_session.pickCalculator()->values(pick);
            text += QStringLiteral("   Apparent dip %1   True dip %2 toward %3")
                        .arg(angleText(values.apparentDip), angleText(values.trueDip),
                             angleText(values.trueDipAzimuth));
        } catch (const KivoError &) {
            // The orientation cannot be read now: the position alone is still worth showing.
        }
    }
    emit pointerText(text);
}

QRect PickTool::drawOverlay(QImage &frame, const QRegion &clip) const
{
    std::vector<TraceStyle> traces;
    const PickSet &picks = m_session.picks();
    if (m_shown) {
        for (const Pick &candidate : m_session.candidates().candidates())
            traces.push_back({candidate.trace, candidateColour(), 1, true});
        for (int row = 0; row < picks.count(); ++row) {
            const bool selected = m_selected == picks.id(row);
            const Sinusoid &trace = selected && m_dragged ? *m_dragged : picks.pick(row).trace;
            traces.push_back({trace, pickTypeColour(picks.pick(row).type), selected ? 2 : 1});
        }
    }
    if (m_fit)
        traces.push_back({m_fit->sinusoid, Qt::white, 1, true});
    if (traces.empty() && m_points.isEmpty())
        return QRect(); // nothing to draw: no need for the rows' depths either
    const RowDepthMap map = rowMap();
    QRect drawn = m_overlay.draw(frame, StripRenderer::ImageLeft, map, traces, clip);
    // The points given so far, and the selected pick's trough to drag.
    const QRegion markable = clip & frame.rect();
    const auto mark = [&frame, &drawn, &markable](const QPoint &at, QRgb colour) {
        drawn |= QRect(at - QPoint(2, 2), QSize(5, 5)) & frame.rect();
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QPoint p = at + QPoint(dx, dy);
                if (markable.contains(p))
                    frame.setPixel(p, colour);
            }
    };
    for (const PickPoint &point : m_points) {
        if (const auto y = map.rowOf(point.depth))
            mark(QPoint(StripRenderer::ImageLeft + int(azimuthColumn(point.azimuth)),
                        int(std::lround(*y))),
                 0xffffffff);
    }
    if (m_shown && m_selected && !m_dragged) {
        if (const auto trough = troughPoint(*m_selected))
            mark(*trough, 0xffffff00);
    }
    return drawn;
}

void PickTool::repaint()
{
    m_area.update();
}

} // namespace kivo
