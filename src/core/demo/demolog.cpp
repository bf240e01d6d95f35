// KIVO Log Viewer
#include "demo/demolog.h"

#include "demo/demoheader.h"
#include "demo/demoimage.h"
#include "kivoerror.h"
#include "log/timageline.h"

#include <QDir>
#include <QSaveFile>

#include <cmath>

namespace kivo {

namespace {

constexpr qint64 RecordSize = TImageLine::recordSize(demo::SamplesPerLine);
constexpr qint64 RecordsPerBlock = 512; // about 1 MB per write

// A file written under a temporary name and put in place only when every byte has been
// written, so a failed run leaves no truncated log behind.
class DemoFile {
public:
    explicit DemoFile(const QString &path)
        : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly))
            fail();
    }
    void write(const QByteArray &bytes, qint64 size)
    {
        if (m_file.write(bytes.constData(), size) != size)
            fail();
    }
    void commit()
    {
        if (!m_file.commit())
            fail();
    }

private:
    [[noreturn]] void fail()
    {
        throw KivoError(
            QStringLiteral("Cannot write the demonstration log file %1: %2")
                .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
    }

    QSaveFile m_file;
};

void writeRecord(DemoImage &image, qint64 record, uchar *bytes)
{
    TImageLine::writeFields(bytes, demo::SamplesPerLine, demo::depthOf(record),
                            demo::bearing(record), demo::angle(record));
    image.paintRow(record, bytes + TImageLine::SamplesOffset);
}

void writeDataFile(const QString &path)
{
    DemoFile file(path);
    DemoImage image;
    QByteArray block(RecordsPerBlock * RecordSize, '\0');
    auto *bytes = reinterpret_cast<uchar *>(block.data());
    for (qint64 first = 0; first < demo::RecordCount; first += RecordsPerBlock) {
        const qint64 count = std::min(RecordsPerBlock, demo::RecordCount - first);
        for (qint64 k = 0; k < count; ++k)
            writeRecord(image, first + k, bytes + k * RecordSize);
        file.write(block, count * RecordSize);
    }
    file.commit();
}

} // namespace

namespace demo {

qint16 bearing(qint64 record)
{
    return qint16(record * 720 / RecordCount % 360);
}

qint16 angle(qint64 record)
{
    return qint16(
        std::lround(3.0 + 2.0 * std::sin(2.0 * 3.14159265358979323846 * record / 6000.0)));
}

} // namespace demo

void writeDemoLog(const QString &directory)
{
    if (!QDir().mkpath(directory))
        throw KivoError(QStringLiteral("Cannot create the folder %1 for the demonstration log")
                            .arg(QDir::toNativeSeparators(directory)));
    const QDir dir(directory);
    writeDataFile(dir.filePath(QStringLiteral("demo.bhx")));
    const QByteArray header = demoHeaderText();
    DemoFile headerFile(dir.filePath(QStringLiteral("demo.HED")));
    headerFile.write(header, header.size());
    headerFile.commit();
}

} // namespace kivo
