// KIVO Log Viewer
#include "ui/viewer/overviewcolumn.h"

#include "log/logsession.h"
#include "log/viewerstate.h"

#include <QMouseEvent>
#include <QPainter>

namespace kivo {

namespace {

constexpr int MinimumRows = 64; // rows built when the column has hardly any height yet

} // namespace

OverviewColumn::OverviewColumn(LogSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("OverviewColumn"));
    setMinimumWidth(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(false);
    connect(&session, &LogSession::logOpened, this, &OverviewColumn::startBuild);
    connect(&session, &LogSession::logClosed, this, &OverviewColumn::stopBuild);
    // A step of the view moves only the mark: the picture stays as it is.
    connect(&session, &LogSession::positionChanged, this, &OverviewColumn::updateMark);
    connect(&session, &LogSession::geometryChanged, this, [this] { update(); });
    connect(&m_job, &OverviewJob::progressed, this, [this](int percent) {
        m_progressText = QStringLiteral("Overview %1 %").arg(percent);
        update();
    });
    connect(&m_job, &OverviewJob::finished, this, &OverviewColumn::showOverview);
    connect(&m_job, &OverviewJob::failed, this, [this](const QString &text) {
        m_progressText = QStringLiteral("Overview failed: %1").arg(text);
        update();
    });
}

void OverviewColumn::startBuild()
{
    stopBuild();
    m_progressText = QStringLiteral("Overview 0 %");
    const ImageFile &file = m_session.imageFile();
    m_job.start(file.path(), file.recordSize(), m_session.layout().SamplesPerLine,
                qMax(MinimumRows, height()));
    update();
}

void OverviewColumn::stopBuild()
{
    m_job.cancel();
    m_overview.reset();
    m_picture = QImage();
    m_scaled = QImage();
    m_progressText.clear();
    update();
}

void OverviewColumn::showOverview(const Overview &overview)
{
    m_overview = overview;
    // Direction 1 stacks records upwards: the first record goes to the bottom.
    m_picture = m_session.layout().LogDirection == 2 ? overview.image
                                                     : overview.image.mirrored(false, true);
    m_scaled = QImage();
    m_progressText.clear();
    m_session.setLogStatistics(overview.histograms);
    update();
}

int OverviewColumn::rowOfRecord(qint64 record) const
{
    const qint64 count = qMax<qint64>(1, m_overview->recordCount);
    const int y = int(record * height() / count);
    return m_session.layout().LogDirection == 2 ? y : height() - y;
}

qint64 OverviewColumn::recordAtRow(int y) const
{
    const int h = qMax(1, height());
    const int fromStart = m_session.layout().LogDirection == 2 ? y : h - 1 - y;
    const qint64 record = qint64(qBound(0, fromStart, h - 1)) * m_overview->recordCount / h;
    return qBound<qint64>(0, record, m_overview->recordCount - 1);
}

std::pair<int, int> OverviewColumn::markedRows() const
{
    const ViewGeometry &view = m_session.geometry();
    if (!m_overview || m_overview->recordCount == 0 || view.rows <= 0)
        return {0, 0};
    const auto a = view.recordOnRow(m_session.position(), 0);
    const auto b = view.recordOnRow(m_session.position(), view.rows - 1);
    if (!a || !b)
        return {0, 0};
    const int first = rowOfRecord(qMin(*a, *b));
    const int end = rowOfRecord(qMax(*a, *b) + 1);
    const int top = qMin(first, end);
    // At least two rows, so that the mark shows in a long log.
    return {top, qMax(qMax(first, end), top + 2)};
}

QRect OverviewColumn::markRect() const
{
    const auto [top, bottom] = markedRows();
    if (bottom <= top)
        return QRect();
    return QRect(0, top, width(), qMax(1, bottom - top - 1) + 1);
}

void OverviewColumn::updateMark()
{
    update(m_paintedMark | markRect());
}

void OverviewColumn::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, palette().window());
    if (!m_picture.isNull()) {
        // Scaled once for the column's size; each paint copies only the part it shows.
        if (m_scaled.size() != size())
            m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(area, m_scaled, area);
        m_paintedMark = markRect();
        if (!m_paintedMark.isEmpty()) {
            painter.setPen(QPen(Qt::yellow, 1));
            painter.setBrush(QColor(255, 255, 0, 60));
            painter.drawRect(m_paintedMark.adjusted(0, 0, -1, -1));
        }
    }
    if (!m_progressText.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignTop | Qt::AlignLeft,
                         m_progressText);
    }
}

void OverviewColumn::scrollTo(int y)
{
    if (!m_overview || m_overview->recordCount == 0 || !m_session.isOpen())
        return;
    const ViewGeometry &view = m_session.geometry();
    m_session.setPosition(view.positionWithRecordOnTop(recordAtRow(y), view.rows / 2));
    m_session.requestRedraw(RedrawFull);
}

void OverviewColumn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        scrollTo(event->position().toPoint().y());
}

void OverviewColumn::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        scrollTo(event->position().toPoint().y());
}

} // namespace kivo
