// KIVO Log Viewer
#pragma once

#include "testlog.h"

#include <QPair>

#include <functional>

namespace kivo::test {

// Angle and bearing of record k.
using Orientation = std::function<QPair<qint16, qint16>(qint64 k)>;

// Writes <dir>/<name>.bhx and .HED: count records of 720 grey samples from firstDepth on in
// steps of depthStep thousandths, each with the orientation given. Returns the data file's path.
inline QString writeOrientedLog(const QString &dir, const QString &name, const QByteArray &header,
                                qint64 count, qint32 firstDepth, qint32 depthStep,
                                const Orientation &orientation)
{
    QByteArray bytes;
    for (qint64 k = 0; k < count; ++k) {
        const auto [angle, bearing] = orientation(k);
        bytes += makeRecord(720, firstDepth + qint32(k) * depthStep, bearing, angle, [](int) {
            return Rgb{128, 128, 128};
        });
    }
    writeFile(dir + "/" + name + ".HED", header);
    writeFile(dir + "/" + name + ".bhx", bytes);
    return dir + "/" + name + ".bhx";
}

} // namespace kivo::test
