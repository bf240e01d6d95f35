// KIVO Log Viewer
#include "log/imagefile.h"

#include "kivoerror.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {

namespace {

// One system call reads at most this much ahead, however many records a pass wants.
constexpr qint64 MaxChunkBytes = 4 * 1024 * 1024;

QString ioErrorText(int error, const QString &path)
{
    QString reason;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        reason = QStringLiteral("File not found");
        break;
    case EACCES:
    case EPERM:
        reason = QStringLiteral("File access denied");
        break;
    case EISDIR:
        reason = QStringLiteral("Is a directory");
        break;
    default:
        reason = QStringLiteral("I/O error %1 (%2)")
                     .arg(error)
                     .arg(QString::fromLocal8Bit(std::strerror(error)));
        break;
    }
    return QStringLiteral("%1: %2").arg(reason, path);
}

} // namespace

ImageFile::~ImageFile()
{
    CloseImageFile();
}

void ImageFile::OpenImageFile(const QString &path, qint64 recordSize)
{
    Q_ASSERT(recordSize > 0);
    CloseImageFile();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw KivoError(ioErrorText(errno, path));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        throw KivoError(ioErrorText(error == 0 ? EIO : error, path));
    }
    m_fd = fd;
    m_path = path;
    m_recordSize = recordSize;
    m_fileSize = info.st_size;
    m_position = 0;
    m_chunk.clear();
    m_chunkStart = 0;
}

void ImageFile::CloseImageFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_chunk.clear();
}

void ImageFile::refreshSize()
{
    struct stat info {};
    if (::fstat(m_fd, &info) != 0)
        throw KivoError(ioErrorText(errno, m_path));
    m_fileSize = info.st_size;
}

qint64 ImageFile::RecordCount()
{
    refreshSize();
    return m_fileSize / m_recordSize;
}

void ImageFile::SeekRecord(qint64 n, qint64 readAhead)
{
    // The file may have grown or shrunk since the last pass (another program writing it).
    refreshSize();
    m_position = n < 0 ? 0 : (n > m_fileSize / m_recordSize ? m_fileSize : n * m_recordSize);
    m_readAhead = qMax<qint64>(1, readAhead);
    m_chunk.resize(0); // keeps the buffer for the next pass
    m_chunkStart = m_position;
}

bool ImageFile::SeekRecordInBuffer(qint64 n, qint64 readAhead)
{
    if (m_fd < 0 || n < 0 || n > (m_chunkStart + m_chunk.size()) / m_recordSize)
        return false;
    const qint64 position = n * m_recordSize;
    if (position < m_chunkStart || position + m_recordSize > m_chunkStart + m_chunk.size())
        return false;
    m_position = position;
    m_readAhead = qMax<qint64>(1, readAhead);
    return true;
}

bool ImageFile::AtEnd() const
{
    return m_position >= m_fileSize;
}

void ImageFile::readInSteps(qint64 stepBytes)
{
    m_stepBytes = qMax<qint64>(1, stepBytes);
    // Advice only: where the system takes none, the reads are the same.
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_RANDOM);
}

bool ImageFile::fill()
{
    const qint64 chunkBytes = m_stepBytes > 0 ? qMin(m_stepBytes, MaxChunkBytes) : MaxChunkBytes;
    const qint64 records =
        qBound<qint64>(1, m_readAhead, qMax<qint64>(1, chunkBytes / m_recordSize));
    const qint64 wanted = records * m_recordSize;
    m_chunk.resize(wanted);
    qint64 got = 0;
    while (got < wanted) {
        const ssize_t n =
            ::pread(m_fd, m_chunk.data() + got, size_t(wanted - got), m_position + got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw KivoError(ioErrorText(errno, m_path));
        if (n == 0)
            break;
        got += n;
    }
    m_chunk.resize(got);
    m_chunkStart = m_position;
    if (m_stepBytes > 0 && got == wanted)
        ::posix_fadvise(m_fd, m_position + got, wanted, POSIX_FADV_WILLNEED);
    if (got < wanted) // the file ends inside this chunk, perhaps sooner than fstat said
        m_fileSize = m_position + got;
    return got >= m_recordSize;
}

const uchar *ImageFile::ReadRecordView()
{
    if (m_fd < 0 || AtEnd())
        return nullptr;
    const qint64 offset = m_position - m_chunkStart;
    if (offset < 0 || offset + m_recordSize > m_chunk.size()) {
        if (!fill()) {
            m_position = m_fileSize; // a trailing partial record ends the file
            return nullptr;
        }
    }
    const uchar *record =
        reinterpret_cast<const uchar *>(m_chunk.constData()) + (m_position - m_chunkStart);
    m_position += m_recordSize;
    if (m_readAhead > 1) // a refill then reads only what the caller still expects
        --m_readAhead;
    return record;
}

int ImageFile::ReadRecord(uchar *buffer)
{
    const uchar *record = ReadRecordView();
    if (!record)
        return 0;
    std::memcpy(buffer, record, size_t(m_recordSize));
    return 1;
}

} // namespace kivo
