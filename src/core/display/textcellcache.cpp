// KIVO Log Viewer
#include "display/textcellcache.h"

#include "kivoerror.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace kivo {

namespace {

// About 4 MB of cells: some thousands of depth labels.
constexpr qsizetype maxCachedPixels = 1 << 20;
constexpr int canvasPixelSize = 11;
const char *const fallbackFace = "DejaVu Sans Mono";

void requireGuiApplication()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        throw KivoError(QStringLiteral("Text cannot be drawn without a graphical application"));
}

} // namespace

TextCellCache::TextCellCache()
    : m_cells(maxCachedPixels)
{}

const QFont &TextCellCache::fontFor(const QString &faceName)
{
    requireGuiApplication();
    if (m_fontResolved && faceName == m_faceName)
        return m_font;
    QFont font;
    if (QFontDatabase::hasFamily(faceName)) {
        font.setFamily(faceName);
    } else {
        font.setFamily(QString::fromLatin1(fallbackFace));
        font.setStyleHint(QFont::TypeWriter);
    }
    font.setPixelSize(canvasPixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    m_font = font;
    m_faceName = faceName;
    m_fontResolved = true;
    return m_font;
}

QSize TextCellCache::extent(const QString &text, const QString &faceName)
{
    const QFontMetrics metrics(fontFor(faceName));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

QImage TextCellCache::cell(const QString &text, const QString &faceName, QRgb textColour,
                           QRgb background)
{
    Key key{text, faceName, textColour, background};
    if (const QImage *cached = m_cells.object(key))
        return *cached;

    const QFont &font = fontFor(faceName);
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(background);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(textColour));
        painter.drawText(0, metrics.ascent(), text);
    }
    // A cell larger than the whole cache is not kept; insert() then deletes the copy.
    m_cells.insert(std::move(key), new QImage(image), image.width() * image.height());
    return image;
}

} // namespace kivo
