// KIVO Log Viewer
#include "export/imageexport.h"

#include "display/imagerowmapper.h"
#include "export/pngrowsink.h"
#include "export/rowpipeline.h"
#include "export/tiffrowsink.h"
#include "kivoerror.h"
#include "log/depthorderreader.h"
#include "log/loglayout.h"
#include "picks/atomicsave.h"
#include "shell/jobprogress.h"

#include <QDir>

#include <cmath>
#include <memory>
#include <vector>

namespace kivo {

namespace {

constexpr qint64 ProgressEvery = 256; // rows

std::unique_ptr<ImageRowSink> makeSink(AtomicFile &file, qint64 rows, ExportFormat format)
{
    if (format == ExportFormat::Png)
        return std::make_unique<PngRowSink>(file, rows);
    return std::make_unique<TiffRowSink>(file, rows, format);
}

// Row by row from the records in depth order.
class RowSource {
public:
    RowSource(DepthOrderReader &reader, const ImageRowMapper &mapper, const ExportRequest &request)
        : m_reader(reader)
        , m_mapper(mapper)
        , m_decimation(request.decimation)
        , m_factor(request.decimation == Decimation::None ? 1 : request.factor)
    {
        if (m_decimation == Decimation::Every)
            m_reader.setStride(m_factor);
        if (m_decimation == Decimation::Average) {
            m_row.resize(ImageRowMapper::RowBytes);
            m_sum.resize(ImageRowMapper::RowBytes);
        }
    }

    // Writes row r's RowBytes bytes to out.
    void row(qint64 r, uchar *out)
    {
        if (m_decimation != Decimation::Average) {
            m_mapper.map(m_reader.record(r * m_factor) + 4, out);
            return;
        }
        const qint64 first = r * m_factor;
        const qint64 count = qMin<qint64>(m_factor, m_reader.size() - first);
        std::fill(m_sum.begin(), m_sum.end(), 0);
        for (qint64 i = 0; i < count; ++i) {
            m_mapper.map(m_reader.record(first + i) + 4, m_row.data());
            for (size_t b = 0; b < m_sum.size(); ++b)
                m_sum[b] += m_row[b];
        }
        // Rounded to the nearest value, halves up.
        for (size_t b = 0; b < m_sum.size(); ++b)
            out[b] = uchar((m_sum[b] + quint64(count) / 2) / quint64(count));
    }

private:
    DepthOrderReader &m_reader;
    const ImageRowMapper &m_mapper;
    Decimation m_decimation;
    qint64 m_factor;
    std::vector<uchar> m_row;
    std::vector<quint64> m_sum;
};

// Maps every row into the pipeline and lets it finish the file; false when the progress asked
// to stop.
bool writeRows(RowSource &source, RowPipeline &pipeline, qint64 rows, JobProgress &progress)
{
    for (qint64 r = 0; r < rows; ++r) {
        if (r % ProgressEvery == 0 && !progress.advance(r, rows))
            return false;
        source.row(r, pipeline.nextRow());
    }
    pipeline.finish();
    return true;
}

} // namespace

qint64 exportRowCount(qint64 records, Decimation decimation, int factor)
{
    if (decimation == Decimation::None || factor <= 1)
        return records;
    return (records + factor - 1) / factor;
}

std::optional<qint64> exportImage(ImageFile &file, const LogLayout &layout,
                                  const ExportRequest &request, JobProgress &progress)
{
    if (request.factor < 1)
        throw KivoError(
            QStringLiteral("The decimation must be 1 or more, not %1.").arg(request.factor));
    DepthIndex depths(file, layout.SamplesPerLine);
    const qint64 a = std::llround(request.fromDepth * 1000.0);
    const qint64 b = std::llround(request.toDepth * 1000.0);
    DepthOrderReader reader(file, depths.span(qMin(a, b), qMax(a, b)), depths.ascending());
    if (reader.size() == 0)
        throw KivoError(QStringLiteral("No record of the log lies between %1 and %2%3.")
                            .arg(request.fromDepth)
                            .arg(request.toDepth)
                            .arg(layout.unitSuffix()));
    const qint64 rows = exportRowCount(reader.size(), request.decimation, request.factor);

    const QString shownPath = QDir::toNativeSeparators(request.path);
    AtomicFile out(request.path);
    if (!out.open(QIODevice::WriteOnly))
        throw KivoError(
            QStringLiteral("Cannot write the file %1: %2.").arg(shownPath, out.errorString()));
    const std::unique_ptr<ImageRowSink> sink = makeSink(out, rows, request.format);
    const ImageRowMapper mapper(layout.SamplesPerLine, request.colours);
    RowSource source(reader, mapper, request);
    bool written = false;
    try {
        // The pipeline's writing thread has stopped once this block is left, on every path,
        // before the file is given up or committed.
        RowPipeline pipeline(*sink, ImageRowMapper::RowBytes);
        written = writeRows(source, pipeline, rows, progress);
    } catch (const KivoError &) {
        // Bytes the disk refused are told naming the file, as every writer tells them; a
        // record that cannot be read or a format's limit as the reader or the format says.
        out.checkWrites();
        throw;
    }
    if (!written || !progress.advance(rows, rows)) {
        out.cancelWriting();
        return std::nullopt;
    }
    out.commitChecked();
    return rows;
}

} // namespace kivo
