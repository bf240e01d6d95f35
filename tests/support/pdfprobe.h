// KIVO Log Viewer
#pragma once

#include "pixelbounds.h"

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QtDebug>

namespace kivo::test {

// What poppler's pdfinfo says of a PDF file: its page count and the first page's size.
struct PdfInfo {
    int pages = 0;
    double width = 0; // points
    double height = 0;
};

inline PdfInfo pdfInfo(const QString &path)
{
    QProcess process;
    process.start("pdfinfo", {path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << "pdfinfo failed:" << process.readAllStandardError();
        return {};
    }
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    PdfInfo info;
    info.pages = QRegularExpression("Pages:\\s+(\\d+)").match(text).captured(1).toInt();
    const QRegularExpressionMatch size =
        QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(text);
    info.width = size.captured(1).toDouble();
    info.height = size.captured(2).toDouble();
    return info;
}

// The first page drawn by poppler's pdftoppm at 30 pixels an inch; null when it fails.
inline QImage rasterisedPdf(const QString &pdf)
{
    const QString prefix = pdf + ".raster";
    QProcess process;
    process.start("pdftoppm", {"-r", "30", "-png", "-singlefile", pdf, prefix});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << "pdftoppm failed:" << process.readAllStandardError();
        return QImage();
    }
    return QImage(prefix + ".png");
}

// The images embedded in a PDF file, as poppler's pdfimages extracts them: their pixels as the
// file stores them (a JPEG's losses included), a one-bit image as a one-bit PNG. Empty when
// pdfimages fails.
inline QList<QImage> pdfImages(const QString &pdf)
{
    const QString prefix = pdf + ".images";
    QProcess process;
    process.start("pdfimages", {"-png", pdf, prefix});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << "pdfimages failed:" << process.readAllStandardError();
        return {};
    }
    QList<QImage> images;
    for (int i = 0;; ++i) {
        const QImage image(QStringLiteral("%1-%2.png").arg(prefix).arg(i, 3, 10, QLatin1Char('0')));
        if (image.isNull())
            return images;
        images << image;
    }
}

// Paper white on a rasterised page.
inline bool isPaper(QRgb pixel)
{
    return qGray(pixel) >= 245;
}

// The smallest rectangle holding every pixel of the area that is not paper white.
inline QRect inkBounds(const QImage &image, const QRect &area)
{
    return boundsWhere(image, area, [](QRgb pixel) { return !isPaper(pixel); });
}

} // namespace kivo::test
