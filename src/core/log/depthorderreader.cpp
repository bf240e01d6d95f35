// KIVO Log Viewer
#include "log/depthorderreader.h"

#include "kivoerror.h"
#include "log/imagefile.h"

#include <QDir>

namespace kivo {

namespace {

constexpr qint64 BlockBytes = 2 * 1024 * 1024;

} // namespace

DepthOrderReader::DepthOrderReader(ImageFile &file, RecordSpan span, bool ascending)
    : m_file(file)
    , m_span(span)
    , m_ascending(ascending)
    , m_recordSize(file.recordSize())
    , m_blockRecords(qMax<qint64>(1, BlockBytes / file.recordSize()))
{}

const uchar *DepthOrderReader::record(qint64 i)
{
    Q_ASSERT(i >= 0 && i < size());
    const qint64 fileRecord = m_ascending ? m_span.first + i : m_span.last - i;
    if (fileRecord < m_blockStart || fileRecord >= m_blockStart + m_blockCount)
        load(fileRecord);
    return reinterpret_cast<const uchar *>(m_block.constData()) +
           (fileRecord - m_blockStart) * m_recordSize;
}

void DepthOrderReader::load(qint64 fileRecord)
{
    // The block runs on from the record in the order the records are asked for.
    const qint64 wanted = m_stride >= m_blockRecords ? 1 : m_blockRecords;
    const qint64 start = m_ascending ? fileRecord : qMax(m_span.first, fileRecord - wanted + 1);
    const qint64 count =
        m_ascending ? qMin(wanted, m_span.last - fileRecord + 1) : fileRecord - start + 1;
    m_block.resize(count * m_recordSize);
    m_blockCount = 0;
    m_file.SeekRecord(start, count);
    auto *out = reinterpret_cast<uchar *>(m_block.data());
    for (qint64 k = 0; k < count; ++k) {
        if (m_file.ReadRecord(out + k * m_recordSize) != 1)
            throw KivoError(QStringLiteral("Record %1 of %2 cannot be read: the file has changed.")
                                .arg(start + k)
                                .arg(QDir::toNativeSeparators(m_file.path())));
    }
    m_blockStart = start;
    m_blockCount = count;
}

} // namespace kivo
