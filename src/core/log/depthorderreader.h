// KIVO Log Viewer
#pragma once

#include "log/depthindex.h"

#include <QByteArray>

namespace kivo {

class ImageFile;

// The records of a span served shallowest first, whichever way the file runs: forward through a
// file that grows in depth, backward through one recorded going up. Reads a block of records at
// a time (a few megabytes at most), so memory stays the same for any span.
class DepthOrderReader {
public:
    DepthOrderReader(ImageFile &file, RecordSpan span, bool ascending);

    qint64 size() const { return m_span.size(); }
    // The bytes of record i in depth order (0 = the shallowest), valid until the next call.
    // Throws KivoError when the file no longer holds it.
    const uchar *record(qint64 i);
    // The distance between the records asked for next: a long stride reads single records
    // instead of blocks.
    void setStride(qint64 stride) { m_stride = stride; }

private:
    void load(qint64 fileRecord);

    ImageFile &m_file;
    RecordSpan m_span;
    bool m_ascending;
    qint64 m_recordSize;
    qint64 m_blockRecords;
    qint64 m_stride = 1;
    QByteArray m_block;
    qint64 m_blockStart = 0;
    qint64 m_blockCount = 0;
};

} // namespace kivo
