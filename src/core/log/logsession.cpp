// KIVO Log Viewer
#include "log/logsession.h"

#include "header/headerio.h"
#include "kivoerror.h"
#include "log/depthindex.h"

#include <QFileInfo>

#include <cmath>

namespace kivo {

LogSession::LogSession()
{
    BuildColourMap(m_state.ColourMap);
}

LogSession::~LogSession()
{
    m_picks.setCalculator(nullptr);
}

void LogSession::prepareOpen()
{
    m_unitBeforeOpen = m_state.params.ViewDepthUnit;
    ResetHeader(m_state.header);
}

LogHeaderCheck LogSession::readHeader(const QString &dataPath)
{
    m_state.HeaderFileName = logHeaderFileName(dataPath);
    // Without this, a mistyped name would be reported as a log without its header.
    if (!QFileInfo::exists(dataPath))
        throw KivoError(QStringLiteral("File not found: %1").arg(dataPath));
    const LogHeaderCheck check =
        checkLogHeaderFile(m_state.HeaderFileName, m_state.header, m_state.params.ViewDepthUnit,
                           m_state.params.DefaultSampleCount);
    if (check.accepted()) {
        m_state.layout = check.layout;
        m_state.params.ViewDepthUnit = check.layout.DepthUnit;
    }
    return check;
}

void LogSession::adoptHeader(const uniheader &header, const LogLayout &layout)
{
    m_state.header = header;
    m_state.layout = layout;
    m_state.params.ViewDepthUnit = layout.DepthUnit;
}

void LogSession::openDataFile(const QString &dataPath)
{
    m_state.ImageFile.OpenImageFile(dataPath, m_state.layout.recordSize());
    m_open = true;
    const LogLayout &layout = m_state.layout;
    m_calculator = std::make_unique<PickCalculator>(
        m_state.header, layout.DepthUnit != 0,
        layout.OrientationMode == 2 ? AzimuthReference::LowSide : AzimuthReference::North,
        &m_state.ImageFile, layout.SamplesPerLine);
    m_picks.reset({});
    m_picks.setCalculator(m_calculator.get());
    m_candidates.clear();
    m_geometry = {m_state.ImageFile.RecordCount(), 0, m_state.layout.LogDirection};
    m_readouts = ReadoutTexts{};
    m_enhancement.staticTables.reset();
    m_enhancement.windowRecords = 1;
    try {
        if (const auto range = recordDepthRange(); range && m_geometry.recordCount > 1)
            m_enhancement.windowRecords = windowRecordsFor(DynamicWindowMetres,
                                                           std::abs(range->second - range->first) /
                                                               double(m_geometry.recordCount - 1),
                                                           layout.DepthUnit);
    } catch (const KivoError &) {
        // A file that cannot be read shows its error at the first pass; the window stays 1.
    }
    emit logOpened();
}

void LogSession::setRows(int rows)
{
    m_geometry.rows = rows;
    emit geometryChanged();
    setPosition(m_position);
}

void LogSession::close()
{
    const bool wasOpen = m_open;
    m_candidates.clear();
    m_picks.reset({});
    m_picks.setCalculator(nullptr);
    m_calculator.reset();
    if (m_open)
        m_state.ImageFile.CloseImageFile();
    m_open = false;
    m_geometry = ViewGeometry{};
    setPosition(0);
    m_readouts = ReadoutTexts{};
    m_enhancement.staticTables.reset();
    m_state.RedrawPending = 0;
    m_state.params.ViewDepthUnit = m_unitBeforeOpen;
    emit readoutsChanged();
    if (wasOpen)
        emit logClosed();
}

void LogSession::setFallbackDiameter(std::optional<double> diameter)
{
    if (!m_calculator)
        return;
    m_calculator->setFallbackDiameter(diameter);
    m_picks.recompute();
    emit fallbackDiameterChanged();
}

void LogSession::setPosition(qint64 position)
{
    position = qBound<qint64>(0, position, m_geometry.scrollMax());
    if (position == m_position)
        return;
    m_position = position;
    emit positionChanged(position);
}

void LogSession::setZoom(int zoom, int anchorRow)
{
    zoom = qBound(1, zoom, 16);
    while (zoom & (zoom - 1))
        zoom &= zoom - 1;
    if (!m_open || zoom == m_geometry.zoom)
        return;
    const qint64 anchor = m_geometry.recordOnRow(m_position, anchorRow)
                              .value_or(m_geometry.readoutRecord(m_position).value_or(0));
    m_geometry.zoom = zoom;
    requestRedraw(RedrawFull);
    // The scroll bar takes its new range first (bounding its value as it likes), then the
    // position that keeps the record in place.
    emit zoomChanged(zoom);
    emit geometryChanged();
    setPosition(m_geometry.positionWithRecordOnTop(anchor, anchorRow));
}

std::optional<std::pair<double, double>> LogSession::recordDepthRange()
{
    if (!m_open)
        return std::nullopt;
    const qint64 count = m_state.ImageFile.RecordCount();
    if (count == 0)
        return std::nullopt;
    DepthIndex index(m_state.ImageFile, m_state.layout.SamplesPerLine);
    return std::make_pair(index.entry(0).depth / 1000.0, index.entry(count - 1).depth / 1000.0);
}

void LogSession::goToDepth(double depth, int y)
{
    if (!m_open)
        return;
    DepthIndex index(m_state.ImageFile, m_state.layout.SamplesPerLine);
    if (const auto record = index.nearest(depth)) {
        setPosition(m_geometry.positionWithRecordOnTop(*record, y));
        requestRedraw(RedrawFull);
    }
}

void LogSession::refreshReadouts()
{
    if (!m_open)
        return;
    readReadouts(m_readouts, m_state.ImageFile, m_state.layout.SamplesPerLine, m_geometry,
                 m_position);
    emit readoutsChanged();
}

void LogSession::setBrightness(double brightness)
{
    m_state.ColourMap.Brightness = brightness;
}

void LogSession::setContrast(double contrast)
{
    m_state.ColourMap.Contrast = contrast;
}

void LogSession::applyColourMap()
{
    BuildColourMap(m_state.ColourMap);
    requestRedraw(RedrawFull);
    emit colourMapChanged();
}

void LogSession::setNormalisation(Normalisation normalisation)
{
    if (normalisation == m_enhancement.normalisation)
        return;
    m_enhancement.normalisation = normalisation;
    requestRedraw(RedrawFull);
    emit enhancementChanged();
}

void LogSession::setGreyScale(bool grey)
{
    if (grey == m_enhancement.greyScale)
        return;
    m_enhancement.greyScale = grey;
    requestRedraw(RedrawFull);
    emit enhancementChanged();
}

void LogSession::setLogStatistics(const ChannelHistograms &histograms)
{
    m_enhancement.staticTables = staticStretchTables(histograms);
    if (m_enhancement.normalisation == Normalisation::Static)
        requestRedraw(RedrawFull);
    emit enhancementChanged();
}

void LogSession::setVerticalDpi(double dpi)
{
    m_state.params.VerticalDpi = dpi;
}

void LogSession::setLastLogDir(const QString &directory)
{
    m_state.LastLogDir = directory;
}

void LogSession::setOpenFromCommandLine(bool fromCommandLine)
{
    m_state.OpenFromCommandLine = fromCommandLine ? 1 : 0;
}

void LogSession::requestRedraw(quint8 kind)
{
    m_state.RedrawKind = kind;
    m_state.RedrawPending = 1;
}

quint8 LogSession::takeRedrawRequest()
{
    m_state.RedrawPending = 0;
    return m_state.RedrawKind;
}

void LogSession::requestClose()
{
    m_state.CloseRequested = 1;
}

void LogSession::clearCloseRequest()
{
    m_state.CloseRequested = 0;
}

} // namespace kivo
