// KIVO Log Viewer
#pragma once

#include "log/timageline.h"

#include <QFile>
#include <QString>
#include <QtEndian>

#include <cstdlib>

namespace kivo::bench {

// Writes the redraw benchmarks' data file: `records` records of `samples` samples, depths 1 mm
// apart from 0 (every 100th row of a view has a mark), samples that vary along and across the
// records. Read through once, so that every pass finds it in the page cache.
inline void writeBenchLog(const QString &path, qint64 records, int samples)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    QByteArray record(int(TImageLine::recordSize(samples)), '\0');
    auto *bytes = reinterpret_cast<uchar *>(record.data());
    for (qint64 k = 0; k < records; ++k) {
        qToLittleEndian<qint32>(qint32(k), bytes);
        for (int i = 0; i < samples; ++i) {
            bytes[4 + 3 * i] = uchar(k * 3 + i);
            bytes[5 + 3 * i] = uchar(k + i * 7);
            bytes[6 + 3 * i] = uchar(k * i);
        }
        if (file.write(record) != record.size())
            std::abort();
    }
    file.close();
    if (!file.open(QIODevice::ReadOnly) || file.readAll().size() != records * record.size())
        std::abort();
}

} // namespace kivo::bench
