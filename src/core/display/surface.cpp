// KIVO Log Viewer
#include "display/surface.h"

#include "display/blockcopy.h"
#include "display/tdib.h"
#include "kivoerror.h"

#include <cstring>
#include <new>

namespace kivo {

namespace {

// No display area comes near this (a 16384 x 16384 picture); it keeps a mistaken size from
// taking all the memory there is.
constexpr qint64 maxSurfacePixels = qint64(1) << 28;
// Spare rows, as many as the picture has, up to this many pixels (16 MB).
constexpr qint64 maxSparePixels = qint64(1) << 22;
constexpr QRgb newSurfaceColour = 0xFF000000;

[[noreturn]] void failToMake()
{
    throw KivoError(QStringLiteral("%1 cannot be made").arg(QStringLiteral("Surface")));
}

// The picture's image holds a reference to its store, so that a copy a presenter keeps shows
// valid pixels however long it lives.
void releaseStore(void *reference)
{
    delete static_cast<std::shared_ptr<quint32[]> *>(reference);
}

} // namespace

TDirectDrawSurface::TDirectDrawSurface() = default;

TDirectDrawSurface::TDirectDrawSurface(int width, int height)
{
    resize(width, height);
}

TDirectDrawSurface::~TDirectDrawSurface() = default;

TDirectDrawSurfaceCanvas &TDirectDrawSurface::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TDirectDrawSurfaceCanvas>(*this);
    return *m_canvas;
}

TDirectDrawSurface::Store TDirectDrawSurface::makeStore(int width, int height, int &storeRows)
{
    if (width < 1 || height < 1 || qint64(width) * height > maxSurfacePixels)
        failToMake();
    storeRows = height + int(qMin<qint64>(height, maxSparePixels / width));
    try {
        return Store(new quint32[size_t(storeRows) * size_t(width)]);
    } catch (const std::bad_alloc &) {
        failToMake();
    }
}

void TDirectDrawSurface::showStoreRows(Store store, int storeRows, int top, int width, int height)
{
    auto *first = reinterpret_cast<uchar *>(store.get() + qsizetype(top) * width);
    auto *reference = new Store(store);
    QImage image(first, width, height, qsizetype(width) * qsizetype(sizeof(quint32)),
                 QImage::Format_RGB32, releaseStore, reference);
    if (image.isNull()) { // the image took no reference
        delete reference;
        failToMake();
    }
    endRun();
    m_image = std::move(image);
    m_store = std::move(store);
    m_storeRows = storeRows;
    m_top = top;
}

void TDirectDrawSurface::moveToNewStore()
{
    int storeRows = 0;
    Store store = makeStore(Width(), Height(), storeRows);
    const int top = (storeRows - Height()) / 2;
    std::memcpy(store.get() + qsizetype(top) * Width(), m_image.constBits(),
                size_t(m_image.sizeInBytes()));
    showStoreRows(std::move(store), storeRows, top, Width(), Height());
}

quint32 *TDirectDrawSurface::runBits()
{
    if (!m_runBits && !m_image.isNull()) {
        // A presenter still holding the last picture keeps it as it is: the run draws into a
        // store of its own.
        if (!m_image.isDetached())
            moveToNewStore();
        // bits() marks the picture as changed for any cache keyed on it.
        m_runBits = reinterpret_cast<quint32 *>(m_image.bits());
    }
    return m_runBits;
}

quint32 *TDirectDrawSurface::scanLine(int y)
{
    if (y < 0 || y >= Height())
        return nullptr;
    return runBits() + y * stride();
}

bool TDirectDrawSurface::shiftRows(const ClippedBlock &block)
{
    const int width = Width();
    const int height = Height();
    const int shift = block.destY - block.sourceY;
    const int spare = m_storeRows - height;
    const bool wholeRows = block.sourceX == 0 && block.destX == 0 && block.width == width;
    const bool everyRowKept = block.height == height - qAbs(shift);
    // Worth it while the uncovered rows are fewer than the moved ones, and possible while the
    // picture can move that far within the spare rows.
    if (!wholeRows || !everyRowKept || shift == 0 || 2 * qAbs(shift) > qMin(height, spare))
        return false;
    runBits();
    quint32 *store = m_store.get();
    const qsizetype rowPixels = width;
    int top = m_top;
    if (top - shift < 0 || top - shift > spare) {
        const int middle = spare / 2;
        std::memmove(store + middle * rowPixels, store + top * rowPixels,
                     size_t(height) * size_t(rowPixels) * sizeof(quint32));
        top = middle;
    }
    const int newTop = top - shift;
    // The rows the move uncovers keep what they showed: rows 0.. when the picture moves down,
    // the last rows when it moves up.
    const qsizetype from = shift > 0 ? top : top + height + shift;
    const qsizetype to = shift > 0 ? newTop : newTop + height + shift;
    std::memcpy(store + to * rowPixels, store + from * rowPixels,
                size_t(qAbs(shift)) * size_t(rowPixels) * sizeof(quint32));
    showStoreRows(m_store, m_storeRows, newTop, width, height);
    return true;
}

void TDirectDrawSurface::Draw(int X, int Y, const TRect &srcRect, const TDirectDrawSurface &source)
{
    const auto block = clipBlock(srcRect, source.m_image.size(), X, Y, m_image.size());
    if (!block)
        return;
    if (&source == this && shiftRows(*block))
        return;
    quint32 *dest = runBits();
    const quint32 *from =
        &source == this ? dest : reinterpret_cast<const quint32 *>(source.m_image.constBits());
    copyBlock(dest, stride(), from, source.stride(), *block);
}

void TDirectDrawSurface::CaptureTo(TDIB &bitmap)
{
    bitmap = TDIB::fromImage(m_image);
    endRun();
}

void TDirectDrawSurface::resize(int width, int height)
{
    int storeRows = 0;
    Store store = makeStore(width, height, storeRows);
    showStoreRows(std::move(store), storeRows, (storeRows - height) / 2, width, height);
    m_image.fill(newSurfaceColour);
}

void TDirectDrawSurface::loadFromBitmap(const TDIB &bitmap)
{
    if (bitmap.isEmpty() || qint64(bitmap.width()) * bitmap.height() > maxSurfacePixels)
        failToMake();
    const QImage image = bitmap.toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        failToMake();
    int storeRows = 0;
    Store store = makeStore(image.width(), image.height(), storeRows);
    const int top = (storeRows - image.height()) / 2;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(store.get() + qsizetype(top + y) * image.width(), image.constScanLine(y),
                    size_t(image.width()) * sizeof(quint32));
    showStoreRows(std::move(store), storeRows, top, image.width(), image.height());
}

} // namespace kivo
