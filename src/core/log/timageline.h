// KIVO Log Viewer
#pragma once

#include <QtEndian>
#include <QtGlobal>

namespace kivo {

// One record of a ".bhx" data file, little-endian:
//   0        int32   Depth, thousandths of the depth unit
//   4        3 x N   colour samples, bytes red, green, blue
//   4 + 3N   int16   Bearing in whole degrees (+ 2 bytes not used)
//   8 + 3N   int16   Angle in whole degrees (+ 2 bytes not used)
// The view works on the record's bytes in place; it never copies them into a struct.
class TImageLine {
public:
    TImageLine(const uchar *bytes, int samplesPerLine)
        : m_bytes(bytes)
        , m_samples(samplesPerLine)
    {}

    // Where each field begins, and the whole record's size; the one place the layout is told.
    static constexpr qint64 DepthOffset = 0;
    static constexpr qint64 SamplesOffset = 4;
    static constexpr qint64 bearingOffset(qint64 samplesPerLine)
    {
        return SamplesOffset + 3 * samplesPerLine;
    }
    static constexpr qint64 angleOffset(qint64 samplesPerLine)
    {
        return bearingOffset(samplesPerLine) + 4;
    }
    static constexpr qint64 recordSize(qint64 samplesPerLine)
    {
        return angleOffset(samplesPerLine) + 4;
    }

    // Writes the depth and the two angles of a record (the unused bytes zero); the samples are
    // the caller's, from SamplesOffset on.
    static void writeFields(uchar *bytes, qint64 samplesPerLine, qint32 depth, qint16 bearing,
                            qint16 angle)
    {
        qToLittleEndian<qint32>(depth, bytes + DepthOffset);
        qToLittleEndian<qint32>(quint16(bearing), bytes + bearingOffset(samplesPerLine));
        qToLittleEndian<qint32>(quint16(angle), bytes + angleOffset(samplesPerLine));
    }

    qint32 Depth() const { return qFromLittleEndian<qint32>(m_bytes + DepthOffset); }
    const uchar *Samples() const { return m_bytes + SamplesOffset; }
    qint16 Bearing() const { return qFromLittleEndian<qint16>(m_bytes + bearingOffset(m_samples)); }
    qint16 Angle() const { return qFromLittleEndian<qint16>(m_bytes + angleOffset(m_samples)); }

private:
    const uchar *m_bytes;
    qint64 m_samples;
};

} // namespace kivo
