// KIVO Log Viewer
#pragma once

#include "display/imageenhancement.h"
#include "display/striprenderer.h"
#include "log/lineaverage.h"
#include "log/loglayout.h"
#include "log/viewgeometry.h"

#include <QLocale>
#include <QRegion>

#include <optional>
#include <vector>

namespace kivo {

class DisplayArea;
class ImageFile;
struct TColourMap;

// The drawing side of one open log: redraw passes that read records from the data file and draw
// them onto the display area's surface, then present it.
//
// A full pass reads and draws every row of the view. A line step shifts the picture by as many
// rows as the view moved and draws only the rows it uncovered; the depth margin is redrawn
// whole from the depths of the records in view, which the view keeps from the pass that read
// them, so that the retained rows need not be read again. Either way the surface afterwards is
// what a full pass at the new position draws. At a zoom above 1 each row shows the average of
// its line's records (LineAverage), and the marks are spaced so that their labels fit.
class LogView {
public:
    LogView(DisplayArea &area, ImageFile &file, const TColourMap &colours, const LogLayout &layout,
            const QLocale &locale = QLocale::system());

    const ViewGeometry &geometry() const { return m_geometry; }
    // The record count, rows, zoom and direction of the view; a change of rows or zoom forgets
    // the picture.
    void setGeometry(const ViewGeometry &geometry);
    // The line (at zoom 1 the record) the last pass drew first.
    qint64 ViewStart() const { return m_viewStart; }
    // The depth (thousandths of the unit) of the record the last pass left on row y, top row
    // 0, at a zoom above 1 the mean depth of the row's records; nullopt where the row shows
    // none.
    std::optional<qint32> rowDepth(int y) const;

    // Every row, at the scroll position.
    void fullPass(qint64 position);
    // A line step (or any move after one) to the scroll position: shift and draw what is new.
    // Falls back to a full pass when the picture cannot be shifted (nothing drawn yet, or a
    // move of a whole view or more).
    void incrementalPass(qint64 position);
    // The surface was made again at a new size, its content black: whitens it as opening the
    // log prepared it, so that rows no record reaches (a short log) show white again, and makes
    // the next pass draw everything.
    void surfaceRemade();
    // What the image shows of the samples before the colour tables (nothing changed when
    // null); read at each pass, like the colour tables.
    void setEnhancement(const ImageEnhancement *enhancement) { m_enhancement = enhancement; }

private:
    struct RowRecord {
        bool present = false;
        qint32 depth = 0;    // the mean of the row's records
        qint32 minDepth = 0; // and their extent, which the marks look for
        qint32 maxDepth = 0;
        qint32 firstDepth = 0; // of the row's first record
    };

    // Reads lines first..last (in file order) and draws those whose rows are in [paintFrom,
    // paintTo); remembers the depths of every line read.
    void readAndDraw(qint64 first, qint64 last, qint64 position, int paintFrom, int paintTo);
    void readAndDrawAveraged(qint64 first, qint64 last, qint64 position, int paintFrom,
                             int paintTo);
    // Rows whose records the file no longer holds (another program cut it short) lose their
    // marks, as a pass that read those records would find nothing there.
    void forgetVanishedRecords(qint64 position);
    void drawMargin();
    qint32 markStep();
    // The margin's pixels before it is drawn again, and the rows where they changed since.
    void keepMargin();
    QRegion changedMarginRows() const;
    void finishPass();

    DisplayArea &m_area;
    ImageFile &m_file;
    const TColourMap &m_colours;
    StripRenderer m_renderer;
    const ImageEnhancement *m_enhancement = nullptr;
    StripEnhancer m_enhancer;
    ViewGeometry m_geometry;
    qint64 m_viewStart = 0;
    std::vector<RowRecord> m_rows; // what each row of the surface shows
    bool m_rowsKnown = false;
    LineAverage m_average;
    int m_labelRows = 0; // a label's height, once measured
    std::vector<quint32> m_marginBefore;
};

} // namespace kivo
