// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>

namespace kivo::test {

using Rgb = std::array<uchar, 3>;
// Colour of sample i of record k.
using SampleColour = std::function<Rgb(qint64 k, int i)>;

// A pattern every test can recompute: red = k, green = i, blue = k + i (all mod 256).
Rgb patternColour(qint64 k, int i);

struct DataFileContent {
    DataFileContent(int samples_, qint64 count_, qint32 firstDepth_ = 0, qint32 depthStep_ = 10)
        : samples(samples_)
        , count(count_)
        , firstDepth(firstDepth_)
        , depthStep(depthStep_)
    {}

    int samples = 720;
    qint64 count = 0;
    qint32 firstDepth = 0; // depth of record 0, thousandths of a unit
    qint32 depthStep = 10; // depth difference between records
    SampleColour colour = patternColour;
    QByteArray trailing; // bytes after the last whole record
};

// The bytes of one record.
QByteArray makeRecord(int samples, qint32 depth, qint16 bearing, qint16 angle,
                      const std::function<Rgb(int)> &colour);
// Bearing and angle of record k in files written by writeDataFile.
qint16 patternBearing(qint64 k);
qint16 patternAngle(qint64 k);

void writeDataFile(const QString &path, const DataFileContent &content);
void writeFile(const QString &path, const QByteArray &bytes);

// A header that the viewer accepts: "Ident" WL_EXT, the sample count and "LogMode", plus any
// further "WellInfo" lines given (each ending in a newline).
QByteArray validHeader(int samples, int logMode = 12, const QByteArray &extraWellInfo = {});

// Writes <dir>/<name>.bhx and <dir>/<name>.HED; returns the data file's path.
QString writeLog(const QString &dir, const QString &name, const QByteArray &header,
                 const DataFileContent &content);

} // namespace kivo::test
