// KIVO Log Viewer
#pragma once

#include "display/normalisation.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace kivo {

class ImageFile;

// What the image shows of the samples before the colour tables: the normalisation, the grey
// scale, the moving window of dynamic normalisation and, once the whole log has been read, its
// static stretch. The order is fixed: normalise, then grey, then brightness and contrast.
struct ImageEnhancement {
    Normalisation normalisation = Normalisation::Off;
    bool greyScale = false;
    int windowRecords = 1;                     // records in the moving window, at least 1
    std::optional<ChannelTables> staticTables; // nullopt until the whole log has been read

    // False when every sample shows as recorded (static normalisation without its tables
    // included: the image shows unnormalised until they come).
    bool changesSamples() const;
};

// The moving window's length, and its records for a log whose records lie spacing apart (in the
// log's depth unit, 0 metres, otherwise feet): at least one, and at most MaxWindowRecords, so
// that records with absurd depths cannot make a pass read a whole log.
constexpr double DynamicWindowMetres = 0.5;
constexpr int MaxWindowRecords = 10000;
int windowRecordsFor(double metres, double spacing, int depthUnit);

// Records [first, last] of the window of record k under dynamic normalisation over w records:
// k - (w - 1) / 2 .. k + w / 2, cut to the records 0..count-1.
std::pair<qint64, qint64> windowOfRecord(qint64 k, int w, qint64 count);

// Enhances records as a redraw pass draws them. prepare() is told the run of records a pass is
// about to draw; for dynamic normalisation it reads the moving windows around them from the data
// file, so that each record shows the same whatever pass draws it.
class StripEnhancer {
public:
    explicit StripEnhancer(int samplesPerLine);

    // Reads what records first..last need and leaves the file at record first, to read them
    // next (from the bytes already read where it can). Throws KivoError when the file cannot be
    // read.
    void prepare(const ImageEnhancement &enhancement, ImageFile &file, qint64 first, qint64 last);
    // Record k's bytes (k within the prepared run) with its samples enhanced; valid until the
    // next call. Cheapest for records in ascending order, as a pass draws them.
    const uchar *enhance(const uchar *record, qint64 k);

private:
    // The luminances of the records the windows of first..last hold, from the data file.
    void readLuminances(ImageFile &file, qint64 first, qint64 last);
    // The gains of record k's window under dynamic normalisation (k read by readLuminances).
    const LuminanceGains &gainsOf(qint64 k);

    int m_samples;
    int m_perRecord; // luminances kept of each record
    const ImageEnhancement *m_enhancement = nullptr;
    qint64 m_first = 0;
    qint64 m_last = -1;
    // Dynamic normalisation: the luminances of records m_from..m_known-1, and the histogram of
    // records m_windowFrom..m_windowTo among them, which slides on from record to record.
    qint64 m_from = 0;
    qint64 m_known = 0;
    std::vector<uchar> m_luminances;
    LuminanceHistogram m_window{};
    qint64 m_windowFrom = 0;
    qint64 m_windowTo = -1;
    qint64 m_gainsOf = -1; // the record m_gains belongs to
    LuminanceGains m_gains{};
    QByteArray m_record;
};

} // namespace kivo
