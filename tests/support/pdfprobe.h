// KIVO Log Viewer
#pragma once

#include "pixelbounds.h"

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QRectF>
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

// A word of a PDF's text as poppler's pdftotext -bbox finds it: its page (1-based), its box in
// points from the page's top left corner.
struct PdfWord {
    int page = 0;
    QRectF box;
    QString text;
};

inline QList<PdfWord> pdfWords(const QString &pdf)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", pdf, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << "pdftotext failed:" << process.readAllStandardError();
        return {};
    }
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
        "yMax=\"([\\d.]+)\">([^<]*)</word>");
    QList<PdfWord> words;
    int page = 0;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({page, QRectF(topLeft, bottomRight), match.captured(5)});
    }
    return words;
}

// One image of a PDF as poppler's pdfimages -list describes it.
struct PdfImageEntry {
    int page = 0;
    int width = 0;
    int height = 0;
    QString colour;   // "rgb", "gray"
    int bits = 0;     // per component
    QString encoding; // "image" (flate or none), "jpeg", ...
    double yPpi = 0;  // rows per inch as placed on the page
};

inline QList<PdfImageEntry> pdfImageList(const QString &pdf)
{
    QProcess process;
    process.start("pdfimages", {"-list", pdf});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << "pdfimages failed:" << process.readAllStandardError();
        return {};
    }
    QList<PdfImageEntry> images;
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    for (const QString &line : lines.mid(2)) {
        const QStringList f = line.simplified().split(' ');
        if (f.size() < 14)
            continue;
        images.append(
            {f[0].toInt(), f[3].toInt(), f[4].toInt(), f[5], f[7].toInt(), f[8], f[13].toDouble()});
    }
    return images;
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
