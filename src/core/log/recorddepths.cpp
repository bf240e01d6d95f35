// KIVO Log Viewer
#include "log/recorddepths.h"

#include "kivoerror.h"
#include "log/imagefile.h"

#include <QDir>
#include <QtEndian>

namespace kivo {

RecordDepths::RecordDepths(ImageFile &file)
    : m_file(file)
    , m_count(file.RecordCount())
{
    if (m_count >= 2)
        m_ascending = depth(m_count - 1) >= depth(0);
}

qint32 RecordDepths::depth(qint64 n)
{
    m_file.SeekRecord(n);
    const uchar *bytes = n >= 0 && n < m_count ? m_file.ReadRecordView() : nullptr;
    if (!bytes)
        throw KivoError(QStringLiteral("Record %1 of %2 cannot be read: the file has changed.")
                            .arg(n)
                            .arg(QDir::toNativeSeparators(m_file.path())));
    return qFromLittleEndian<qint32>(bytes);
}

qint64 RecordDepths::bound(qint64 value, bool orAbove)
{
    qint64 low = 0;
    qint64 high = m_count;
    while (low < high) {
        const qint64 middle = low + (high - low) / 2;
        const qint64 k = key(middle);
        if (orAbove ? k <= value : k < value)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

RecordSpan RecordDepths::span(qint64 shallow, qint64 deep)
{
    if (m_ascending)
        return {bound(shallow, false), bound(deep, true) - 1};
    return {bound(-deep, false), bound(-shallow, true) - 1};
}

} // namespace kivo
