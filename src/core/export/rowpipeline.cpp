// KIVO Log Viewer
#include "export/rowpipeline.h"

namespace kivo {

RowPipeline::RowPipeline(ImageRowSink &sink, int rowBytes, int rowsPerBlock)
    : m_sink(sink)
    , m_rowBytes(rowBytes)
    , m_rowsPerBlock(rowsPerBlock)
    , m_blocks(Blocks)
{
    for (Block &block : m_blocks) {
        block.bytes.resize(size_t(rowBytes) * size_t(rowsPerBlock));
        m_free.push_back(&block);
    }
    m_filling = m_free.front();
    m_free.pop_front();
    m_writer = std::thread(&RowPipeline::write, this);
}

RowPipeline::~RowPipeline()
{
    stop();
}

uchar *RowPipeline::nextRow()
{
    if (m_filling->rows == m_rowsPerBlock)
        submit();
    return m_filling->bytes.data() + size_t(m_filling->rows++) * size_t(m_rowBytes);
}

void RowPipeline::finish()
{
    {
        std::unique_lock lock(m_mutex);
        if (m_filling->rows > 0)
            m_full.push_back(m_filling);
        m_filling = nullptr;
        m_closing = true;
    }
    m_changed.notify_all();
    m_writer.join();
    rethrowFailure();
    m_sink.finish();
}

void RowPipeline::submit()
{
    std::unique_lock lock(m_mutex);
    m_full.push_back(m_filling);
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return !m_free.empty() || m_failure; });
    if (m_failure) {
        // The writer has stopped: the rows go nowhere, and the caller learns why.
        m_full.pop_back();
        lock.unlock();
        rethrowFailure();
    }
    m_filling = m_free.front();
    m_free.pop_front();
    m_filling->rows = 0;
}

void RowPipeline::write()
{
    for (;;) {
        Block *block = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || m_closing || !m_full.empty(); });
            if (m_stopping || m_full.empty())
                return;
            block = m_full.front();
            m_full.pop_front();
        }
        try {
            for (int r = 0; r < block->rows; ++r)
                m_sink.writeRow(block->bytes.data() + size_t(r) * size_t(m_rowBytes));
        } catch (...) {
            std::lock_guard lock(m_mutex);
            m_failure = std::current_exception();
            m_changed.notify_all();
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            m_free.push_back(block);
        }
        m_changed.notify_all();
    }
}

void RowPipeline::stop()
{
    if (!m_writer.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_writer.join();
}

void RowPipeline::rethrowFailure()
{
    std::exception_ptr failure;
    {
        std::lock_guard lock(m_mutex);
        failure = m_failure;
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace kivo
