// KIVO Log Viewer
#include "plots/plotfile.h"

#include "kivoerror.h"
#include "picks/atomicsave.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace kivo {

namespace {

constexpr int PdfResolution = 96;

QByteArray pngBytes(const QSize &size, const PlotPainter &paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(plotImage(size, paint)))
        throw KivoError(QStringLiteral("The plot cannot be made into a PNG file: %1")
                            .arg(writer.errorString()));
    return bytes;
}

QByteArray svgBytes(const QSize &size, const QString &title, const PlotPainter &paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator))
        throw KivoError(QStringLiteral("The plot cannot be made into an SVG file"));
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return bytes;
}

QByteArray pdfBytes(const QSize &size, const QString &title, const PlotPainter &paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("KIVO Log Viewer"));
        writer.setResolution(PdfResolution);
        const QSizeF points = QSizeF(size) * 72.0 / PdfResolution;
        writer.setPageSize(QPageSize(points, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            throw KivoError(QStringLiteral("The plot cannot be made into a PDF file"));
        paint(painter, QRectF(0, 0, writer.width(), writer.height()));
        painter.end();
    }
    return bytes;
}

} // namespace

std::optional<PlotFormat> plotFormatOf(const QString &path)
{
    const QString name = path.toLower();
    if (name.endsWith(QLatin1String(".png")))
        return PlotFormat::Png;
    if (name.endsWith(QLatin1String(".svg")))
        return PlotFormat::Svg;
    if (name.endsWith(QLatin1String(".pdf")))
        return PlotFormat::Pdf;
    return std::nullopt;
}

QImage plotImage(const QSize &size, const PlotPainter &paint)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QByteArray plotFileBytes(PlotFormat format, const QSize &size, const QString &title,
                         const PlotPainter &paint)
{
    switch (format) {
    case PlotFormat::Png:
        return pngBytes(size, paint);
    case PlotFormat::Svg:
        return svgBytes(size, title, paint);
    case PlotFormat::Pdf:
        return pdfBytes(size, title, paint);
    }
    return {};
}

void savePlotFile(const QString &path, const QSize &size, const QString &title,
                  const PlotPainter &paint)
{
    const auto format = plotFormatOf(path);
    if (!format)
        throw KivoError(
            QStringLiteral("%1 cannot be written: a plot is saved as .png, .svg or .pdf")
                .arg(QDir::toNativeSeparators(path)));
    saveFileAtomically(path, plotFileBytes(*format, size, title, paint));
}

} // namespace kivo
