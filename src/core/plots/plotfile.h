// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

namespace kivo {

enum class PlotFormat { Png, Svg, Pdf };

// Paints a plot into an area.
using PlotPainter = std::function<void(QPainter &painter, const QRectF &area)>;

// The format a file name asks for by its ending (.png, .svg, .pdf, any case).
std::optional<PlotFormat> plotFormatOf(const QString &path);

// Plots are drawn from 64 to 8000 pixels on a side.
constexpr int MinPlotSide = 64;
constexpr int MaxPlotSide = 8000;

// The plot as a picture of size pixels on white.
QImage plotImage(const QSize &size, const PlotPainter &paint);
// The plot as the bytes of a file: a PNG of size pixels; an SVG of that size (Qt's SVG
// generator); a one-page PDF of that size at 96 pixels an inch (Qt's PDF writer). Throws
// KivoError when the picture cannot be encoded.
QByteArray plotFileBytes(PlotFormat format, const QSize &size, const QString &title,
                         const PlotPainter &paint);
// The same written atomically to path, whose ending gives the format; the old file is kept
// when it fails. Throws KivoError naming the file.
void savePlotFile(const QString &path, const QSize &size, const QString &title,
                  const PlotPainter &paint);

} // namespace kivo
