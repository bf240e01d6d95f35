// KIVO Log Viewer
#pragma once

#include "demo/demonoise.h"
#include "picks/sinusoid.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace kivo {

// A trace drawn on a generated wall, as the detector should find it. The sinusoid is in the
// log's unit (metres: one record is a millimetre).
struct PlantedTrace {
    Sinusoid trace;
    double thickness = 3.0; // records, measured along the hole
    double darkening = 0.5; // the fraction of the wall's brightness the trace takes away
    double visible = 1.0;   // the fraction of the circumference drawn
};

// What a generated log holds besides the wall itself.
struct TracedWallDesign {
    qint64 records = 12000; // at one millimetre a record, the first at FirstDepth
    quint32 seed = 1;       // the whole picture follows from it
    bool traces = true;     // dark sinusoidal traces crossing the wall
    bool bands = true;      // horizontal bands of other rock, some thin and dark
    bool blobs = true;      // smooth colour mottling at several scales
    bool shading = true;    // the light falling brighter on one side, and slowly varying
    double noise = 10.0;    // standard deviation of the pixel noise, levels
};

// A test wall for automatic picking: a 96 mm hole logged at one millimetre a record, 720
// samples a record, its rock textured with blobs, bands, shading and noise, crossed by dark
// sinusoidal traces of known centre, amplitude and trough (apparent dips 5 to 75 degrees, 2.5
// to 8 records thick, some faint, some broken off over part of the circumference).
class TracedWall {
public:
    static constexpr int Samples = 720;
    static constexpr qint32 FirstDepth = 100000; // thousandths of a metre
    static constexpr double Diameter = 96.0;     // millimetres

    explicit TracedWall(const TracedWallDesign &design);

    qint64 records() const { return m_design.records; }
    const QList<PlantedTrace> &planted() const { return m_planted; }
    // The depth of a record in thousandths of a metre.
    static qint32 depthOf(qint64 record) { return FirstDepth + qint32(record); }
    // Writes the 720 red, green, blue samples of the record.
    void paintRow(qint64 record, uchar *samples);

private:
    struct Drawn {
        PlantedTrace planted;
        double centreRecord;
        double amplitudeRecords;
        double trough;   // radians
        double gapStart; // radians; the gap runs over the hidden part of the circumference
    };
    struct Band {
        double top, bottom; // records
        float red, green, blue;
    };

    void plantTraces(quint32 seed);
    void layBands(quint32 seed);

    TracedWallDesign m_design;
    QList<PlantedTrace> m_planted;
    std::vector<Drawn> m_drawn;
    std::vector<Band> m_bands;
    DemoNoise m_large, m_small, m_grain;
    std::vector<float> m_row;
};

// Writes <directory>/<name>.bhx and its header <name>.HED (top-down, metres, a 96 mm bit over
// the whole hole) painted by the wall; returns the data file's path. Throws KivoError when a
// file cannot be written.
QString writeTracedLog(const QString &directory, const QString &name, TracedWall &wall);

} // namespace kivo
