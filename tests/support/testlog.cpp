// KIVO Log Viewer
#include "testlog.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

namespace kivo::test {

Rgb patternColour(qint64 k, int i)
{
    return {uchar(k & 0xff), uchar(i & 0xff), uchar((k + i) & 0xff)};
}

qint16 patternBearing(qint64 k)
{
    return qint16(k % 360 - 180);
}
qint16 patternAngle(qint64 k)
{
    return qint16(k % 200 - 10);
}

QByteArray makeRecord(int samples, qint32 depth, qint16 bearing, qint16 angle,
                      const std::function<Rgb(int)> &colour)
{
    QByteArray record(3 * samples + 12, '\0');
    auto *bytes = reinterpret_cast<uchar *>(record.data());
    qToLittleEndian<qint32>(depth, bytes);
    for (int i = 0; i < samples; ++i) {
        const Rgb c = colour(i);
        bytes[4 + 3 * i] = c[0];
        bytes[5 + 3 * i] = c[1];
        bytes[6 + 3 * i] = c[2];
    }
    qToLittleEndian<qint16>(bearing, bytes + 4 + 3 * samples);
    qToLittleEndian<qint16>(angle, bytes + 8 + 3 * samples);
    return record;
}

void writeDataFile(const QString &path, const DataFileContent &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        QFAIL(qPrintable("cannot write " + path));
    for (qint64 k = 0; k < content.count; ++k) {
        const qint32 depth = content.firstDepth + qint32(k) * content.depthStep;
        file.write(makeRecord(content.samples, depth, patternBearing(k), patternAngle(k),
                              [&](int i) { return content.colour(k, i); }));
    }
    file.write(content.trailing);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        QFAIL(qPrintable("cannot write " + path));
    file.write(bytes);
}

QByteArray validHeader(int samples, int logMode, const QByteArray &extraWellInfo)
{
    return "[General]\nIdent=WL_EXT\n[WellInfo]\nLogMode=" + QByteArray::number(logMode) + "\n" +
           extraWellInfo + "[Channel1]\nSampleCount=" + QByteArray::number(samples) + "\n";
}

QString writeLog(const QString &dir, const QString &name, const QByteArray &header,
                 const DataFileContent &content)
{
    const QString data = dir + "/" + name + ".bhx";
    writeFile(dir + "/" + name + ".HED", header);
    writeDataFile(data, content);
    return data;
}

} // namespace kivo::test
