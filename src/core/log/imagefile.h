// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// The open data file: fixed-size records read forward from a record number. 64-bit offsets
// throughout; opening costs the same for any file size (nothing is read). Reads go through a
// read-ahead buffer filled by one pread per chunk; a file that shrinks under us simply ends
// sooner (no memory mapping that could fault). Errors are KivoError with the user's text.
class ImageFile {
public:
    ImageFile() = default;
    ~ImageFile();
    ImageFile(const ImageFile &) = delete;
    ImageFile &operator=(const ImageFile &) = delete;

    // Opens an existing file for reading. recordSize must be positive.
    void OpenImageFile(const QString &path, qint64 recordSize);
    void CloseImageFile();
    bool isOpen() const { return m_fd >= 0; }
    qint64 recordSize() const { return m_recordSize; }
    const QString &path() const { return m_path; }

    // Whole records in the file now: file size div record size.
    qint64 RecordCount();
    // The file's size in bytes as RecordCount() last saw it.
    qint64 fileSize() const { return m_fileSize; }

    // Record n is the next one read. Past the end is no error; the next read gets nothing.
    // readAhead is how many records the caller expects to read from here (a redraw pass reads
    // a view's worth), so that one system call serves them all.
    void SeekRecord(qint64 n, qint64 readAhead = 1);
    // The same without a system call, for a pass that goes back over records it has just read:
    // when the bytes the last read brought in hold record n, it is the next one read from them
    // (the file's size is not looked at again). Returns false, and moves nothing, otherwise.
    bool SeekRecordInBuffer(qint64 n, qint64 readAhead);

    // True when the position is at or past the file's size in bytes (as last seen).
    bool AtEnd() const;

    // For a reader that goes once through the whole file in the background: reads at most
    // stepBytes (whole records, at least one) at a time and asks the system for the next step
    // ahead of it, in place of the system's own read-ahead, which may fill megabytes of cache in
    // one go without giving the processor up.
    void readInSteps(qint64 stepBytes);

    // Reads the next record and advances past it. Returns the record's bytes, valid until the
    // next read, seek or close; nullptr at the end and over a trailing partial record (which
    // is never a record).
    const uchar *ReadRecordView();

    // The same into a caller's buffer of at least recordSize() bytes: returns 1 when a whole
    // record was read, 0 otherwise (the buffer then keeps its content).
    int ReadRecord(uchar *buffer);

private:
    void refreshSize();
    bool fill();

    int m_fd = -1;
    QString m_path;
    qint64 m_recordSize = 0;
    qint64 m_fileSize = 0; // as last seen by fstat or a short read
    qint64 m_position = 0; // byte offset of the next record
    qint64 m_readAhead = 1;
    qint64 m_stepBytes = 0; // 0: the system's read-ahead
    QByteArray m_chunk;     // bytes from m_chunkStart on
    qint64 m_chunkStart = 0;
};

} // namespace kivo
