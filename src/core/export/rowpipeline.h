// KIVO Log Viewer
#pragma once

#include "export/imagerowsink.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kivo {

// Hands an image's rows to a sink that encodes and writes them on a thread of its own, so that
// reading and mapping the records overlaps the writing: on a file in memory the write costs as
// much as all the rest. The rows are gathered in blocks, and at most Blocks of them are in hand
// at a time, so memory stays bounded whatever the image's size. The sink is used on the writing
// thread only until finish() or the pipeline's end.
class RowPipeline {
public:
    static constexpr int Blocks = 3;

    RowPipeline(ImageRowSink &sink, int rowBytes, int rowsPerBlock = 256);
    // Stops the writing thread; rows not yet written are dropped, and the sink may be
    // abandoned (or its file given up) once the pipeline is gone.
    ~RowPipeline();
    RowPipeline(const RowPipeline &) = delete;
    RowPipeline &operator=(const RowPipeline &) = delete;

    // Where the next row goes: rowBytes bytes, written in row order. Throws what the sink threw
    // for an earlier row.
    uchar *nextRow();
    // Writes the rows still in hand, then lets the sink finish the file, on the calling thread.
    // Throws what the sink threw.
    void finish();

private:
    struct Block {
        std::vector<uchar> bytes;
        int rows = 0;
    };

    void submit(); // hands the block being filled to the writer, and takes a free one
    void write();  // the writing thread
    void stop();
    void rethrowFailure();

    ImageRowSink &m_sink;
    const int m_rowBytes;
    const int m_rowsPerBlock;
    std::vector<Block> m_blocks;
    Block *m_filling = nullptr;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Block *> m_full; // waiting for the writer, in row order
    std::deque<Block *> m_free;
    bool m_closing = false;  // no more blocks come: the writer ends once it has written them
    bool m_stopping = false; // the writer ends at once
    std::exception_ptr m_failure;
    std::thread m_writer;
};

} // namespace kivo
