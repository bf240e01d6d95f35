// KIVO Log Viewer
#pragma once

#include "detect/candidateset.h"
#include "display/imageenhancement.h"
#include "log/logopener.h"
#include "log/readouts.h"
#include "log/viewerstate.h"
#include "log/viewgeometry.h"
#include "picks/pickcalculator.h"
#include "picks/pickset.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <utility>

namespace kivo {

// The open log and what the windows share about it: the header, the layout, the data file, the
// view's geometry and scroll position, the readouts of the top record, the colour tables, and
// the requests that travel between the commands and the redraw loop. The windows and `kivo`
// read it; only the open command and the session's own functions change it, and every change
// is announced by a signal, so that each window follows without reaching into another.
class LogSession : public QObject {
    Q_OBJECT

public:
    LogSession();
    ~LogSession() override;

    // The fields under their program names; read only.
    const ViewerState &state() const { return m_state; }
    const uniheader &header() const { return m_state.header; }
    const LogLayout &layout() const { return m_state.layout; }
    const TColourMap &colourMap() const { return m_state.ColourMap; }
    // The depth unit of the log shown: 0 metres, otherwise feet.
    int depthUnit() const { return m_state.params.ViewDepthUnit; }

    // Opening, in the open command's order. First the header record is reset and the depth
    // unit to return to on close remembered; then the chosen log's header is read:
    // HeaderFileName is set first, so that a header that cannot be read is still named as this
    // log's. On acceptance the layout is the log's and the depth unit its unit. Throws
    // KivoError for a data file that does not exist and for an unreadable header.
    void prepareOpen();
    LogHeaderCheck readHeader(const QString &dataPath);
    // Takes a header record and layout read elsewhere, without a data file: the header dialog,
    // the header sheet and the print options show them as a log's.
    void adoptHeader(const uniheader &header, const LogLayout &layout);
    // Opens the data file of an accepted header; throws KivoError when it cannot be read.
    void openDataFile(const QString &dataPath);
    // The view's rows: the geometry, the scroll range and the position follow (the position is
    // kept within the new range).
    void setRows(int rows);
    // Closes the data file, forgets the view and the readouts (also after an open that failed
    // half-way) and gives back the depth unit that held before the log was opened.
    void close();

    bool isOpen() const { return m_open; }
    // The open log's picks (none without a log), and what derives their values from the header
    // and the records: made when the data file opens, gone when it closes.
    PickSet &picks() { return m_picks; }
    const PickSet &picks() const { return m_picks; }
    PickCalculator *pickCalculator() { return m_calculator.get(); }
    // The detector's candidates waiting for the user: none when a log opens or closes.
    CandidateSet &candidates() { return m_candidates; }
    const CandidateSet &candidates() const { return m_candidates; }
    // The diameter for picks that have none of their own and no bit record at their depth;
    // their values are derived again, and fallbackDiameterChanged tells the candidates' views.
    void setFallbackDiameter(std::optional<double> diameter);
    ImageFile &imageFile() { return m_state.ImageFile; }
    const ViewGeometry &geometry() const { return m_geometry; }

    // How many records each row of the view averages: 1 (one record a row), 2, 4, 8 or 16.
    int zoom() const { return m_geometry.zoom; }
    // Sets the zoom (bounded to 1..16, down to a power of two) and scrolls so that the record
    // on row anchorRow stays there, as near as the new scroll range allows; asks for a full
    // redraw. Only while a log is open; closing goes back to 1.
    void setZoom(int zoom, int anchorRow = 0);

    // The scroll position, 0..geometry().scrollMax(), in rows of the zoomed view.
    qint64 position() const { return m_position; }
    void setPosition(qint64 position);

    // The depths of the first and last records, in the log's unit; nullopt without records.
    // Throws KivoError when the file cannot be read.
    std::optional<std::pair<double, double>> recordDepthRange();
    // Scrolls so that the record nearest the depth (in the log's unit) is on the top row (or
    // on row y), or as near as the scroll range allows, and asks for a full redraw.
    void goToDepth(double depth, int y = 0);

    // The readouts of the record on top at the position; an empty log, or a record a shrunk
    // file no longer holds, leaves them as they were. Throws KivoError when the file cannot
    // be read.
    const ReadoutTexts &readouts() const { return m_readouts; }
    void refreshReadouts();

    // Brightness and contrast as the display adjust window sets them; applyColourMap rebuilds
    // the tables from them and asks for a full redraw.
    void setBrightness(double brightness);
    void setContrast(double contrast);
    void applyColourMap();

    // What the image shows of the samples before the colour tables. A change asks for a full
    // redraw. The whole log's statistics come from the pass that builds the overview; until
    // then static normalisation shows the samples as recorded. The mode and the grey scale stay
    // for the next log, the statistics go with the log.
    const ImageEnhancement &enhancement() const { return m_enhancement; }
    void setNormalisation(Normalisation normalisation);
    void setGreyScale(bool grey);
    void setLogStatistics(const ChannelHistograms &histograms);

    void setVerticalDpi(double dpi);
    void setLastLogDir(const QString &directory);
    void setOpenFromCommandLine(bool fromCommandLine);

    // The requests the loop serves between two events.
    void requestRedraw(quint8 kind);
    // The kind of the pending request, now no longer pending.
    quint8 takeRedrawRequest();
    void requestClose();
    void clearCloseRequest();

signals:
    void logOpened();
    void logClosed();
    void geometryChanged();
    void positionChanged(qint64 position);
    // The geometry's zoom and scroll range changed; geometryChanged follows, then
    // positionChanged when the position moved.
    void zoomChanged(int zoom);
    void readoutsChanged();
    void colourMapChanged();
    void enhancementChanged();
    void fallbackDiameterChanged();

private:
    ViewerState m_state;
    PickSet m_picks;
    CandidateSet m_candidates;
    std::unique_ptr<PickCalculator> m_calculator;
    ViewGeometry m_geometry;
    qint64 m_position = 0;
    ReadoutTexts m_readouts;
    ImageEnhancement m_enhancement;
    int m_unitBeforeOpen = 0;
    bool m_open = false;
};

} // namespace kivo
