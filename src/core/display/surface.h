// KIVO Log Viewer
#pragma once

#include "display/surfacecanvas.h"
#include "display/trect.h"

#include <QImage>

#include <memory>

namespace kivo {

class TDIB;
struct ClippedBlock;

// The off-screen surface the viewer draws on: Width x Height pixels of 24-bit colour, (0, 0) at
// the top-left, held as a QImage of Format_RGB32 (every pixel 0xFFRRGGBB), which takes direct
// row writes and paints to the screen without conversion.
//
// Fast drawing writes rows through scanLine(); the canvas serves fills, lines and text. Both
// write within a run of drawing (see TDirectDrawSurfaceCanvas), which the first write starts:
// starting a run detaches the image from any copy a presenter holds, and ReleaseCanvas ends it.
// Row pointers are valid only within the run that gave them, and only until the next Draw.
//
// The picture's rows lie in a taller store, with spare rows above and below, so that the
// viewer's line steps (a self-copy of the whole picture up or down by a few rows) move where
// the picture starts instead of moving its pixels.
class TDirectDrawSurface {
public:
    // A surface of no pixels, to be given its size and content by loadFromBitmap.
    TDirectDrawSurface();
    // Throws KivoError "Surface cannot be made" for a size below 1 x 1 or beyond what a surface
    // may hold, or when the memory cannot be had. The content starts black.
    TDirectDrawSurface(int width, int height);
    ~TDirectDrawSurface();
    TDirectDrawSurface(const TDirectDrawSurface &) = delete;
    TDirectDrawSurface &operator=(const TDirectDrawSurface &) = delete;

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // (0, 0, Width, Height).
    TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    // Made on the first call, then the same canvas for the surface's whole life.
    TDirectDrawSurfaceCanvas &Canvas();

    // Opaque copy of srcRect of source with its top-left at (X, Y), both rectangles clipped
    // together; source may be this surface, overlapping or not. Pixels outside the destination
    // rectangle are left as they are.
    void Draw(int X, int Y, const TRect &srcRect, const TDirectDrawSurface &source);
    // Makes bitmap Width x Height at 24 bits per pixel holding every pixel, then releases the
    // canvas. Throws KivoError when the bitmap cannot be made.
    void CaptureTo(TDIB &bitmap);

    // Makes the pixels again at a new size (content black); the canvas and its settings stay.
    // Throws KivoError "Surface cannot be made" like the constructor and then leaves the surface
    // as it was.
    void resize(int width, int height);
    // Takes the size and content of a bitmap. Throws KivoError "Surface cannot be made" for an
    // empty bitmap or when the memory cannot be had, and then leaves the surface as it was.
    void loadFromBitmap(const TDIB &bitmap);

    // Row y for writing pixels 0xFFRRGGBB (rgbFromPlain()), Width() of them; starts a run.
    // nullptr for a row outside the surface.
    quint32 *scanLine(int y);
    // The picture, for presenting after ReleaseCanvas.
    const QImage &image() const { return m_image; }

private:
    friend class TDirectDrawSurfaceCanvas;
    using Store = std::shared_ptr<quint32[]>;

    // The pixels for writing, starting a run when none is going on.
    quint32 *runBits();
    qsizetype stride() const { return m_image.bytesPerLine() / qsizetype(sizeof(quint32)); }
    void endRun() { m_runBits = nullptr; }
    // A store for a width x height picture, its rows not yet set; throws like the constructor.
    static Store makeStore(int width, int height, int &storeRows);
    // Shows rows top.. of the store as the picture.
    void showStoreRows(Store store, int storeRows, int top, int width, int height);
    // The same picture in a store of its own (a presenter still holds the current one).
    void moveToNewStore();
    // Draw of this surface onto itself when the block is the whole picture moved up or down by
    // a few rows: moves the picture's first row and copies only the rows it uncovers. False,
    // having done nothing, for any other block.
    bool shiftRows(const ClippedBlock &block);

    QImage m_image; // the picture: rows m_top.. of m_store, without a copy
    Store m_store;
    int m_storeRows = 0;
    int m_top = 0;
    quint32 *m_runBits = nullptr;
    std::unique_ptr<TDirectDrawSurfaceCanvas> m_canvas;
};

} // namespace kivo
