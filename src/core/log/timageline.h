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

    static constexpr qint64 recordSize(qint64 samplesPerLine) { return 3 * samplesPerLine + 12; }

    qint32 Depth() const { return qFromLittleEndian<qint32>(m_bytes); }
    const uchar *Samples() const { return m_bytes + 4; }
    qint16 Bearing() const { return qFromLittleEndian<qint16>(m_bytes + 4 + 3 * m_samples); }
    qint16 Angle() const { return qFromLittleEndian<qint16>(m_bytes + 8 + 3 * m_samples); }

private:
    const uchar *m_bytes;
    qint64 m_samples;
};

} // namespace kivo
